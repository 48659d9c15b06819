// ISP2000.DLL, the image-processing library: its entry points as the bindings call them.
// Images are page DIBs in movable global blocks; a returned block belongs to the caller.
#pragma once
#include <windows.h>

#include <cstdint>

extern "C" {
// Rotates clockwise by angle degrees the part of the image inside rect (left, top, right,
// bottom); corners that the image no longer covers take fill. A new block, or 0.
HGLOBAL __stdcall QmRotate(HGLOBAL dib, double angle, const RECT* rect, COLORREF fill);
// In place: a non-zero topBottom exchanges the rows, a non-zero leftRight the columns. 1 or 0.
int32_t __stdcall QmMirror(HGLOBAL dib, int32_t topBottom, int32_t leftRight);
// In place; 1 on success.
int32_t __stdcall QmInvert(HGLOBAL dib);
HGLOBAL __stdcall ScaleDib(HGLOBAL dib, int32_t width, int32_t height);
// mode 0 a 1-bit copy, 1-7 the gray kinds (16 or 256 grays).
HGLOBAL __stdcall ScaleToGray(HGLOBAL dib, int32_t mode, int32_t width, int32_t height);
// The skew angle in degrees (clockwise positive); rotating by its negative straightens the page.
double __stdcall tdeskew(HGLOBAL dib, int32_t subsampling, double range, double angleStep,
                         double lineStep, int32_t grayLevel);
// To 1, 4 or 8 bits; the six further values are reserved and pass 0. A new block, or 0.
HGLOBAL __stdcall ReduceDib(HGLOBAL dib, int32_t bits, int32_t, int32_t, int32_t, int32_t,
                            int32_t, int32_t);
}

using QmRotateProc = decltype(&QmRotate);
using QmMirrorProc = decltype(&QmMirror);
using QmInvertProc = decltype(&QmInvert);
using ScaleDibProc = decltype(&ScaleDib);
using ScaleToGrayProc = decltype(&ScaleToGray);
using TDeskewProc = decltype(&tdeskew);
using ReduceDibProc = decltype(&ReduceDib);
