#include "convert.h"

#include <algorithm>
#include <map>

namespace imagecore {

static void CopyResolution(const Image& in, Image& out) {
  out.xPelsPerMeter = in.xPelsPerMeter;
  out.yPelsPerMeter = in.yPelsPerMeter;
}

Status IncreaseDepth(const Image& in, uint16_t bits, Image& out) {
  bool indexed = in.bits <= 8;
  bool allowed = (indexed && bits > in.bits && (bits == 4 || bits == 8 || bits == 24)) ||
                 ((in.bits == 16 || in.bits == 32) && bits == 24);
  if (!allowed || in.Empty()) return kBadArgument;
  Image r;
  if (!Allocate(r, in.width, in.height, bits)) return kTooLarge;
  CopyResolution(in, r);
  if (bits <= 8) {
    r.palette = in.palette;
    r.palette.resize(std::min<size_t>(in.palette.size(), size_t(1) << bits));
    for (uint32_t y = 0; y < in.height; ++y)
      for (uint32_t x = 0; x < in.width; ++x)
        SetIndex(r.Row(y), x, bits, IndexAt(in.Row(y), x, in.bits));
  } else {
    for (uint32_t y = 0; y < in.height; ++y) {
      uint8_t* d = r.Row(y);
      for (uint32_t x = 0; x < in.width; ++x) {
        Rgb c = PixelColor(in, in.Row(y), x);
        d[3 * x] = c.blue; d[3 * x + 1] = c.green; d[3 * x + 2] = c.red;
      }
    }
  }
  out = std::move(r);
  return kOk;
}

bool IsGrayImage(const Image& image) {
  if (image.bits <= 8) return IsGrayPalette(image.palette);
  for (uint32_t y = 0; y < image.height; ++y)
    for (uint32_t x = 0; x < image.width; ++x) {
      Rgb c = PixelColor(image, image.Row(y), x);
      if (c.red != c.green || c.green != c.blue) return false;
    }
  return true;
}

Status ToGray8(const Image& in, Image& out) {
  Image r;
  if (!Allocate(r, in.width, in.height, 8)) return kTooLarge;
  CopyResolution(in, r);
  for (uint32_t y = 0; y < in.height; ++y)
    for (uint32_t x = 0; x < in.width; ++x) r.Row(y)[x] = Luma(PixelColor(in, in.Row(y), x));
  out = std::move(r);
  return kOk;
}

static std::vector<Rgb> FixedPalette(uint16_t bits) {
  std::vector<Rgb> p;
  if (bits == 1) return {MakeRgb(0, 0, 0), MakeRgb(255, 255, 255)};
  if (bits == 4) {
    static const uint8_t vga[16][3] = {{0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0},
        {0, 0, 128}, {128, 0, 128}, {0, 128, 128}, {192, 192, 192}, {128, 128, 128},
        {255, 0, 0}, {0, 255, 0}, {255, 255, 0}, {0, 0, 255}, {255, 0, 255}, {0, 255, 255},
        {255, 255, 255}};
    for (auto& c : vga) p.push_back(MakeRgb(c[0], c[1], c[2]));
    return p;
  }
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) p.push_back(MakeRgb(uint8_t(r * 51), uint8_t(g * 51), uint8_t(b * 51)));
  return p;
}

static int Nearest(const std::vector<Rgb>& palette, int r, int g, int b) {
  int best = 0;
  long bestD = -1;
  for (size_t i = 0; i < palette.size(); ++i) {
    long dr = r - palette[i].red, dg = g - palette[i].green, db = b - palette[i].blue;
    long d = dr * dr + dg * dg + db * db;
    if (bestD < 0 || d < bestD) { bestD = d; best = int(i); }
  }
  return best;
}

// The distinct colours of an image when there are at most limit of them.
static uint32_t Key(const Rgb& c) { return (uint32_t(c.red) << 16) | (c.green << 8) | c.blue; }

static bool DistinctColors(const Image& in, size_t limit, std::vector<Rgb>& colors,
                           std::map<uint32_t, int>& seen) {
  for (uint32_t y = 0; y < in.height; ++y)
    for (uint32_t x = 0; x < in.width; ++x) {
      Rgb c = PixelColor(in, in.Row(y), x);
      if (seen.emplace(Key(c), int(colors.size())).second) {
        if (colors.size() == limit) return false;
        colors.push_back(c);
      }
    }
  return true;
}

Status ReduceDepth(const Image& in, uint16_t bits, bool dither, Image& out) {
  if ((bits != 1 && bits != 4 && bits != 8) || in.Empty()) return kBadArgument;
  Image r;
  if (!Allocate(r, in.width, in.height, bits)) return kTooLarge;
  CopyResolution(in, r);
  size_t most = size_t(1) << bits;
  if (in.bits <= 8 && in.palette.size() <= most) {
    r.palette = in.palette;
    for (uint32_t y = 0; y < in.height; ++y)
      for (uint32_t x = 0; x < in.width; ++x)
        SetIndex(r.Row(y), x, bits, IndexAt(in.Row(y), x, in.bits));
    out = std::move(r);
    return kOk;
  }
  bool gray = IsGrayImage(in);
  std::vector<Rgb> exact;
  std::map<uint32_t, int> seen;
  if (!gray && DistinctColors(in, most, exact, seen)) {
    r.palette = exact;
    for (uint32_t y = 0; y < in.height; ++y)
      for (uint32_t x = 0; x < in.width; ++x) {
        Rgb c = PixelColor(in, in.Row(y), x);
        SetIndex(r.Row(y), x, bits, uint8_t(seen[Key(c)]));
      }
    out = std::move(r);
    return kOk;
  }
  r.palette = gray ? GrayRamp(bits) : FixedPalette(bits);
  // Error diffusion (Floyd-Steinberg) carries the rounding error of each pixel forward.
  std::vector<int> err(dither ? size_t(in.width + 2) * 3 * 2 : 0, 0);
  for (uint32_t y = 0; y < in.height; ++y) {
    int* cur = dither ? &err[size_t(y & 1) * (in.width + 2) * 3] : nullptr;
    int* next = dither ? &err[size_t((y + 1) & 1) * (in.width + 2) * 3] : nullptr;
    if (dither) std::fill(next, next + (in.width + 2) * 3, 0);
    for (uint32_t x = 0; x < in.width; ++x) {
      Rgb c = PixelColor(in, in.Row(y), x);
      int v[3] = {c.red, c.green, c.blue};
      if (dither)
        for (int k = 0; k < 3; ++k) v[k] = std::clamp(v[k] + cur[(x + 1) * 3 + k] / 16, 0, 255);
      int index;
      if (gray) {
        int l = (v[0] * 299 + v[1] * 587 + v[2] * 114 + 500) / 1000;
        index = (l * int(most - 1) + 127) / 255;
        v[0] = v[1] = v[2] = l;
      } else if (bits == 8) {
        index = (v[0] + 25) / 51 * 36 + (v[1] + 25) / 51 * 6 + (v[2] + 25) / 51;
      } else if (bits == 1) {
        index = (v[0] * 299 + v[1] * 587 + v[2] * 114) / 1000 >= 128 ? 1 : 0;
      } else {
        index = Nearest(r.palette, v[0], v[1], v[2]);
      }
      SetIndex(r.Row(y), x, bits, uint8_t(index));
      if (dither) {
        const Rgb& p = r.palette[size_t(index)];
        int e[3] = {v[0] - p.red, v[1] - p.green, v[2] - p.blue};
        for (int k = 0; k < 3; ++k) {
          cur[(x + 2) * 3 + k] += e[k] * 7;
          next[x * 3 + k] += e[k] * 3;
          next[(x + 1) * 3 + k] += e[k] * 5;
          next[(x + 2) * 3 + k] += e[k];
        }
      }
    }
  }
  out = std::move(r);
  return kOk;
}

Status ConvertDepth(const Image& in, uint16_t bits, bool dither, Image& out) {
  if (bits == 0 || bits == in.bits) {
    if (in.bits != 16 && in.bits != 32) { out = in; return kOk; }
    bits = 24;
  }
  if (bits == 24) return IncreaseDepth(in, 24, out);
  if (bits != 1 && bits != 4 && bits != 8) return kUnsupported;
  if (in.bits < bits) return IncreaseDepth(in, bits, out);
  return ReduceDepth(in, bits, dither, out);
}

}  // namespace imagecore
