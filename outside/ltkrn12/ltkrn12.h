// LTKRN12n.DLL, the imaging kernel: bitmaps from page DIBs, resizing and view perspective.
// Results: 1 success, negative failure (lt_bitmap.h). The caller owns the record it passes.
#pragma once
#include <windows.h>

#include <cstdint>

#include "lt_bitmap.h"

extern "C" {
// An empty bitmap of that depth (width and height 0; other sizes make a zeroed image). Any
// earlier contents of the record are forgotten, not freed: free a bitmap before reusing it.
int32_t __stdcall L_InitBitmap(LtBitmapHandle* bitmap, int32_t width, int32_t height,
                               int32_t bitsPerPixel) LT_PLAIN_NAME(L_InitBitmap);
// The page of a packed DIB: header (BITMAPINFOHEADER or larger, its masks and colour table
// following it) and pixel rows at bits, bottom-up or top-down as the height's sign says. The
// bitmap (initialised) takes the DIB's depth, colour count and resolution; its old image is
// freed. Locate the rows with the DIB layout rule, not by counting palette entries.
int32_t __stdcall L_ConvertFromDIB(LtBitmapHandle* bitmap, const BITMAPINFOHEADER* header,
                                   const uint8_t* bits) LT_PLAIN_NAME(L_ConvertFromDIB);
// Gives the image back; the record stays initialised and empty.
int32_t __stdcall L_FreeBitmap(LtBitmapHandle* bitmap) LT_PLAIN_NAME(L_FreeBitmap);
// Resamples to width x height pixels (1 to 8 bits sampled at their depth, deeper ones averaged;
// 16 and 32 bits come back as 24); resolution fields stay. flags: 0.
int32_t __stdcall L_SizeBitmap(LtBitmapHandle* bitmap, int32_t width, int32_t height,
                               uint32_t flags) LT_PLAIN_NAME(L_SizeBitmap);
// Stores the rows in the given view perspective (kLtTopLeft, kLtBottomLeft). With no
// destination the source changes in place; otherwise the destination receives a copy.
int32_t __stdcall L_ChangeBitmapViewPerspective(LtBitmapHandle* destination,
                                                LtBitmapHandle* source,
                                                int32_t viewPerspective) LT_PLAIN_NAME(L_ChangeBitmapViewPerspective);
}

using L_InitBitmapProc = decltype(&L_InitBitmap);
using L_ConvertFromDIBProc = decltype(&L_ConvertFromDIB);
using L_FreeBitmapProc = decltype(&L_FreeBitmap);
using L_SizeBitmapProc = decltype(&L_SizeBitmap);
using L_ChangeBitmapViewPerspectiveProc = decltype(&L_ChangeBitmapViewPerspective);
