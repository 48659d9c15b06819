#include "scanner_caps.h"

#include <cmath>

#include "scan_library.h"
#include "scan_tags.h"

namespace tarnwick {

namespace {

constexpr int32_t kFeeder = 1, kFlatbed = 2;
constexpr int32_t kMinTransferBuffer = 5242800;
// More list items than any scanner offers; ZebGetTagChoice refuses the index past the last.
constexpr int32_t kMostListItems = 256;

// Inches per unit of the geometry tags (300 pixels to the inch); 0 for a unit not known.
double InchesPerUnit(ScanLibrary& library) {
  int32_t units = 0;  // a library that does not answer keeps sizes in inches
  GetScanTagNumber(library, scan_tag::kUnits, &units);
  switch (units) {
    case 0: return 1;
    case 1: return 1 / 2.54;
    case 2: return 1 / 300.0;
  }
  return 0;
}

// A physical size answer in inches: kept only when the library answers it and it is a size.
void ReadSize(ScanLibrary& library, uint16_t tag, double inchesPerUnit, float* size) {
  float value = 0;
  if (GetScanTagFloat(library, tag, &value) == 0 && std::isfinite(value) && value >= 0 &&
      inchesPerUnit > 0)
    *size = inchesPerUnit == 1 ? value : static_cast<float>(value * inchesPerUnit);
}

}  // namespace

int32_t MaximumResolution(ScanLibrary& library) {
  int32_t flag = 0;
  if (library.GetTagFlag(scan_tag::kXResolution, &flag) != 0) return 0;
  int32_t best = 0;
  if (flag == kTagFlagRange) {
    GetScanTagChoiceNumber(library, scan_tag::kXResolution, kRangeMaxChoice, &best);
  } else if (flag == kTagFlagList) {
    for (int32_t i = 0; i < kMostListItems; ++i) {
      int32_t item = 0;
      if (GetScanTagChoiceNumber(library, scan_tag::kXResolution, i, &item) != 0) break;
      if (item > best) best = item;
    }
  }
  return best > 0 ? best : 0;
}

bool QueryScannerCaps(ScanLibrary& library, ScannerChoices* c, const ScanQuerySettings& s) {
  if (!library.Require({ScanEntry::ZebGetTagFlag, ScanEntry::ZebGetTagChoice,
                        ScanEntry::ZebSetValue, ScanEntry::ZebGetValue}))
    return false;

  const Edition edition = s.edition;
  if (edition == Edition::kFirst) {
    // Asked first: the flag builds the library's tag records, which the choice call needs.
    int32_t flag = 0, choice = 0;
    library.GetTagFlag(scan_tag::kScanType, &flag);
    GetScanTagChoiceNumber(library, scan_tag::kScanType, 2, &choice);
  }

  c->feederAvailable = SetScanTagNumber(library, scan_tag::kScanType, kFeeder) == 0;
  const bool flatbed = SetScanTagNumber(library, scan_tag::kScanType, kFlatbed) == 0;
  c->methodForced = !(flatbed && c->feederAvailable);
  if (c->methodForced) *s.scanMethod = c->feederAvailable ? 0 : 1;
  c->duplexAvailable = SetScanTagNumber(library, scan_tag::kFeederType, 1) == 0;
  if (edition == Edition::kSecond) {
    // Models the table knows keep its flags; "Scan Method" stays as the tests left it.
    std::string model;
    ModelFlags known;
    if (GetScanTagText(library, scan_tag::kProductName, &model) == 0 &&
        ModelTableFlags(edition, model, &known)) {
      c->feederAvailable = known.feederAvailable;
      c->methodForced = known.methodForced;
      c->duplexAvailable = known.duplexAvailable;
    }
  }
  SetScanTagNumber(library, scan_tag::kMinBuffer, kMinTransferBuffer);

  const int32_t maxDpi = MaximumResolution(library);

  int32_t filter = 0;
  if (GetScanTagNumber(library, scan_tag::kFilter, &filter) == 0 && filter >= 0 && filter <= 3)
    *s.filter = filter;
  c->filterTextIds = FilterChoiceTextIds();
  SetScanTagNumber(library, scan_tag::kFilter, *s.filter);

  c->resolutions = ResolutionChoicesUpTo(maxDpi);

  // The sizes come in the unit UNITS holds, which need not be inches before a scan has set it.
  const double inchesPerUnit = InchesPerUnit(library);
  ReadSize(library, scan_tag::kPhysicalWidth, inchesPerUnit, &c->maxWidth);
  ReadSize(library, scan_tag::kPhysicalHeight, inchesPerUnit, &c->maxHeight);
  c->papers = PaperChoicesFor(c->maxWidth, &c->maxHeight, edition);
  return true;
}

}  // namespace tarnwick
