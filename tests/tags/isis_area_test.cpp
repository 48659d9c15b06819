#include <gtest/gtest.h>

#include <limits>

#include "isis_area.h"
#include "tag_ids.h"

namespace {

TEST(IsisAreaAxis, AreaIsKeptOnThePageThenGoesToDevicePixelsOnTheStep) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  struct Case {
    const char* what;
    float position, extent, maximum;
    int32_t unit, resolution, positionStep, extentStep;
    int32_t x, e;
  } cases[] = {
      {"inside", 1.0f, 4.0f, 8.5f, kUnitInch, 300, 1, 1, 300, 1200},
      {"runs past the end: moved back", 1.0f, 8.0f, 8.5f, kUnitInch, 200, 8, 8, 96, 1600},
      {"wider than the page: cut, at 0", 2.0f, 20.0f, 14.0f, kUnitInch, 200, 1, 1, 0, 2800},
      {"centimetres", 2.54f, 10.16f, 21.59f, kUnitCm, 100, 1, 1, 100, 400},
      {"pixels at 300", 30.0f, 600.0f, 2550.0f, kUnitPixel, 150, 4, 4, 12, 300},
      {"step 0 counts as 1", 0.5f, 3.0f, 8.5f, kUnitInch, 101, 0, -5, 51, 303},
      {"negative position and extent", -3.0f, -1.0f, 8.5f, kUnitInch, 300, 1, 1, 0, 0},
      {"huge extent is clamped, not overflowed", 0.0f, 1e30f, 8.5f, kUnitInch, 300, 1, 1, 0, 2550},
      {"huge position is clamped", 1e30f, 1.0f, 8.5f, kUnitInch, 300, 1, 1, 2250, 300},
      {"infinite and not-a-number", inf, nan, 8.5f, kUnitInch, 300, 1, 1, 2550, 0},
  };
  for (const Case& c : cases) {
    const IsisAxis a = IsisAreaAxis(c.position, c.extent, c.maximum, c.unit, c.resolution,
                                    c.positionStep, c.extentStep);
    EXPECT_EQ(a.position, c.x) << c.what;
    EXPECT_EQ(a.extent, c.e) << c.what;
  }
}

}  // namespace
