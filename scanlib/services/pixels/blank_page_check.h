// The blank-page verdict on a 1-bit DIB: the page is coded with T.6 and is blank when its raw
// size over its coded size exceeds BLANKHOLD x resolution / 100. The caller's rows are only
// read; each row is coded from a scratch copy with ink as 1 and the row padding as paper.
#pragma once
#include <cstddef>
#include <cstdint>

namespace pixels {

constexpr int32_t kPageNotBlank = 0;
constexpr int32_t kPageBlank = -26;
constexpr int32_t kPageNotOneBit = -29;

struct BlankPageFigures {
  uint64_t rawBytes = 0;
  uint64_t codedBytes = 0;
  uint64_t ratio = 0;
  uint32_t threshold = 0;
  int32_t xResolution = 0;
};

// kPageBlank, kPageNotBlank, or kPageNotOneBit for a DIB that is not a 1-bit image with all its
// rows inside its block (including one without rows).
int32_t CheckBlankPageBits(const uint8_t* block, size_t blockSize, uint32_t blankHold,
                           BlankPageFigures* figures = nullptr);

}  // namespace pixels
