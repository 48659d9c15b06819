// A pavlot.dll of the test's own: its ten entry points answer from a scripted scanner and log
// every call, and a module loader hands them out by name (some may be missing, or the whole
// library). Platform-free.
#pragma once
#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "scan_library.h"
#include "scan_tags.h"

namespace tarnwick {

struct FakeScanner {
  // What the scanner answers.
  int32_t loadStatus = 0;
  std::set<int32_t> refusedScanTypes;  // SCANTYPE values that ZebSetValue refuses
  bool duplexRefused = false;
  int32_t resolutionFlag = kTagFlagList;
  std::vector<int32_t> resolutions = {75, 100, 150, 200, 240, 300, 400, 600};  // list items
  int32_t rangeMin = 50, rangeMax = 1200, rangeStep = 1;  // when resolutionFlag is a range
  int16_t filter = 2;
  bool areaAnswered = true;
  float width = 8.5f, height = 14.0f;  // in the unit of `units`
  int16_t units = 0;
  std::string productName;  // empty: PRODUCTNAME not answered
  int16_t paperPresent = -1;  // the paper-present answer; -1: not answered
  std::deque<int16_t> paperAnswers;  // answered one by one before paperPresent
  int acquires = 0;
  int32_t acquireStatus = 0;
  void (*duringAcquire)() = nullptr;  // runs inside ZebAcquire, as a driver's message loop would

  // What the library saw.
  std::vector<std::string> calls;           // "SetValue 9100 1", "GetValue 9401", ...
  std::map<uint16_t, int> bytesSet;         // bytes of the value as the tag's type holds it
  std::map<uint16_t, std::string> textsSet;
  std::vector<std::string> dirtyBuffers;    // answers asked for into a buffer not zeroed
  int zebLoads = 0, zebFrees = 0;
  void* owner = nullptr;
};

// The scanner the fake entry points use; reset by FakePavlotLoader's constructor.
FakeScanner& Scanner();

// Hands out the fake entry points by export name. `missing` names exports it does not have;
// `present` false makes the library itself missing.
class FakePavlotLoader : public ScanModuleLoader {
 public:
  explicit FakePavlotLoader(std::set<std::string> missing = {}, bool present = true);
  void* Load(const char* file) override;
  void* Resolve(void* module, const char* name) override;
  void Unload(void* module) override;

  std::set<std::string> missing;
  bool present;
  std::string loadedFile;
  int loads = 0, unloads = 0;
};

// Counts the scan error messages.
class CountingErrors : public ScanErrorReporter {
 public:
  void ShowScanError() override { ++shown; }
  int shown = 0;
};

}  // namespace tarnwick
