#include "page_format.h"

namespace {

bool Carried(int16_t pixelType, int32_t bits) {
  switch (pixelType) {
    case kPixelBlackWhite: return bits == 1 || bits == 4 || bits == 8;
    case kPixelGray: return bits == 8 || bits == 16;
    case kPixelRgb: return bits == 8 || bits == 24 || bits == 48;
    default: return false;
  }
}

}  // namespace

uint32_t PageDibColourCount(const PageFormat& format) {
  if (format.BitsPerPixel < 1 || format.BitsPerPixel > 8) return 0;
  if (format.PixelType == kPixelBlackWhite || format.PixelType == kPixelGray ||
      (format.PixelType == kPixelRgb && format.BitsPerPixel == 8))
    return 1u << format.BitsPerPixel;
  return 0;
}

int32_t PixelsPerMetre(int32_t dotsPerInch) {
  return static_cast<int32_t>(static_cast<double>(dotsPerInch) * 39.37 + 0.5);
}

PageDibRefusal PageDibLayoutFor(const PageFormat& format, PageDibLayout* layout) {
  *layout = PageDibLayout{};
  if (format.ImageWidth <= 0 || format.ImageLength <= 0 || format.XResolution <= 0 ||
      format.YResolution <= 0)
    return PageDibRefusal::BadDimensions;
  if (!Carried(format.PixelType, format.BitsPerPixel)) return PageDibRefusal::UnsupportedKind;
  const uint64_t bits = static_cast<uint64_t>(format.ImageWidth) * format.BitsPerPixel;
  const uint64_t rowLength = (bits + 7) / 8;
  const uint64_t stride = (bits + 31) / 32 * 4;
  const uint64_t image = stride * static_cast<uint64_t>(format.ImageLength);
  const uint32_t colours = PageDibColourCount(format);
  const uint64_t header = 40 + 4ull * colours;
  // Kept below 2 GiB so a signed 32-bit size never turns negative on the way to a caller.
  if (header + image > 0x7fffffffull) return PageDibRefusal::TooLarge;
  layout->RowLength = static_cast<uint32_t>(rowLength);
  layout->RowStride = static_cast<uint32_t>(stride);
  layout->ImageSize = static_cast<uint32_t>(image);
  layout->ColourCount = colours;
  layout->HeaderSize = static_cast<uint32_t>(header);
  layout->BlockSize = static_cast<uint32_t>(header + image);
  return PageDibRefusal::None;
}
