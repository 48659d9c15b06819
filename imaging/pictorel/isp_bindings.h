// Wrappers of the image-processing library ISP2000.DLL for the viewer and the thumbnail strip.
// Images are page DIB handles; a returned handle is new and belongs to the caller, the
// argument handle stays with the caller unless said otherwise.
#pragma once
#include <windows.h>

// Rotates clockwise by angle degrees the rectangle (the whole image when right or bottom is 0),
// filling uncovered corners with fill. On success the old block is freed and handle takes the
// rotated one; on failure handle keeps the source and the result is false.
bool RotateImage(HGLOBAL& handle, int left, int top, int right, int bottom, double angle,
                 COLORREF fill);
// Mirrors the source in place (first flag: rows, second: columns) and answers a copy of it.
HGLOBAL MirrorImage(HGLOBAL handle, bool first, bool second);
// Inverts in place; true when the library reports success.
bool InvertImage(HGLOBAL& handle);
// The image scaled at 24 bits and brought back to bits (a 1-bit source comes back at 4 bits).
HGLOBAL ResizeImage(HGLOBAL handle, int width, int height, int bits);
// A gray display copy; mode is the viewer's gray-scaling choice (0 gives a 1-bit copy).
HGLOBAL ScaleImageToGray(HGLOBAL handle, int mode, int width, int height);
// Measures the skew angle (degrees, clockwise positive; 0 on failure). The handle is not changed.
double DeskewImage(HGLOBAL& handle, int subsampling, int grayValue, double range,
                   double angleResolution, double lineResolution);
// To 1, 4 or 8 bits; a 32-bit source comes back as 24 bits instead.
HGLOBAL ReduceColors(HGLOBAL handle, int bits);
// Raised to bits by the depth conversions; null when there is nothing to raise.
HGLOBAL IncreaseColors(HGLOBAL handle, int bits);
