#include "blue_drop.h"

#include <algorithm>

namespace filterdll {

bool IsBlueHue(uint8_t red, uint8_t green, uint8_t blue) {
  const int r = red, g = green, b = blue;
  const int hi = std::max({r, g, b}), lo = std::min({r, g, b});
  const int chroma = hi - lo;
  if (hi < 40 || chroma * 100 < hi * 12) return false;  // too dark or too gray to have a hue
  // Hue in sixths of the circle times chroma: blue's sector runs from cyan (180) to magenta (300).
  if (hi == b) return true;                        // 180 .. 300 with blue the largest
  if (hi == g && b > r) return (g - b) * 6 < chroma;  // just past cyan (within 10 degrees)
  return false;
}

uint64_t DropBlue(uint8_t* rows, uint32_t width, uint32_t lines, uint32_t stride) {
  uint64_t changed = 0;
  for (uint32_t y = 0; y < lines; ++y) {
    uint8_t* p = rows + uint64_t(y) * stride;
    for (uint32_t x = 0; x < width; ++x, p += 3) {
      if (!IsBlueHue(p[2], p[1], p[0])) continue;
      p[0] = p[1] = p[2] = 255;
      ++changed;
    }
  }
  return changed;
}

}  // namespace filterdll
