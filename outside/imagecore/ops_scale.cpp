#include <algorithm>
#include <cmath>
#include <cstring>

#include "convert.h"
#include "ops.h"

namespace imagecore {

namespace {

bool SizeOk(uint32_t w, uint32_t h) {
  return w && h && w <= kMaxSide && h <= kMaxSide && uint64_t(w) * h <= kMaxPixels;
}

// Source span [first, last) covered by destination index i of n over a source of size m.
void Span(uint32_t i, uint32_t n, uint32_t m, uint32_t& first, uint32_t& last) {
  first = uint32_t(uint64_t(i) * m / n);
  last = uint32_t(uint64_t(i + 1) * m / n);
  if (last <= first) last = first + 1;
  if (last > m) last = m;
}

// Each pixel's brightness, one byte a pixel, a row at a time. Palette images look their pixels
// up in a table of their palette's brightness, bilevel ones eight pixels a byte: a scanned page is
// millions of pixels, and a call per pixel costs more than the averaging that follows.
class LumaRows {
 public:
  explicit LumaRows(const Image& in) : in_(in) {
    if (in.bits != 1 && in.bits != 4 && in.bits != 8) return;
    for (int i = 0; i < 256; ++i) luma_[i] = Luma(size_t(i) < in.palette.size() ? in.palette[size_t(i)] : Rgb{});
    if (in.bits == 1)
      for (int b = 0; b < 256; ++b)
        for (int k = 0; k < 8; ++k) eight_[b][k] = luma_[(b >> (7 - k)) & 1];
  }

  void Row(uint32_t y, uint8_t* out) const {
    const uint8_t* row = in_.Row(y);
    const uint32_t width = in_.width;
    switch (in_.bits) {
      case 1: {
        const uint32_t whole = width / 8, rest = width % 8;
        for (uint32_t i = 0; i < whole; ++i, out += 8) std::memcpy(out, eight_[row[i]], 8);
        for (uint32_t k = 0; k < rest; ++k) out[k] = eight_[row[whole]][k];
        return;
      }
      case 4:
        for (uint32_t x = 0; x < width; ++x) out[x] = luma_[(x & 1) ? row[x / 2] & 0x0F : row[x / 2] >> 4];
        return;
      case 8:
        for (uint32_t x = 0; x < width; ++x) out[x] = luma_[row[x]];
        return;
      case 24:
        for (uint32_t x = 0; x < width; ++x, row += 3) out[x] = Luma(Rgb{row[0], row[1], row[2], 0});
        return;
      default:
        for (uint32_t x = 0; x < width; ++x) out[x] = Luma(PixelColor(in_, row, x));
    }
  }

 private:
  const Image& in_;
  uint8_t luma_[256] = {};
  uint8_t eight_[256][8] = {};  // the brightness of a byte's eight pixels, the highest bit first
};

// The area average of the image's brightness to w x h, from one row of brightness at a time: no
// plane of the whole page is made.
void AverageLuma(const Image& in, uint32_t w, uint32_t h, std::vector<uint8_t>& dst) {
  const uint32_t sw = in.width, sh = in.height;
  dst.assign(size_t(w) * h, 0);
  const LumaRows luma(in);
  std::vector<uint32_t> x0(w), x1(w), columns(sw);
  std::vector<uint8_t> line(sw);
  for (uint32_t x = 0; x < w; ++x) Span(x, w, sw, x0[x], x1[x]);
  for (uint32_t y = 0; y < h; ++y) {
    uint32_t y0, y1;
    Span(y, h, sh, y0, y1);
    std::fill(columns.begin(), columns.end(), 0u);
    for (uint32_t sy = y0; sy < y1; ++sy) {
      luma.Row(sy, line.data());
      for (uint32_t sx = 0; sx < sw; ++sx) columns[sx] += line[sx];
    }
    uint8_t* out = dst.data() + size_t(y) * w;
    for (uint32_t x = 0; x < w; ++x) {
      uint64_t sum = 0;
      for (uint32_t sx = x0[x]; sx < x1[x]; ++sx) sum += columns[sx];
      const uint64_t n = uint64_t(y1 - y0) * (x1[x] - x0[x]);
      out[x] = uint8_t((sum + n / 2) / n);
    }
  }
}

// Area average of a plane of values (one per source pixel) to w x h.
void AveragePlane(const std::vector<uint8_t>& src, uint32_t sw, uint32_t sh, uint32_t w, uint32_t h,
                  std::vector<uint8_t>& dst) {
  dst.assign(size_t(w) * h, 0);
  // Each destination column's source span, once; then per destination row the source rows of its
  // span summed column by column, and each column span's sum taken from those.
  std::vector<uint32_t> x0(w), x1(w);
  for (uint32_t x = 0; x < w; ++x) Span(x, w, sw, x0[x], x1[x]);
  std::vector<uint32_t> columns(sw);
  for (uint32_t y = 0; y < h; ++y) {
    uint32_t y0, y1;
    Span(y, h, sh, y0, y1);
    std::fill(columns.begin(), columns.end(), 0u);
    for (uint32_t sy = y0; sy < y1; ++sy) {
      const uint8_t* row = src.data() + size_t(sy) * sw;
      for (uint32_t sx = 0; sx < sw; ++sx) columns[sx] += row[sx];
    }
    uint8_t* out = dst.data() + size_t(y) * w;
    for (uint32_t x = 0; x < w; ++x) {
      uint64_t sum = 0;
      for (uint32_t sx = x0[x]; sx < x1[x]; ++sx) sum += columns[sx];
      const uint64_t n = uint64_t(y1 - y0) * (x1[x] - x0[x]);
      out[x] = uint8_t((sum + n / 2) / n);
    }
  }
}

}  // namespace

Status Scale(const Image& source, uint32_t w, uint32_t h, Image& out) {
  if (source.Empty() || !SizeOk(w, h)) return kBadArgument;
  if (source.bits <= 8) {
    Image o;
    Allocate(o, w, h, source.bits);
    o.palette = source.palette;
    for (uint32_t y = 0; y < h; ++y) {
      uint32_t sy = uint32_t(uint64_t(y) * source.height / h);
      for (uint32_t x = 0; x < w; ++x)
        SetIndex(o.Row(y), x, o.bits, IndexAt(source.Row(sy), uint32_t(uint64_t(x) * source.width / w), o.bits));
    }
    o.xPelsPerMeter = uint32_t(uint64_t(source.xPelsPerMeter) * w / source.width);
    o.yPelsPerMeter = uint32_t(uint64_t(source.yPelsPerMeter) * h / source.height);
    out = std::move(o);
    return kOk;
  }
  Image wide;
  if (source.bits != 24) {
    Status s = IncreaseDepth(source, 24, wide);
    if (s != kOk) return s;
  }
  const Image& in = source.bits == 24 ? source : wide;  // a colour page is not copied first
  std::vector<uint8_t> plane(size_t(in.width) * in.height), scaled[3];
  for (int c = 0; c < 3; ++c) {
    uint8_t* to = plane.data();
    for (uint32_t y = 0; y < in.height; ++y) {
      const uint8_t* row = in.Row(y) + c;
      for (uint32_t x = 0; x < in.width; ++x, row += 3) *to++ = *row;
    }
    AveragePlane(plane, in.width, in.height, w, h, scaled[c]);
  }
  Image o;
  Allocate(o, w, h, 24);
  for (uint32_t y = 0; y < h; ++y)
    for (uint32_t x = 0; x < w; ++x)
      for (int c = 0; c < 3; ++c) o.Row(y)[3 * x + c] = scaled[c][size_t(y) * w + x];
  o.xPelsPerMeter = uint32_t(uint64_t(in.xPelsPerMeter) * w / in.width);
  o.yPelsPerMeter = uint32_t(uint64_t(in.yPelsPerMeter) * h / in.height);
  out = std::move(o);
  return kOk;
}

Status ScaleToGray(const Image& in, int mode, uint32_t w, uint32_t h, Image& out) {
  if (in.Empty() || !SizeOk(w, h) || mode < 0 || mode > 7) return kBadArgument;
  if (mode == 0) {
    Image bilevel;
    Status s = in.bits == 1 ? (bilevel = in, kOk) : ReduceDepth(in, 1, false, bilevel);
    if (s != kOk) return s;
    return Scale(bilevel, w, h, out);
  }
  std::vector<uint8_t> scaled;
  AverageLuma(in, w, h, scaled);
  static const int kStrength[8] = {8, 8, 12, 20, 24, 24, 8, 8};  // in eighths
  uint16_t bits = mode == 5 || mode == 7 ? 8 : 4;
  Image o;
  Allocate(o, w, h, bits);
  int levels = (1 << bits) - 1;
  for (uint32_t y = 0; y < h; ++y)
    for (uint32_t x = 0; x < w; ++x) {
      int ink = 255 - scaled[size_t(y) * w + x];
      int v = 255 - std::min(255, ink * kStrength[mode] / 8);
      SetIndex(o.Row(y), x, bits, uint8_t((v * levels + 127) / 255));
    }
  o.xPelsPerMeter = uint32_t(uint64_t(in.xPelsPerMeter) * w / in.width);
  o.yPelsPerMeter = uint32_t(uint64_t(in.yPelsPerMeter) * h / in.height);
  out = std::move(o);
  return kOk;
}

Status MeasureSkew(const Image& in, int subsampling, double range, double angleStep,
                   double lineStep, int grayLevel, double& degrees) {
  degrees = 0;
  if (in.Empty()) return kBadArgument;
  if (!(range > 0) || range > 45) range = 5;
  if (!(angleStep > 0)) angleStep = 0.1;
  angleStep = std::max(angleStep, range / 1000);
  if (!(lineStep >= 1)) lineStep = 1;
  if (grayLevel <= 0 || grayLevel > 255) grayLevel = 128;
  uint32_t sub = uint32_t(std::clamp(subsampling, 1, 64));
  // Enough ink points for a sure answer, few enough to stay quick on a full page.
  while (uint64_t(in.width / sub) * (in.height / sub) > 4000000) ++sub;
  std::vector<std::pair<float, float>> ink;
  for (uint32_t y = 0; y < in.height; y += sub)
    for (uint32_t x = 0; x < in.width; x += sub)
      if (Luma(PixelColor(in, in.Row(y), x)) < grayLevel) ink.emplace_back(float(x), float(y));
  if (ink.size() < 2) return kOk;
  double diagonal = std::hypot(double(in.width), double(in.height));
  size_t bins = size_t(2 * diagonal / lineStep) + 2;
  std::vector<uint32_t> histogram(bins);
  double bestScore = -1, best = 0;
  for (double a = -range; a <= range + 1e-9; a += angleStep) {
    std::fill(histogram.begin(), histogram.end(), 0);
    double t = std::tan(a * M_PI / 180.0);
    for (const auto& p : ink) {
      double line = (p.second - p.first * t + diagonal) / lineStep;
      size_t bin = size_t(std::clamp(line, 0.0, double(bins - 1)));
      ++histogram[bin];
    }
    double score = 0;
    for (uint32_t n : histogram) score += double(n) * n;
    if (score > bestScore + 1e-6 || (std::fabs(score - bestScore) <= 1e-6 && std::fabs(a) < std::fabs(best))) {
      bestScore = score;
      best = a;
    }
  }
  degrees = std::fabs(best) < 1e-9 ? 0 : best;
  return kOk;
}

}  // namespace imagecore
