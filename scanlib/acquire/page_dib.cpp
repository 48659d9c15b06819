#include "page_dib.h"

#include <algorithm>
#include <cstring>

#include "red_blue_swap.h"

namespace {

void Put16(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
void Put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
uint32_t Get32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

void PutEntry(uint8_t* table, uint32_t i, uint8_t red, uint8_t green, uint8_t blue) {
  uint8_t* e = table + 4 * i;
  e[0] = blue;
  e[1] = green;
  e[2] = red;
  e[3] = 0;
}

void WriteColourTable(uint8_t* table, const PageFormat& format, uint32_t count) {
  if (count == 0) return;
  if (format.PixelType == kPixelBlackWhite) {
    PutEntry(table, 0, 0, 0, 0);
    PutEntry(table, 1, 255, 255, 255);
  } else if (format.PixelType == kPixelGray) {
    const uint32_t step = std::max(255u / (count - 1), 1u);
    for (uint32_t i = 0; i < count; ++i) {
      const uint8_t v = static_cast<uint8_t>(std::min(i * step, 255u));
      PutEntry(table, i, v, v, v);
    }
  } else {
    // A palette source reports RGB at 8 bits: rows index a 3-3-2 colour cube.
    for (uint32_t i = 0; i < count; ++i)
      PutEntry(table, i, static_cast<uint8_t>(31 + 32 * (i % 8)),
               static_cast<uint8_t>(31 + 32 * ((i / 8) % 8)), static_cast<uint8_t>(63 + 64 * (i / 64)));
  }
}

void CopyOneRow(uint8_t* dst, const uint8_t* src, const PageFormat& format,
                const PageDibLayout& layout) {
  const uint32_t width = static_cast<uint32_t>(format.ImageWidth);
  if (format.PixelType == kPixelRgb && format.BitsPerPixel == 24) {
    SwapRedBlue(dst, src, width);
  } else if (format.PixelType == kPixelRgb && format.BitsPerPixel == 48) {
    for (uint32_t x = 0; x < width; ++x)
      for (int s = 0; s < 3; ++s) std::memcpy(dst + 6 * x + 2 * s, src + 6 * x + 2 * (2 - s), 2);
  } else {
    std::memcpy(dst, src, layout.RowLength);
  }
  // 0xFF fills both bytes of a 16-bit padding word alike.
  std::memset(dst + layout.RowLength, 0xFF, layout.RowStride - layout.RowLength);
}

}  // namespace

bool BuildDibHeader(uint8_t* block, size_t blockBytes, const PageFormat& format,
                    const PageDibLayout& layout) {
  if (block == nullptr || blockBytes < layout.BlockSize || layout.HeaderSize < 40 ||
      layout.HeaderSize != 40 + 4 * layout.ColourCount)
    return false;
  std::memset(block, 0, layout.HeaderSize);
  Put32(block + 0, 40);
  Put32(block + 4, static_cast<uint32_t>(format.ImageWidth));
  Put32(block + 8, static_cast<uint32_t>(format.ImageLength));  // positive: rows bottom-up
  Put16(block + 12, 1);
  Put16(block + 14, static_cast<uint32_t>(format.BitsPerPixel));
  Put32(block + 16, 0);  // BI_RGB
  Put32(block + 20, layout.ImageSize);
  Put32(block + 24, static_cast<uint32_t>(PixelsPerMetre(format.XResolution)));
  Put32(block + 28, static_cast<uint32_t>(PixelsPerMetre(format.YResolution)));
  Put32(block + 32, layout.ColourCount);
  Put32(block + 36, layout.ColourCount);
  WriteColourTable(block + 40, format, layout.ColourCount);
  return true;
}

uint32_t CopyRowsToDib(uint8_t* pixels, const uint8_t* rows, uint32_t rowCount,
                       uint32_t* bytesLeft, const PageFormat& format, const PageDibLayout& layout) {
  if (pixels == nullptr || rows == nullptr || layout.RowStride == 0) return 0;
  uint32_t stored = 0;
  for (; stored < rowCount && *bytesLeft >= layout.RowStride; ++stored) {
    *bytesLeft -= layout.RowStride;
    CopyOneRow(pixels + *bytesLeft, rows + static_cast<size_t>(stored) * layout.RowLength, format,
               layout);
  }
  return stored;
}

uint32_t PadDibRowsWhite(uint8_t* pixels, uint32_t* bytesLeft, const PageDibLayout& layout) {
  if (pixels == nullptr || layout.RowStride == 0) return 0;
  const uint32_t rows = *bytesLeft / layout.RowStride;
  std::memset(pixels, 0xFF, static_cast<size_t>(rows) * layout.RowStride);
  *bytesLeft = 0;
  return rows;
}

bool LocateDibPixels(const uint8_t* block, size_t blockBytes, DibPixelSpan* span) {
  *span = DibPixelSpan{};
  if (block == nullptr || blockBytes < 40) return false;
  const uint32_t headerSize = Get32(block);
  if (headerSize < 40 || headerSize > blockBytes) return false;
  const int32_t width = static_cast<int32_t>(Get32(block + 4));
  const int32_t height = static_cast<int32_t>(Get32(block + 8));
  const uint16_t bits = Get16(block + 14);
  const uint32_t compression = Get32(block + 16);
  const uint32_t clrUsed = Get32(block + 32);
  if (width <= 0 || height == 0 || height == INT32_MIN || bits == 0 || bits > 48) return false;
  if (compression != 0 && compression != 3) return false;  // only uncompressed rows are located
  uint64_t colours = clrUsed;
  if (colours == 0 && bits <= 8) colours = 1u << bits;
  if (bits <= 8 && colours > (1u << bits)) return false;
  // BI_BITFIELDS with a 40-byte header keeps its three masks between header and pixels.
  const uint64_t masks = (compression == 3 && headerSize == 40) ? 12 : 0;
  const uint64_t offset = headerSize + masks + 4 * colours;
  const uint64_t stride = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
  const uint64_t rows = height < 0 ? -static_cast<int64_t>(height) : height;
  if (offset > blockBytes || stride * rows > blockBytes - offset) return false;
  span->Offset = static_cast<uint32_t>(offset);
  span->RowStride = static_cast<uint32_t>(stride);
  span->Rows = static_cast<uint32_t>(rows);
  span->ColourCount = static_cast<uint32_t>(colours);
  return true;
}
