#include <algorithm>
#include <cmath>
#include <cstring>

#include "ops.h"

namespace imagecore {

namespace {

uint32_t GetRaw(const Image& im, const uint8_t* row, uint32_t x) {
  switch (im.bits) {
    case 1: case 4: case 8: return IndexAt(row, x, im.bits);
    case 16: return row[2 * x] | (row[2 * x + 1] << 8);
    case 24: return row[3 * x] | (row[3 * x + 1] << 8) | (uint32_t(row[3 * x + 2]) << 16);
    default: return row[4 * x] | (row[4 * x + 1] << 8) | (uint32_t(row[4 * x + 2]) << 16) | (uint32_t(row[4 * x + 3]) << 24);
  }
}

void SetRaw(Image& im, uint8_t* row, uint32_t x, uint32_t v) {
  switch (im.bits) {
    case 1: case 4: case 8: SetIndex(row, x, im.bits, uint8_t(v)); break;
    case 16: row[2 * x] = uint8_t(v); row[2 * x + 1] = uint8_t(v >> 8); break;
    case 24: row[3 * x] = uint8_t(v); row[3 * x + 1] = uint8_t(v >> 8); row[3 * x + 2] = uint8_t(v >> 16); break;
    default:
      row[4 * x] = uint8_t(v); row[4 * x + 1] = uint8_t(v >> 8); row[4 * x + 2] = uint8_t(v >> 16);
      row[4 * x + 3] = uint8_t(v >> 24);
  }
}

uint32_t FillValue(const Image& im, Rgb fill) {
  if (im.bits <= 8) {
    uint32_t best = 0;
    long bestD = -1;
    for (size_t i = 0; i < im.palette.size(); ++i) {
      long dr = fill.red - im.palette[i].red, dg = fill.green - im.palette[i].green,
           db = fill.blue - im.palette[i].blue;
      long d = dr * dr + dg * dg + db * db;
      if (bestD < 0 || d < bestD) { bestD = d; best = uint32_t(i); }
    }
    return best;
  }
  if (im.bits == 16)
    return ((fill.red >> 3) << 10) | ((fill.green >> 3) << 5) | (fill.blue >> 3);
  return fill.blue | (fill.green << 8) | (uint32_t(fill.red) << 16);
}

Image Shaped(const Image& in, uint32_t w, uint32_t h) {
  Image out;
  Allocate(out, w, h, in.bits);
  out.palette = in.palette;
  std::memcpy(out.masks, in.masks, sizeof in.masks);
  out.xPelsPerMeter = in.xPelsPerMeter;
  out.yPelsPerMeter = in.yPelsPerMeter;
  return out;
}

}  // namespace

Status Crop(const Image& in, const Rect& r, Image& out) {
  int32_t l = std::max(0, r.left), t = std::max(0, r.top);
  int32_t ri = std::min<int64_t>(r.right, in.width), b = std::min<int64_t>(r.bottom, in.height);
  if (ri <= l || b <= t) return kBadArgument;
  if (l == 0 && t == 0 && uint32_t(ri) == in.width && uint32_t(b) == in.height) {
    out = in;
    return kOk;
  }
  Image o = Shaped(in, uint32_t(ri - l), uint32_t(b - t));
  for (uint32_t y = 0; y < o.height; ++y)
    for (uint32_t x = 0; x < o.width; ++x)
      SetRaw(o, o.Row(y), x, GetRaw(in, in.Row(uint32_t(t) + y), uint32_t(l) + x));
  out = std::move(o);
  return kOk;
}

Status Rotate(const Image& in, double degrees, Rgb fill, Image& out) {
  if (in.Empty() || !std::isfinite(degrees)) return kBadArgument;
  double turns = std::fmod(degrees, 360.0);
  if (turns < 0) turns += 360.0;
  double quarter = turns / 90.0;
  long q = std::lround(quarter);
  uint32_t w = in.width, h = in.height;
  if (std::fabs(quarter - double(q)) < 1e-9) {
    q %= 4;
    if (q == 0) { out = in; return kOk; }
    Image o = q == 2 ? Shaped(in, w, h) : Shaped(in, h, w);
    if (o.Empty()) return kTooLarge;
    std::swap(o.xPelsPerMeter, q == 2 ? o.xPelsPerMeter : o.yPelsPerMeter);
    for (uint32_t y = 0; y < o.height; ++y)
      for (uint32_t x = 0; x < o.width; ++x) {
        uint32_t sx, sy;
        if (q == 1) { sx = y; sy = h - 1 - x; }
        else if (q == 2) { sx = w - 1 - x; sy = h - 1 - y; }
        else { sx = w - 1 - y; sy = x; }
        SetRaw(o, o.Row(y), x, GetRaw(in, in.Row(sy), sx));
      }
    out = std::move(o);
    return kOk;
  }
  double a = degrees * M_PI / 180.0, c = std::cos(a), s = std::sin(a);
  double nw = std::fabs(w * c) + std::fabs(h * s), nh = std::fabs(w * s) + std::fabs(h * c);
  uint32_t ow = uint32_t(std::ceil(nw - 1e-6)), oh = uint32_t(std::ceil(nh - 1e-6));
  if (ow > kMaxSide || oh > kMaxSide || uint64_t(ow) * oh > kMaxPixels) return kTooLarge;
  Image o = Shaped(in, std::max(ow, 1u), std::max(oh, 1u));
  if (o.Empty()) return kTooLarge;
  uint32_t fillValue = FillValue(in, fill);
  double cx = w / 2.0, cy = h / 2.0, ocx = o.width / 2.0, ocy = o.height / 2.0;
  for (uint32_t y = 0; y < o.height; ++y) {
    uint8_t* row = o.Row(y);
    double dy = y + 0.5 - ocy;
    for (uint32_t x = 0; x < o.width; ++x) {
      double dx = x + 0.5 - ocx;
      double sx = cx + dx * c + dy * s, sy = cy - dx * s + dy * c;
      if (sx >= 0 && sy >= 0 && sx < w && sy < h)
        SetRaw(o, row, x, GetRaw(in, in.Row(uint32_t(sy)), uint32_t(sx)));
      else
        SetRaw(o, row, x, fillValue);
    }
  }
  out = std::move(o);
  return kOk;
}

void Mirror(Image& im, bool topBottom, bool leftRight) {
  size_t stride = im.Stride();
  if (topBottom)
    for (uint32_t y = 0; y < im.height / 2; ++y)
      std::swap_ranges(im.Row(y), im.Row(y) + stride, im.Row(im.height - 1 - y));
  if (leftRight)
    for (uint32_t y = 0; y < im.height; ++y) {
      uint8_t* row = im.Row(y);
      for (uint32_t x = 0; x < im.width / 2; ++x) {
        uint32_t a = GetRaw(im, row, x), b = GetRaw(im, row, im.width - 1 - x);
        SetRaw(im, row, x, b);
        SetRaw(im, row, im.width - 1 - x, a);
      }
    }
}

void Invert(Image& im) {
  if (im.bits <= 8 && !IsGrayRamp(im.palette, im.bits) && im.bits != 1) {
    for (Rgb& c : im.palette) c = MakeRgb(uint8_t(255 - c.red), uint8_t(255 - c.green), uint8_t(255 - c.blue));
    return;
  }
  if (im.bits == 1 && !IsGrayPalette(im.palette)) {
    for (Rgb& c : im.palette) c = MakeRgb(uint8_t(255 - c.red), uint8_t(255 - c.green), uint8_t(255 - c.blue));
    return;
  }
  size_t bytes = im.bits == 16 || im.bits == 32 ? 0 : RowBytes(im.width, im.bits) ;
  if (im.bits == 1 || im.bits == 4 || im.bits == 8 || im.bits == 24) {
    for (uint32_t y = 0; y < im.height; ++y) {
      uint8_t* row = im.Row(y);
      for (size_t i = 0; i < bytes; ++i) row[i] = uint8_t(~row[i]);
    }
    return;
  }
  uint32_t all = im.masks[0] | im.masks[1] | im.masks[2];
  for (uint32_t y = 0; y < im.height; ++y)
    for (uint32_t x = 0; x < im.width; ++x) SetRaw(im, im.Row(y), x, GetRaw(im, im.Row(y), x) ^ all);
}

}  // namespace imagecore
