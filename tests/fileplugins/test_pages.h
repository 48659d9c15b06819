// Test pages as a scanner sends them, row by row, and the colour each pixel must read back as.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "image.h"
#include "raw_page.h"
#include "scan_page_info.h"

namespace testpages {

using fileplugins::PageKind;

// Pixel (x, y) of page `seed`: flat blocks of 16 x 16, one JPEG unit each, so every coding keeps
// them recognisable.
inline uint8_t Level(uint32_t x, uint32_t y, int seed) {
  return uint8_t(((x / 16) * 37 + (y / 16) * 71 + seed * 53) % 256);
}

inline imagecore::Rgb Expected(PageKind kind, uint32_t x, uint32_t y, int seed) {
  const uint8_t v = Level(x, y, seed);
  switch (kind) {
    case PageKind::kBlackWhite: return v < 128 ? imagecore::MakeRgb(0, 0, 0) : imagecore::MakeRgb(255, 255, 255);
    case PageKind::kGray8: case PageKind::kGray16: return imagecore::MakeRgb(v, v, v);
    default: return imagecore::MakeRgb(v, uint8_t(255 - v), uint8_t(v / 2));
  }
}

// Row y in the scanner's order: 1-bit with a set bit for white, 16-bit little-endian, R,G,B.
inline std::vector<uint8_t> Row(PageKind kind, uint32_t width, uint32_t y, int seed) {
  std::vector<uint8_t> row(fileplugins::RowBytesOf(width, kind), 0);
  for (uint32_t x = 0; x < width; ++x) {
    const imagecore::Rgb c = Expected(kind, x, y, seed);
    switch (kind) {
      case PageKind::kBlackWhite:
        if (c.red) row[x / 8] |= uint8_t(0x80 >> (x % 8));
        break;
      case PageKind::kGray8: row[x] = c.red; break;
      case PageKind::kGray16: row[2 * x] = c.red; row[2 * x + 1] = c.red; break;
      case PageKind::kRgb24:
        row[3 * x] = c.red; row[3 * x + 1] = c.green; row[3 * x + 2] = c.blue;
        break;
      case PageKind::kRgb48:
        for (int i = 0; i < 3; ++i) {
          const uint8_t s = i == 0 ? c.red : i == 1 ? c.green : c.blue;
          row[6 * x + 2 * i] = s;
          row[6 * x + 2 * i + 1] = s;
        }
        break;
    }
  }
  return row;
}

inline ScanPageInfo Info(PageKind kind, int32_t width, int32_t length, int16_t compression = 0,
                         int32_t dpi = 200) {
  ScanPageInfo info{};
  info.XResolution = info.YResolution = dpi;
  info.ImageWidth = width;
  info.ImageLength = length;
  info.BitsPerPixel = fileplugins::BitsOf(kind);
  info.SamplesPerPixel = fileplugins::SamplesOf(kind);
  info.PixelType = fileplugins::PixelTypeOf(kind);
  info.Compression = compression;
  return info;
}

// How many pixels of the image differ from the page by more than `tolerance` in a channel;
// rows from `whiteFrom` on must be white.
inline int Mismatches(const imagecore::Image& image, PageKind kind, int seed, int tolerance,
                      uint32_t whiteFrom = UINT32_MAX) {
  int bad = 0;
  for (uint32_t y = 0; y < image.height; ++y)
    for (uint32_t x = 0; x < image.width; ++x) {
      const imagecore::Rgb want = y >= whiteFrom ? imagecore::MakeRgb(255, 255, 255) : Expected(kind, x, y, seed);
      const imagecore::Rgb got = imagecore::PixelColor(image, image.Row(y), x);
      if (std::abs(want.red - got.red) > tolerance || std::abs(want.green - got.green) > tolerance ||
          std::abs(want.blue - got.blue) > tolerance)
        ++bad;
    }
  return bad;
}

}  // namespace testpages
