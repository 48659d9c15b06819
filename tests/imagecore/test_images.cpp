#include "test_images.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace imagecore::test {

Image Pattern(uint16_t bits, uint32_t w, uint32_t h, Kind kind) {
  Image im;
  Allocate(im, w, h, bits);
  im.xPelsPerMeter = 11811;  // 300 dpi
  im.yPelsPerMeter = 7874;   // 200 dpi
  if (bits <= 8 && kind == Kind::kPalette) {
    im.palette.clear();
    for (unsigned i = 0; i < (1u << bits); ++i)
      im.palette.push_back(MakeRgb(uint8_t(i * 37 + 11), uint8_t(255 - i * 53), uint8_t(i * 91 + 5)));
  }
  for (uint32_t y = 0; y < h; ++y)
    for (uint32_t x = 0; x < w; ++x) {
      uint32_t v = x * 7 + y * 13 + (x * y) % 5;
      uint8_t* row = im.Row(y);
      if (bits <= 8) SetIndex(row, x, bits, uint8_t(v % (1u << bits)));
      else if (bits == 24) { row[3 * x] = uint8_t(v); row[3 * x + 1] = uint8_t(v * 3); row[3 * x + 2] = uint8_t(x * 5 + y); }
    }
  return im;
}

size_t DifferentPixels(const Image& a, const Image& b, int tolerance) {
  if (a.width != b.width || a.height != b.height) return size_t(-1);
  size_t n = 0;
  for (uint32_t y = 0; y < a.height; ++y)
    for (uint32_t x = 0; x < a.width; ++x) {
      Rgb p = PixelColor(a, a.Row(y), x), q = PixelColor(b, b.Row(y), x);
      if (std::abs(p.red - q.red) > tolerance || std::abs(p.green - q.green) > tolerance ||
          std::abs(p.blue - q.blue) > tolerance)
        ++n;
    }
  return n;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace imagecore::test
