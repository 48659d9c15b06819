#include "page_images.h"

#include <cstdlib>
#include <cstring>

#include "pixel_routines.h"

namespace pixels {

namespace {

void Put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}

inline bool Differ(int a, int b, uint32_t hold) { return uint32_t(std::abs(a - b)) > hold; }

}  // namespace

std::vector<uint8_t> NewDib(int32_t width, int32_t height, uint16_t bitCount, int32_t xPels,
                            int32_t yPels, const std::vector<uint32_t>& palette) {
  const uint64_t rows = uint64_t(height < 0 ? -int64_t(height) : height);
  const uint64_t image = DibStride(uint64_t(width), bitCount) * rows;
  std::vector<uint8_t> dib(40 + 4 * palette.size() + image, 0);
  uint8_t* h = dib.data();
  Put32(h, 40);
  Put32(h + 4, uint32_t(width));
  Put32(h + 8, uint32_t(height));
  h[12] = 1;
  h[14] = uint8_t(bitCount);
  Put32(h + 20, uint32_t(image));
  Put32(h + 24, uint32_t(xPels));
  Put32(h + 28, uint32_t(yPels));
  Put32(h + 32, uint32_t(palette.size()));
  for (size_t i = 0; i < palette.size(); ++i) Put32(h + 40 + 4 * i, palette[i]);
  return dib;
}

uint64_t CountColouredPixels(const DibView& dib, uint32_t hold) {
  if (dib.bitCount != 24 && dib.bitCount != 48) return kNotColour;
  const uint32_t step = dib.bitCount / 8;
  const uint32_t high = step == 6 ? 1 : 0;  // the high byte of a little-endian 16-bit sample
  const uint32_t sample = step / 3;
  uint64_t count = 0;
  for (uint32_t y = 0; y < dib.rows; ++y) {
    const uint8_t* row = dib.Row(y);
    for (uint32_t x = 0; x < uint32_t(dib.width); ++x) {
      const uint8_t* p = row + size_t(x) * step + high;
      const int a = p[0], b = p[sample], c = p[2 * sample];
      if (Differ(a, c, hold) || Differ(a, b, hold) || Differ(b, c, hold)) ++count;
    }
  }
  return count;
}

bool IsTextPage(uint64_t coloured, const DibView& dib) {
  const uint64_t pixels = uint64_t(dib.width) * dib.rows;
  if (coloured == kNotColour || pixels == 0) return false;
  return coloured * 100 / pixels == 0;  // 64 bits: no page is large enough to overflow
}

double ColouredPercent(uint64_t coloured, const DibView& dib) {
  const uint64_t pixels = uint64_t(dib.width) * dib.rows;
  if (coloured == kNotColour) return 100.0 * double(UINT32_MAX) / double(pixels ? pixels : 1);
  return pixels ? 100.0 * double(coloured) / double(pixels) : 0;
}

std::vector<uint8_t> TextPageDib(const DibView& dib) {
  if (dib.bitCount != 24 && dib.bitCount != 48) return {};
  ImageInfo info{};
  info.ImageWidth = dib.width;
  info.ImageLength = int32_t(dib.rows);
  info.BitsPerPixel = dib.bitCount;
  info.SamplesPerPixel = 3;
  info.PixelType = kPixelColour;
  PageRegion region{0, 0, dib.width, int32_t(dib.rows), int32_t(dib.stride)};
  const size_t sampleBytes = dib.bitCount / 24;
  std::vector<uint8_t> gray(size_t(dib.width) * dib.rows * sampleBytes);
  ColorToGray(gray.data(), region, dib.Row(0), info, dib.stride);
  std::vector<uint8_t> out = NewDib(dib.width, dib.height, 1, dib.xPelsPerMeter,
                                    dib.yPelsPerMeter, {0x00FFFFFF, 0x00000000});
  GrayToBilevel(out.data() + 48, region, gray.data(), info, uint32_t(region.BytesPerLine));
  return out;
}

std::vector<uint8_t> GrayDibOfBilevel(const DibView& dib) {
  if (dib.bitCount != 1) return {};
  std::vector<uint32_t> grays(256);
  for (uint32_t i = 0; i < 256; ++i) grays[i] = i * 0x010101u;
  std::vector<uint8_t> out =
      NewDib(dib.width, dib.height, 8, dib.xPelsPerMeter, dib.yPelsPerMeter, grays);
  uint8_t* pixels = out.data() + 40 + 1024;
  const uint32_t outStride = uint32_t(DibStride(uint64_t(dib.width), 8));
  const bool invert = OneBitIsPaper(dib);
  const uint32_t width = uint32_t(dib.width);
  auto inkByte = [&](uint32_t y, uint32_t i) -> uint8_t {
    uint8_t b = dib.Row(y)[i];
    if (invert) b = uint8_t(~b);
    const uint32_t end = (i + 1) * 8;  // padding past the width is paper
    if (end > width) b &= end - width >= 8 ? 0 : uint8_t(0xFF << (end - width));
    return b;
  };
  const uint32_t bytesPerRow = (width + 7) / 8;
  // The register starts with the first byte; every later byte (and one of paper after the
  // last) is added to it and yields the 8 pixels of the byte before it.
  uint16_t reg = dib.rows ? inkByte(0, 0) : 0;
  for (uint32_t y = 0; y < dib.rows; ++y) {
    uint8_t* out8 = pixels + size_t(y) * outStride;
    for (uint32_t i = 0; i < bytesPerRow; ++i) {
      const bool lastOfAll = y + 1 == dib.rows && i + 1 == bytesPerRow;
      const uint8_t next = lastOfAll ? 0 : (i + 1 < bytesPerRow ? inkByte(y, i + 1) : inkByte(y + 1, 0));
      reg = uint16_t(reg + next);
      for (int k = 0; k < 8; ++k) {
        const uint32_t x = i * 8 + k;
        if (x < width) out8[x] = uint8_t(255 - (reg >> 8));
        reg = uint16_t(reg << 1);
      }
    }
  }
  return out;
}

}  // namespace pixels
