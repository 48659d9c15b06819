#include "image.h"

namespace imagecore {

size_t Image::Stride() const { return RowBytes(width, bits); }

size_t RowBytes(uint32_t width, uint32_t bits) {
  uint64_t b = (uint64_t(width) * bits + 31) / 32 * 4;
  return b > (uint64_t(1) << 31) ? 0 : size_t(b);
}

static bool KnownDepth(uint16_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool Allocate(Image& image, uint32_t width, uint32_t height, uint16_t bits) {
  if (!KnownDepth(bits) || width == 0 || height == 0 || width > kMaxSide || height > kMaxSide ||
      uint64_t(width) * height > kMaxPixels)
    return false;
  image.width = width;
  image.height = height;
  image.bits = bits;
  image.pixels.assign(RowBytes(width, bits) * height, 0);
  image.palette = bits <= 8 ? GrayRamp(bits) : std::vector<Rgb>{};
  if (bits == 16) {
    image.masks[0] = 0x7C00; image.masks[1] = 0x03E0; image.masks[2] = 0x001F;
  } else if (bits == 32) {
    image.masks[0] = 0xFF0000; image.masks[1] = 0xFF00; image.masks[2] = 0xFF;
  }
  return true;
}

std::vector<Rgb> GrayRamp(uint16_t bits) {
  std::vector<Rgb> ramp;
  if (bits > 8) return ramp;
  unsigned n = 1u << bits;
  for (unsigned i = 0; i < n; ++i) {
    uint8_t v = uint8_t(i * 255 / (n - 1));
    ramp.push_back(MakeRgb(v, v, v));
  }
  return ramp;
}

bool IsGrayRamp(const std::vector<Rgb>& palette, uint16_t bits) {
  return bits <= 8 && palette == GrayRamp(bits);
}

bool IsGrayPalette(const std::vector<Rgb>& palette) {
  for (const Rgb& c : palette)
    if (c.red != c.green || c.green != c.blue) return false;
  return true;
}

// The value of one mask field scaled to 0..255.
static uint8_t MaskChannel(uint32_t pixel, uint32_t mask) {
  if (mask == 0) return 0;
  unsigned shift = 0;
  while (!((mask >> shift) & 1)) ++shift;
  uint32_t m = mask >> shift;
  uint32_t v = (pixel >> shift) & m;
  return uint8_t(uint64_t(v) * 255 / m);
}

Rgb PixelColor(const Image& image, const uint8_t* row, uint32_t x) {
  switch (image.bits) {
    case 1: case 4: case 8: {
      uint8_t i = IndexAt(row, x, image.bits);
      return i < image.palette.size() ? image.palette[i] : Rgb{};
    }
    case 16: {
      uint32_t p = row[2 * x] | (row[2 * x + 1] << 8);
      return MakeRgb(MaskChannel(p, image.masks[0]), MaskChannel(p, image.masks[1]),
                     MaskChannel(p, image.masks[2]));
    }
    case 24: return Rgb{row[3 * x], row[3 * x + 1], row[3 * x + 2], 0};
    case 32: {
      const uint8_t* q = row + 4 * x;
      uint32_t p = q[0] | (q[1] << 8) | (q[2] << 16) | (uint32_t(q[3]) << 24);
      return MakeRgb(MaskChannel(p, image.masks[0]), MaskChannel(p, image.masks[1]),
                     MaskChannel(p, image.masks[2]));
    }
  }
  return Rgb{};
}

}  // namespace imagecore
