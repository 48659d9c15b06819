#include "tag_persistence.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "c_locale_number.h"
#include "load_checks.h"
#include "settings_store.h"
#include "tag_ids.h"
#include "tag_setting_table.h"
#include "tag_types.h"

namespace {

constexpr int kSourceNameScratch = 42;  // as much as a stored source name may hold
constexpr int kTextSize = 64;

const char* KeyFor(int row, const char* key) {
  if (key && (IsColourRow(row) || row == kRowGamma || row == kRowFilter)) return key;
  return kScanDataKey;
}

// The INI file stands in for the registry while writes fail; a value it holds counts as stored.
bool FallbackHolds(const char* name) {
  if (!SettingsFallbackActive()) return false;
  char text[8];
  const char* absent = "\x01<none>";
  GetPrivateProfileStringA(kFallbackSection, name, absent, text, sizeof text, kFallbackFile);
  return std::strcmp(text, absent) != 0;
}

bool ReadStored(const char* key, const char* name, void* dest, int kind, int size) {
  const long rc = ReadSetting(key, name, dest, kind, size);
  return rc == 0 || FallbackHolds(name);
}

int32_t ReadStoredInt(const char* key, const char* name, const char* fallback) {
  int32_t v = 0;
  if (ReadStored(key, name, &v, kSettingInt, 4)) return v;
  return fallback ? static_cast<int32_t>(std::strtol(fallback, nullptr, 10)) : 0;
}

// A value kept as text; the fallback text when nothing is stored.
void ReadStoredText(const char* key, const char* name, const char* fallback, char* out, int size) {
  if (ReadStored(key, name, out, kSettingString, size)) return;
  std::snprintf(out, static_cast<size_t>(size), "%s", fallback ? fallback : "");
}

float ReadStoredFloat(const char* key, const char* name, const char* fallback) {
  char text[kTextSize];
  ReadStoredText(key, name, fallback, text, sizeof text);
  return static_cast<float>(ParseNumberC(text));
}

int WriteText(const char* key, const char* name, const char* text) {
  return WriteSetting(key, name, text, kSettingString, static_cast<int>(std::strlen(text)));
}

int32_t WriteFour(const char* key, int row, const void* value) {
  const TagSetting& s = kTagSettings[row];
  int result = 0;
  for (int c = 0; c < kChannels; ++c) {
    char name[32];
    ChannelValueName(kTagTable[row].RegName, c, name);
    char text[kTextSize];
    if (s.Kind == kStoreFourGamma) {
      std::snprintf(text, sizeof text, "%s",
                    FormatFixedC(static_cast<double>(static_cast<const float*>(value)[c]), 2, 2).c_str());
      result = WriteText(key, name, text);
    } else if (s.Kind == kStoreFourIntTexts) {
      std::snprintf(text, sizeof text, "%d", static_cast<const int16_t*>(value)[c]);
      result = WriteText(key, name, text);
    } else {
      result = WriteSettingInt(key, name, static_cast<const int16_t*>(value)[c]);
    }
  }
  return result;
}

void LoadFour(const char* key, int row, void* value, TagState* record) {
  const TagSetting& s = kTagSettings[row];
  TagState empty;
  const TagState& r = record ? *record : empty;
  for (int c = 0; c < kChannels; ++c) {
    char name[32];
    ChannelValueName(kTagTable[row].RegName, c, name);
    if (s.Kind == kStoreFourGamma) {
      const float v = ReadStoredFloat(key, name, s.Fallback);
      static_cast<float*>(value)[c] = CheckLoadedGamma(r, c, v);
    } else if (s.Kind == kStoreFourIntTexts) {
      char text[kTextSize];
      ReadStoredText(key, name, s.Fallback, text, sizeof text);
      const int32_t caller = CheckCallerScale(static_cast<int32_t>(std::strtol(text, nullptr, 10)));
      if (int16_t* scale = CallerScaleValues(row)) scale[c] = static_cast<int16_t>(caller);
      static_cast<int16_t*>(value)[c] = static_cast<int16_t>(DriverValueForCallerScale(row, r, caller));
    } else {
      const int32_t v = ReadStoredInt(key, name, s.Fallback);
      static_cast<int16_t*>(value)[c] =
          row == kRowHighlight ? CheckLoadedHighlight(v) : CheckLoadedShadow(v);
    }
  }
  if (record) record->Default = row == kRowGamma ? FloatToBits(1.0f) : IntToRaw(kTypeInt16, std::atoi(s.Fallback));
}

// BITSPERPIXEL follows a loaded PIXELTYPE.
void DepthForPixelType(int32_t pixelType) {
  const int32_t bits = CurrentInt(kRowBitsPerPixel);
  if (pixelType == 0) SetCurrentInt(kRowBitsPerPixel, 1);
  else if (pixelType == 1 && bits <= 1) SetCurrentInt(kRowBitsPerPixel, 8);
  else if (pixelType == 2 && bits <= 7) SetCurrentInt(kRowBitsPerPixel, 24);
}

// PIXELTYPE follows the checked BITSPERPIXEL.
void PixelTypeForDepth(int32_t bits) {
  const int32_t pixelType = CurrentInt(kRowPixelType);
  int32_t next = 2;
  if (bits == 1) next = 0;
  else if (bits == 4 || bits == 16) next = 1;
  else if (bits == 8) next = pixelType > 0 ? pixelType : 1;
  SetCurrentInt(kRowPixelType, next);
}

void LoadRow(int row, void* value, TagState* record) {
  const TagDef& def = kTagTable[row];
  const TagSetting& s = kTagSettings[row];
  TagState empty;
  const TagState& r = record ? *record : empty;
  const int type = def.Type;
  uintptr_t* slot = static_cast<uintptr_t*>(value);

  switch (s.Kind) {
    case kStoreNone:
      return;
    case kStoreFourDwords:
    case kStoreFourIntTexts:
    case kStoreFourGamma:
      LoadFour(kScanDataKey, row, value, record);
      return;
    case kStoreText: {
      char* text = static_cast<char*>(value);
      const int size = TagTypeSize(type);
      ReadStoredText(kScanDataKey, def.RegName, s.Fallback, text, size);
      if (r.Count > 0 && r.Choices && !IsAmongChoices(row, text))
        std::snprintf(text, static_cast<size_t>(size), "%s", ChoiceText(row, 0));
      if (record && record->Default)
        std::snprintf(reinterpret_cast<char*>(record->Default), static_cast<size_t>(size), "%s",
                      s.Fallback);
      return;
    }
    case kStoreGeometry: {
      const float v = ReadStoredFloat(kScanDataKey, def.RegName, s.Fallback);
      *slot = FloatToBits(v);
      if (record) {
        const bool physical = row == kRowPhysicalHeight || row == kRowPhysicalWidth;
        record->Default = FloatToBits(physical ? v : static_cast<float>(ParseNumberC(s.Fallback)));
      }
      return;
    }
    case kStoreWrittenOnly: {
      // Never read: the value the adapter and PIXELTYPE left is checked, then PIXELTYPE follows.
      const int32_t bits = CheckLoadedInt(row, r, kCheckS, RawToInt(type, static_cast<uint32_t>(*slot)));
      *slot = IntToRaw(type, bits);
      if (record) record->Default = IntToRaw(type, 1);
      PixelTypeForDepth(bits);
      return;
    }
    default:
      break;
  }

  // DWORDs and integers kept as text.
  const char* fallback = s.Fallback;
  char filterFallback[4];
  if (row == kRowFilter) {
    std::snprintf(filterFallback, sizeof filterFallback, "%d", r.Count == 4 ? 0 : 2);
    fallback = filterFallback;
  }
  int32_t v;
  if (s.Kind == kStoreIntText) {
    char text[kTextSize];
    ReadStoredText(kScanDataKey, def.RegName, fallback, text, sizeof text);
    v = static_cast<int32_t>(std::strtol(text, nullptr, 10));
  } else {
    v = ReadStoredInt(KeyFor(row, kScanDataKey), def.RegName, fallback);
  }
  v = RawToInt(type, static_cast<uint32_t>(v));  // 16-bit rows keep the low half
  if (row == kRowMinBuffer) v = ClampMinBuffer(v);
  else if (row == kRowPageSize) v = CheckLoadedPageSize(row, r, v);
  else v = CheckLoadedInt(row, r, s.Check, v);
  *slot = IntToRaw(type, v);
  if (record) record->Default = IntToRaw(type, static_cast<int32_t>(std::strtol(fallback, nullptr, 10)));
  if (row == kRowPixelType) DepthForPixelType(v);
}

}  // namespace

int32_t SaveTagSetting(const char* key, uint32_t tag, const void* value) {
  if (!value) return 0;
  const uint16_t t = static_cast<uint16_t>(tag);
  if (t == kTagSource) return WriteSettingInt(kGeneralKey, "SOURCE", *static_cast<const int32_t*>(value));
  if (t == kTagSourceName) return WriteSettingString(kGeneralKey, "SOURCENAME", static_cast<const char*>(value));
  if (t == kTagDriverName) return WriteSettingString(kGeneralKey, "DRIVERNAME", static_cast<const char*>(value));

  const int row = FindTag(t);
  if (row == kNoRow) return 0;
  const TagDef& def = kTagTable[row];
  const TagSetting& s = kTagSettings[row];
  const char* where = KeyFor(row, key);
  char text[kTextSize];
  switch (s.Kind) {
    case kStoreNone:
      return 0;
    case kStoreDword:
    case kStoreWrittenOnly:
      return WriteSettingInt(where, def.RegName, ReadNumber(def.Type == kTypeUInt16 ? static_cast<int>(kTypeInt16) : def.Type, value));
    case kStoreIntText:
      std::snprintf(text, sizeof text, "%d", ReadNumber(def.Type, value));
      return WriteText(where, def.RegName, text);
    case kStoreGeometry: {
      float f;
      std::memcpy(&f, value, 4);
      std::snprintf(text, sizeof text, "%s", FormatFixedC(static_cast<double>(f), 5, 2).c_str());
      return WriteText(where, def.RegName, text);
    }
    case kStoreText: {
      char bounded[256];
      std::snprintf(bounded, static_cast<size_t>(TagTypeSize(def.Type)), "%s", static_cast<const char*>(value));
      return WriteText(where, def.RegName, bounded);
    }
    default:
      return WriteFour(where, row, value);
  }
}

void LoadTagSetting(uint32_t tag, void* value, const TagDef* row, TagState* record) {
  if (!value) return;
  const uint16_t t = static_cast<uint16_t>(tag);
  if (t == kTagSource) {
    const int32_t kind = ReadStoredInt(kGeneralKey, "SOURCE", "0");
    std::memcpy(value, &kind, 4);
    if (record) record->Default = 0;
    return;
  }
  if (t == kTagSourceName) {
    // Read in full, then cut to the 33 characters a TW_IDENTITY ProductName holds.
    char scratch[kSourceNameScratch];
    ReadStoredText(kGeneralKey, "SOURCENAME", "", scratch, sizeof scratch);
    std::snprintf(static_cast<char*>(value), 34, "%s", scratch);
    return;
  }
  const int r = row ? static_cast<int>(row - kTagTable) : FindTag(t);
  if (r < 0 || r >= kTagCount) return;
  LoadRow(r, value, record);
}

int32_t LoadDriverKind() {
  int32_t kind = 0;
  LoadTagSetting(kTagSource, &kind, nullptr, nullptr);
  return kind;
}

void LoadSourceName(char* out, size_t outSize) {
  char name[34];
  LoadTagSetting(kTagSourceName, name, nullptr, nullptr);
  if (out && outSize) std::snprintf(out, outSize, "%s", name);
}
