// The application's resolution and paper tables: the "Resolution" and "Size" settings are
// indexes into them. Platform-free.
#pragma once

constexpr int kResolutionCount = 12;
constexpr int kPaperCount = 8;

// Dots per inch of a "Resolution" index: 0..10 from the table, any other index 2400.
int ResolutionDpi(int index);
// The list text of a resolution index 0..11 ("100" .. "2400"); "" for any other.
const char* ResolutionText(int index);

struct PaperSize {
  const char* listText;  // the capability query's literal for the paper list
  float width;           // inches
  float length;
};

// 0 A4, 1 Letter, 2 B5, 3 A5, 4 business card, 5 A3, 6 A4 landscape, 7 Letter landscape.
extern const PaperSize kPaperSizes[kPaperCount];
constexpr int kPaperBusinessCard = 4;
constexpr int kPaperA3 = 5;
// The paper of a "Size" index, or nullptr outside 0..7.
const PaperSize* PaperOfIndex(int index);
