#include "isis_area.h"

#include "tag_ids.h"

namespace {

float ToThreeHundredths(float v, int32_t unit) {
  if (unit == kUnitInch) return v * 300.0f;
  if (unit == kUnitCm) return static_cast<float>(v * 300.0 * 0.39370078740157477);
  return v;
}

// Clamped as floats before anything is truncated, so no value overflows an integer or goes below 0.
float AtLeastZero(float v) { return v >= 0.0f ? v : 0.0f; }

int32_t ToDevicePixels(float v, int32_t resolution, int32_t step) {
  double px = static_cast<double>(v) * resolution * 0.0033333334 + 0.5;
  if (!(px >= 0.0)) px = 0.0;
  if (px > 2147483647.0) px = 2147483647.0;
  const int32_t n = static_cast<int32_t>(px);
  if (step < 1) step = 1;
  return n - n % step;
}

}  // namespace

IsisAxis IsisAreaAxis(float position, float extent, float maximum, int32_t unit, int32_t resolution,
                      int32_t positionStep, int32_t extentStep) {
  float m = AtLeastZero(ToThreeHundredths(maximum, unit));
  float p = AtLeastZero(ToThreeHundredths(position, unit));
  float e = AtLeastZero(ToThreeHundredths(extent, unit));
  if (m > 2147483647.0f) m = 2147483647.0f;
  if (e > m) e = m;
  if (p > m - e) p = m - e;
  // Whole 1/300 inch, as the driver's maxima are.
  p = static_cast<float>(static_cast<int32_t>(p));
  e = static_cast<float>(static_cast<int32_t>(e));
  if (resolution < 0) resolution = 0;
  return {ToDevicePixels(p, resolution, positionStep), ToDevicePixels(e, resolution, extentStep)};
}
