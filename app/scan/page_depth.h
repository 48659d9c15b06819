// The depths each writer takes, and the conversion of the other depths a scanner may deliver:
// the PDF writer and the save queue take 1, 8 and 24 bits per pixel, the bitmap library's TIFF
// and JPEG files 1, 4, 8, 24 and 32. A page of another depth is converted to the nearest one its
// writer takes; a page of a depth nothing reads is refused with one message a run.
// Platform-free.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "edition.h"
#include "interface_texts.h"
#include "save_branch.h"

namespace tarnwick {

enum class DepthStep {
  AsIs,     // the writer takes the page as it is
  Convert,  // converted by ConvertPageDepth first
  Refuse,   // no writer can take it: freed, not counted, the refusal shown
};

// What happens to a page of `bitCount` bits going down `branch`. Both editions convert alike.
DepthStep DepthStepFor(Edition edition, SaveBranch branch, int bitCount);

// A packed DIB of 4, 16, 32 or 48 bits as one the writers take: a gray 4-bit page as 8-bit
// gray, every other as 24-bit colour (48 bits keep the high byte of each sample), at the same
// size and resolution. False, `out` untouched, when the block holds no such page.
bool ConvertPageDepth(const uint8_t* block, size_t blockSize, std::vector<uint8_t>* out);

// The message of a refused page, from the edition's string table.
constexpr int kRefusedDepthTextId = 1370;
std::string RefusedDepthText(const InterfaceTexts& texts, int bitCount);

}  // namespace tarnwick
