// The scan area as an ISIS driver takes it: position and extent of one axis in device pixels, on
// the driver's step. Platform-free.
#pragma once
#include <cstdint>

struct IsisAxis {
  int32_t position;
  int32_t extent;
};

// The axis's position, extent and physical maximum in the area's unit (0 inch, 1 cm, 2 pixel at
// 300 per inch), brought to 1/300 inch and kept on the page: an area running past the maximum
// keeps its extent and moves back, one wider than the maximum is cut to it. Then both go to
// device pixels at `resolution` and down to a multiple of the driver's step for each (a step
// below 1 counts as 1).
IsisAxis IsisAreaAxis(float position, float extent, float maximum, int32_t unit, int32_t resolution,
                      int32_t positionStep, int32_t extentStep);
