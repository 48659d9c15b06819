// The scan loop's tables: resolution by the "Resolution" index, paper by the "Size" index, and
// the maximum scan area of the maker's models by product name.
#pragma once

namespace tarnwick {

struct PaperInches {
  float Width, Length;
};

// 0 -> 100 ... 9 -> 600, 10 -> 1200, any other -> 2400.
int ResolutionDpi(int index);

// Index 0 A4 ... 7 Letter landscape; an index outside the table gives A4.
PaperInches PaperSize(int index);

// The model table; a name matching no row (compared exactly) gives the default row.
PaperInches ModelMaxArea(const char* productName);

}  // namespace tarnwick
