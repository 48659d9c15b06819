// The viewer's arithmetic: scale, paint-box size, gray-copy size, best fit, square pixels,
// resolutions and the visible part of the page. ScalePercent is a 32-bit float; "Round" rounds
// halves to the even neighbour and "Trunc" cuts towards zero, as the viewer always has.
#pragma once
#include <cstdint>
#include <optional>

namespace qm {

struct QmSize {
  int32_t width = 0, height = 0;
  bool operator==(const QmSize&) const = default;
};

int32_t RoundHalfEven(double value);
int32_t TruncToInt(double value);

// The value ScalePercent takes when it is set: at least 1.
float ClampScalePercent(float value);
// Paint box without gray copy: Trunc(size / 100 * percent).
QmSize ScaledPaintSize(QmSize image, float percent);
// Target of the gray display copy: Round(size * percent / 100).
QmSize GrayCopySize(QmSize image, float percent);
// Percentage that fits the whole image into the control's outer size less 4 pixels;
// nothing without an image.
std::optional<float> BestFitPercent(QmSize image, QmSize outer);

// Resolution in dots per inch from the header's pixels per metre and back.
int32_t DpiFromPixelsPerMetre(int32_t ppm);
int32_t PixelsPerMetreFromDpi(int32_t dpi);

// Size that makes pixels square for resolutions x and y (dpi); nothing when they are equal
// (unless forced) or when either is not positive, which a header with 0 pixels per metre gives.
std::optional<QmSize> SquarePixelSize(QmSize image, int32_t xDpi, int32_t yDpi, bool force);

// Visible part of the scaled image, as reported after each paint: (x, y)-(xx, yy).
struct PaintArea {
  int32_t x = 0, y = 0, xx = 0, yy = 0;
  bool operator==(const PaintArea&) const = default;
};
PaintArea VisiblePaintArea(int32_t paintLeft, int32_t paintTop, QmSize paintBox, QmSize viewer);

// Image size in inches; 0 without an image or a resolution.
double InchesFor(int32_t pixels, int32_t dpi);

}  // namespace qm
