// The run-time record of every scan tag, and typed access to its fields. Platform-free.
#pragma once
#include <cstdint>
#include <cstring>

#include "tag_table.h"

// Count -1: unsupported (any value kept); 0: a range Min..Max by Step; n > 0: a list of n items.
// Numbers are held as 32-bit integers (16-bit types widened) or float bits; string types and
// the channel rows hold a pointer to a tag block in Current (and strings in Default too).
struct TagState {
  int32_t Count = 0;
  void* Choices = nullptr;
  uint32_t Min = 0;
  uint32_t Max = 0;
  uint32_t Step = 0;
  uintptr_t Current = 0;
  uintptr_t Default = 0;
};

constexpr int kChannels = 4;  // master, red, green, blue

extern TagState g_tagStates[kTagCount];

inline float BitsToFloat(uint32_t bits) {
  float f;
  std::memcpy(&f, &bits, 4);
  return f;
}
inline uint32_t FloatToBits(float f) {
  uint32_t bits;
  std::memcpy(&bits, &f, 4);
  return bits;
}

// The number a raw 32-bit field holds, in the row's type.
int32_t RawToInt(int type, uint32_t raw);
uint32_t IntToRaw(int type, int32_t value);

int32_t CurrentInt(int row);
void SetCurrentInt(int row, int32_t value);
float CurrentFloat(int row);
void SetCurrentFloat(int row, float value);
char* CurrentText(int row);
int16_t* ColourValues(int row);  // the four 16-bit values of a colour row
float* GammaValues();            // GAMMA's four floats

// BRIGHTNESS and CONTRAST as the caller gave them (-1000..1000), which is what is stored:
// Current holds the driver's scale, and storing that would map it twice on the next load.
int16_t* CallerScaleValues(int row);  // nullptr for other rows

// List items, in the row's type.
int32_t ChoiceInt(int row, int index);
void SetChoiceInt(int row, int index, int32_t value);
float ChoiceFloat(int row, int index);
void SetChoiceFloat(int row, int index, float value);
const char* ChoiceText(int row, int index);

// Whether the value (in the row's type, as the caller's buffer holds it) is one of the items.
bool IsAmongChoices(int row, const void* value);
int ChoiceIndexOf(int row, int32_t value);  // -1 when absent

// FILTER's value as an index of the channel arrays: values outside 0..3 pick the master.
int ChannelIndex();
int ChannelIndexFor(int32_t filter);

// Reads a number in the row's type from a caller buffer, and writes one back.
int32_t ReadNumber(int type, const void* value);
void WriteNumber(int type, int32_t number, void* value);
