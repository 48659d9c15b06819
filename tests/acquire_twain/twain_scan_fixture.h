// Scans through pavlot.dll over the simulated TWAIN source behind Wine's source manager: the
// library loaded by name, tags set with ZebSetValue, every page the callback gets kept.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "scan_page_info.h"
#include "sim_scanner.h"

struct ScanSettings {
  int16_t transferMode = 1;  // 0 memory blocks, 1 page DIBs, 2 page files
  int16_t pixelType = 1;     // 0 black and white, 1 gray, 2 colour
  int16_t scanType = 1;      // 1 feeder, 2 flatbed
  int16_t duplex = 0;
  int32_t dpi = 100;
};

struct ReceivedPage {
  ScanPageInfo info{};
  std::vector<uint8_t> data;  // memory mode: the rows as they came; DIB mode: the DIB block
  std::string fileName;       // file mode: the name the callback was given
  int32_t endCode = -1000;    // the code that ended the page; -1000 while it is open
};

struct TwainScan {
  std::vector<ReceivedPage> pages;
  std::vector<int32_t> driverErrors;
  int32_t stopAfter = -1;   // answer -1 once this many pages are complete
  int32_t transferMode = 1;
  int32_t Complete() const;
};

class TwainScanner {
 public:
  // Stores the TWAIN source as the library's choice and writes the source's settings file.
  bool Start(const std::string& simSettings);
  void Stop();
  // ZebFree and ZebLoad again, the library staying loaded, over a source with new settings.
  bool Restart(const std::string& simSettings);
  bool Apply(const ScanSettings& s);
  // One ZebAcquire; its answer, with what arrived in *scan.
  int32_t Acquire(TwainScan* scan);

  int32_t AcquireUIOnly() { return ZebAcquireUIOnly_(0); }

  bool batchReading = false;  // Start stores BATCHSCAN 1: the engine reads memory pages ahead
  int32_t(__stdcall* ZebSetValue)(uint32_t, void*) = nullptr;
  int32_t(__stdcall* ZebGetValue)(uint32_t, void*) = nullptr;
  int32_t(__stdcall* ZebGetTagFlag)(uint32_t, int32_t*) = nullptr;

 private:
  HMODULE module_ = nullptr;
  int32_t(__stdcall* ZebLoad_)(HWND) = nullptr;
  int32_t(__stdcall* ZebFree_)() = nullptr;
  int32_t(__stdcall* ZebAcquire_)(PageCallbackProc) = nullptr;
  int32_t(__stdcall* ZebAcquireUIOnly_)(int32_t) = nullptr;
  bool WriteConfig(const std::string& simSettings);
  std::string config_;
};

void ClearQuandrixSettings();

// The page the simulated scanner makes for these settings.
zebsim::PageFormat FormatFor(const ScanSettings& s);

// Empty when the DIB block holds the page exactly (header, palette, rows); else what differs.
std::string CompareDibPage(const std::vector<uint8_t>& dib, const zebsim::PageFormat& format,
                           int pageNumber);
// The DIB part of a BMP file; empty when the file cannot be read.
std::vector<uint8_t> ReadBmpDib(const std::string& path);
// The same for rows received in memory mode (top row first, R G B, no padding).
std::string CompareRowPage(const std::vector<uint8_t>& rows, const zebsim::PageFormat& format,
                           int pageNumber);
