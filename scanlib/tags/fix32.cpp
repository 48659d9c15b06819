#include "fix32.h"

#include <cstdint>

Fix32 FloatToFix32(float x) {
  int32_t v = 0;
  if (x == x) {
    float scaled = x * 65536.0f;
    scaled += x >= 0.0f ? 0.5f : -0.5f;
    if (scaled >= 2147483648.0f)
      v = INT32_MAX;
    else if (scaled < -2147483648.0f)
      v = INT32_MIN;
    else
      v = static_cast<int32_t>(scaled);
  }
  Fix32 r;
  r.Whole = static_cast<int16_t>(v >> 16);
  r.Frac = static_cast<uint16_t>(v & 0xFFFF);
  return r;
}

float Fix32ToFloat(Fix32 v) {
  return static_cast<float>(v.Whole) + static_cast<float>(v.Frac) / 65536.0f;
}
