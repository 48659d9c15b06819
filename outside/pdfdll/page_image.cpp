#include "page_image.h"

#include "pdf_dll.h"

namespace pdfdll {

namespace {

int Luma(const LtRgbQuad& c) { return (c.Red * 299 + c.Green * 587 + c.Blue * 114 + 500) / 1000; }

bool IsIdentityRamp(const LtBitmapHandle& b) {
  if (b.ColorCount != 256) return false;
  for (int i = 0; i < 256; ++i)
    if (b.Palette[i].Red != i || b.Palette[i].Green != i || b.Palette[i].Blue != i) return false;
  return true;
}

}  // namespace

int32_t PageImageOf(const LtBitmapHandle& b, int32_t colour, int32_t width, int32_t height,
                    int32_t xRes, int32_t yRes, std::vector<uint8_t>& gray, PdfPageImage& image) {
  if (colour < 0 || colour > 2) return kPdfBadArgument;
  if (b.StructSize != sizeof(LtBitmapHandle) || !b.Data || b.Width <= 0 || b.Height <= 0 ||
      b.Width != width || b.Height != height || b.BytesPerLine <= 0 ||
      uint64_t(b.BytesPerLine) * uint32_t(b.Height) > b.DataSize ||
      uint64_t(b.BytesPerLine) * 8 < uint64_t(b.Width) * uint32_t(b.BitsPerPixel))
    return kPdfBadBitmap;
  const int bits = b.BitsPerPixel;
  if ((colour == 0 && bits != 1) || (colour == 1 && bits != 4 && bits != 8) ||
      (colour == 2 && bits != 24))
    return kPdfBadBitmap;
  image = PdfPageImage{};
  image.width = b.Width;
  image.height = b.Height;
  image.bitsPerPixel = bits == 24 ? 24 : bits == 1 ? 1 : 8;
  image.pixels = b.Data;
  image.stride = size_t(b.BytesPerLine);
  image.bottomUp = b.ViewPerspective == kLtBottomLeft;
  image.bgr = true;
  image.xDpi = xRes > 0 ? xRes : 0;
  image.yDpi = yRes > 0 ? yRes : image.xDpi;
  if (colour == 0) {
    // The caller inverted the page: a set bit now stands for palette entry 0.
    const LtRgbQuad white{255, 255, 255, 0}, black{0, 0, 0, 0};
    const LtRgbQuad& first = b.ColorCount >= 1 ? b.Palette[0] : black;
    const LtRgbQuad& second = b.ColorCount >= 2 ? b.Palette[1] : white;
    image.blackIsOne = Luma(first) < Luma(second) || (Luma(first) == Luma(second) && Luma(first) < 128);
    return kPdfOk;
  }
  if (colour == 1 && !(bits == 8 && IsIdentityRamp(b))) {
    uint8_t level[256];
    for (int i = 0; i < 256; ++i)
      level[i] = uint8_t(uint32_t(i) < b.ColorCount ? Luma(b.Palette[i]) : bits == 4 ? i * 17 & 0xFF : i);
    gray.assign(size_t(b.Width) * b.Height, 0);
    for (int y = 0; y < b.Height; ++y) {
      const uint8_t* row = b.Data + size_t(y) * b.BytesPerLine;
      uint8_t* out = gray.data() + size_t(y) * b.Width;
      for (int x = 0; x < b.Width; ++x)
        out[x] = level[bits == 4 ? (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15 : row[x]];
    }
    image.pixels = gray.data();
    image.stride = size_t(b.Width);
  }
  return kPdfOk;
}

}  // namespace pdfdll
