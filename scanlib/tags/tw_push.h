// One value pushed to the open TWAIN source as a one-value container.
#pragma once
#include <cstdint>
#include <cstring>

#include "driver_calls.h"
#include "fix32.h"
#include "tw_answer.h"

// The engine's code: 0 taken (also when the source adjusted it), else the refusal.
inline int32_t PushValue(int capability, uint32_t value) {
  return CallTWAINSetValue(capability, kTwOneValue, &value);
}

inline uint32_t Fix32Bits(Fix32 f) {
  uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  return bits;
}

// A whole number as FIX32 (fraction 0).
inline uint32_t WholeFix32(int32_t v) { return Fix32Bits(Fix32{static_cast<int16_t>(v), 0}); }

inline uint32_t FloatFix32(float v) { return Fix32Bits(FloatToFix32(v)); }
