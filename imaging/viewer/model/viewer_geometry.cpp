#include "viewer_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qm {

namespace {
int32_t Saturate(double value) {
  if (!(value == value)) return 0;
  if (value >= double(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  if (value <= double(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}
}  // namespace

int32_t RoundHalfEven(double value) {
  double floor = std::floor(value);
  double diff = value - floor;
  double r = floor;
  if (diff > 0.5) r = floor + 1;
  else if (diff == 0.5) r = std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
  return Saturate(r);
}

int32_t TruncToInt(double value) { return Saturate(std::trunc(value)); }

float ClampScalePercent(float value) { return value < 1.0f ? 1.0f : value; }

QmSize ScaledPaintSize(QmSize image, float percent) {
  double p = percent;
  return {TruncToInt(image.width / 100.0 * p), TruncToInt(image.height / 100.0 * p)};
}

QmSize GrayCopySize(QmSize image, float percent) {
  double p = percent;
  return {RoundHalfEven(image.width * p / 100.0), RoundHalfEven(image.height * p / 100.0)};
}

std::optional<float> BestFitPercent(QmSize image, QmSize outer) {
  if (image.width <= 0 || image.height <= 0) return std::nullopt;
  double fx = (outer.width - 4) / double(image.width);
  double fy = (outer.height - 4) / double(image.height);
  return static_cast<float>(100.0 * std::min(fx, fy));
}

int32_t DpiFromPixelsPerMetre(int32_t ppm) { return RoundHalfEven(ppm / 39.37); }
int32_t PixelsPerMetreFromDpi(int32_t dpi) { return RoundHalfEven(dpi * 39.37); }

std::optional<QmSize> SquarePixelSize(QmSize image, int32_t xDpi, int32_t yDpi, bool force) {
  if (!force && xDpi == yDpi) return std::nullopt;
  if (xDpi <= 0 || yDpi <= 0) return std::nullopt;
  double widthFactor = xDpi < yDpi ? double(yDpi) / xDpi : 1.0;
  double heightFactor = yDpi < xDpi ? double(xDpi) / yDpi : 1.0;
  return QmSize{RoundHalfEven(image.width * widthFactor), RoundHalfEven(image.height * heightFactor)};
}

PaintArea VisiblePaintArea(int32_t paintLeft, int32_t paintTop, QmSize paintBox, QmSize viewer) {
  PaintArea a;
  a.x = -paintLeft;
  a.y = -paintTop;
  a.xx = paintBox.width <= viewer.width ? paintBox.width : viewer.width - paintLeft;
  a.yy = paintBox.height <= viewer.height ? paintBox.height : viewer.height - paintTop;
  return a;
}

double InchesFor(int32_t pixels, int32_t dpi) {
  if (pixels <= 0 || dpi <= 0) return 0.0;
  return double(pixels) / dpi;
}

}  // namespace qm
