// A packed DIB (BITMAPINFOHEADER, colour table, rows) in a block of known size, read without
// trusting the header: the rows are found from biSize and the colour count, their stride from
// the width and bit count, and all of them must lie inside the block. biSizeImage is not used.
#pragma once
#include <cstddef>
#include <cstdint>

namespace pixels {

struct DibView {
  const uint8_t* block = nullptr;
  size_t blockSize = 0;
  uint32_t headerSize = 0;
  int32_t width = 0;
  int32_t height = 0;        // as stored: negative for a top-down DIB
  uint32_t rows = 0;         // |height|
  uint16_t bitCount = 0;
  uint32_t colorCount = 0;   // entries of the colour table
  int32_t xPelsPerMeter = 0;
  int32_t yPelsPerMeter = 0;
  uint32_t stride = 0;       // bytes per stored row, a multiple of 4
  uint32_t bitsOffset = 0;   // the first stored row
  uint64_t imageBytes = 0;   // stride x rows

  const uint8_t* Row(uint32_t stored) const { return block + bitsOffset + size_t(stored) * stride; }
  const uint8_t* ColorTable() const { return block + headerSize; }
};

enum class DibCheck { kOk, kBadHeader, kNoRows, kOutsideBlock };

// Reads the layout of a DIB of `blockSize` bytes.
DibCheck ReadDibView(const uint8_t* block, size_t blockSize, DibView* view);

// Bytes per row of a DIB: rows are padded to 4 bytes.
uint64_t DibStride(uint64_t width, uint32_t bitCount);

// Dots per inch from pels per metre, rounded; 72 for no (or a nonsensical) resolution.
int32_t DpiFromPelsPerMeter(int32_t pelsPerMeter);
int32_t PelsPerMeterFromDpi(int32_t dpi);

// For a 1-bit DIB: true when colour-table entry 1 is the lighter one (bit 1 = paper), as in the
// library's own page DIBs; also true for a DIB without a usable table.
bool OneBitIsPaper(const DibView& view);

}  // namespace pixels
