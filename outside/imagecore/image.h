// The plain image every codec and operation works on: top-down rows padded to four bytes, like
// the rows of a DIB, with an optional colour table and the resolution in pixels per metre.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace imagecore {

struct Rgb {  // the byte order of a DIB colour-table entry
  uint8_t blue = 0, green = 0, red = 0, reserved = 0;
  bool operator==(const Rgb& o) const {
    return blue == o.blue && green == o.green && red == o.red;
  }
};

inline Rgb MakeRgb(uint8_t r, uint8_t g, uint8_t b) { return Rgb{b, g, r, 0}; }

// Largest side accepted anywhere: keeps row and block arithmetic far from overflow.
constexpr uint32_t kMaxSide = 65535;
constexpr uint64_t kMaxPixels = 200u * 1000u * 1000u;

struct Image {
  uint32_t width = 0;
  uint32_t height = 0;
  uint16_t bits = 0;         // 1, 4, 8, 16, 24 or 32
  uint32_t masks[3] = {};    // red, green, blue masks of 16- and 32-bit pixels
  std::vector<Rgb> palette;  // 2^bits entries or fewer for 1 to 8 bits
  uint32_t xPelsPerMeter = 0;
  uint32_t yPelsPerMeter = 0;
  std::vector<uint8_t> pixels;

  size_t Stride() const;
  uint8_t* Row(uint32_t y) { return pixels.data() + y * Stride(); }
  const uint8_t* Row(uint32_t y) const { return pixels.data() + y * Stride(); }
  bool Empty() const { return width == 0 || height == 0; }
};

// Bytes of one row at the given depth, padded to four bytes; 0 when the row is impossibly wide.
size_t RowBytes(uint32_t width, uint32_t bits);

// Sizes the pixel buffer (zeroed) and, for 1 to 8 bits, a gray ramp palette. False when the
// sizes are out of range or the depth is unknown.
bool Allocate(Image& image, uint32_t width, uint32_t height, uint16_t bits);

std::vector<Rgb> GrayRamp(uint16_t bits);
bool IsGrayRamp(const std::vector<Rgb>& palette, uint16_t bits);
bool IsGrayPalette(const std::vector<Rgb>& palette);

// The palette index of pixel x in a 1-, 4- or 8-bit row.
inline uint8_t IndexAt(const uint8_t* row, uint32_t x, uint16_t bits) {
  switch (bits) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15;
    default: return row[x];
  }
}

inline void SetIndex(uint8_t* row, uint32_t x, uint16_t bits, uint8_t v) {
  switch (bits) {
    case 1: {
      uint8_t m = uint8_t(0x80 >> (x & 7));
      row[x >> 3] = v ? (row[x >> 3] | m) : (row[x >> 3] & ~m);
      break;
    }
    case 4:
      if (x & 1) row[x >> 1] = (row[x >> 1] & 0xF0) | (v & 15);
      else row[x >> 1] = uint8_t((row[x >> 1] & 0x0F) | (v << 4));
      break;
    default: row[x] = v;
  }
}

// The colour of pixel x at any depth; an index past the palette reads as black.
Rgb PixelColor(const Image& image, const uint8_t* row, uint32_t x);

inline uint8_t Luma(const Rgb& c) {
  return uint8_t((c.red * 299 + c.green * 587 + c.blue * 114 + 500) / 1000);
}

}  // namespace imagecore
