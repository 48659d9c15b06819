#include "tag_reset.h"

#include <cstring>
#include <initializer_list>

#include "load_checks.h"
#include "settings_store.h"
#include "tag_ids.h"
#include "tag_persistence.h"
#include "tag_state.h"
#include "tag_types.h"
#include "tag_value_io.h"
#include "units.h"

namespace {

bool IsAreaRow(int row) {
  return row == kRowXPosition || row == kRowYPosition || row == kRowImageLength ||
         row == kRowImageWidth;
}

bool KeepsCurrentOnReset(uint16_t tag) {
  return tag == kTagFileName || tag == kTagProductName || tag == kTagDevice5 ||
         tag == kTagDevice6 || tag == kTagDeviceA || tag == kTagAskDriver;
}

}  // namespace

int32_t SaveRow(int row) {
  const TagDef& d = kTagTable[row];
  if (row == kRowBrightness || row == kRowContrast)
    return SaveTagSetting(kScanDataKey, d.Tag, CallerScaleValues(row));
  if (IsColourRow(row)) return SaveTagSetting(kScanDataKey, d.Tag, ColourValues(row));
  if (row == kRowGamma) return SaveTagSetting(kScanDataKey, d.Tag, GammaValues());
  if (IsTagStringType(d.Type)) return SaveTagSetting(kScanDataKey, d.Tag, CurrentText(row));
  uint8_t value[4] = {};
  CopyElementOut(row, 0, value);
  return SaveTagSetting(kScanDataKey, d.Tag, value);
}

void UpdateLengthDetect() {
  g_tagStates[kRowLengthDetect].Max = static_cast<uint32_t>(LengthLeftBelowArea());
}

void ConvertGeometry(int32_t from, int32_t to) {
  if (ConvertUnits(from, to) != 0) return;
  for (int row : {kRowPhysicalHeight, kRowPhysicalWidth}) {
    TagState& s = g_tagStates[row];
    s.Default = FloatToBits(SnapToUnitGrid(ConvertUnitValue(BitsToFloat(static_cast<uint32_t>(s.Default)), from, to), to));
  }
}

void ResetRow(int row, void* out) {
  TagState& s = g_tagStates[row];
  const TagDef& d = kTagTable[row];
  if (KeepsCurrentOnReset(d.Tag)) {
    CopyElementOut(row, 0, out);
    return;
  }
  if (IsColourRow(row)) {
    int16_t* values = ColourValues(row);
    const int32_t def = RawToInt(kTypeInt16, static_cast<uint32_t>(s.Default));
    int16_t* caller = CallerScaleValues(row);
    // BRIGHTNESS and CONTRAST keep their default on the caller's scale.
    const int32_t driver = caller ? DriverValueForCallerScale(row, s, def) : def;
    for (int c = 0; c < kChannels; ++c) {
      if (values) values[c] = static_cast<int16_t>(driver);
      if (caller) caller[c] = static_cast<int16_t>(def);
    }
  } else if (row == kRowGamma) {
    if (float* g = GammaValues()) {
      g[0] = 2.2f;
      for (int c = 1; c < kChannels; ++c) g[c] = BitsToFloat(static_cast<uint32_t>(s.Default));
    }
  } else if (IsTagStringType(d.Type)) {
    char* text = CurrentText(row);
    const char* def = reinterpret_cast<const char*>(s.Default);
    if (text) {
      const size_t size = static_cast<size_t>(TagTypeSize(d.Type));
      const size_t n = def ? strnlen(def, size - 1) : 0;
      if (n) std::memmove(text, def, n);
      text[n] = '\0';
    }
  } else if (row == kRowUnits) {
    const int32_t current = CurrentInt(kRowUnits);
    const int32_t def = RawToInt(d.Type, static_cast<uint32_t>(s.Default));
    if (def != current && IsKnownUnit(def)) {
      // The area goes along with the unit, as when UNITS is set.
      ConvertGeometry(current, def);
      s.Current = s.Default;
      for (int area : {kRowXPosition, kRowYPosition, kRowImageLength, kRowImageWidth}) SaveRow(area);
    }
    s.Current = s.Default;
  } else if (IsAreaRow(row)) {
    // The defaults are pixel values; the area stays in the current unit.
    const int32_t unit = CurrentInt(kRowUnits);
    const float px = BitsToFloat(static_cast<uint32_t>(s.Default));
    SetCurrentFloat(row, SnapToUnitGrid(ConvertUnitValue(px, kUnitPixel, unit), unit));
  } else {
    s.Current = s.Default;
  }
  if (IsAreaRow(row)) UpdateLengthDetect();
  CopyElementOut(row, 0, out);
  SaveRow(row);
}
