// Test pictures with every pixel different from its neighbours, and comparison helpers.
#pragma once
#include <string>
#include <vector>

#include "image.h"
#include "stream.h"

namespace imagecore::test {

enum class Kind { kGray, kPalette };

// A width x height image at the depth; palette kinds get a colourful table, gray kinds a ramp.
Image Pattern(uint16_t bits, uint32_t width, uint32_t height, Kind kind = Kind::kPalette);

// Number of pixels whose colours differ by more than tolerance in any channel.
size_t DifferentPixels(const Image& a, const Image& b, int tolerance = 0);

std::vector<uint8_t> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace imagecore::test
