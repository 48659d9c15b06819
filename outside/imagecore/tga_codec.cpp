// Truevision TGA: colour-mapped, true-colour and gray (with or without alpha) images, plain or
// run-length coded.
#include <cstring>

#include "bytes.h"
#include "codecs.h"

namespace imagecore {

constexpr size_t kTgaHeader = 18;

static Rgb Color15(uint16_t v) {
  auto s = [](unsigned c) { return uint8_t((c << 3) | (c >> 2)); };
  return MakeRgb(s((v >> 10) & 31), s((v >> 5) & 31), s(v & 31));
}

static Rgb ReadColor(const uint8_t* p, unsigned bytes) {
  if (bytes == 2) return Color15(Le16(p));
  return Rgb{p[0], p[1], p[2], 0};
}

Status ReadTga(const Stream& in, Image& image) {
  std::vector<uint8_t> f;
  Status s = ReadAll(in, f);
  if (s != kOk) return s;
  if (f.size() < kTgaHeader) return kNotThisFormat;
  unsigned idLength = f[0], mapType = f[1], type = f[2];
  unsigned mapFirst = Le16(&f[3]), mapLength = Le16(&f[5]), mapEntry = f[7];
  uint32_t w = Le16(&f[12]), h = Le16(&f[14]);
  unsigned depth = f[16], desc = f[17];
  bool rle = type >= 9;
  unsigned base = rle ? type - 8 : type;
  if (mapType > 1 || (base != 1 && base != 2 && base != 3) || type > 11) return kNotThisFormat;
  size_t p = kTgaHeader + idLength;
  std::vector<Rgb> map;
  if (mapType == 1) {
    unsigned eb = (mapEntry + 7) / 8;
    if (eb != 2 && eb != 3 && eb != 4) return kUnsupported;
    if (p + size_t(mapLength) * eb > f.size()) return kTruncated;
    for (unsigned i = 0; i < mapLength; ++i) map.push_back(ReadColor(&f[p + i * eb], eb));
    p += size_t(mapLength) * eb;
  }
  unsigned pb = (depth + 7) / 8;
  uint16_t bits;
  if (base == 1) {
    if (depth != 8 || mapType != 1) return kUnsupported;
    bits = 8;
  } else if (base == 3) {
    // Gray, or gray then alpha in two bytes: the alpha is dropped, as for every other reader.
    if (depth != 8 && depth != 16) return kUnsupported;
    bits = 8;
  } else {
    if (pb != 2 && pb != 3 && pb != 4) return kUnsupported;
    bits = 24;
  }
  // A run packet codes at most 128 pixels: a file too short for its pixels is cut.
  uint64_t pixels = uint64_t(w) * h, left = f.size() > p ? f.size() - p : 0;
  if (!rle ? pixels * pb > left : pixels > left * 128) return kTruncated;
  if (!Allocate(image, w, h, bits)) return w == 0 || h == 0 ? kBadArgument : kTooLarge;
  if (base == 1) {
    image.palette.assign(256, Rgb{});
    for (unsigned i = 0; i < map.size() && mapFirst + i < 256; ++i) image.palette[mapFirst + i] = map[i];
  }
  // Pixels in file order, unpacked to pb bytes each.
  size_t count = size_t(w) * h;
  std::vector<uint8_t> px(count * pb);
  if (!rle) {
    if (p + px.size() > f.size()) return kTruncated;
    std::memcpy(px.data(), &f[p], px.size());
  } else {
    size_t o = 0;
    while (o < count) {
      if (p >= f.size()) return kTruncated;
      uint8_t c = f[p++];
      size_t n = (c & 0x7F) + 1;
      if (n > count - o) n = count - o;
      if (c & 0x80) {
        if (p + pb > f.size()) return kTruncated;
        for (size_t i = 0; i < n; ++i) std::memcpy(&px[(o + i) * pb], &f[p], pb);
        p += pb;
      } else {
        if (p + n * pb > f.size()) return kTruncated;
        std::memcpy(&px[o * pb], &f[p], n * pb);
        p += n * pb;
      }
      o += n;
    }
  }
  bool topDown = desc & 0x20, rightToLeft = desc & 0x10;
  for (uint32_t y = 0; y < h; ++y) {
    uint8_t* row = image.Row(topDown ? y : h - 1 - y);
    for (uint32_t x = 0; x < w; ++x) {
      const uint8_t* q = &px[(size_t(y) * w + x) * pb];
      uint32_t dx = rightToLeft ? w - 1 - x : x;
      if (bits == 8) {
        row[dx] = q[0];
      } else {
        Rgb c = ReadColor(q, pb);
        row[3 * dx] = c.blue; row[3 * dx + 1] = c.green; row[3 * dx + 2] = c.red;
      }
    }
  }
  return kOk;
}

Status WriteTga(const Image& image, const Stream& out) {
  if (image.Empty() || image.width > 65535 || image.height > 65535) return kBadArgument;
  if (image.bits != 8 && image.bits != 24) return kUnsupported;
  bool gray = image.bits == 8 && IsGrayRamp(image.palette, 8);
  std::vector<uint8_t> f(kTgaHeader, 0);
  if (image.bits == 24) {
    f[2] = 2; f[16] = 24;
  } else if (gray) {
    f[2] = 3; f[16] = 8;
  } else {
    f[1] = 1; f[2] = 1; PutLe16(&f[5], 256); f[7] = 24; f[16] = 8;
  }
  PutLe16(&f[12], uint16_t(image.width));
  PutLe16(&f[14], uint16_t(image.height));
  f[17] = 0x20;  // rows top to bottom
  if (f[1] == 1)
    for (size_t i = 0; i < 256; ++i) {
      Rgb c = i < image.palette.size() ? image.palette[i] : Rgb{};
      f.push_back(c.blue); f.push_back(c.green); f.push_back(c.red);
    }
  size_t rowBytes = size_t(image.width) * (image.bits / 8);
  for (uint32_t y = 0; y < image.height; ++y) f.insert(f.end(), image.Row(y), image.Row(y) + rowBytes);
  return WriteAll(out, f.data(), f.size());
}

}  // namespace imagecore
