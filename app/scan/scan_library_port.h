// The scan library's calls as one scan pass makes them: the bound entry points in the program,
// a recorder in tests.
#pragma once
#include <cstdint>
#include <string>

#include "scan_prop_rec.h"

namespace tarnwick {

// Values travel in each tag's own size and type; answers land in zeroed buffers, so a tag the
// library does not answer reads as 0 or an empty text.
class ScanLibraryPort {
 public:
  virtual ~ScanLibraryPort() = default;
  virtual int32_t SetNumber(uint16_t tag, int32_t value) = 0;
  virtual int32_t SetText(uint16_t tag, const std::string& text) = 0;
  virtual int32_t GetNumber(uint16_t tag, int32_t* answer) = 0;
  virtual std::string GetText(uint16_t tag) = 0;
  virtual int32_t SetProp(const TScanPropRec& prop) = 0;
};

// Scan tags the application sets and reads directly.
enum ScanTag : uint16_t {
  kTagProductNameId = 0x9004,
  kTagIndicatorsId = 0x9051,
  kTagFeederTypeId = 0x9101,
  kTagBrightnessId = 0x9204,
  kTagContrastId = 0x9205,
  kTagFilterId = 0x9209,
  kTagDitherId = 0x9211,
  kTagInvertId = 0x9300,
  kTagColorMatchId = 0x9304,
  kTagAutoCropId = 0x9309,
  kTagPaperPresentId = 0x9603,
};

// The paper-present answer: true only for an answer of 1.
bool PaperInFeeder(ScanLibraryPort& lib);

}  // namespace tarnwick
