#include "tag_table.h"

#include "tag_ids.h"
#include "tag_types.h"

const TagDef kTagTable[kTagCount] = {
    {kTagScanType, kTypeInt16, 0, 1300, "SCANTYPE"},
    {kTagFeederType, kTypeInt16, 0x1013, 1300, "FEEDERTYPE"},
    {kTagXResolution, kTypeInt32, 0x1118, 282, "XRESOLUTION"},
    {kTagYResolution, kTypeInt32, 0x1119, 283, "YRESOLUTION"},
    {kTagPixelType, kTypeInt16, 0x0101, 277, "PIXELTYPE"},
    {kTagBitsPerPixel, kTypeInt16, 0x112B, 258, "BITSPERPIXEL"},
    {kTagBrightness, kTypeInt16, 0x1101, 1282, "BRIGHTNESS"},
    {kTagContrast, kTypeInt16, 0x1103, 1281, "CONTRAST"},
    {kTagHighlight, kTypeInt16, 0x110A, 5053, "HIGHLIGHT"},
    {kTagShadow, kTypeInt16, 0x1113, 5055, "SHADOW"},
    {kTagGamma, kTypeFloat, 0x1108, 1295, "GAMMA"},
    {kTagFilter, kTypeInt16, 0x1106, 0, "FILTER"},
    {kTagUnits, kTypeInt16, 0x0102, 296, "UNITS"},
    {kTagCompression, kTypeInt16, 0x0100, 259, "COMPRESSION"},
    {kTagDither, kTypeStr32, 0x1109, 1280, "DITHER"},
    {kTagThreshold, kTypeInt16, 0x1123, 4165, "THRESHOLD"},
    {kTagInvert, kTypeUInt16, 0x111F, 1507, "INVERT"},
    {kTagFileFormat, kTypeInt16, 0x110C, 2311, "FILEFORMAT"},
    {kTagPhysicalHeight, kTypeFloat, 0x1112, 1294, "PHYSICALHEIGHT"},
    {kTagPhysicalWidth, kTypeFloat, 0x1111, 1294, "PHYSICALWIDTH"},
    {kTagXPosition, kTypeFloat, 0x1114, 286, "XPOSITION"},
    {kTagYPosition, kTypeFloat, 0x1114, 287, "YPOSITION"},
    {kTagImageLength, kTypeFloat, 0x1114, 257, "IMAGELENGTH"},
    {kTagImageWidth, kTypeFloat, 0x1114, 256, "IMAGEWIDTH"},
    {kTagXferCount, kTypeInt16, 0x0001, 1284, "XFERCOUNT"},
    {kTagPageSize, kTypeInt16, 0x1122, 1294, "PAGESIZE"},
    {kTagOrientation, kTypeInt16, 0x1110, 274, "ORIENTATION"},
    {kTagIndicators, kTypeInt16, 0x100B, 0, "INDICATORS"},
    {kTagTransferMode, kTypeInt16, 0x0103, 0, "TRANSFERMODE"},
    {kTagUiControl, kTypeInt16, 0x100E, 0, "UICONTROL"},
    {kTagMinBuffer, kTypeInt32, 0, 1287, "MINBUFFER"},
    {kTagFileName, kTypeStr128, 0, 0, nullptr},
    {kTagSharpen, kTypeInt16, 0x1198, 0, "SHARPEN"},
    {kTagColorMatch, kTypeInt16, 0x1197, 0x9304, "COLORMATCH"},
    {kTagDescreen, kTypeInt16, 0x1199, 0, "DESCREEN"},
    {kTagPaperPresent, kTypeInt16, 0x1003, 0, nullptr},
    {kTagProductName, kTypeStr32, 0x1213, 0, nullptr},
    {kTagDevice5, kTypeStr32, 0x1214, 0, nullptr},
    {kTagDevice6, kTypeStr32, 0x1216, 0, nullptr},
    {kTagBatchScan, kTypeInt16, 0, 0, "BATCHSCAN"},
    {kTagMultiPage, kTypeInt16, 0, 0x9306, "MULTIPAGE"},
    {kTagAskDriver, kTypeInt16, 0, 0x9053, nullptr},
    {kTagLanguage, kTypeInt16, 0, 0x9000, "LANGUAGE"},
    {kTagAreaSetting, kTypeInt16, 0, 0, "AREASETTING"},
    {kTagMoreSetting, kTypeInt16, 0, 0, "MORESETTING"},
    {kTagBackground, kTypeInt16, 0x9219, 0x9008, "BACKGROUND"},
    {kTagEnergySaving, kTypeInt16, 0x9212, 0, "ENERGYSAVING"},
    {kTagDeskew, kTypeInt16, 0x1151, 0, "DESKEW"},
    {kTagMirror, kTypeInt16, 0x9217, 0, "MIRROR"},
    {kTagAutoCrop, kTypeInt16, 0x9200, 0, "AUTOCROP"},
    {kTagWhitePage, kTypeInt16, 0, 0, "WHITEPAGE"},
    {kTagBlankHold, kTypeInt16, 0, 0, "BLANKHOLD"},
    {kTagAutoTypeHold, kTypeInt16, 0, 0, "AUTOTYPEHOLD"},
    {kTagOverscan, kTypeInt16, 0, 0x9505, "OVERSCAN"},
    {kTagBackgroundLines, kTypeInt16, 0, 0x930D, "BACKGROUNDLINES"},
    {kTagCompressQuality, kTypeInt16, 0, 0, "COMPRESSQUALITY"},
    {kTagLengthDetect, kTypeInt16, 0, 0, "LENGTHDETECT"},
    {kTagContinueJob, kTypeInt16, 0, 0, "CONTINUEJOB"},
    {kTagDeviceA, kTypeStr32, 0, 0, nullptr},
};

int FindTag(uint32_t tag) {
  const uint16_t t = static_cast<uint16_t>(tag & 0xFFFF);
  // The common tags by a direct switch; the table order is the answer.
  switch (t) {
    case kTagScanType: return kRowScanType;
    case kTagXResolution: return kRowXResolution;
    case kTagYResolution: return kRowYResolution;
    case kTagPixelType: return kRowPixelType;
    case kTagBitsPerPixel: return kRowBitsPerPixel;
    case kTagBrightness: return kRowBrightness;
    case kTagContrast: return kRowContrast;
    case kTagFilter: return kRowFilter;
    case kTagUnits: return kRowUnits;
    case kTagPageSize: return kRowPageSize;
    default: break;
  }
  for (int row = 0; row < kTagCount; ++row)
    if (kTagTable[row].Tag == t) return row;
  return kNoRow;
}

bool IsColourRow(int row) {
  return row == kRowBrightness || row == kRowContrast || row == kRowHighlight ||
         row == kRowShadow;
}

bool IsChannelRow(int row) { return IsColourRow(row) || row == kRowGamma; }
