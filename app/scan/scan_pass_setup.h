// One scan pass's settings sent to the scan library: the TScanPropRec and the scan tags around
// it, in the order the library expects them.
#pragma once
#include <cstdint>
#include <string>

#include "edition.h"
#include "scan_library_port.h"
#include "scan_prop_rec.h"

namespace tarnwick {

// The settings a pass reads ("Image Type", "Scan Method", "Resolution", "Size" ...).
struct ScanPassSettings {
  int ImageType = 0;   // 0 black-and-white, 1 gray, 2 colour
  int ScanMethod = 0;  // 0 feeder, 1 flatbed
  int Resolution = 2;  // index into the resolution table
  int Size = 0;        // index into the paper table
  int Filter = 0;
  bool ShowUI = false;
  bool Duplex = false;
  bool Invert = false;
  bool AutoCrop = false;
  int Brightness = 0;
  int Contrast = 0;
  int PaperListCount = 0;  // entries of the settings form's paper list
  Edition ForEdition = kBuiltEdition;
};

struct ScannerMaxArea {
  float Width = 0, Height = 0;  // inches; 0 when the scanner did not say
};

struct ScanPassSetup {
  TScanPropRec Prop{};
  int Dpi = 0;
  int Size = 0;  // the "Size" setting as the pass used it (a one-entry paper list forces 4)
  std::string ProductName;
};

// Sends the pass's values: DITHER for black-and-white, the product name read, FEEDERTYPE for
// the feeder, INVERT, AUTOCROP, INDICATORS, ZebSetProp, then brightness and contrast (per
// channel for colour, and for gray in the first edition). Tag statuses are not examined.
ScanPassSetup SendScanPassSettings(ScanLibraryPort& lib, const ScanPassSettings& s,
                                   const ScannerMaxArea& scannerArea);

}  // namespace tarnwick
