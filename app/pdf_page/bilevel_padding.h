// A black-and-white page widened (and lengthened) to the size the PDF page writer hands on, by
// adding white pixels on the right and at the bottom: its own pixels stay as they were scanned.
// Platform-free.
#pragma once
#include <cstdint>
#include <vector>

#include "lt_bitmap.h"

namespace tarnwick {

// The palette index that stands for white in a 1-bit bitmap (the brighter of its two entries).
int WhiteIndexOf(const LtBitmapHandle& bitmap);

// A top-down 1-bit DIB block (header, two palette entries, rows) of width x height holding the
// 1-bit `bitmap` (top row first, as kLtTopLeft holds it) in its top left corner and white
// elsewhere, with the bitmap's palette and resolution. Empty when the bitmap is not a 1-bit
// top-down image or the size is smaller than the bitmap's.
std::vector<uint8_t> PaddedBilevelDib(const LtBitmapHandle& bitmap, int32_t width, int32_t height);

}  // namespace tarnwick
