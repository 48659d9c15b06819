// The program's two editions, built from the same sources. The edition is fixed when a program
// is built (TARNWICK_EDITION 1 or 2; the first when not given); nothing switches it at run time.
// Each decision that differs takes an Edition, so one test covers both; the built program
// passes kBuiltEdition. Platform-free.
#pragma once

#ifndef TARNWICK_EDITION
#define TARNWICK_EDITION 1
#endif

namespace tarnwick {

enum class Edition { kFirst, kSecond };

constexpr Edition kBuiltEdition = TARNWICK_EDITION == 2 ? Edition::kSecond : Edition::kFirst;

}  // namespace tarnwick
