#include "tag_state.h"

#include "tag_types.h"

TagState g_tagStates[kTagCount];

namespace {
int16_t g_callerScale[2][4];
}  // namespace

namespace {

int TypeOf(int row) { return kTagTable[row].Type; }

uint8_t* Item(int row, int index) {
  return static_cast<uint8_t*>(g_tagStates[row].Choices) +
         static_cast<size_t>(index) * static_cast<size_t>(TagTypeSize(TypeOf(row)));
}

bool InList(int row, int index) {
  const TagState& s = g_tagStates[row];
  return s.Choices && index >= 0 && index < s.Count;
}

}  // namespace

int32_t RawToInt(int type, uint32_t raw) {
  switch (type) {
    case kTypeInt16: return static_cast<int16_t>(raw & 0xFFFF);
    case kTypeUInt16: return static_cast<int32_t>(raw & 0xFFFF);
    default: return static_cast<int32_t>(raw);
  }
}

uint32_t IntToRaw(int type, int32_t value) { return static_cast<uint32_t>(RawToInt(type, static_cast<uint32_t>(value))); }

int32_t ReadNumber(int type, const void* value) {
  if (!value) return 0;
  if (TagTypeSize(type) == 2) {
    uint16_t v;
    std::memcpy(&v, value, 2);
    return RawToInt(type, v);
  }
  int32_t v;
  std::memcpy(&v, value, 4);
  return v;
}

void WriteNumber(int type, int32_t number, void* value) {
  if (!value) return;
  if (TagTypeSize(type) == 2) {
    uint16_t v = static_cast<uint16_t>(number);
    std::memcpy(value, &v, 2);
  } else {
    std::memcpy(value, &number, 4);
  }
}

int32_t CurrentInt(int row) {
  return RawToInt(TypeOf(row), static_cast<uint32_t>(g_tagStates[row].Current));
}
void SetCurrentInt(int row, int32_t value) {
  g_tagStates[row].Current = IntToRaw(TypeOf(row), value);
}
float CurrentFloat(int row) { return BitsToFloat(static_cast<uint32_t>(g_tagStates[row].Current)); }
void SetCurrentFloat(int row, float value) { g_tagStates[row].Current = FloatToBits(value); }
char* CurrentText(int row) { return reinterpret_cast<char*>(g_tagStates[row].Current); }
int16_t* ColourValues(int row) { return reinterpret_cast<int16_t*>(g_tagStates[row].Current); }
int16_t* CallerScaleValues(int row) {
  if (row == kRowBrightness) return g_callerScale[0];
  if (row == kRowContrast) return g_callerScale[1];
  return nullptr;
}
float* GammaValues() { return reinterpret_cast<float*>(g_tagStates[kRowGamma].Current); }

int32_t ChoiceInt(int row, int index) {
  if (!InList(row, index)) return 0;
  return ReadNumber(TypeOf(row), Item(row, index));
}
void SetChoiceInt(int row, int index, int32_t value) {
  if (InList(row, index)) WriteNumber(TypeOf(row), value, Item(row, index));
}
float ChoiceFloat(int row, int index) {
  if (!InList(row, index)) return 0.0f;
  float f;
  std::memcpy(&f, Item(row, index), 4);
  return f;
}
void SetChoiceFloat(int row, int index, float value) {
  if (InList(row, index)) std::memcpy(Item(row, index), &value, 4);
}
const char* ChoiceText(int row, int index) {
  return InList(row, index) ? reinterpret_cast<const char*>(Item(row, index)) : "";
}

bool IsAmongChoices(int row, const void* value) {
  const int type = TypeOf(row);
  const TagState& s = g_tagStates[row];
  if (!value || !s.Choices) return false;
  for (int i = 0; i < s.Count; ++i) {
    if (IsTagStringType(type)) {
      const size_t n = static_cast<size_t>(TagTypeSize(type));
      if (strncmp(static_cast<const char*>(value), ChoiceText(row, i), n) == 0) return true;
    } else if (type == kTypeFloat) {
      float f;
      std::memcpy(&f, value, 4);
      if (f == ChoiceFloat(row, i)) return true;
    } else if (ReadNumber(type, value) == ChoiceInt(row, i)) {
      return true;
    }
  }
  return false;
}

int ChoiceIndexOf(int row, int32_t value) {
  const TagState& s = g_tagStates[row];
  for (int i = 0; s.Choices && i < s.Count; ++i)
    if (ChoiceInt(row, i) == value) return i;
  return -1;
}

int ChannelIndexFor(int32_t filter) { return filter >= 0 && filter < kChannels ? filter : 0; }
int ChannelIndex() { return ChannelIndexFor(CurrentInt(kRowFilter)); }
