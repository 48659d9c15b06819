// The pixel routines shared by the page services. Bilevel results hold 1 for ink, most
// significant bit first, every line padded with paper (0) to a multiple of 4 bytes. Sources are
// passed at the region's first pixel with the stride of the image they lie in.
#pragma once
#include <cstddef>
#include <cstdint>

#include "pixel_records.h"

namespace pixels {

// Mode 1: the bitwise complement of every byte; any other mode works on 16-bit words
// (ceil(bytes per row / 2) words a row, so rows need an even length in memory).
void InvertRows(uint8_t* dst, const uint8_t* src, uint32_t rows, uint32_t bytesPerRow, int mode);

// The threshold of an 8-bit gray region from its histogram (values lowest..highest counted),
// between the dark and the light peaks; 128 when no value is counted.
int32_t GrayThreshold(const uint8_t* pixels, uint32_t stride, int32_t lowest, int32_t highest,
                      const PageRegion& region);

// Copies the region's 1-bit lines from a source whose first line starts at bit `leftBit` of
// `src`; each destination line is BilevelStride(width) bytes, bits past the width 0.
void CopyRows(uint8_t* dst, const PageRegion& region, const uint8_t* src, uint32_t srcStride,
              uint32_t leftBit = 0);

// Gray (8 or 16 bits) to bilevel: 1 where the pixel is darker than the region's threshold
// (8 bits) or its top bit is 0 (16 bits). dst holds Lines x BilevelStride(Width) bytes.
// Afterwards info says 1 bit per pixel at the region's width and region.BytesPerLine is the
// bilevel stride. Answers false, touching nothing, for another bit count.
bool GrayToBilevel(uint8_t* dst, PageRegion& region, const uint8_t* src, ImageInfo& info,
                   uint32_t srcStride);

// Colour (24 or 48 bits) to gray: (3 x first + 6 x second + third) / 10 of every pixel. dst holds
// Lines x Width bytes (x 2 for 48 bits), lines unpadded. Afterwards info says gray of 8 (16)
// bits at the region's width and region.BytesPerLine is the gray line length.
bool ColorToGray(uint8_t* dst, PageRegion& region, const uint8_t* src, ImageInfo& info,
                 uint32_t srcStride);

}  // namespace pixels
