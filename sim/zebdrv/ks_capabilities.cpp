#include "ks_capabilities.h"

namespace {

using F = KSCapability;

KSValue N(double v) { return KSValue{v, {}}; }
KSValue T(const char* s) { return KSValue{0, s}; }

const std::vector<KSCapability>& Table() {
  // A plausible duplex document scanner with a Legal feeder and a Letter/A4 flatbed.
  static const std::vector<KSCapability> table = {
      {F::kList, kTagScanType, {1, 2}, {}, N(1)},                // 1 feeder, 2 flatbed
      {F::kList, 0x9101, {0, 1}, {}, N(0)},                       // FEEDERTYPE: simplex, duplex
      {F::kList, kTagXResolution, {75, 100, 150, 200, 240, 300, 400, 600}, {}, N(300)},
      {F::kList, kTagYResolution, {75, 100, 150, 200, 240, 300, 400, 600}, {}, N(300)},
      {F::kList, kTagPixelType, {0, 1, 2}, {}, N(0)},
      {F::kList, 0x9203, {1, 8, 24}, {}, N(1)},                   // BITSPERPIXEL
      {F::kRange, 0x9204, {0, 255, 1}, {}, N(128)},               // BRIGHTNESS
      {F::kRange, 0x9205, {0, 255, 1}, {}, N(128)},               // CONTRAST
      {F::kRange, 0x9206, {0, 255, 1}, {}, N(255)},               // HIGHLIGHT
      {F::kRange, 0x9207, {0, 255, 1}, {}, N(0)},                 // SHADOW
      {F::kRange, 0x9208, {0.5, 4.0, 0.1}, {}, N(1.0)},           // GAMMA
      {F::kList, 0x9209, {0, 1, 2, 3}, {}, N(0)},                 // FILTER
      {F::kList, kTagUnits, {0, 1, 2}, {}, N(2)},
      {F::kList, 0x9210, {0}, {}, N(0)},                          // COMPRESSION
      {F::kTexts, 0x9211, {}, {"None", "Bayer", "Halftone", "Diffusion"}, T("None")},  // DITHER
      {F::kRange, 0x9212, {0, 255, 1}, {}, N(128)},               // THRESHOLD
      {F::kList, 0x9300, {0, 1}, {}, N(0)},                       // INVERT
      {F::kList, 0x9301, {0, 1}, {}, N(0)},                       // FILEFORMAT: TIFF, BMP
      {F::kPhysical, kTagPhysicalHeight, {14.0, 11.69}, {}, N(0)},
      {F::kPhysical, kTagPhysicalWidth, {8.5, 8.5}, {}, N(0)},
      {F::kArea, kTagXPosition, {}, {}, N(0)},
      {F::kArea, kTagYPosition, {}, {}, N(0)},
      {F::kArea, kTagImageLength, {}, {}, N(3300)},
      {F::kArea, kTagImageWidth, {}, {}, N(2550)},
      {F::kRange, 0x9600, {-1, 32767, 1}, {}, N(-1)},             // XFERCOUNT
      {F::kList, 0x9601, {0, 1, 2}, {}, N(2)},                    // PAGESIZE
      {F::kList, 0x9602, {0, 1}, {}, N(0)},                       // ORIENTATION
      {F::kList, 0x9051, {0}, {}, N(0)},                          // INDICATORS
      {F::kList, 0x9102, {0, 1}, {}, N(0)},                       // TRANSFERMODE
      {F::kList, 0x9050, {0, 1}, {}, N(0)},                       // UICONTROL
      {F::kRange, 0x9052, {32767, 10485760, 1}, {}, N(2100000)},  // MINBUFFER
      {F::kTexts, 0x9302, {}, {""}, T("")},                       // file name
      {F::kList, 0x9303, {0, 1, 2}, {}, N(0)},                    // SHARPEN
      {F::kList, 0x9304, {0, 1}, {}, N(0)},                       // COLORMATCH
      {F::kList, 0x9305, {0, 1}, {}, N(0)},                       // DESCREEN
      {F::kList, kTagPaperPresent, {0, 1}, {}, N(0)},
      {F::kTexts, 0x9004, {}, {"ZS-3000"}, T("ZS-3000")},         // product name
      {F::kTexts, 0x9005, {}, {"Quandrix"}, T("Quandrix")},
      {F::kTexts, 0x9006, {}, {"1.04"}, T("1.04")},
      {F::kList, 0x9007, {0, 1}, {}, N(0)},                       // BATCHSCAN
      {F::kList, 0x9306, {0, 1, 2}, {}, N(0)},                    // MULTIPAGE
      {F::kList, kTagDriverQuery, {0, 1}, {}, N(0)},
      {F::kList, 0x9000, {0, 1, 2, 3}, {}, N(0)},                 // LANGUAGE
      {F::kList, 0x9054, {0, 1}, {}, N(1)},                       // AREASETTING
      {F::kList, 0x9055, {0, 1}, {}, N(1)},                       // MORESETTING
      {F::kList, kTagBackground, {0, 1}, {}, N(0)},               // white, black backing
      {F::kRange, 0x9009, {0, 720, 1}, {}, N(15)},                // ENERGYSAVING
      {F::kList, 0x9307, {0, 1}, {}, N(0)},                       // DESKEW
      {F::kList, 0x9308, {0, 1}, {}, N(0)},                       // MIRROR
      {F::kList, 0x9309, {0, 1}, {}, N(0)},                       // AUTOCROP
      {F::kList, 0x930a, {0, 1}, {}, N(0)},                       // WHITEPAGE
      {F::kRange, 0x930b, {1, 360, 1}, {}, N(116)},               // BLANKHOLD
      {F::kRange, 0x930c, {1, 100, 1}, {}, N(25)},                // AUTOTYPEHOLD
      {F::kRange, 0x9505, {0, 50, 1}, {}, N(0)},                  // OVERSCAN
      {F::kRange, kTagBackgroundLines, {0, 100, 1}, {}, N(0)},
      {F::kRange, 0x920a, {0, 20, 1}, {}, N(11)},                 // COMPRESSQUALITY
      {F::kRange, 0x9310, {0, 10000, 1}, {}, N(0)},               // LENGTHDETECT
      {F::kList, 0x9311, {0, 1}, {}, N(0)},                       // CONTINUEJOB
      {F::kTexts, 0x900a, {}, {"SN 000314"}, T("SN 000314")},
  };
  return table;
}

}  // namespace

const std::vector<KSCapability>& Capabilities() { return Table(); }

const KSCapability* FindCapability(int32_t tag) {
  for (const KSCapability& c : Table())
    if (c.tag == (tag & 0xFFFF)) return &c;
  return nullptr;
}

double InchesToUnit(double inches, int units) {
  switch (units) {
    case 0:
      return inches;
    case 1:
      return inches * 2.54;
    default:
      return inches * 300;
  }
}

double UnitToInches(double value, int units) {
  switch (units) {
    case 0:
      return value;
    case 1:
      return value / 2.54;
    default:
      return value / 300;
  }
}
