#include "deskew_crop_rows.h"

#include <cstring>

int32_t DeskewModeWord(int16_t pixelType) { return 0x01200110 + (pixelType == 2 ? 2 : 1); }

size_t DeskewRowBytes(int32_t width, bool colour) {
  return width > 0 ? size_t(width) * (colour ? 3 : 1) : 0;
}

void WidenBitRows(const uint8_t* rows, size_t rowLength, int32_t width, int32_t lines,
                  uint8_t* out) {
  for (int32_t y = 0; y < lines; ++y) {
    const uint8_t* row = rows + size_t(y) * rowLength;
    uint8_t* o = out + size_t(y) * width;
    for (int32_t x = 0; x < width; ++x) o[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
  }
}

void PackBitRows(const uint8_t* pixels, int32_t width, int32_t lines, uint8_t* out) {
  const size_t rowLength = (size_t(width) + 7) / 8;
  for (int32_t y = 0; y < lines; ++y) {
    const uint8_t* p = pixels + size_t(y) * width;
    uint8_t* o = out + size_t(y) * rowLength;
    std::memset(o, 0, rowLength);
    for (int32_t x = 0; x < width; ++x)
      if (p[x] >= 128) o[x >> 3] |= uint8_t(0x80 >> (x & 7));
  }
}

void InterleaveColourLines(uint8_t* buffer, int32_t width, int32_t lines, uint8_t* scratch) {
  if (width <= 0 || lines <= 0) return;
  const size_t w = size_t(width);
  for (size_t y = 0; y < size_t(lines); ++y) {
    const uint8_t* first = buffer + y * w;
    uint8_t* o = scratch + y * w * 3;
    for (size_t x = 0; x < w; ++x) {
      o[3 * x] = first[x];
      o[3 * x + 1] = first[w + x];
      o[3 * x + 2] = first[2 * w + x];
    }
  }
  std::memcpy(buffer, scratch, w * 3 * size_t(lines));
}
