// Nothing thrown inside an imaging library may cross its boundary: a throw becomes a failure.
#pragma once
#include "lt_bitmap.h"

namespace ltbitmap {

template <typename F>
auto Guarded(F f, decltype(f()) failure) -> decltype(f()) {
  try {
    return f();
  } catch (...) {
    return failure;
  }
}

// A codec-library status as an imaging-library result.
int32_t ResultOf(int status);

}  // namespace ltbitmap
