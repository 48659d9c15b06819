// The 59 scan tags: value type, TWAIN capability, ISIS tag and registry name. Platform-free.
#pragma once
#include <cstdint>

struct TagDef {
  uint16_t Tag;
  uint16_t Type;
  uint16_t TwainCap;  // 0: no capability
  uint16_t IsisTag;   // 0: no ISIS tag
  const char* RegName;  // nullptr: never stored
};

constexpr int kTagCount = 59;
constexpr int kNoRow = kTagCount;  // FindTag's answer for a tag outside the table

extern const TagDef kTagTable[kTagCount];

// Row numbers: the index of every per-tag array.
enum TagRow : int {
  kRowScanType = 0, kRowFeederType, kRowXResolution, kRowYResolution, kRowPixelType,
  kRowBitsPerPixel, kRowBrightness, kRowContrast, kRowHighlight, kRowShadow, kRowGamma,
  kRowFilter, kRowUnits, kRowCompression, kRowDither, kRowThreshold, kRowInvert, kRowFileFormat,
  kRowPhysicalHeight, kRowPhysicalWidth, kRowXPosition, kRowYPosition, kRowImageLength,
  kRowImageWidth, kRowXferCount, kRowPageSize, kRowOrientation, kRowIndicators,
  kRowTransferMode, kRowUiControl, kRowMinBuffer, kRowFileName, kRowSharpen, kRowColorMatch,
  kRowDescreen, kRowPaperPresent, kRowProductName, kRowDevice5, kRowDevice6, kRowBatchScan,
  kRowMultiPage, kRowAskDriver, kRowLanguage, kRowAreaSetting, kRowMoreSetting, kRowBackground,
  kRowEnergySaving, kRowDeskew, kRowMirror, kRowAutoCrop, kRowWhitePage, kRowBlankHold,
  kRowAutoTypeHold, kRowOverscan, kRowBackgroundLines, kRowCompressQuality, kRowLengthDetect,
  kRowContinueJob, kRowDeviceA,
};
static_assert(kRowDeviceA == kTagCount - 1);

// Row of the tag (low 16 bits count), or kNoRow.
int FindTag(uint32_t tag);

// BRIGHTNESS, CONTRAST, HIGHLIGHT, SHADOW: four 16-bit values per record.
bool IsColourRow(int row);
// The rows whose Current is an array indexed by FILTER (the colour rows and GAMMA).
bool IsChannelRow(int row);
