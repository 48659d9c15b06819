// TWAIN's fixed-point number: a signed 16-bit whole part, then a 16-bit fraction of 1/65536.
#pragma once
#include <cstdint>

#pragma pack(push, 1)
struct Fix32 {
  int16_t Whole;
  uint16_t Frac;
};
#pragma pack(pop)
static_assert(sizeof(Fix32) == 4);

// Values beyond what the format holds (|x| of 32768 and more) saturate; NaN gives 0.
Fix32 FloatToFix32(float x);
float Fix32ToFloat(Fix32 v);
