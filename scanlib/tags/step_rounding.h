// Putting a value on a range's step, and the caller's -1000..1000 scale of brightness and
// contrast. Platform-free.
#pragma once
#include <cstdint>

// ((v + step/2) / step) * step in integer division when v is not a multiple; a step below 1
// leaves v. The result is clamped to min..max, since rounding up can pass max.
int32_t RoundToStep(int32_t v, int32_t step, int32_t min, int32_t max);

// The nearest multiple of step (halves up), clamped to min..max; a step that is not above 0
// (or NaN) leaves v unrounded.
float RoundToStep(float v, float step, float min, float max);

int32_t ClampTo(int32_t v, int32_t min, int32_t max);

constexpr int32_t kCallerScaleMin = -1000;
constexpr int32_t kCallerScaleMax = 1000;

// A value of the caller's scale on the driver's range: v * (max - min) / 2000 +
// (max + min + 1) / 2, then on the step and inside the range; -1000 and 1000 give min and max.
int32_t MapFromCallerScale(int32_t v, int32_t min, int32_t max, int32_t step);

// The caller's value that MapFromCallerScale takes to the driver's value v: the ends of the range
// give -1000 and 1000, a value between them the caller's value nearest to its linear place.
int32_t CallerScaleFor(int32_t v, int32_t min, int32_t max, int32_t step);
