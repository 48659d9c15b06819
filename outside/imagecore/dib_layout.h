// Where the parts of a packed DIB lie, checked against the size of the block that holds it.
// Every reader of DIB blocks in the system goes through this one rule.
#pragma once
#include <cstddef>
#include <cstdint>

#include "image.h"
#include "status.h"

namespace imagecore {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kInfoHeaderSize = 40;

// The colour-table entries a header declares: biClrUsed when set, capped at 2^bits for 8 bits
// or fewer; else 2^bits up to 8 bits and none above.
uint32_t DibColorCount(uint16_t bitCount, uint32_t clrUsed);

struct DibLayout {
  uint32_t headerSize = 0;  // biSize
  uint32_t masksBytes = 0;  // BI_BITFIELDS masks stored after a 40-byte header
  uint32_t colorCount = 0;
  uint32_t bitsOffset = 0;  // header, masks and colour table: the first pixel row
  int32_t width = 0;
  int32_t height = 0;       // as stored: negative for top-down
  uint16_t bits = 0;
  uint32_t compression = 0;
  uint32_t masks[3] = {};
  size_t rowBytes = 0;
  size_t imageBytes = 0;    // rows x rowBytes
};

// Reads the header of a packed DIB of blockSize bytes. kBadDib when any part lies outside the
// block, or the header describes no image that can be held. A non-zero bitsOffset (a BMP file's
// bfOffBits) places the rows there instead of right after the colour table.
Status ParseDibLayout(const uint8_t* block, size_t blockSize, DibLayout& layout,
                      size_t bitsOffset = 0);

// The image a packed DIB block holds (BI_RGB or BI_BITFIELDS).
Status DibToImage(const uint8_t* block, size_t blockSize, Image& image, size_t bitsOffset = 0);

// The packed DIB of an image: 40-byte header, colour table, bottom-up rows.
size_t DibBlockSize(const Image& image);
void WriteDib(const Image& image, uint8_t* block);
// The header, masks and colour table alone (DibHeaderSize bytes): what precedes the rows. The
// image's pixels are not read, so an image without them describes the rows to come.
size_t DibHeaderSize(const Image& image);
void WriteDibHeader(const Image& image, uint8_t* block);

}  // namespace imagecore
