#include "dib_fixtures.h"

#include <cmath>
#include <cstring>

namespace {
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}
void Put16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
  b[at] = uint8_t(v);
  b[at + 1] = uint8_t(v >> 8);
}
}  // namespace

uint8_t TopRowByte(uint16_t bits) { return uint8_t(0x11 * (1 + bits % 5)); }

std::vector<uint8_t> MakeDib(const DibSpec& s, size_t* bitsOffset) {
  uint32_t colors = 0;
  if (s.bits <= 8) colors = s.clrUsed ? s.clrUsed : (1u << s.bits);
  uint32_t masks = s.bitfields && s.headerSize == 40 ? 12 : 0;
  size_t row = ((size_t(s.width) * s.bits + 31) / 32) * 4;
  uint32_t h = uint32_t(s.height < 0 ? -s.height : s.height);
  size_t offset = s.headerSize + masks + 4 * colors;
  std::vector<uint8_t> b(offset + row * h, 0);
  Put32(b, 0, s.headerSize);
  Put32(b, 4, uint32_t(s.width));
  Put32(b, 8, uint32_t(s.height));
  Put16(b, 12, 1);
  Put16(b, 14, s.bits);
  Put32(b, 16, s.bitfields ? 3 : 0);
  Put32(b, 20, uint32_t(row * h));
  uint32_t ppm = uint32_t(std::lround(s.dpi * 39.37));
  Put32(b, 24, ppm);
  Put32(b, 28, ppm);
  Put32(b, 32, s.clrUsed);
  if (s.bitfields) {  // 5-6-5 or 8-8-8 masks, after the header (inside it for a larger header)
    size_t at = 40;
    Put32(b, at, s.bits == 16 ? 0xF800 : 0xFF0000);
    Put32(b, at + 4, s.bits == 16 ? 0x07E0 : 0xFF00);
    Put32(b, at + 8, s.bits == 16 ? 0x001F : 0xFF);
  }
  for (uint32_t i = 0; i < colors; ++i) {
    uint8_t v = uint8_t(colors == 1 ? 0 : i * 255 / (colors - 1));
    size_t at = s.headerSize + masks + 4 * i;
    b[at] = b[at + 1] = b[at + 2] = v;
  }
  if (h > 0) {
    size_t top = s.height < 0 ? 0 : h - 1;
    std::memset(b.data() + offset + top * row, TopRowByte(s.bits), row);
  }
  if (bitsOffset) *bitsOffset = offset;
  return b;
}
