// The geometry tags in the three units (0 inch, 1 cm, 2 pixel at 300 per inch). Platform-free.
#pragma once
#include <cstdint>

bool IsKnownUnit(int32_t unit);

// v in `from` expressed in `to`, with the factors of ConvertUnits; v unchanged for unknown units.
float ConvertUnitValue(float v, int32_t from, int32_t to);

// v on the unit's grid: multiples of 0.005 inch, 0.01 cm, whole pixels.
float SnapToUnitGrid(float v, int32_t unit);

// The step of the area tags in the unit: 0.005, 0.01 or 1.0.
float AreaStepFor(int32_t unit);

// Converts every geometry tag's Current, list items, Min and Max in place and sets the area
// tags' step for `to`. Answers -7 for a unit outside the table, before anything changes.
int32_t ConvertUnits(int32_t from, int32_t to);

// A length in pixels at 300 per inch, rounded to the nearest pixel (the page-size thresholds).
int32_t RoundedPixels(float v, int32_t unit);

// PHYSICALHEIGHT - IMAGELENGTH - YPOSITION in pixels, truncated: LENGTHDETECT's maximum.
int32_t LengthLeftBelowArea();
