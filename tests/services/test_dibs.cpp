#include "test_dibs.h"

#include <cmath>

namespace testdibs {

uint32_t Le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24); }
void Put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}

namespace {

std::vector<uint8_t> Header(int width, int height, int bits, int colours, int dpi, uint32_t* stride) {
  *stride = (uint32_t(width) * bits + 31) / 32 * 4;
  std::vector<uint8_t> d(40 + 4 * colours + size_t(*stride) * height, 0);
  Put32(&d[0], 40);
  Put32(&d[4], width);
  Put32(&d[8], height);
  d[12] = 1;
  d[14] = uint8_t(bits);
  Put32(&d[20], *stride * height);
  const uint32_t ppm = uint32_t(std::lround(dpi / 0.0254));
  Put32(&d[24], ppm);
  Put32(&d[28], ppm);
  Put32(&d[32], colours);
  return d;
}

}  // namespace

std::vector<uint8_t> Bilevel(int width, int height, std::function<bool(int, int)> ink, int dpi,
                             bool inkIsOne, uint8_t padding) {
  uint32_t stride;
  std::vector<uint8_t> d = Header(width, height, 1, 2, dpi, &stride);
  Put32(&d[40], inkIsOne ? 0xFFFFFF : 0);
  Put32(&d[44], inkIsOne ? 0 : 0xFFFFFF);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = &d[48 + size_t(height - 1 - y) * stride];
    for (uint32_t i = 0; i < stride; ++i) row[i] = padding;
    for (int x = 0; x < width; ++x) {
      const bool one = ink(x, y) == inkIsOne;
      if (one) row[x / 8] |= uint8_t(0x80 >> (x % 8));
      else row[x / 8] &= uint8_t(~(0x80 >> (x % 8)));
    }
  }
  return d;
}

std::vector<uint8_t> Colour(int width, int height, std::function<uint32_t(int, int)> rgb, int dpi) {
  uint32_t stride;
  std::vector<uint8_t> d = Header(width, height, 24, 0, dpi, &stride);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = &d[40 + size_t(height - 1 - y) * stride];
    for (int x = 0; x < width; ++x) {
      const uint32_t c = rgb(x, y);
      row[3 * x] = uint8_t(c);
      row[3 * x + 1] = uint8_t(c >> 8);
      row[3 * x + 2] = uint8_t(c >> 16);
    }
  }
  return d;
}

std::vector<uint8_t> Gray(int width, int height, std::function<uint8_t(int, int)> value, int dpi) {
  uint32_t stride;
  std::vector<uint8_t> d = Header(width, height, 8, 256, dpi, &stride);
  for (uint32_t i = 0; i < 256; ++i) Put32(&d[40 + 4 * i], i * 0x010101u);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = &d[40 + 1024 + size_t(height - 1 - y) * stride];
    for (int x = 0; x < width; ++x) row[x] = value(x, y);
  }
  return d;
}

bool TextInk(int x, int y) {
  const int line = y / 40, inLine = y % 40;
  if (inLine < 8 || inLine > 30 || x < 150 || x > 2300) return false;
  const int glyph = (x + line * 7) / 23;
  return ((glyph * 2654435761u) >> 28) % 3 != 0 && (x % 23) < 4 + (inLine % 5);
}

}  // namespace testdibs
