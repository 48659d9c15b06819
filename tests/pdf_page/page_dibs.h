// Page DIB blocks for the PDF page tests: a text-like page of dark strokes on white.
#pragma once
#include <windows.h>

// A movable block the caller owns. kind: 1 black and white (palette black, white), 8 gray,
// 24 colour. dpi 0 leaves the header's resolution empty.
HGLOBAL MakeTextPage(int width, int height, int bits, int dpi);
