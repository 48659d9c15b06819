// The standard page sizes (PAGESIZE 2..11), the list that fits the scanner, and page
// dimensions in a unit. Platform-free.
#pragma once
#include <cstdint>

#include "tag_state.h"

struct PaperSize {
  float InchWidth, InchLength;
  float CmWidth, CmLength;
  int32_t PixelWidth, PixelLength;
};

constexpr int kFirstFixedPaper = 2;
constexpr int kLastPaper = 11;

// Row of index 2..11; nullptr for others.
const PaperSize* FixedPaperSize(int index);

// Rebuilds PAGESIZE's list from the maximum area in pixels: 0, 1, then every fixed size that
// fits; Current becomes the last one listed. Answers 0, or -9 when memory runs out.
int32_t BuildPageSizeList(int row, TagState* record, int32_t maxWidth, int32_t maxLength);

// Width and length of page size `index` in `unit`, no larger than the scanner's maximum area.
// Answers 0, or -7 for an index outside 0..11 or an unknown unit (the outputs are left).
int32_t GetPaperDimensions(int32_t index, int32_t unit, float* width, float* length);
