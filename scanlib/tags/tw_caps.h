// The TWAIN capability ids the TWAIN adapter asks and sets, in one place.
#pragma once
#include <cstdint>

enum TwCap : int {
  kCapXferCount = 0x0001,
  kIcapCompression = 0x0100,
  kIcapPixelType = 0x0101,
  kIcapUnits = 0x0102,
  kIcapXferMech = 0x0103,
  kCapFeederEnabled = 0x1002,
  kCapFeederLoaded = 0x1003,
  kCapIndicators = 0x100B,
  kCapAutoScan = 0x1010,
  kCapDuplexEnabled = 0x1013,
  kIcapBrightness = 0x1101,
  kIcapContrast = 0x1103,
  kIcapFilter = 0x1106,
  kIcapGamma = 0x1108,
  kIcapHalftones = 0x1109,
  kIcapHighlight = 0x110A,
  kIcapFileFormat = 0x110C,
  kIcapOrientation = 0x1110,
  kIcapShadow = 0x1113,
  kIcapFrames = 0x1114,
  kIcapXResolution = 0x1118,
  kIcapYResolution = 0x1119,
  kIcapLightPath = 0x111E,
  kIcapPixelFlavor = 0x111F,
  kIcapSupportedSizes = 0x1122,
  kIcapBitDepth = 0x112B,
  kIcapBitDepthReduction = 0x112C,
  kIcapAutomaticDeskew = 0x1151,
  // The maker's own capabilities.
  kCapColorMatch = 0x1197,
  kCapSharpen = 0x1198,
  kCapDescreen = 0x1199,
  kCapAutoCrop = 0x9200,
  kCapUiControl = 0x9050,  // kept by the engine as its ShowUI flag
};

// TWAIN values the adapter sends.
constexpr uint32_t kTwsxNative = 0, kTwsxFile = 1, kTwsxMemory = 2;
constexpr uint32_t kTwptBw = 0, kTwptGray = 1, kTwptRgb = 2, kTwptPalette = 3;
constexpr uint32_t kTwbrThreshold = 0, kTwbrHalftone = 1;
constexpr uint32_t kTwlpReflective = 0, kTwlpTransmissive = 1;
constexpr uint32_t kTwftRed = 0, kTwftNone = 3;
constexpr uint32_t kTwunInches = 0, kTwunCentimeters = 1, kTwunPixels = 5;
