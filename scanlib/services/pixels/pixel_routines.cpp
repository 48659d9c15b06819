#include "pixel_routines.h"

#include <cstring>
#include <vector>

namespace pixels {

void InvertRows(uint8_t* dst, const uint8_t* src, uint32_t rows, uint32_t bytesPerRow, int mode) {
  if (mode == 1) {
    const size_t n = size_t(rows) * bytesPerRow;
    for (size_t i = 0; i < n; ++i) dst[i] = uint8_t(~src[i]);
    return;
  }
  const size_t words = size_t(rows) * ((bytesPerRow + 1) / 2);
  for (size_t i = 0; i < words; ++i) {
    uint16_t w;
    std::memcpy(&w, src + 2 * i, 2);
    w = uint16_t(~w);
    std::memcpy(dst + 2 * i, &w, 2);
  }
}

int32_t GrayThreshold(const uint8_t* pixels, uint32_t stride, int32_t lowest, int32_t highest,
                      const PageRegion& region) {
  uint64_t hist[256] = {};
  uint64_t count = 0, sum = 0;
  if (region.Width > 0 && region.Lines > 0) {
    for (int32_t y = 0; y < region.Lines; ++y) {
      const uint8_t* line = pixels + size_t(y) * stride;
      for (int32_t x = 0; x < region.Width; ++x) ++hist[line[x]];
    }
  }
  for (int v = 0; v < 256; ++v) {
    if (v < lowest || v > highest) {
      hist[v] = 0;
      continue;
    }
    count += hist[v];
    sum += hist[v] * uint64_t(v);
  }
  if (count == 0) return 128;
  const int mean = int(sum / count);
  int first = 0;
  while (first < 255 && hist[first] == 0) ++first;
  int last = 255;
  while (last > 0 && hist[last] == 0) --last;

  int darkPeak = first;
  for (int v = first; v <= mean; ++v)
    if (hist[v] > hist[darkPeak]) darkPeak = v;
  int darkValley = darkPeak;
  for (int v = darkPeak; v <= mean; ++v)
    if (hist[v] < hist[darkValley]) darkValley = v;

  int lightPeak = last;
  for (int v = mean; v <= 254; ++v)
    if (hist[v] > hist[lightPeak]) lightPeak = v;
  int lightValley = mean;
  for (int v = mean; v <= lightPeak; ++v)
    if (hist[v] < hist[lightValley]) lightValley = v;

  const int middle = (darkValley + lightValley) / 2;
  int threshold = middle;
  if (hist[lightValley] < hist[darkValley]) threshold = lightValley;
  else if (hist[lightValley] > hist[darkValley]) threshold = darkValley;
  if (threshold >= 101) threshold = middle;
  return threshold;
}

void CopyRows(uint8_t* dst, const PageRegion& region, const uint8_t* src, uint32_t srcStride,
              uint32_t leftBit) {
  const uint32_t width = uint32_t(region.Width);
  const uint32_t outStride = BilevelStride(width);
  for (int32_t y = 0; y < region.Lines; ++y) {
    const uint8_t* in = src + size_t(y) * srcStride;
    uint8_t* out = dst + size_t(y) * outStride;
    std::memset(out, 0, outStride);
    if (leftBit % 8 == 0) {
      std::memcpy(out, in + leftBit / 8, (width + 7) / 8);
    } else {
      for (uint32_t x = 0; x < width; ++x) {
        const uint32_t s = leftBit + x;
        if (in[s >> 3] & (0x80 >> (s & 7))) out[x >> 3] |= uint8_t(0x80 >> (x & 7));
      }
    }
    if (width % 8) out[width / 8] &= uint8_t(0xFF00 >> (width % 8));
  }
}

bool GrayToBilevel(uint8_t* dst, PageRegion& region, const uint8_t* src, ImageInfo& info,
                   uint32_t srcStride) {
  const int bits = info.BitsPerPixel;
  if (bits != 8 && bits != 16) return false;
  const uint32_t width = uint32_t(region.Width > 0 ? region.Width : 0);
  const uint32_t outStride = BilevelStride(width);
  const int32_t threshold = bits == 8 ? GrayThreshold(src, srcStride, 0, 255, region) : 0;
  for (int32_t y = 0; y < region.Lines; ++y) {
    const uint8_t* in = src + size_t(y) * srcStride;
    uint8_t* out = dst + size_t(y) * outStride;
    std::memset(out, 0, outStride);
    for (uint32_t x = 0; x < width; ++x) {
      bool ink;
      if (bits == 8) {
        ink = in[x] < threshold;
      } else {
        const uint16_t sample = uint16_t(in[2 * x] | (in[2 * x + 1] << 8));
        ink = (sample & 0x8000) == 0;
      }
      if (ink) out[x >> 3] |= uint8_t(0x80 >> (x & 7));
    }
  }
  info.BitsPerPixel = 1;
  info.SamplesPerPixel = 1;
  info.BitsPerSample[0] = 1;
  info.BitsPerSample[1] = info.BitsPerSample[2] = 0;
  info.PixelType = kPixelBilevel;
  info.ImageWidth = int32_t(width);
  region.BytesPerLine = int32_t(outStride);
  return true;
}

bool ColorToGray(uint8_t* dst, PageRegion& region, const uint8_t* src, ImageInfo& info,
                 uint32_t srcStride) {
  const int bits = info.BitsPerPixel;
  if (bits != 24 && bits != 48) return false;
  const uint32_t width = uint32_t(region.Width > 0 ? region.Width : 0);
  const uint32_t outBytes = bits == 24 ? 1 : 2;
  for (int32_t y = 0; y < region.Lines; ++y) {
    const uint8_t* in = src + size_t(y) * srcStride;
    uint8_t* out = dst + size_t(y) * width * outBytes;
    for (uint32_t x = 0; x < width; ++x) {
      if (bits == 24) {
        const uint8_t* p = in + 3 * x;
        out[x] = uint8_t((3u * p[0] + 6u * p[1] + p[2]) / 10);
      } else {
        const uint8_t* p = in + 6 * x;
        const uint32_t a = p[0] | (p[1] << 8), b = p[2] | (p[3] << 8), c = p[4] | (p[5] << 8);
        const uint32_t g = (3 * a + 6 * b + c) / 10;
        out[2 * x] = uint8_t(g);
        out[2 * x + 1] = uint8_t(g >> 8);
      }
    }
  }
  info.BitsPerPixel = int32_t(8 * outBytes);
  info.SamplesPerPixel = 1;
  info.BitsPerSample[0] = int16_t(8 * outBytes);
  info.BitsPerSample[1] = info.BitsPerSample[2] = 0;
  info.PixelType = kPixelGray;
  info.ImageWidth = int32_t(width);
  region.BytesPerLine = int32_t(width * outBytes);
  return true;
}

}  // namespace pixels
