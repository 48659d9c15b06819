#include "dib_layout.h"

#include <cstring>

#include "bytes.h"

namespace imagecore {

uint32_t DibColorCount(uint16_t bitCount, uint32_t clrUsed) {
  if (bitCount <= 8) {
    uint32_t most = 1u << bitCount;
    return clrUsed == 0 || clrUsed > most ? most : clrUsed;
  }
  return clrUsed;
}

Status ParseDibLayout(const uint8_t* block, size_t blockSize, DibLayout& l, size_t bitsOffset) {
  l = DibLayout{};
  if (!block || blockSize < kInfoHeaderSize) return kBadDib;
  l.headerSize = Le32(block);
  l.width = int32_t(Le32(block + 4));
  l.height = int32_t(Le32(block + 8));
  l.bits = Le16(block + 14);
  l.compression = Le32(block + 16);
  uint32_t clrUsed = Le32(block + 32);
  if (l.headerSize < kInfoHeaderSize || l.headerSize > blockSize) return kBadDib;
  if (l.bits != 1 && l.bits != 4 && l.bits != 8 && l.bits != 16 && l.bits != 24 && l.bits != 32)
    return kBadDib;
  if (l.compression != kBiRgb && l.compression != kBiBitfields) return kUnsupported;
  if (l.compression == kBiBitfields && l.bits != 16 && l.bits != 32) return kBadDib;
  if (l.width <= 0 || l.height == 0 || l.height == INT32_MIN) return kBadDib;
  uint32_t absHeight = uint32_t(l.height < 0 ? -int64_t(l.height) : l.height);
  if (uint32_t(l.width) > kMaxSide || absHeight > kMaxSide) return kTooLarge;
  if (l.compression == kBiBitfields) {
    if (l.headerSize == kInfoHeaderSize) l.masksBytes = 12;
    if (uint64_t(kInfoHeaderSize) + 12 > blockSize) return kBadDib;
    for (int i = 0; i < 3; ++i) l.masks[i] = Le32(block + 40 + 4 * i);
  } else if (l.bits == 16) {
    l.masks[0] = 0x7C00; l.masks[1] = 0x03E0; l.masks[2] = 0x001F;
  } else if (l.bits == 32) {
    l.masks[0] = 0xFF0000; l.masks[1] = 0xFF00; l.masks[2] = 0xFF;
  }
  l.colorCount = DibColorCount(l.bits, clrUsed);
  uint64_t offset = uint64_t(l.headerSize) + l.masksBytes + uint64_t(l.colorCount) * 4;
  if (offset > blockSize) return kBadDib;
  if (bitsOffset) {
    if (bitsOffset < offset) return kBadDib;
    offset = bitsOffset;
  }
  l.bitsOffset = uint32_t(offset);
  l.rowBytes = RowBytes(uint32_t(l.width), l.bits);
  uint64_t image = uint64_t(l.rowBytes) * absHeight;
  if (l.rowBytes == 0 || offset + image > blockSize) return kBadDib;
  l.imageBytes = size_t(image);
  return kOk;
}

Status DibToImage(const uint8_t* block, size_t blockSize, Image& image, size_t bitsOffset) {
  DibLayout l;
  Status s = ParseDibLayout(block, blockSize, l, bitsOffset);
  if (s != kOk) return s;
  uint32_t h = uint32_t(l.height < 0 ? -int64_t(l.height) : l.height);
  if (!Allocate(image, uint32_t(l.width), h, l.bits)) return kTooLarge;
  std::memcpy(image.masks, l.masks, sizeof l.masks);
  image.xPelsPerMeter = Le32(block + 24);
  image.yPelsPerMeter = Le32(block + 28);
  image.palette.clear();
  if (l.bits <= 8) {
    const uint8_t* table = block + l.headerSize + l.masksBytes;
    for (uint32_t i = 0; i < l.colorCount; ++i)
      image.palette.push_back(Rgb{table[4 * i], table[4 * i + 1], table[4 * i + 2], 0});
  }
  const uint8_t* rows = block + l.bitsOffset;
  for (uint32_t y = 0; y < h; ++y) {
    uint32_t src = l.height < 0 ? y : h - 1 - y;
    std::memcpy(image.Row(y), rows + size_t(src) * l.rowBytes, l.rowBytes);
  }
  return kOk;
}

static bool DefaultMasks(const Image& image) {
  if (image.bits == 16)
    return image.masks[0] == 0x7C00 && image.masks[1] == 0x03E0 && image.masks[2] == 0x1F;
  if (image.bits == 32)
    return image.masks[0] == 0xFF0000 && image.masks[1] == 0xFF00 && image.masks[2] == 0xFF;
  return true;
}

size_t DibHeaderSize(const Image& image) {
  size_t masks = DefaultMasks(image) ? 0 : 12;
  size_t table = image.bits <= 8 ? 4 * image.palette.size() : 0;
  return kInfoHeaderSize + masks + table;
}

size_t DibBlockSize(const Image& image) { return DibHeaderSize(image) + image.Stride() * image.height; }

void WriteDibHeader(const Image& image, uint8_t* block) {
  bool bitfields = !DefaultMasks(image);
  size_t colors = image.bits <= 8 ? image.palette.size() : 0;
  size_t stride = image.Stride();
  std::memset(block, 0, kInfoHeaderSize);
  PutLe32(block, kInfoHeaderSize);
  PutLe32(block + 4, image.width);
  PutLe32(block + 8, image.height);
  PutLe16(block + 12, 1);
  PutLe16(block + 14, image.bits);
  PutLe32(block + 16, bitfields ? kBiBitfields : kBiRgb);
  PutLe32(block + 20, uint32_t(stride * image.height));
  PutLe32(block + 24, image.xPelsPerMeter);
  PutLe32(block + 28, image.yPelsPerMeter);
  PutLe32(block + 32, uint32_t(colors));
  PutLe32(block + 36, uint32_t(colors));
  uint8_t* p = block + kInfoHeaderSize;
  if (bitfields) {
    for (int i = 0; i < 3; ++i) PutLe32(p + 4 * i, image.masks[i]);
    p += 12;
  }
  for (size_t i = 0; i < colors; ++i, p += 4) {
    p[0] = image.palette[i].blue; p[1] = image.palette[i].green; p[2] = image.palette[i].red;
    p[3] = 0;
  }
}

void WriteDib(const Image& image, uint8_t* block) {
  WriteDibHeader(image, block);
  uint8_t* p = block + DibHeaderSize(image);
  const size_t stride = image.Stride();
  for (uint32_t y = 0; y < image.height; ++y)
    std::memcpy(p + size_t(image.height - 1 - y) * stride, image.Row(y), stride);
}

}  // namespace imagecore
