// pdf.dll, the program's PDF writer: scanned pages streamed into one PDF document at a time.
// C calling convention, names as exported. Results: 0 success, negative failure (below).
#pragma once
#include <cstdint>

#include "lt_bitmap.h"

extern "C" {
// mode 0: adds the bitmap as the next page of the document `file`. The document stays open
// across calls for the same name (compared without case); a call for another name finishes the
// open document first. Pages go to a temporary file beside the target, which replaces the
// target only when the document is finished. colour: 0 a 1-bit bitmap that the caller has
// inverted (the page is written as it was scanned), 1 a 4- or 8-bit bitmap written as gray
// through its palette, 2 a 24-bit bitmap with blue first. width and height must be the
// bitmap's; the resolutions give the page size (0: 72 dpi).
// mode 1: finishes the open document; the other arguments, the name too, are not used. With no
// page written nothing is made.
int32_t __cdecl _makepdf(const char* file, int32_t mode, int32_t page, int32_t colour,
                         int32_t width, int32_t height, int32_t xResolution,
                         int32_t yResolution, LtBitmapHandle* bitmap);
// Finishes the open document, as _makepdf with mode 1.
int32_t __cdecl _pdfEndFile();
}

using MakePdfProc = decltype(&_makepdf);
using PdfEndFileProc = decltype(&_pdfEndFile);

constexpr int32_t kPdfOk = 0;
constexpr int32_t kPdfBadArgument = -1;   // unknown mode or colour code, no file name
constexpr int32_t kPdfBadBitmap = -2;     // no bitmap, or not of the colour code's depth and size
constexpr int32_t kPdfCannotCreate = -3;  // the temporary file cannot be made
constexpr int32_t kPdfWriteFailed = -4;   // a page or the end of the document was not written
constexpr int32_t kPdfFailed = -5;        // out of memory or another unexpected failure
