#include "tag_element_values.h"

#include <cstring>

#include "load_checks.h"
#include "status_codes.h"
#include "step_rounding.h"
#include "tag_reset.h"
#include "tag_state.h"

int AnsweredChannelElement() { return CurrentInt(kRowPixelType) == 2 ? ChannelIndex() : 0; }

int32_t SetCallerScaleElement(int row, int element, int32_t v) {
  if (row != kRowBrightness && row != kRowContrast) return kZebNotBound;
  if (v < kCallerScaleMin || v > kCallerScaleMax) return kZebValueRefused;
  const int c = ChannelIndexFor(element);
  if (int16_t* values = ColourValues(row))
    values[c] = static_cast<int16_t>(DriverValueForCallerScale(row, g_tagStates[row], v));
  if (int16_t* caller = CallerScaleValues(row)) caller[c] = static_cast<int16_t>(v);
  SaveRow(row);
  return kZebOk;
}

int32_t SetGammaValues(const float values[4]) {
  float* g = GammaValues();
  if (!g) return kZebNotBound;
  const TagState& s = g_tagStates[kRowGamma];
  for (int c = 0; c < kChannels; ++c) {
    float v = values[c];
    if (s.Count > 0 && !IsAmongChoices(kRowGamma, &v)) continue;
    if (s.Count == 0) {
      const float min = BitsToFloat(s.Min), max = BitsToFloat(s.Max);
      if (!(v >= min && v <= max)) continue;
      v = RoundToStep(v, BitsToFloat(s.Step), min, max);
    }
    g[c] = v;
  }
  SaveRow(kRowGamma);
  return kZebOk;
}
