// Packed DIBs for the page services' tests, built from pixel functions.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

namespace testdibs {

// A 1-bit DIB (palette 0 black, 1 white unless `inkIsOne`), rows bottom-up; ink(x, y) with y = 0
// the top row. Padding bits are filled with `padding`.
std::vector<uint8_t> Bilevel(int width, int height, std::function<bool(int, int)> ink,
                             int dpi = 300, bool inkIsOne = false, uint8_t padding = 0xFF);

// A 24-bit DIB, B, G, R per pixel; rgb(x, y) gives 0xRRGGBB.
std::vector<uint8_t> Colour(int width, int height, std::function<uint32_t(int, int)> rgb, int dpi = 300);

// An 8-bit gray DIB with a gray palette.
std::vector<uint8_t> Gray(int width, int height, std::function<uint8_t(int, int)> value, int dpi = 300);

// Text-like ink: short strokes in lines across the page.
bool TextInk(int x, int y);

uint32_t Le32(const uint8_t* p);
void Put32(uint8_t* p, uint32_t v);

}  // namespace testdibs
