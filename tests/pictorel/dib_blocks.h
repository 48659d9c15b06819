// Page DIB blocks for the tests: made from plain images and read back into them.
#pragma once
#include <windows.h>

#include <string>

#include "image.h"

namespace pictorel_test {

imagecore::Image Pattern(uint16_t bits, uint32_t width, uint32_t height, bool gray = false);
HGLOBAL ToBlock(const imagecore::Image& image);            // a new unlocked block
imagecore::Image FromBlock(HGLOBAL block);                 // empty when the block is bad
size_t DifferentPixels(const imagecore::Image& a, const imagecore::Image& b, int tolerance = 0);
// A raw header-only block: biSize 40, the given fields, total bytes.
HGLOBAL RawDib(int32_t width, int32_t height, uint16_t bits, uint32_t clrUsed, size_t total,
               uint32_t compression = BI_RGB);
std::string TempPath(const std::string& name);

}  // namespace pictorel_test
