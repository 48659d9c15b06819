// LTFIL12n.DLL, image files: the first page of any image file as a bitmap, and TIFF and JPEG
// files written from a bitmap. Results: 1 success, negative failure (lt_bitmap.h).
#pragma once
#include <cstdint>

#include "lt_bitmap.h"

extern "C" {
// The first page of a BMP, PNG, GIF, PCX, JPEG, PCD, TGA or TIFF file. bitsPerPixel 0 keeps
// the stored depth (else 1, 4, 8 or 24); order is accepted and rows are always kept blue
// first; loadOptions and fileInfo must be null. The record is initialised here: on failure it
// is an empty bitmap, never the previous image. Free a loaded bitmap before loading again.
int32_t __stdcall L_LoadBitmap(const char* file, LtBitmapHandle* bitmap, int32_t bitsPerPixel,
                               int32_t order, void* loadOptions, void* fileInfo) LT_PLAIN_NAME(L_LoadBitmap);
// Writes the bitmap: format kLtFileTiff, kLtFileTiffCcitt, kLtFileTiffG3, kLtFileTiffG4 or
// kLtFileJpeg, at bitsPerPixel (0 the bitmap's), with the bitmap's resolution. The fax codes
// write a 1-bit bitmap; a deeper one is written uncompressed. JPEG holds 8-bit gray (asked
// for 1, 4 or 8 bits, or a gray bitmap) or 24-bit colour; qualityFactor as JpegQualityFromFactor
// (save_rules.h) says. flags kLtSaveAppend with a TIFF format adds a page to an existing TIFF
// file in place; a file that is not a sound TIFF is refused and left untouched. Every other
// write makes the file under a temporary name and moves it into place. callback, userData and
// saveOptions are not used.
int32_t __stdcall L_SaveFile(const char* file, LtBitmapHandle* bitmap, int32_t format,
                             int32_t bitsPerPixel, int32_t qualityFactor, uint32_t flags,
                             void* callback, void* userData, void* saveOptions) LT_PLAIN_NAME(L_SaveFile);
}

using L_LoadBitmapProc = decltype(&L_LoadBitmap);
using L_SaveFileProc = decltype(&L_SaveFile);
