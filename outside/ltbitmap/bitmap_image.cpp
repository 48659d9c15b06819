#include "bitmap_image.h"

#include <cmath>
#include <cstring>

#include "bytes.h"
#include "dib_layout.h"

namespace ltbitmap {

using namespace imagecore;

namespace {
bool KnownDepth(int32_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}
}  // namespace

void InitRecord(LtBitmapHandle& b, int32_t bits) {
  std::memset(&b, 0, sizeof b);
  b.StructSize = sizeof(LtBitmapHandle);
  b.BitsPerPixel = bits;
  b.ViewPerspective = kLtTopLeft;
}

bool IsInitialised(const LtBitmapHandle& b) { return b.StructSize == sizeof(LtBitmapHandle); }

bool HoldsImage(const LtBitmapHandle& b) { return IsInitialised(b) && b.Data != nullptr; }

void ReleasePixels(LtBitmapHandle& b) {
  FreePixels(b.Data);
  b.Data = nullptr;
  b.DataSize = 0;
  b.Width = b.Height = 0;
  b.BytesPerLine = 0;
}

uint32_t DpiToPelsPerMeter(int32_t dpi) {
  return dpi > 0 ? uint32_t(std::lround(dpi * 39.37)) : 0;
}

int32_t PelsPerMeterToDpi(uint32_t ppm) { return int32_t(std::lround(ppm / 39.37)); }

Status RecordToImage(const LtBitmapHandle& b, Image& image) {
  if (!HoldsImage(b) || b.Width <= 0 || b.Height <= 0 || !KnownDepth(b.BitsPerPixel))
    return kBadArgument;
  if (!Allocate(image, uint32_t(b.Width), uint32_t(b.Height), uint16_t(b.BitsPerPixel)))
    return kTooLarge;
  size_t stride = image.Stride();
  if (size_t(b.BytesPerLine) != stride || uint64_t(stride) * uint32_t(b.Height) > b.DataSize)
    return kBadArgument;
  image.palette.clear();
  if (b.BitsPerPixel <= 8) {
    uint32_t n = b.ColorCount > (1u << b.BitsPerPixel) ? (1u << b.BitsPerPixel) : b.ColorCount;
    for (uint32_t i = 0; i < n; ++i)
      image.palette.push_back(Rgb{b.Palette[i].Blue, b.Palette[i].Green, b.Palette[i].Red, 0});
    if (image.palette.empty()) image.palette = GrayRamp(uint16_t(b.BitsPerPixel));
  }
  std::memcpy(image.masks, b.Masks, sizeof image.masks);
  image.xPelsPerMeter = DpiToPelsPerMeter(b.XResolution);
  image.yPelsPerMeter = DpiToPelsPerMeter(b.YResolution);
  uint32_t h = uint32_t(b.Height);
  for (uint32_t y = 0; y < h; ++y) {
    uint32_t src = b.ViewPerspective == kLtBottomLeft ? h - 1 - y : y;
    std::memcpy(image.Row(y), b.Data + size_t(src) * stride, stride);
  }
  return kOk;
}

Status StoreImage(const Image& image, int32_t view, LtBitmapHandle& b) {
  if (image.Empty() || !KnownDepth(image.bits) || !IsInitialised(b)) return kBadArgument;
  size_t stride = image.Stride();
  uint64_t bytes = uint64_t(stride) * image.height;
  if (bytes > UINT32_MAX || stride > INT32_MAX) return kTooLarge;
  uint8_t* data = AllocatePixels(size_t(bytes));
  if (!data) return kNoMemory;
  for (uint32_t y = 0; y < image.height; ++y) {
    uint32_t dst = view == kLtBottomLeft ? image.height - 1 - y : y;
    std::memcpy(data + size_t(dst) * stride, image.Row(y), stride);
  }
  FreePixels(b.Data);
  b.Data = data;
  b.DataSize = uint32_t(bytes);
  b.Width = int32_t(image.width);
  b.Height = int32_t(image.height);
  b.BitsPerPixel = image.bits;
  b.BytesPerLine = int32_t(stride);
  b.ViewPerspective = view == kLtBottomLeft ? kLtBottomLeft : kLtTopLeft;
  std::memset(b.Palette, 0, sizeof b.Palette);
  b.ColorCount = 0;
  if (image.bits <= 8) {
    for (size_t i = 0; i < image.palette.size() && i < 256; ++i)
      b.Palette[i] = LtRgbQuad{image.palette[i].blue, image.palette[i].green, image.palette[i].red, 0};
    b.ColorCount = uint32_t(image.palette.size() > 256 ? 256 : image.palette.size());
  }
  std::memcpy(b.Masks, image.masks, sizeof b.Masks);
  return kOk;
}

Status DibPartsToImage(const uint8_t* header, const uint8_t* bits, Image& image, bool& bottomUp) {
  if (!header || !bits) return kBadArgument;
  uint32_t headerSize = Le32(header);
  if (headerSize < kInfoHeaderSize || headerSize > 4096) return kBadDib;
  int32_t width = int32_t(Le32(header + 4));
  int32_t height = int32_t(Le32(header + 8));
  uint16_t bitCount = Le16(header + 14);
  if (width <= 0 || height == 0 || height == INT32_MIN) return kBadDib;
  uint64_t absHeight = uint64_t(height < 0 ? -int64_t(height) : height);
  size_t rows = RowBytes(uint32_t(width), bitCount);
  if (uint32_t(width) > kMaxSide || absHeight > kMaxSide) return kTooLarge;
  // The one layout rule, with the rows counted as if they followed the tables; it reads no byte
  // past the header, its masks and its colour table.
  DibLayout l;
  uint64_t tables = uint64_t(headerSize) + 12 + 4 * 256;
  Status s = ParseDibLayout(header, size_t(tables + uint64_t(rows) * absHeight), l);
  if (s != kOk) return s;
  if (!Allocate(image, uint32_t(width), uint32_t(absHeight), bitCount)) return kTooLarge;
  std::memcpy(image.masks, l.masks, sizeof l.masks);
  image.xPelsPerMeter = Le32(header + 24);
  image.yPelsPerMeter = Le32(header + 28);
  image.palette.clear();
  const uint8_t* table = header + l.headerSize + l.masksBytes;
  for (uint32_t i = 0; bitCount <= 8 && i < l.colorCount; ++i)
    image.palette.push_back(Rgb{table[4 * i], table[4 * i + 1], table[4 * i + 2], 0});
  bottomUp = height > 0;
  for (uint32_t y = 0; y < image.height; ++y) {
    uint32_t src = bottomUp ? image.height - 1 - y : y;
    std::memcpy(image.Row(y), bits + size_t(src) * l.rowBytes, l.rowBytes);
  }
  return kOk;
}

}  // namespace ltbitmap

#include "guarded_call.h"

namespace ltbitmap {
int32_t ResultOf(int s) {
  switch (s) {
    case kOk: return kLtSuccess;
    case kNoMemory: case kTooLarge: return kLtNoMemory;
    case kBadDib: return kLtBadDib;
    case kBadArgument: return kLtBadArgument;
    case kOpenFailed: return kLtOpenFailed;
    case kReadFailed: case kTruncated: case kCodecError: case kBadPage: return kLtReadFailed;
    case kWriteFailed: return kLtWriteFailed;
    case kNotThisFormat: case kUnsupported: return kLtUnknownFormat;
    default: return kLtFailure;
  }
}
Status DibPartsToRecord(const uint8_t* header, const uint8_t* bits, LtBitmapHandle& b) {
  if (!header || !bits) return kBadArgument;
  if (!IsInitialised(b)) return kBadArgument;
  uint32_t headerSize = Le32(header);
  if (headerSize < kInfoHeaderSize || headerSize > 4096) return kBadDib;
  int32_t width = int32_t(Le32(header + 4));
  int32_t height = int32_t(Le32(header + 8));
  uint16_t bitCount = Le16(header + 14);
  if (width <= 0 || height == 0 || height == INT32_MIN) return kBadDib;
  uint64_t absHeight = uint64_t(height < 0 ? -int64_t(height) : height);
  size_t rows = RowBytes(uint32_t(width), bitCount);
  if (uint32_t(width) > kMaxSide || absHeight > kMaxSide) return kTooLarge;
  DibLayout l;
  uint64_t tables = uint64_t(headerSize) + 12 + 4 * 256;
  Status s = ParseDibLayout(header, size_t(tables + uint64_t(rows) * absHeight), l);
  if (s != kOk) return s;
  if (!KnownDepth(bitCount) || uint64_t(width) * absHeight > kMaxPixels) return kTooLarge;
  const uint64_t bytes = uint64_t(l.rowBytes) * absHeight;
  if (bytes > UINT32_MAX || l.rowBytes > INT32_MAX) return kTooLarge;
  uint8_t* data = AllocatePixels(size_t(bytes));
  if (!data) return kNoMemory;
  // Bottom-up rows kept bottom-up, top-down ones top-down: the block is the DIB's rows as they lie.
  std::memcpy(data, bits, size_t(bytes));
  FreePixels(b.Data);
  b.Data = data;
  b.DataSize = uint32_t(bytes);
  b.Width = width;
  b.Height = int32_t(absHeight);
  b.BitsPerPixel = bitCount;
  b.BytesPerLine = int32_t(l.rowBytes);
  b.ViewPerspective = height > 0 ? kLtBottomLeft : kLtTopLeft;
  std::memset(b.Palette, 0, sizeof b.Palette);
  b.ColorCount = 0;
  if (bitCount <= 8) {
    const uint8_t* table = header + l.headerSize + l.masksBytes;
    const uint32_t n = l.colorCount > 256 ? 256 : l.colorCount;
    for (uint32_t i = 0; i < n; ++i) b.Palette[i] = LtRgbQuad{table[4 * i], table[4 * i + 1], table[4 * i + 2], 0};
    b.ColorCount = n;
  }
  std::memcpy(b.Masks, l.masks, sizeof b.Masks);
  return kOk;
}

}  // namespace ltbitmap
