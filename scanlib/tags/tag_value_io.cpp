#include "tag_value_io.h"

#include <cstring>

#include "tag_element_values.h"
#include "tag_state.h"
#include "tag_types.h"

void CopyElementOut(int row, int element, void* out) {
  if (!out) return;
  const int type = kTagTable[row].Type;
  const int c = ChannelIndexFor(element);
  if (IsColourRow(row)) {
    const int16_t* v = ColourValues(row);
    const int16_t e = v ? v[c] : 0;
    std::memcpy(out, &e, 2);
  } else if (row == kRowGamma) {
    const float* v = GammaValues();
    const float e = v ? v[c] : 0.0f;
    std::memcpy(out, &e, 4);
  } else if (IsTagStringType(type)) {
    const char* text = CurrentText(row);
    const size_t size = static_cast<size_t>(TagTypeSize(type));
    size_t n = text ? strnlen(text, size - 1) : 0;
    if (n) std::memcpy(out, text, n);
    static_cast<char*>(out)[n] = '\0';
  } else if (type == kTypeFloat) {
    const uint32_t bits = static_cast<uint32_t>(g_tagStates[row].Current);
    std::memcpy(out, &bits, 4);
  } else {
    WriteNumber(type, CurrentInt(row), out);
  }
}

void CopyCurrentOut(int row, void* out) { CopyElementOut(row, AnsweredChannelElement(), out); }

uint32_t ReadCallerRaw(int row, const void* value) {
  const int type = kTagTable[row].Type;
  if (type == kTypeFloat) {
    uint32_t bits;
    std::memcpy(&bits, value, 4);
    return bits;
  }
  return IntToRaw(type, ReadNumber(type, value));
}
