// The page sizes AddPdfPage hands the PDF writer: whole-inch page sizes, the size rules of
// black-and-white pages scanned at 300 dpi, and widths that fill whole bytes. Platform-free.
#pragma once
#include <cstdint>

#include "edition.h"

namespace tarnwick {

// Rounds to the nearest integer, halves to even.
int64_t RoundHalfEven(double value);

struct PdfPagePlan {
  bool resizeByRule = false;  // step one: the size rule's size and resolution
  int32_t ruleWidth = 0, ruleHeight = 0, ruleResolution = 0;
  int32_t width = 0, height = 0;  // the page as written (after both resizes)
  int32_t resolution = 0;
  int32_t colourCode = 2;     // 0 black and white (inverted first), 1 gray, 2 colour
  bool invert = false;
};

// For a page of width x height pixels at bitsPerPixel, scanned at resolution dpi. With no
// resolution (0 or less) the size rules are skipped and the page keeps its size. The second
// edition has only the A3 rule; the landscape Letter and Ledger rules are the first edition's.
PdfPagePlan PlanPdfPage(int32_t width, int32_t height, int32_t bitsPerPixel, int32_t resolution,
                        Edition edition = kBuiltEdition);

}  // namespace tarnwick
