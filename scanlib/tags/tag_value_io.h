// Moving a record's value to and from a caller's buffer in the tag's own type.
#pragma once
#include <cstdint>

// The current value as ZebGetValue answers it (the channel rows: the FILTER element when
// PIXELTYPE is colour, else the master).
void CopyCurrentOut(int row, void* out);
// The row's current value in its type into out; the channel rows give the given element.
void CopyElementOut(int row, int element, void* out);
// The value a caller's buffer holds, as the records keep numbers (int or float bits).
uint32_t ReadCallerRaw(int row, const void* value);
