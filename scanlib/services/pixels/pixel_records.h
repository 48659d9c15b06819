// How the page services describe an image and a region of it. The image information is the
// plug-in interface's page record; the region record is the page services' own.
#pragma once
#include <cstddef>
#include <cstdint>

#include "page_region.h"
#include "scan_page_info.h"

namespace pixels {

using ::PageRegion;
using ImageInfo = ScanPageInfo;

constexpr int16_t kPixelBilevel = 0;
constexpr int16_t kPixelGray = 1;
constexpr int16_t kPixelColour = 2;


// Bytes of a 1-bit line of `width` pixels padded to 4 bytes.
inline uint32_t BilevelStride(uint32_t width) { return (width + 31) / 32 * 4; }

}  // namespace pixels
