#include "pictorel_tables.h"

#include <algorithm>

std::string CompressionName(int32_t code) {
  switch (uint16_t(code)) {  // 32773 also arrives as the signed 16-bit -32763
    case 1: return "NONE";
    case 2: return "CCITT3";
    case 3: return "FAXCCITT3";
    case 4: return "FAXCCITT4";
    case 5: return "LZW";
    case 6: return "JPG";
    case 32773: return "PACKBITS";
  }
  return "UNKNOWN";
}

uint16_t TiffCompressionCode(int32_t option) {
  static const uint16_t kCodes[] = {1, 2, 3, 4, 5, 32773};
  return option >= 0 && option < 6 ? kCodes[option] : 1;
}

const TiffTagRow kTiffTagNames[] = {
    {254, "NEWSUBFILETYPE", false}, {255, "FILETYPE", true}, {256, "IMAGEWIDTH", false},
    {257, "IMAGELENGTH", false}, {258, "BITSPERSAMPLE", false}, {259, "COMPRESSION", false},
    {262, "PHOTOMETRICINTERPRETATION", false}, {263, "THRESHHOLDING", true},
    {264, "CELLWIDTH", true}, {265, "CELLLENGTH", true}, {266, "FILLORDER", false},
    {269, "DOCUMENTNAME", true}, {270, "IMAGEDESCRIPTION", true}, {271, "MAKE", true},
    {272, "MODEL", true}, {273, "STRIPOFFSETS", false}, {274, "ORIENTATION", true},
    {277, "SAMPLESPERPIXEL", false}, {278, "ROWSPERSTRIP", false}, {279, "STRIPBYTECOUNTS", false},
    {280, "MINIMUMVALUE", true}, {281, "MAXIMUMVALUE", true}, {282, "XRESOLUTION", true},
    {283, "YRESOLUTION", true}, {284, "PLANARCONFIG", true}, {285, "PAGENAME", false},
    {286, "XPOSITION", true}, {287, "YPOSITION", true}, {288, "FREEOFFSETS", false},
    {289, "FREEBYTECOUNTS", false}, {290, "GRAYRESPONSEUNITS", true},
    {291, "GRAYSCALERRESPONSE", true}, {292, "GROUP3OPTIONS", false}, {293, "GROUP4OPTIONS", false},
    {296, "RESOLUTIONUNIT", true}, {297, "PAGENUMBER", true}, {300, "COLORRESPONSEUNIT", true},
    {301, "COLORRESPONSECURVES", true}, {305, "SOFTWARE", true}, {306, "DATETIME", true},
    {315, "ARTIST", true}, {316, "HOSTCOMPUTER", true}, {317, "PREDICTOR", true},
    {320, "COLORMAP", false}, {322, "TILEWIDTH", false}, {323, "TILELENGTH", false},
    {324, "TILEOFFSETS", false}, {325, "TILEBYTECOUNTS", false}, {327, "CLEANFAXDATA", false},
    {33432, "COPYRIGHT", true},
};
const int kTiffTagNameCount = sizeof(kTiffTagNames) / sizeof(kTiffTagNames[0]);

std::string TiffTagName(uint16_t tag, bool& readOnly) {
  for (const TiffTagRow& row : kTiffTagNames)
    if (row.tag == tag) {
      readOnly = !row.editable;
      return row.name;
    }
  readOnly = false;
  return "Unknown";
}

int ScreenBitDepthFor(int bitsPixel) {
  if (bitsPixel <= 4) return 4;
  if (bitsPixel == 8) return 8;
  if (bitsPixel >= 16) return 24;
  return 8;
}

int FormatBitDepthFor(const std::string& ext, int option, int screen) {
  int bits = 8;
  if (ext == "jpg") return option == kColorJpegGray || option == kColorMonochrome ? 1 : 24;
  if (ext == "tga" || ext == "dic") {
    if (option == kColor256) bits = 8;
    else if (option == kColorTrue && ext == "tga") bits = 24;
    else if (option == kColorAutomatic) bits = screen;
    return std::max(bits, 8);
  }
  if (ext == "gif") {
    switch (option) {
      case kColorVga: bits = 0; break;
      case kColorMonochrome: bits = 1; break;
      case kColor16: bits = 4; break;
      case kColorAutomatic: bits = screen; break;
    }
    return std::min(bits, 8);
  }
  switch (option) {
    case kColorJpegGray: return 8;
    case kColorVga: return 0;
    case kColorMonochrome: return 1;
    case kColor16: return 4;
    case kColor256: return 8;
    case kColorTrue: return 24;
    case kColorAutomatic: return screen;
  }
  return bits;
}
