// The depths the PDF writer and the save queue take (1, 8 and 24 bits per pixel), and the
// conversion of the other depths a scanner may deliver. The first edition drops any other page
// silently; the second sends every page on, so it converts what it can and refuses the rest.
// Platform-free.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "edition.h"
#include "save_branch.h"

namespace tarnwick {

enum class DepthStep {
  AsIs,     // the writer takes the page as it is
  Convert,  // converted by ConvertPageDepth first
  Refuse,   // no writer can take it: freed, not counted, the refusal shown
};

// What happens to a page of `bitCount` bits going down `branch` in `edition`.
DepthStep DepthStepFor(Edition edition, SaveBranch branch, int bitCount);

// A packed DIB of 4, 16 or 32 bits as one the writers take: a gray 4-bit page as 8-bit gray,
// every other as 24-bit colour, at the same size and resolution. False, `out` untouched, when
// the block holds no such page.
bool ConvertPageDepth(const uint8_t* block, size_t blockSize, std::vector<uint8_t>* out);

// The message of a refused page.
std::string RefusedDepthText(int bitCount);

}  // namespace tarnwick
