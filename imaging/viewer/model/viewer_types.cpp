#include "viewer_types.h"

namespace qm {

const char* GrayModeName(TScaleToGray mode) {
  static const char* const names[] = {
      "None Gray", "Gray 4 bit 8 pixels", "Gray 4 bit 12 pixels", "Gray 4 bit 20 pixels",
      "Gray 4 bit 24 pixels", "Gray 8 bit 24 pixels", "Gray 4 bit Anti Alias",
      "Gray 8 bit Anti Alias"};
  int i = static_cast<int>(mode);
  return i >= 0 && i < 8 ? names[i] : names[0];
}

int StretchModeFor(TBlitMode mode, int sourceBitCount) {
  constexpr int kBlackOnWhite = 1, kWhiteOnBlack = 2, kColorOnColor = 3;
  if (sourceBitCount > 2) return kColorOnColor;
  switch (mode) {
    case TBlitMode::sDark: return kBlackOnWhite;
    case TBlitMode::sLightest: return kWhiteOnBlack;
    default: return kColorOnColor;
  }
}

int ReadBitsForImageFile(TLoadResolution resolution, int fileBits) {
  switch (resolution) {
    case TLoadResolution::lColorVga:
    case TLoadResolution::lColor16: return 4;
    case TLoadResolution::lMonoChrome: return 1;
    case TLoadResolution::lColor256: return 8;
    case TLoadResolution::lColorTrue: return 24;
    default: return fileBits;
  }
}

int LoadBitDepth(TLoadResolution resolution, int screenBits) {
  switch (resolution) {
    case TLoadResolution::lColorTrue: return 24;
    case TLoadResolution::lColor256: return 8;
    case TLoadResolution::lColor16: return 4;
    case TLoadResolution::lMonoChrome: return 1;
    case TLoadResolution::lColorVga: return 0;
    default: return screenBits;
  }
}

}  // namespace qm
