// The images AutoMode and Scale2Gray make from a page DIB: the count of coloured pixels, the
// bilevel DIB of a text page and the gray DIB of a bilevel page. New DIBs are packed (40-byte
// header, colour table, rows in the source's order and direction); the source is only read.
#pragma once
#include <cstdint>
#include <vector>

#include "dib_view.h"

namespace pixels {

constexpr uint64_t kNotColour = UINT64_MAX;

// Pixels of a 24- or 48-bit DIB whose channels differ by more than `hold` (16-bit samples
// compared by their high bytes); kNotColour for any other bit count.
uint64_t CountColouredPixels(const DibView& dib, uint32_t hold);

// Fewer than 1 percent coloured pixels.
bool IsTextPage(uint64_t coloured, const DibView& dib);
double ColouredPercent(uint64_t coloured, const DibView& dib);

// The bilevel DIB of a colour page: gray by ColorToGray, then bilevel by GrayToBilevel, at the
// page's width, with the palette 0 = white, 1 = black and the page's resolution. Empty when the
// page is not 24 or 48 bits.
std::vector<uint8_t> TextPageDib(const DibView& dib);

// The 8-bit gray DIB of a 1-bit DIB at its width: each byte of the rows, taken as ink = 1
// whatever the palette, goes through a 16-bit register that yields 8 gray pixels
// (255 - register / 256) while it shifts; paper is 255. Empty when the DIB is not 1 bit.
std::vector<uint8_t> GrayDibOfBilevel(const DibView& dib);

// A packed DIB header and colour table for rows of `bitCount` bits.
std::vector<uint8_t> NewDib(int32_t width, int32_t height, uint16_t bitCount, int32_t xPels,
                            int32_t yPels, const std::vector<uint32_t>& palette);

}  // namespace pixels
