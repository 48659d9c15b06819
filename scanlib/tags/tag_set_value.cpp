// ZebSetValue: a value validated against its record, stored, its side effects run, saved.
#include <cstring>

#include "debug_log.h"
#include "driver_calls.h"
#include "file_name_rule.h"
#include "library_state.h"
#include "load_checks.h"
#include "page_sizes.h"
#include "step_rounding.h"
#include "tag_exports.h"
#include "tag_ids.h"
#include "tag_records.h"
#include "tag_reset.h"
#include "tag_side_effects.h"
#include "tag_state.h"
#include "tag_types.h"
#include "units.h"

namespace {

bool NotSettable(uint16_t tag) {
  switch (tag) {
    case kTagProductName: case kTagDevice5: case kTagDevice6: case kTagDeviceA:
    case kTagAskDriver: case kTagPhysicalHeight: case kTagPhysicalWidth: case kTagPaperPresent:
      return true;
    default:
      return false;
  }
}

// The generic rule: unsupported takes anything, a list its items, a range its span with the
// value put on the step and written back. Answers the accepted value as the records keep it.
int32_t Validate(int row, void* value, uint32_t* raw) {
  const TagState& s = g_tagStates[row];
  const int type = kTagTable[row].Type;
  if (type == kTypeFloat) {
    float f;
    std::memcpy(&f, value, 4);
    if (s.Count > 0 && !IsAmongChoices(row, value)) return kZebValueRefused;
    if (s.Count == 0) {
      const float min = BitsToFloat(s.Min), max = BitsToFloat(s.Max);
      if (!(f >= min && f <= max)) return kZebValueRefused;
      f = RoundToStep(f, BitsToFloat(s.Step), min, max);
      std::memcpy(value, &f, 4);
    }
    *raw = FloatToBits(f);
    return kZebOk;
  }
  int32_t v = ReadNumber(type, value);
  if (s.Count > 0 && !IsAmongChoices(row, value)) return kZebValueRefused;
  if (s.Count == 0) {
    const int32_t min = RawToInt(type, s.Min), max = RawToInt(type, s.Max);
    if (v < min || v > max) return kZebValueRefused;
    v = RoundToStep(v, RawToInt(type, s.Step), min, max);
    WriteNumber(type, v, value);
  }
  *raw = IntToRaw(type, v);
  return kZebOk;
}

int32_t SetListOnly(int row, void* value) {
  const TagState& s = g_tagStates[row];
  if (s.Count <= 0 || !IsAmongChoices(row, value)) return kZebValueRefused;
  SetCurrentInt(row, ReadNumber(kTagTable[row].Type, value));
  return kZebOk;
}

int32_t SetCallerScale(int row, const void* value) {
  const int32_t v = ReadNumber(kTypeInt16, value);
  if (v < kCallerScaleMin || v > kCallerScaleMax) return kZebValueRefused;
  const TagState& s = g_tagStates[row];
  const int c = ChannelIndex();
  if (int16_t* values = ColourValues(row)) values[c] = static_cast<int16_t>(DriverValueForCallerScale(row, s, v));
  if (int16_t* caller = CallerScaleValues(row)) caller[c] = static_cast<int16_t>(v);
  return kZebOk;
}

int32_t SetLevel(int row, const void* value) {
  const int32_t v = ReadNumber(kTypeInt16, value);
  const TagState& s = g_tagStates[row];
  if (s.Count == 0 && (v < RawToInt(kTypeInt16, s.Min) || v > RawToInt(kTypeInt16, s.Max))) return kZebValueRefused;
  if (s.Count > 0 && !IsAmongChoices(row, value)) return kZebValueRefused;
  if (int16_t* values = ColourValues(row)) values[ChannelIndex()] = static_cast<int16_t>(v);
  return kZebOk;
}

int32_t SetGamma(void* value) {
  uint32_t raw = 0;
  const int32_t rc = Validate(kRowGamma, value, &raw);
  if (rc != kZebOk) return rc;
  if (float* g = GammaValues()) g[ChannelIndex()] = BitsToFloat(raw);
  return kZebOk;
}

int32_t SetDither(const void* value) {
  const TagState& s = g_tagStates[kRowDither];
  if (s.Count > 0 && !IsAmongChoices(kRowDither, value)) return kZebValueRefused;
  char* text = CurrentText(kRowDither);
  if (!text) return kZebValueRefused;
  const size_t size = static_cast<size_t>(TagTypeSize(kTypeStr32));
  const size_t n = strnlen(static_cast<const char*>(value), size - 1);
  std::memmove(text, value, n);
  text[n] = '\0';
  return kZebOk;
}

int32_t SetFileName(const void* value) {
  char stored[kFileNameSize];
  int32_t format = 0;
  const int32_t old = CurrentInt(kRowFileFormat);
  if (ApplyFileName(static_cast<const char*>(value), old, stored, &format) != 0) return kZebValueRefused;
  char* text = CurrentText(kRowFileName);
  if (!text) return kZebValueRefused;
  std::memcpy(text, stored, std::strlen(stored) + 1);
  if (format != old) {
    SetCurrentInt(kRowFileFormat, format);
    SaveRow(kRowFileFormat);
  }
  return kZebOk;
}

int32_t SetGeneric(int row, void* value) {
  const int32_t old = CurrentInt(row);
  uint32_t raw = 0;
  const int32_t rc = Validate(row, value, &raw);
  if (rc != kZebOk) return rc;
  g_tagStates[row].Current = raw;
  switch (kTagTable[row].Tag) {
    case kTagPixelType: PixelTypeChanged(old, RawToInt(kTagTable[row].Type, raw)); break;
    case kTagBitsPerPixel:
      if (CurrentInt(row) == 1) {
        SetCurrentInt(kRowPixelType, 0);
        SaveRow(kRowPixelType);
      }
      break;
    case kTagEnergySaving: CallKSSetValue(kTagEnergySaving, kTagTable[row].Type, value); break;
    case kTagFileFormat: FileFormatChanged(); break;
    case kTagXPosition: case kTagYPosition: case kTagImageLength: case kTagImageWidth:
      KeepAreaInside(row);
      break;
    case kTagUnits:
      if (old != CurrentInt(row)) UnitsChanged(old, CurrentInt(row));
      break;
    case kTagPageSize: PageSizeChanged(); break;
    default: break;
  }
  return kZebOk;
}

int32_t SetRow(int row, void* value) {
  switch (kTagTable[row].Tag) {
    case kTagLanguage: {
      const int32_t rc = SetListOnly(row, value);
      if (rc != kZebOk) return rc;
      SaveRow(row);
      CallKSSetValue(kTagLanguage, kTagTable[row].Type, value);
      LanguageChanged();
      return kZebOk;
    }
    case kTagScanType: {
      const int32_t rc = SetListOnly(row, value);
      if (rc != kZebOk) return rc;
      ScanTypeChanged();
      break;
    }
    case kTagBrightness:
    case kTagContrast: {
      const int32_t rc = SetCallerScale(row, value);
      if (rc != kZebOk) return rc;
      break;
    }
    case kTagHighlight:
    case kTagShadow: {
      const int32_t rc = SetLevel(row, value);
      if (rc != kZebOk) return rc;
      break;
    }
    case kTagGamma: {
      const int32_t rc = SetGamma(value);
      if (rc != kZebOk) return rc;
      break;
    }
    case kTagDither: {
      const int32_t rc = SetDither(value);
      if (rc != kZebOk) return rc;
      break;
    }
    case kTagFileName:
      return SetFileName(value);
    default: {
      const int32_t rc = SetGeneric(row, value);
      if (rc != kZebOk) return rc;
      break;
    }
  }
  SaveRow(row);
  return kZebOk;
}

}  // namespace

extern "C" int32_t __stdcall ZebSetValue(uint32_t tag, void* value) {
  WriteLog(kLogFileName, "ZebSetValue", "In ", 1, LogValue::Int(static_cast<int32_t>(tag & 0xFFFF)), 1);
  int32_t rc = TagEntryCheck(false);
  if (rc == kZebOk) {
    const int row = FindTag(tag);
    if (row == kNoRow || NotSettable(static_cast<uint16_t>(tag))) rc = kZebNotBound;
    else if (!value) rc = kZebValueRefused;
    else rc = SetRow(row, value);
  }
  LogOut("ZebSetValue", rc);
  return rc;
}
