// The tag values the page services read: the current value once the tag records exist, else
// the value a fresh start would load.
#pragma once
#include <cstdint>

uint32_t CurrentBlankHold();
uint32_t CurrentAutoTypeHold();
