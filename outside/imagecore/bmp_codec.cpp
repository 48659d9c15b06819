// Windows bitmap files: a 14-byte file header in front of a packed DIB.
#include <algorithm>
#include <cstring>
#include <vector>

#include "bytes.h"
#include "codecs.h"
#include "dib_layout.h"

namespace imagecore {

constexpr size_t kFileHeader = 14;
constexpr uint32_t kBiRle8 = 1, kBiRle4 = 2;

namespace {

// Run-length coded 8- and 4-bit bitmaps (bottom-up only, as the format requires). Pixels the
// codes place outside the image are dropped.
Status ReadRle(const std::vector<uint8_t>& f, uint32_t offBits, Image& image) {
  const uint8_t* h = &f[kFileHeader];
  uint32_t headerSize = Le32(h), clrUsed = Le32(h + 32), compression = Le32(h + 16);
  int32_t w = int32_t(Le32(h + 4)), height = int32_t(Le32(h + 8));
  uint16_t bits = Le16(h + 14);
  if ((compression == kBiRle8) != (bits == 8) || (compression == kBiRle4) != (bits == 4)) return kBadDib;
  if (w <= 0 || height <= 0) return kBadDib;
  uint32_t colors = DibColorCount(bits, clrUsed);
  uint64_t table = kFileHeader + uint64_t(headerSize);
  if (headerSize < kInfoHeaderSize || table + 4ull * colors > f.size()) return kTruncated;
  size_t start = offBits >= table + 4ull * colors ? offBits : size_t(table + 4ull * colors);
  uint32_t x = 0, y = 0;  // y counts from the bottom row
  // The codes are walked twice: first only to see that they reach the end of the image or its
  // end code, so that a cut or damaged file is refused before a page of its size is made.
  auto walk = [&](bool draw) -> Status {
    size_t p = start;
    x = 0;
    y = 0;
    auto put = [&](uint8_t v) {
      if (draw && x < image.width && y < image.height) SetIndex(image.Row(image.height - 1 - y), x, bits, v);
      ++x;
    };
    while (y < uint32_t(height)) {
      if (p + 2 > f.size()) return kTruncated;
      uint8_t n = f[p], v = f[p + 1];
      p += 2;
      if (n > 0) {
        if (!draw) x += n;
        else for (unsigned i = 0; i < n; ++i) put(bits == 8 ? v : uint8_t(i & 1 ? v & 15 : v >> 4));
      } else if (v == 0) {
        x = 0;
        ++y;
      } else if (v == 1) {
        return kOk;
      } else if (v == 2) {
        if (p + 2 > f.size()) return kTruncated;
        x += f[p];
        y += f[p + 1];
        p += 2;
      } else {
        size_t bytes = bits == 8 ? v : (v + 1u) / 2;
        if (p + bytes > f.size()) return kTruncated;
        if (!draw) x += v;
        else for (unsigned i = 0; i < v; ++i) put(bits == 8 ? f[p + i] : uint8_t(i & 1 ? f[p + i / 2] & 15 : f[p + i / 2] >> 4));
        p += bytes + (bytes & 1);
      }
    }
    return kOk;
  };
  Status s = walk(false);
  if (s != kOk) return s;
  if (!Allocate(image, uint32_t(w), uint32_t(height), bits)) return kTooLarge;
  image.xPelsPerMeter = Le32(h + 24);
  image.yPelsPerMeter = Le32(h + 28);
  image.palette.clear();
  for (uint32_t i = 0; i < colors; ++i) {
    const uint8_t* c = &f[size_t(table) + 4 * i];
    image.palette.push_back(Rgb{c[0], c[1], c[2], 0});
  }
  return walk(true);
}

// The OS/2 1.x bitmap: a 12-byte header of 16-bit sizes and a colour table of three-byte
// entries, rows bottom-up as in a DIB.
constexpr uint32_t kCoreHeaderSize = 12;

Status ReadCoreBmp(const std::vector<uint8_t>& f, uint32_t offBits, Image& image) {
  if (f.size() < kFileHeader + kCoreHeaderSize) return kTruncated;
  const uint8_t* h = &f[kFileHeader];
  uint32_t w = Le16(h + 4), height = Le16(h + 6);
  uint16_t bits = Le16(h + 10);
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24) return kUnsupported;
  if (w == 0 || height == 0) return kBadArgument;
  const size_t table = kFileHeader + kCoreHeaderSize;
  size_t colors = bits <= 8 ? size_t(1) << bits : 0;
  // Some writers store fewer entries than the depth holds; the rows' offset tells.
  if (offBits > table && (offBits - table) / 3 < colors) colors = (offBits - table) / 3;
  size_t rows = offBits >= table + 3 * colors ? offBits : table + 3 * colors;
  size_t rowBytes = RowBytes(w, bits);
  if (rowBytes == 0 || rows > f.size() || uint64_t(rowBytes) * height > f.size() - rows) return kTruncated;
  if (!Allocate(image, w, height, bits)) return kTooLarge;
  image.palette.clear();
  for (size_t i = 0; i < colors; ++i)
    image.palette.push_back(Rgb{f[table + 3 * i], f[table + 3 * i + 1], f[table + 3 * i + 2], 0});
  for (uint32_t y = 0; y < height; ++y)
    std::memcpy(image.Row(y), &f[rows + size_t(height - 1 - y) * rowBytes], rowBytes);
  return kOk;
}

}  // namespace

Status ReadBmp(const Stream& in, Image& image) {
  std::vector<uint8_t> f;
  Status s = ReadAll(in, f);
  if (s != kOk) return s;
  if (f.size() < 2 || f[0] != 'B' || f[1] != 'M') return kNotThisFormat;
  if (f.size() < kFileHeader + 4) return kTruncated;
  uint32_t offBits = Le32(&f[10]);
  if (offBits < kFileHeader) offBits = 0;  // some writers leave it 0: rows follow the table
  if (Le32(&f[kFileHeader]) == kCoreHeaderSize) return ReadCoreBmp(f, offBits, image);
  if (f.size() < kFileHeader + kInfoHeaderSize) return kTruncated;
  uint32_t compression = Le32(&f[kFileHeader + 16]);
  if (compression == kBiRle8 || compression == kBiRle4) return ReadRle(f, offBits, image);
  s = DibToImage(f.data() + kFileHeader, f.size() - kFileHeader, image,
                 offBits ? offBits - kFileHeader : 0);
  return s == kBadDib ? kTruncated : s;
}

namespace {

const uint8_t* ImageRow(const void* context, uint32_t y, uint8_t*) {
  return static_cast<const Image*>(context)->Row(y);
}

}  // namespace

Status WriteBmpRows(const Image& header, BmpRowSource row, const void* context, const Stream& out) {
  if (header.Empty() || !row) return kBadArgument;
  const size_t stride = header.Stride();
  if (stride == 0) return kBadArgument;
  const size_t head = kFileHeader + DibHeaderSize(header);
  const uint64_t total = head + uint64_t(stride) * header.height;
  if (total > 0xFFFFFFFFull) return kTooLarge;
  // Rows go out bottom row first, a few hundred kilobytes at a time.
  const size_t rowsPerWrite = std::max<size_t>(1, (256 * 1024) / stride);
  std::vector<uint8_t> chunk(std::max(head, rowsPerWrite * stride)), scratch(stride);
  chunk[0] = 'B';
  chunk[1] = 'M';
  PutLe32(&chunk[2], uint32_t(total));
  PutLe32(&chunk[6], 0);
  PutLe32(&chunk[10], uint32_t(head));
  WriteDibHeader(header, &chunk[kFileHeader]);
  Status s = WriteAll(out, chunk.data(), head);
  for (uint32_t done = 0; s == kOk && done < header.height;) {
    const size_t n = std::min<size_t>(rowsPerWrite, header.height - done);
    for (size_t i = 0; i < n; ++i, ++done)
      std::memcpy(&chunk[i * stride], row(context, header.height - 1 - done, scratch.data()), stride);
    s = WriteAll(out, chunk.data(), n * stride);
  }
  return s;
}

Status WriteBmp(const Image& image, const Stream& out) {
  if (image.Empty()) return kBadArgument;
  return WriteBmpRows(image, ImageRow, &image, out);
}

}  // namespace imagecore
