// Setting one element of the channel tags: what the library's settings dialog writes back for
// the element it showed, checked as ZebSetValue checks its values.
#pragma once
#include <cstdint>

// The element ZebGetValue answers for the channel tags: FILTER's when PIXELTYPE is colour, else
// the master.
int AnsweredChannelElement();

// BRIGHTNESS or CONTRAST of one element from a caller-scale value (-1000..1000), saved. Answers
// -8 for a value outside the scale, -7 for another row.
int32_t SetCallerScaleElement(int row, int element, int32_t callerValue);

// GAMMA's four values, each checked against GAMMA's choices (a refused one stays), saved.
int32_t SetGammaValues(const float values[4]);
