// Copies one value between a TWAIN item type and a tag value type. Platform-free.
#pragma once

// Pairs the conversion does not know leave the destination as it was, as do null pointers.
// Strings are cut to the destination type's size and always terminated.
void ConvertTagValue(void* dest, int destType, int srcType, const void* src);
