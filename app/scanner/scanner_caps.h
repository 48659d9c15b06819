// QueryScannerCaps: the scanner's answers turned into the settings form's choices, while the
// library is bound. Platform-free.
#pragma once
#include <cstdint>

#include "scanner_choices.h"

namespace tarnwick {

class ScanLibrary;

// The settings the query reads and may change.
struct ScanQuerySettings {
  int* scanMethod;  // "Scan Method": forced to the only method the scanner takes
  int* filter;      // "Filter": the scanner's current colour filter
  Edition edition = kBuiltEdition;
};

// The largest resolution the scanner offers: the largest item of a list, the maximum of a
// range; 0 when it cannot be read.
int32_t MaximumResolution(ScanLibrary& library);

// Tests feeder, flatbed and duplex (the second edition then takes the flags of the models its
// table knows, by the product name), sets the transfer buffer, reads the maximum resolution, the
// colour filter and the maximum area, and rebuilds the three lists. Answers false, having shown
// the scan error once, when the library lacks an entry point the query calls; `choices` is then
// left as it was.
bool QueryScannerCaps(ScanLibrary& library, ScannerChoices* choices, const ScanQuerySettings& s);

}  // namespace tarnwick
