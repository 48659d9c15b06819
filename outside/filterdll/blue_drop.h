// Colour drop-out of blue: the pre-printed blue of forms (lines, boxes) turned to paper so that
// only what was written or typed on them stays. Platform-free.
#pragma once
#include <cstdint>

namespace filterdll {

// Whether a pixel is of a blue hue (hue 180 to 300 degrees) with enough colour in it to be ink
// of its own rather than gray.
bool IsBlueHue(uint8_t red, uint8_t green, uint8_t blue);

// Every blue pixel of 24-bit rows (B, G, R per pixel, as in a DIB) becomes white; other pixels
// are left as they are. Answers the number of pixels changed.
uint64_t DropBlue(uint8_t* rows, uint32_t width, uint32_t lines, uint32_t stride);

}  // namespace filterdll
