#include "load_checks.h"

#include <cmath>

#include "step_rounding.h"
#include "tag_types.h"

namespace {

int32_t MinOf(int row, const TagState& r) { return RawToInt(kTagTable[row].Type, r.Min); }
int32_t MaxOf(int row, const TagState& r) { return RawToInt(kTagTable[row].Type, r.Max); }
int32_t StepOf(int row, const TagState& r) { return RawToInt(kTagTable[row].Type, r.Step); }

bool HasList(const TagState& r) { return r.Count > 0 && r.Choices; }

bool Among(int row, const TagState& r, int32_t v) {
  if (!HasList(r)) return false;
  const int type = kTagTable[row].Type;
  const int size = TagTypeSize(type);
  for (int i = 0; i < r.Count; ++i)
    if (ReadNumber(type, static_cast<const uint8_t*>(r.Choices) + i * size) == v) return true;
  return false;
}

int32_t First(int row, const TagState& r) {
  return HasList(r) ? ReadNumber(kTagTable[row].Type, r.Choices) : 0;
}

bool OutsideRange(int row, const TagState& r, int32_t v) {
  return v < MinOf(row, r) || v > MaxOf(row, r);
}

}  // namespace

int32_t CheckLoadedInt(int row, const TagState& r, LoadCheck check, int32_t v) {
  switch (check) {
    case kCheckL:
    case kCheckS:
      if (r.Count < 0) return v;
      if (r.Count == 0) {
        if (OutsideRange(row, r, v)) return MinOf(row, r);
        if (check == kCheckS) return RoundToStep(v, StepOf(row, r), MinOf(row, r), MaxOf(row, r));
        return v;
      }
      return Among(row, r, v) ? v : First(row, r);
    case kCheckR:
      return OutsideRange(row, r, v) ? MinOf(row, r) : v;
    case kCheckC:
      // Without a list there is nothing to fall back on: the stored value stays.
      if (!HasList(r)) return v;
      return Among(row, r, v) ? v : First(row, r);
    case kCheckZ:
      return Among(row, r, v) ? v : 0;
    default:
      return v;
  }
}

int32_t CheckLoadedPageSize(int row, const TagState& r, int32_t v) {
  if (r.Count > 0) return Among(row, r, v) ? v : 1;
  return CheckLoadedInt(row, r, kCheckS, v);
}

int32_t ClampMinBuffer(int32_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  if (u > kMinBufferHigh) return static_cast<int32_t>(kMinBufferHigh);
  if (u < kMinBufferLow) return static_cast<int32_t>(kMinBufferLow);
  return v;
}

float CheckLoadedGamma(const TagState& r, int channel, float v) {
  const float fallback = channel == 0 ? 2.2f : 1.0f;
  if (r.Count < 0) return v;
  if (r.Count == 0) {
    const float min = BitsToFloat(r.Min), max = BitsToFloat(r.Max);
    if (!(v >= min && v <= max)) return fallback;
    if (v != 0.0f) return RoundToStep(v, BitsToFloat(r.Step), min, max);
    return v;
  }
  if (!r.Choices) return fallback;
  for (int i = 0; i < r.Count; ++i) {
    float item;
    std::memcpy(&item, static_cast<const uint8_t*>(r.Choices) + i * 4, 4);
    if (item == v) return v;
  }
  return fallback;
}

int16_t CheckLoadedHighlight(int32_t v) { return static_cast<int16_t>(v < 0 || v > 255 ? 255 : v); }
int16_t CheckLoadedShadow(int32_t v) { return static_cast<int16_t>(v < 0 || v > 255 ? 0 : v); }

int32_t CheckCallerScale(int32_t v) {
  return v < kCallerScaleMin || v > kCallerScaleMax ? 0 : v;
}

int32_t DriverValueForCallerScale(int row, const TagState& r, int32_t v) {
  if (r.Count < 0) return v;
  if (r.Count > 0) return Among(row, r, v) ? v : First(row, r);
  return MapFromCallerScale(v, MinOf(row, r), MaxOf(row, r), StepOf(row, r));
}
