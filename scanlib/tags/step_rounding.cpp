#include "step_rounding.h"

#include <cmath>

int32_t ClampTo(int32_t v, int32_t min, int32_t max) {
  if (v < min) return min;
  if (v > max) return max;
  return v;
}

int32_t RoundToStep(int32_t v, int32_t step, int32_t min, int32_t max) {
  if (step > 1 && v % step != 0) {
    const int64_t r = (static_cast<int64_t>(v) + step / 2) / step * step;
    v = r > INT32_MAX ? INT32_MAX : r < INT32_MIN ? INT32_MIN : static_cast<int32_t>(r);
  }
  return ClampTo(v, min, max);
}

float RoundToStep(float v, float step, float min, float max) {
  if (step > 0.0f && std::fmod(v, step) != 0.0f) v = std::floor(v / step + 0.5f) * step;
  if (v < min) return min;
  if (v > max) return max;
  return v;
}

int32_t MapFromCallerScale(int32_t v, int32_t min, int32_t max, int32_t step) {
  // The ends of the scale are the ends of the range: truncation would leave -1000 one above
  // Min on a range of odd span.
  if (v <= kCallerScaleMin) return min;
  if (v >= kCallerScaleMax) return max;
  const int64_t span = static_cast<int64_t>(max) - min;
  const int64_t mid = (static_cast<int64_t>(max) + min + 1) / 2;
  const int64_t mapped = mid + span * v / 2000;
  return RoundToStep(static_cast<int32_t>(mapped), step, min, max);
}

int32_t CallerScaleFor(int32_t v, int32_t min, int32_t max, int32_t step) {
  if (max <= min) return 0;
  if (v <= min) return kCallerScaleMin;
  if (v >= max) return kCallerScaleMax;
  const int64_t span = static_cast<int64_t>(max) - min;
  const int64_t mid = (static_cast<int64_t>(max) + min + 1) / 2;
  // The linear estimate, rounded half away from zero, then the nearest caller value that maps
  // back to v (a coarse step may leave v itself off the driver's grid: then the estimate).
  const int64_t scaled = (static_cast<int64_t>(v) - mid) * 2000;
  int64_t estimate = scaled >= 0 ? (scaled + span / 2) / span : -((-scaled + span / 2) / span);
  if (estimate < kCallerScaleMin) estimate = kCallerScaleMin;
  if (estimate > kCallerScaleMax) estimate = kCallerScaleMax;
  const int32_t c0 = static_cast<int32_t>(estimate);
  for (int32_t d = 0; d <= 2000; ++d) {
    if (c0 - d >= kCallerScaleMin && MapFromCallerScale(c0 - d, min, max, step) == v) return c0 - d;
    if (c0 + d <= kCallerScaleMax && MapFromCallerScale(c0 + d, min, max, step) == v) return c0 + d;
  }
  return c0;
}
