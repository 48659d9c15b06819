#include "bilevel_padding.h"

#include <cstring>

namespace tarnwick {

namespace {

int Luma(const LtRgbQuad& c) { return c.Red * 299 + c.Green * 587 + c.Blue * 114; }

void PutLe32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}

int32_t DpiToPelsPerMeter(int32_t dpi) { return dpi > 0 ? int32_t(dpi * 39.3701 + 0.5) : 0; }

}  // namespace

int WhiteIndexOf(const LtBitmapHandle& b) {
  if (b.ColorCount < 2) return 1;
  return Luma(b.Palette[0]) > Luma(b.Palette[1]) ? 0 : 1;
}

std::vector<uint8_t> PaddedBilevelDib(const LtBitmapHandle& b, int32_t width, int32_t height) {
  std::vector<uint8_t> dib;
  if (b.BitsPerPixel != 1 || !b.Data || b.ViewPerspective != kLtTopLeft || b.Width <= 0 ||
      b.Height <= 0 || width < b.Width || height < b.Height || b.BytesPerLine <= 0 ||
      uint64_t(b.BytesPerLine) * uint32_t(b.Height) > b.DataSize ||
      uint64_t(b.BytesPerLine) * 8 < uint64_t(b.Width))
    return dib;
  const size_t stride = (size_t(width) + 31) / 32 * 4;
  const size_t offset = 40 + 2 * 4;
  const bool whiteIsOne = WhiteIndexOf(b) == 1;
  dib.assign(offset + stride * size_t(height), whiteIsOne ? 0xFF : 0x00);
  std::memset(dib.data(), 0, offset);
  uint8_t* h = dib.data();
  PutLe32(h, 40);
  PutLe32(h + 4, uint32_t(width));
  PutLe32(h + 8, uint32_t(-height));  // top row first
  h[12] = 1;
  h[14] = 1;
  PutLe32(h + 20, uint32_t(stride * size_t(height)));
  PutLe32(h + 24, uint32_t(DpiToPelsPerMeter(b.XResolution)));
  PutLe32(h + 28, uint32_t(DpiToPelsPerMeter(b.YResolution)));
  PutLe32(h + 32, 2);
  for (int i = 0; i < 2; ++i) {
    const LtRgbQuad c = b.ColorCount > uint32_t(i)
                            ? b.Palette[i]
                            : (i == 0 ? LtRgbQuad{0, 0, 0, 0} : LtRgbQuad{255, 255, 255, 0});
    h[40 + 4 * i] = c.Blue;
    h[41 + 4 * i] = c.Green;
    h[42 + 4 * i] = c.Red;
  }
  const size_t whole = size_t(b.Width) / 8;
  const int rest = b.Width % 8;
  for (int32_t y = 0; y < b.Height; ++y) {
    const uint8_t* from = b.Data + size_t(y) * size_t(b.BytesPerLine);
    uint8_t* to = dib.data() + offset + size_t(y) * stride;
    std::memcpy(to, from, whole);
    if (rest) {
      // The pixels past the page's last one in its byte become white.
      const uint8_t own = uint8_t(0xFF00 >> rest);
      to[whole] = uint8_t((from[whole] & own) | ((whiteIsOne ? 0xFF : 0x00) & ~own));
    }
  }
  return dib;
}

}  // namespace tarnwick
