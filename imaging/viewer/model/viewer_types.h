// The viewer's enumerations and records, in the order its stored forms use them.
#pragma once
#include <cstdint>
#include <string>

namespace qm {

enum class TScaleToGray {
  S_Gray_None, S_Gray_16_8, S_Gray_16_12, S_Gray_16_20, S_Gray_16_24, S_Gray_256_24,
  S_Gray_Anti_16, S_Gray_Anti_256
};
enum class TBlitMode { sLight, sDark, sLightest };
enum class TLoadResolution { lColorVga, lMonoChrome, lColor16, lColor256, lColorTrue, lAutoMatic };
enum class TSaveResolution {
  sColorVga, sMonoChrome, sColor16, sColor256, sColorTrue, sJpegGray, sAutoMatic
};
enum class TTiffCompression { sNONE, sCCITT, sFAXCCITT3, sFAXCCITT4, sLZW, sPACKBITS };
enum class TTwainColorres { t_TW_ANYTYPE, t_TW_BW, t_TW_GRAY, t_TW_GRAY4, t_TW_RGB, t_TW_PALETTE };
enum class TTifSaveOpt { tiffAppend, tiffReplace, tiffInsert };
enum class TControlMode {
  cmNone, cmMagnify, cmPanning, cmRubberBand, cmZoomRubberBand, cmAnnotationEdit, cmZoomIn,
  cmZoomOut
};
enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// The progress label of each gray mode, in TScaleToGray order.
const char* GrayModeName(TScaleToGray mode);

// Stretch mode for painting: COLORONCOLOR for anything above 2 bits per pixel.
int StretchModeFor(TBlitMode mode, int sourceBitCount);

// Bits per pixel asked for when a file of another format is read.
int ReadBitsForImageFile(TLoadResolution resolution, int fileBits);
// Bits per pixel asked for when a TIFF page is read again.
int LoadBitDepth(TLoadResolution resolution, int screenBits);

struct TiffTagRecord {
  uint16_t tag = 0;
  int16_t length = 0;
  int32_t value = 0;
  std::string data;
  std::string name;
  bool readOnly = false;
  int16_t page = 0;
};

struct InfoReport {
  int32_t width = 0, height = 0;
  int16_t bitsPerPixel = 0;
  int32_t size = 0;
  int16_t tiffPages = 0, tiffThisPage = 0;
  std::string compression;
  bool byFile = false;
  std::string fileName;
};

}  // namespace qm
