// ZSoft PCX: run-length coded scan lines, planes side by side in each line; 256-colour palettes
// follow the image behind a 0x0C byte.
#include <cstring>

#include "bytes.h"
#include "codecs.h"

namespace imagecore {

constexpr size_t kPcxHeader = 128;

static Status DecodeLines(const std::vector<uint8_t>& f, size_t end, size_t lineBytes,
                          uint32_t lines, std::vector<uint8_t>& out) {
  out.assign(lineBytes * lines, 0);
  size_t p = kPcxHeader, o = 0;
  while (o < out.size()) {
    if (p >= end) return kTruncated;
    uint8_t b = f[p++];
    size_t count = 1;
    if ((b & 0xC0) == 0xC0) {
      count = b & 0x3F;
      if (p >= end) return kTruncated;
      b = f[p++];
    }
    for (; count && o < out.size(); --count) out[o++] = b;
  }
  return kOk;
}

Status ReadPcx(const Stream& in, Image& image) {
  std::vector<uint8_t> f;
  Status s = ReadAll(in, f);
  if (s != kOk) return s;
  if (f.empty() || f[0] != 10) return kNotThisFormat;
  if (f.size() < kPcxHeader) return kTruncated;
  if (f[2] != 1) return kUnsupported;
  unsigned bpp = f[3], planes = f[65];
  uint32_t w = uint32_t(Le16(&f[8]) - Le16(&f[4])) + 1, h = uint32_t(Le16(&f[10]) - Le16(&f[6])) + 1;
  if (Le16(&f[8]) < Le16(&f[4]) || Le16(&f[10]) < Le16(&f[6])) return kBadArgument;
  size_t bpl = Le16(&f[66]);
  uint16_t bits;
  if (bpp == 1 && planes == 1) bits = 1;
  else if ((bpp == 1 && planes == 4) || (bpp == 4 && planes == 1) || (bpp == 2 && planes == 1)) bits = 4;
  else if (bpp == 8 && planes == 1) bits = 8;
  else if (bpp == 8 && planes == 3) bits = 24;
  else return kUnsupported;
  if (bpl * 8 < size_t(w) * bpp || bpl == 0) return kTruncated;
  // A run codes at most 63 bytes in two: a file too short for its lines is cut, whatever it claims.
  if (uint64_t(bpl) * planes * h > uint64_t(f.size() - kPcxHeader) * 32) return kTruncated;
  if (!Allocate(image, w, h, bits)) return kTooLarge;
  size_t end = f.size();
  bool tablePalette = bits == 8 && f.size() >= kPcxHeader + 769 && f[f.size() - 769] == 0x0C;
  if (tablePalette) end = f.size() - 769;
  std::vector<uint8_t> lines;
  s = DecodeLines(f, end, bpl * planes, h, lines);
  if (s != kOk) return s;
  image.xPelsPerMeter = uint32_t(Le16(&f[12]) * 39.37 + 0.5);
  image.yPelsPerMeter = uint32_t(Le16(&f[14]) * 39.37 + 0.5);
  if (bits == 1 || bits == 4) {
    image.palette.clear();
    for (unsigned i = 0; i < (1u << bits); ++i)
      image.palette.push_back(MakeRgb(f[16 + 3 * i], f[17 + 3 * i], f[18 + 3 * i]));
    if (bits == 1 && image.palette[0] == image.palette[1])
      image.palette = {MakeRgb(0, 0, 0), MakeRgb(255, 255, 255)};
  } else if (bits == 8) {
    if (tablePalette) {
      image.palette.clear();
      const uint8_t* t = &f[f.size() - 768];
      for (int i = 0; i < 256; ++i) image.palette.push_back(MakeRgb(t[3 * i], t[3 * i + 1], t[3 * i + 2]));
    }
  }
  size_t lineBytes = bpl * planes;
  for (uint32_t y = 0; y < h; ++y) {
    const uint8_t* l = &lines[y * lineBytes];
    uint8_t* row = image.Row(y);
    for (uint32_t x = 0; x < w; ++x) {
      if (bits == 24) {
        row[3 * x + 2] = l[x]; row[3 * x + 1] = l[bpl + x]; row[3 * x] = l[2 * bpl + x];
      } else if (bpp == 2) {  // four pixels a byte, read as 4-bit indexes into the header palette
        SetIndex(row, x, 4, uint8_t((l[x >> 2] >> (6 - 2 * (x & 3))) & 3));
      } else if (bits == 4 && planes == 4) {
        uint8_t v = 0;
        for (unsigned k = 0; k < 4; ++k) v |= uint8_t(((l[k * bpl + (x >> 3)] >> (7 - (x & 7))) & 1) << k);
        SetIndex(row, x, 4, v);
      } else {
        SetIndex(row, x, bits, IndexAt(l, x, bits));
      }
    }
  }
  return kOk;
}

static void EncodeLine(const uint8_t* l, size_t n, std::vector<uint8_t>& out) {
  for (size_t i = 0; i < n;) {
    size_t run = 1;
    while (i + run < n && run < 63 && l[i + run] == l[i]) ++run;
    if (run > 1 || (l[i] & 0xC0) == 0xC0) out.push_back(uint8_t(0xC0 | run));
    out.push_back(l[i]);
    i += run;
  }
}

Status WritePcx(const Image& image, const Stream& out) {
  if (image.Empty() || image.width > 65535 || image.height > 65535) return kBadArgument;
  unsigned bpp, planes;
  switch (image.bits) {
    case 1: bpp = 1; planes = 1; break;
    case 4: bpp = 1; planes = 4; break;
    case 8: bpp = 8; planes = 1; break;
    case 24: bpp = 8; planes = 3; break;
    default: return kUnsupported;
  }
  size_t bpl = (size_t(image.width) * bpp + 15) / 16 * 2;
  std::vector<uint8_t> f(kPcxHeader, 0);
  f[0] = 10; f[1] = 5; f[2] = 1; f[3] = uint8_t(bpp);
  PutLe16(&f[8], uint16_t(image.width - 1));
  PutLe16(&f[10], uint16_t(image.height - 1));
  PutLe16(&f[12], uint16_t(image.xPelsPerMeter / 39.37 + 0.5));
  PutLe16(&f[14], uint16_t(image.yPelsPerMeter / 39.37 + 0.5));
  if (image.bits <= 4)
    for (size_t i = 0; i < image.palette.size() && i < 16; ++i) {
      f[16 + 3 * i] = image.palette[i].red; f[17 + 3 * i] = image.palette[i].green;
      f[18 + 3 * i] = image.palette[i].blue;
    }
  f[65] = uint8_t(planes);
  PutLe16(&f[66], uint16_t(bpl));
  f[68] = IsGrayPalette(image.palette) ? 2 : 1;
  std::vector<uint8_t> line(bpl * planes);
  for (uint32_t y = 0; y < image.height; ++y) {
    std::fill(line.begin(), line.end(), 0);
    const uint8_t* row = image.Row(y);
    for (uint32_t x = 0; x < image.width; ++x) {
      if (image.bits == 24) {
        line[x] = row[3 * x + 2]; line[bpl + x] = row[3 * x + 1]; line[2 * bpl + x] = row[3 * x];
      } else if (image.bits == 4) {
        uint8_t v = IndexAt(row, x, 4);
        for (unsigned k = 0; k < 4; ++k)
          if ((v >> k) & 1) line[k * bpl + (x >> 3)] |= uint8_t(0x80 >> (x & 7));
      } else {
        SetIndex(line.data(), x, image.bits, IndexAt(row, x, image.bits));
      }
    }
    EncodeLine(line.data(), line.size(), f);
  }
  if (image.bits == 8) {
    f.push_back(0x0C);
    for (size_t i = 0; i < 256; ++i) {
      Rgb c = i < image.palette.size() ? image.palette[i] : Rgb{};
      f.push_back(c.red); f.push_back(c.green); f.push_back(c.blue);
    }
  }
  return WriteAll(out, f.data(), f.size());
}

}  // namespace imagecore
