// Filling a page DIB held in a plain byte block: the header and colour table, and received rows
// stored bottom-up. The block is the caller's (a locked global block on Windows, a vector in tests).
#pragma once
#include <cstddef>
#include <cstdint>

#include "page_format.h"

// Writes the 40-byte header and the colour table at the start of `block`. False, with nothing
// written, when the block is shorter than layout.BlockSize.
bool BuildDibHeader(uint8_t* block, size_t blockBytes, const PageFormat& format,
                    const PageDibLayout& layout);

// Stores `rowCount` received rows (each layout.RowLength bytes) into the pixel area, the first row
// received going to the top of the bottom-up DIB. `bytesLeft` is the part of the pixel area not yet
// filled, counted down by one stride per row; rows past the page's end are dropped. Returns the
// rows stored.
uint32_t CopyRowsToDib(uint8_t* pixels, const uint8_t* rows, uint32_t rowCount,
                       uint32_t* bytesLeft, const PageFormat& format, const PageDibLayout& layout);

// Fills every row not yet stored with white (0xFF bytes), counting `bytesLeft` down to 0.
uint32_t PadDibRowsWhite(uint8_t* pixels, uint32_t* bytesLeft, const PageDibLayout& layout);

// Where the rows of a DIB someone else built lie: found from biSize, the colour count and the
// compression, each checked against the block.
struct DibPixelSpan {
  uint32_t Offset = 0;    // from the block's start to the first pixel byte
  uint32_t RowStride = 0;
  uint32_t Rows = 0;
  uint32_t ColourCount = 0;
};
bool LocateDibPixels(const uint8_t* block, size_t blockBytes, DibPixelSpan* span);
