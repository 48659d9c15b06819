// LTDIS12n.DLL, display: painting a bitmap into a device context.
#pragma once
#include <windows.h>

#include <cstdint>

#include "lt_bitmap.h"

extern "C" {
// A palette of the bitmap's colours (a halftone palette above 8 bits) for the caller to select
// and realise before painting, and to delete afterwards; null for no bitmap.
HPALETTE __stdcall L_CreatePaintPalette(HDC dc, LtBitmapHandle* bitmap) LT_PLAIN_NAME(L_CreatePaintPalette);
// Paints the source rectangle of the bitmap (null: all of it; srcClip narrows it) scaled into
// the destination rectangle (null: the bitmap's size at 0, 0) with StretchDIBits and the raster
// operation; dstClip, when given, limits what is drawn. Rectangles are in bitmap pixels with
// the top row first, whatever the view perspective.
int32_t __stdcall L_PaintDC(HDC dc, LtBitmapHandle* bitmap, const RECT* src, const RECT* srcClip,
                            const RECT* dst, const RECT* dstClip, uint32_t rop) LT_PLAIN_NAME(L_PaintDC);
}

using L_CreatePaintPaletteProc = decltype(&L_CreatePaintPalette);
using L_PaintDCProc = decltype(&L_PaintDC);
