// LTIMG12n.DLL, image processing: the one operation the program uses.
#pragma once
#include <cstdint>

#include "lt_bitmap.h"

extern "C" {
// Negative in place: a 1-bit bitmap flips every pixel bit (the palette stays); gray ramps
// invert their pixels, colour palettes their entries, direct colour every channel.
int32_t __stdcall L_InvertBitmap(LtBitmapHandle* bitmap) LT_PLAIN_NAME(L_InvertBitmap);
}

using L_InvertBitmapProc = decltype(&L_InvertBitmap);
