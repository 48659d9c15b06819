#include "units.h"

#include "tag_state.h"
#include "tag_table.h"

namespace {

constexpr int kAreaRows[] = {kRowXPosition, kRowYPosition, kRowImageLength, kRowImageWidth};
constexpr int kPhysicalRows[] = {kRowPhysicalHeight, kRowPhysicalWidth};

uint32_t Convert(uint32_t bits, int32_t from, int32_t to) {
  return FloatToBits(SnapToUnitGrid(ConvertUnitValue(BitsToFloat(bits), from, to), to));
}

}  // namespace

bool IsKnownUnit(int32_t unit) { return unit >= 0 && unit <= 2; }

float ConvertUnitValue(float v, int32_t from, int32_t to) {
  if (from == to || !IsKnownUnit(from) || !IsKnownUnit(to)) return v;
  if (from == 0) return to == 1 ? v * 2.54f : v * 300.0f;
  if (from == 1) return to == 0 ? v / 2.54f : v * 300.0f / 2.54f;
  return to == 0 ? v / 300.0f : v * 2.54f / 300.0f;
}

float SnapToUnitGrid(float v, int32_t unit) {
  switch (unit) {
    case 0: {
      const int32_t n = 5 * (static_cast<int32_t>(1000.0f * (v + 0.0025f)) / 5);
      return static_cast<float>(n) / 1000.0f;
    }
    case 1: return static_cast<float>(static_cast<int32_t>(100.0f * (v + 0.005f))) / 100.0f;
    case 2: return static_cast<float>(static_cast<int32_t>(v + 0.5f));
    default: return v;
  }
}

float AreaStepFor(int32_t unit) { return unit == 0 ? 0.005f : unit == 1 ? 0.01f : 1.0f; }

int32_t ConvertUnits(int32_t from, int32_t to) {
  if (!IsKnownUnit(from) || !IsKnownUnit(to)) return -7;
  for (int row : kPhysicalRows) {
    TagState& s = g_tagStates[row];
    s.Current = Convert(static_cast<uint32_t>(s.Current), from, to);
    for (int i = 0; s.Choices && i < s.Count; ++i)
      SetChoiceFloat(row, i, SnapToUnitGrid(ConvertUnitValue(ChoiceFloat(row, i), from, to), to));
  }
  for (int row : kAreaRows) {
    TagState& s = g_tagStates[row];
    s.Max = Convert(s.Max, from, to);
    s.Min = Convert(s.Min, from, to);
    s.Step = FloatToBits(AreaStepFor(to));
    s.Current = Convert(static_cast<uint32_t>(s.Current), from, to);
  }
  return 0;
}

int32_t RoundedPixels(float v, int32_t unit) {
  if (unit == 0) return static_cast<int32_t>(v * 300.0f + 0.5f);
  if (unit == 1) return static_cast<int32_t>(v * 300.0f * 0.39370078740157477f + 0.5f);
  return static_cast<int32_t>(v);
}

int32_t LengthLeftBelowArea() {
  const int32_t unit = CurrentInt(kRowUnits);
  float k = 1.0f;
  if (unit == 0) k = 300.0f;
  else if (unit == 1) k = 300.0f * 0.39370078740157477f;
  const float left = CurrentFloat(kRowPhysicalHeight) * k - CurrentFloat(kRowImageLength) * k -
                     CurrentFloat(kRowYPosition) * k;
  if (!(left == left) || left >= 2147483648.0f || left < -2147483648.0f) return 0;
  return static_cast<int32_t>(left);
}
