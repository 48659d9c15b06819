// Changes of colour depth between the DIB depths.
#pragma once
#include "image.h"
#include "status.h"

namespace imagecore {

// Raises the depth without changing a colour: 1 to 4, 8 or 24; 4 to 8 or 24; 8, 16 or 32 to 24.
Status IncreaseDepth(const Image& in, uint16_t bits, Image& out);

// Lowers to 1, 4 or 8 bits. A gray image gets a gray ramp; an image with no more colours than
// the depth holds keeps them exactly; otherwise a fixed palette (black and white, the 16 VGA
// colours, a 6x6x6 cube), with error diffusion when dither is set.
Status ReduceDepth(const Image& in, uint16_t bits, bool dither, Image& out);

// Brings an image to any depth 1, 4, 8 or 24 (0 keeps it as it is); 16 and 32 become 24.
Status ConvertDepth(const Image& in, uint16_t bits, bool dither, Image& out);

// An 8-bit gray-ramp copy.
Status ToGray8(const Image& in, Image& out);

bool IsGrayImage(const Image& image);

}  // namespace imagecore
