// InitTWTag: one tag record from the TWAIN source's capability containers.
#include "tw_tags.h"

#include <windows.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "convert_tag_value.h"
#include "debug_log.h"
#include "driver_calls.h"
#include "driver_flags.h"
#include "library_state.h"
#include "page_sizes.h"
#include "plugin_formats.h"
#include "tag_choice_list.h"
#include "tag_block.h"
#include "tag_ids.h"
#include "tag_persistence.h"
#include "tag_types.h"
#include "tw_answer.h"
#include "tw_caps.h"
#include "tw_none_word.h"
#include "units.h"

namespace {

constexpr int32_t kBadContainer = -8;

constexpr int kScanTypeRoom = 5;

using List = TagChoiceList;

bool IsPointerRow(int row) { return IsChannelRow(row) || IsTagStringType(kTagTable[row].Type); }

void SetRange(int row, TagState* r, int32_t min, int32_t max, int32_t step) {
  const int type = kTagTable[row].Type;
  ReleaseTagBlock(&r->Choices);
  r->Count = 0;
  r->Min = IntToRaw(type, min);
  r->Max = IntToRaw(type, max);
  r->Step = IntToRaw(type, step);
}

void SetFloatRange(TagState* r, float min, float max, float step) {
  ReleaseTagBlock(&r->Choices);
  r->Count = 0;
  r->Min = FloatToBits(min);
  r->Max = FloatToBits(max);
  r->Step = FloatToBits(step);
}

void SetAny(TagState* r) {
  ReleaseTagBlock(&r->Choices);
  r->Count = -1;
}

void FixedList(int row, TagState* r, std::initializer_list<int32_t> items) {
  List list(row);
  for (int32_t v : items) list.AddInt(v);
  list.Commit(r);
}

// Current set to a number, wherever the row keeps it.
void SetCurrentNumber(int row, TagState* r, int32_t v) {
  if (IsColourRow(row)) {
    if (int16_t* c = ColourValues(row)) c[0] = static_cast<int16_t>(v);
  } else if (!IsPointerRow(row)) {
    r->Current = IntToRaw(kTagTable[row].Type, v);
  }
}

void* ValueSlot(int row, TagState* r) {
  if (IsPointerRow(row)) return reinterpret_cast<void*>(r->Current);
  return &r->Current;
}

void Load(int row, TagState* r) { LoadTagSetting(kTagTable[row].Tag, ValueSlot(row, r), &kTagTable[row], r); }

bool TrySet(int capability, uint32_t value) {
  return CallTWAINSetValue(capability, kTwOneValue, &value) == 0;
}

// The source's current value of a one-value answer, or `fallback`.
int32_t AskOne(int capability, int type, int32_t fallback) {
  TwAnswer a;
  a.Ask(capability, type);
  if (a.kind() == kTwOneValue) return a.ItemInt(0);
  return fallback;
}

// Enumerations and arrays give every item, one values the item, ranges Min..Max by Step.
int32_t ContainerRule(int row, TagState* r, const TwAnswer& a) {
  if (!a.ok()) {
    SetRange(row, r, 0, 0, 0);
    return 0;
  }
  if (a.kind() == kTwRange) {
    SetRange(row, r, a.RangeField(0), a.RangeField(1), a.RangeField(2));
    SetCurrentNumber(row, r, a.RangeField(4));
    return 0;
  }
  if (a.kind() == kTwArray) return kBadContainer;
  List list(row);
  for (int32_t i = 0; i < a.Count(); ++i) list.AddConverted(a.itemType(), a.Item(i));
  list.Commit(r);
  return 0;
}

// From a one value v: [v], then [v, other] when the source takes the other value.
void ProbeRule(int row, TagState* r, int capability, int32_t v) {
  List list(row);
  list.AddInt(v);
  const int32_t other = v == 0 ? 1 : 0;
  if (TrySet(capability, static_cast<uint32_t>(other))) {
    list.AddInt(other);
    // The source goes back to what it had: a probe must not change how it scans.
    TrySet(capability, static_cast<uint32_t>(v));
  }
  list.Commit(r);
  SetCurrentNumber(row, r, v);
}

// One string from the source, at most the row's size less its terminator.
void StringAnswer(int row, TagState* r, const TwAnswer& a, bool ownDevice) {
  List list(row);
  const void* item = a.kind() == kTwOneValue ? a.Item(0) : nullptr;
  if (item) {
    char text[34] = {};
    lstrcpynA(text, static_cast<const char*>(item), 33);
    list.AddConverted(kTwStr32, text);
    if (ownDevice) OwnDevice = 1;
  }
  list.Commit(r);
  char* current = CurrentText(row);
  if (current && r->Count > 0) {
    const size_t size = static_cast<size_t>(TagTypeSize(kTagTable[row].Type));
    std::memcpy(current, r->Choices, size);
    current[size - 1] = '\0';
  }
}

int32_t ScanTypeList(int row, TagState* r) {
  const int32_t feeder = AskOne(kCapFeederEnabled, kTypeInt16, 1);
  List list(row);
  list.AddInt(0);
  auto add = [&](int32_t v) {
    if (list.Count() < kScanTypeRoom) list.AddUnique(v);
  };
  TwAnswer a;
  a.Ask(kIcapLightPath, kTypeUInt16);
  if (a.kind() == kTwEnum) {
    for (int32_t i = 0; i < a.Count(); ++i) {
      const int32_t path = a.ItemInt(i);
      if (path == 0) {
        if (TrySet(kCapFeederEnabled, 1)) add(1);
        if (TrySet(kCapFeederEnabled, 0)) add(2);
      } else if (path == 1) {
        add(3);
      }
    }
  } else if (a.kind() == kTwOneValue) {
    const bool reflective = a.ItemInt(0) == 0;
    if (TrySet(kCapFeederEnabled, 1)) add(reflective ? 1 : 3);
    if (TrySet(kCapFeederEnabled, 0)) add(reflective ? 2 : 3);
  } else if (!a.ok()) {
    // The light path is optional: without it the source scans reflective, from the feeder and
    // the glass as CAP_FEEDERENABLED can be set.
    if (TrySet(kCapFeederEnabled, 1)) add(1);
    if (TrySet(kCapFeederEnabled, 0)) add(2);
  }
  TrySet(kCapFeederEnabled, static_cast<uint32_t>(feeder));
  list.Commit(r);
  return 0;
}

int32_t FeederTypeList(int row, TagState* r) {
  const int32_t feeder = AskOne(kCapFeederEnabled, kTypeInt16, 1);
  TrySet(kCapFeederEnabled, 1);
  TwAnswer a;
  a.Ask(kCapDuplexEnabled, kTypeInt16);
  int32_t rc = 0;
  if (a.kind() == kTwOneValue) ProbeRule(row, r, kCapDuplexEnabled, a.ItemInt(0));
  else rc = ContainerRule(row, r, a);
  TrySet(kCapFeederEnabled, static_cast<uint32_t>(feeder));
  return rc;
}

// TWSX: native 0, file 1, memory 2; the tag: memory 0, native 1, file 2.
int32_t TransferModeFromTwain(int32_t sx) { return sx == 0 ? 1 : sx == 1 ? 2 : sx == 2 ? 0 : -1; }

int32_t TransferModeList(int row, TagState* r, const TwAnswer& a) {
  if (a.kind() == kTwEnum) {
    if (CurrentPluginFormats().count() > 0) FixedList(row, r, {0, 1, 2});
    else FixedList(row, r, {0, 1});
    return 0;
  }
  if (a.kind() == kTwOneValue) {
    const int32_t mode = TransferModeFromTwain(a.ItemInt(0));
    List list(row);
    if (mode >= 0) list.AddInt(mode);
    list.Commit(r);
    return 0;
  }
  if (!a.ok()) return ContainerRule(row, r, a);
  return kBadContainer;
}

int32_t PixelTypeList(int row, TagState* r, const TwAnswer& a) {
  if (a.kind() == kTwEnum) {
    List list(row);
    for (int32_t i = 0; i < a.Count(); ++i)
      if (a.ItemInt(i) != 3) list.AddInt(a.ItemInt(i));
    list.Commit(r);
    return 0;
  }
  if (a.kind() == kTwOneValue) {
    const int32_t v = a.ItemInt(0);
    FixedList(row, r, {v == 3 ? 2 : v});
    return 0;
  }
  return ContainerRule(row, r, a);
}

int32_t GammaRecord(int row, TagState* r, const TwAnswer& a) {
  if (a.kind() == kTwOneValue || a.kind() == -7) {
    SetAny(r);
    return 0;
  }
  List list(row);
  const float g = 2.2f;
  list.AddBytes(&g);
  list.Commit(r);
  if (float* v = GammaValues()) {
    v[0] = 2.2f;
    v[1] = v[2] = v[3] = 1.0f;
  }
  return 0;
}

// TWFT red 0, green 1, blue 2, none 3 become 1, 2, 3, 0; other filters are left out.
int32_t FilterFromTwain(int32_t f) { return f >= 0 && f <= 2 ? f + 1 : f == 3 ? 0 : -1; }

int32_t FilterList(int row, TagState* r, const TwAnswer& a) {
  List list(row);
  if (a.kind() == kTwEnum || a.kind() == kTwArray) {
    for (int32_t i = 0; i < a.Count(); ++i) {
      const int32_t v = FilterFromTwain(a.ItemInt(i));
      if (v >= 0) list.AddUnique(v);
    }
  } else if (a.kind() == kTwOneValue) {
    const int32_t v = FilterFromTwain(a.ItemInt(0));
    if (v >= 0) list.AddInt(v);
    // Every TWAIN filter from red on: a source that takes red offers it too.
    for (int32_t f = 0; f <= 3; ++f)
      if (TrySet(kIcapFilter, static_cast<uint32_t>(f))) list.AddUnique(FilterFromTwain(f));
  } else {
    return ContainerRule(row, r, a);
  }
  list.Commit(r);
  return 0;
}

int32_t UnitFromTwain(int32_t u) { return u == 0 ? 0 : u == 1 ? 1 : u == 5 ? 2 : -1; }

int32_t UnitsList(int row, TagState* r, const TwAnswer& a) {
  List list(row);
  if (a.kind() == kTwEnum || a.kind() == kTwArray || a.kind() == kTwOneValue) {
    for (int32_t i = 0; i < a.Count(); ++i) {
      const int32_t v = UnitFromTwain(a.ItemInt(i));
      if (v >= 0) list.AddUnique(v);
    }
    list.Commit(r);
    return 0;
  }
  return ContainerRule(row, r, a);
}

// TWOR rot0 0, rot90 1, rot180 2, rot270 3 become 0, 3, 2, 1.
int32_t OrientationFromTwain(int32_t o) {
  static const int32_t kMap[4] = {0, 3, 2, 1};
  return o >= 0 && o <= 3 ? kMap[o] : -1;
}

int32_t OrientationList(int row, TagState* r, const TwAnswer& a) {
  if (a.kind() == kTwArray || a.kind() == kTwRange) return kBadContainer;
  if (!a.ok()) return ContainerRule(row, r, a);
  List list(row);
  for (int32_t i = 0; i < a.Count(); ++i) {
    const int32_t v = OrientationFromTwain(a.ItemInt(i));
    if (v >= 0) list.AddUnique(v);
  }
  list.Commit(r);
  return 0;
}

float AnswerFloat(const TwAnswer& a, bool* ok) {
  float v = 0.0f;
  *ok = a.kind() == kTwOneValue && a.Item(0);
  if (*ok) ConvertTagValue(&v, kTypeFloat, a.itemType(), a.Item(0));
  return v;
}

// The size the capability answers with the feeder set one way; false when refused or unread.
bool SizeWithFeeder(int cap, uint32_t feeder, float* out) {
  if (!TrySet(kCapFeederEnabled, feeder)) return false;
  TwAnswer a;
  a.Ask(cap, kTypeFloat);
  bool ok = false;
  *out = AnswerFloat(a, &ok);
  return ok;
}

// Count 1 with the larger of the feeder and flatbed sizes; both stay behind the count.
int32_t PhysicalSize(int row, TagState* r, const TwAnswer& first) {
  if (first.kind() != kTwOneValue) return first.ok() ? kBadContainer : ContainerRule(row, r, first);
  const int cap = kTagTable[row].TwainCap;
  const int32_t feeder = AskOne(kCapFeederEnabled, kTypeInt16, 1);
  bool ok = false;
  const float plain = AnswerFloat(first, &ok);
  float withFeeder = plain, flatbed = plain;
  const bool haveFeeder = SizeWithFeeder(cap, 1, &withFeeder);
  const bool haveFlatbed = SizeWithFeeder(cap, 0, &flatbed);
  // A source without a feeder gives its flatbed size for both.
  if (!haveFeeder) withFeeder = haveFlatbed ? flatbed : plain;
  if (!haveFlatbed) flatbed = withFeeder;
  TrySet(kCapFeederEnabled, static_cast<uint32_t>(feeder));
  // The source answered in inches; the library keeps centimetres, or pixels at 300 to the inch.
  const int32_t unit = CurrentInt(kRowUnits);
  const float perInch = unit == kUnitCm ? 2.54f : unit == kUnitPixel ? 300.0f : 1.0f;
  withFeeder *= perInch;
  flatbed *= perInch;
  const float sizes[3] = {withFeeder > flatbed ? withFeeder : flatbed, withFeeder, flatbed};
  if (!AllocChoices(kTypeFloat, 3, &r->Choices)) {
    r->Count = -1;
    return 0;
  }
  std::memcpy(r->Choices, sizes, sizeof sizes);
  r->Count = 1;
  r->Current = FloatToBits(sizes[0]);
  r->Default = r->Current;
  return 0;
}

void AreaRange(int row, TagState* r) {
  Load(row, r);
  const int32_t unit = CurrentInt(kRowUnits);
  const float margin = unit == kUnitInch ? 0.214f : unit == kUnitCm ? 0.542f : 64.0f;
  const bool horizontal = row == kRowXPosition || row == kRowImageWidth;
  const float physical = CurrentFloat(horizontal ? kRowPhysicalWidth : kRowPhysicalHeight);
  const bool position = row == kRowXPosition || row == kRowYPosition;
  const float min = position ? 0.0f : margin;
  const float max = position ? physical - margin : physical;
  SetFloatRange(r, min, max, AreaStepFor(unit));
  float v = BitsToFloat(static_cast<uint32_t>(r->Current));
  if (!(v >= min)) v = min;
  if (v > max) v = max;
  r->Current = FloatToBits(v);
}

int32_t PageSizeList(int row, TagState* r, const TwAnswer& a) {
  if (a.kind() == kTwOneValue) {
    static const int32_t kFrom[][2] = {{1, 5}, {2, 9}, {3, 2}, {4, 3}, {5, 6},
                                       {6, 8}, {11, 4}, {12, 7}, {53, 11}};
    List list(row);
    for (const auto& m : kFrom)
      if (m[0] == a.ItemInt(0)) list.AddInt(m[1]);
    list.Commit(r);
    return 0;
  }
  const int32_t unit = CurrentInt(kRowUnits);
  BuildPageSizeList(row, r, RoundedPixels(CurrentFloat(kRowPhysicalWidth), unit),
                    RoundedPixels(CurrentFloat(kRowPhysicalHeight), unit));
  return 0;
}

int32_t DitherList(int row, TagState* r) {
  List list(row);
  const std::string none = NoneWord();
  char text[34] = {};
  lstrcpynA(text, none.c_str(), 33);
  list.AddConverted(kTwStr32, text);
  TwAnswer a;
  a.Ask(kIcapHalftones, kTypeStr32);
  if (a.kind() == kTwEnum || a.kind() == kTwOneValue) {
    for (int32_t i = 0; i < a.Count(); ++i) {
      const void* item = a.Item(i);
      if (!item) continue;
      lstrcpynA(text, static_cast<const char*>(item), 33);
      if (!list.HasText(text)) list.AddConverted(kTwStr32, text);
    }
  }
  list.Commit(r);
  return 0;
}

// TWFF tiff 0, bmp 2, jfif 4 become 0, 1, 2.
int32_t FormatFromTwain(int32_t f) { return f == 0 ? 0 : f == 2 ? 1 : f == 4 ? 2 : -1; }

int32_t FormatsAndCompression() {
  TwAnswer a;
  a.Ask(kIcapFileFormat, kTagTable[kRowFileFormat].Type);
  if (a.kind() == kTwArray || a.kind() == kTwRange) return kBadContainer;
  List formats(kRowFileFormat);
  for (int32_t i = 0; i < a.Count(); ++i) {
    const int32_t v = FormatFromTwain(a.ItemInt(i));
    if (v >= 0) formats.AddUnique(v);
  }
  const PluginFormats& plugins = CurrentPluginFormats();
  const int32_t pluginCount = plugins.count();
  std::vector<int32_t> firstFormat(static_cast<size_t>(pluginCount > 0 ? pluginCount : 0), -1);
  for (int32_t p = 0; p < pluginCount; ++p) {
    int32_t codes[32];
    int32_t n = plugins.formats(p, formats.Count(), codes, 32);
    if (n > 32) n = 32;
    if (n > 0) firstFormat[static_cast<size_t>(p)] = codes[0];
    for (int32_t i = 0; i < n; ++i) formats.AddUnique(codes[i]);
  }
  TagState* ff = &g_tagStates[kRowFileFormat];
  formats.Commit(ff);
  Load(kRowFileFormat, ff);
  for (int32_t p = 0; p < pluginCount; ++p)
    if (firstFormat[static_cast<size_t>(p)] == CurrentInt(kRowFileFormat)) {
      plugins.makeCurrent(p);
      break;
    }

  TwAnswer c;
  c.Ask(kIcapCompression, kTagTable[kRowCompression].Type);
  if (c.kind() == kTwArray || c.kind() == kTwRange) return kBadContainer;
  List modes(kRowCompression);
  for (int32_t i = 0; i < c.Count(); ++i) modes.AddUnique(c.ItemInt(i));
  int32_t codes[32];
  int32_t n = plugins.compressionModes(codes, 32);
  if (n > 32) n = 32;
  for (int32_t i = 0; i < n; ++i) modes.AddUnique(codes[i]);
  TagState* comp = &g_tagStates[kRowCompression];
  modes.Commit(comp);
  Load(kRowCompression, comp);
  return 0;
}

void MultiPage(int row, TagState* r) {
  const PluginFormats& plugins = CurrentPluginFormats();
  int32_t codes[32];
  int32_t c = plugins.count() > 0 ? plugins.formats(MultiPagePlugin(), 0, codes, 32) : 0;
  if (c < 0) c = 0;
  if (c == 0) {
    SetRange(row, r, 0, 0, 1);
    return;
  }
  List list(row);
  for (int32_t i = 0; i <= (c < 2 ? c - 1 : c); ++i) list.AddInt(i);
  list.Commit(r);
}

// Resolutions and physical sizes are read in inches, whatever unit the source started in (some
// start in pixels, where a resolution means nothing).
void AskInInches() {
  uint32_t inches = kTwunInches;
  CallTWAINSetValue(kIcapUnits, kTwOneValue, &inches);
}

// The depths of every pixel type the source offers: many list only the current type's depths.
int32_t BitDepthList(int row, TagState* r) {
  const TagState& types = g_tagStates[kRowPixelType];
  List list(row);
  for (int32_t i = 0; i < types.Count; ++i) {
    const int32_t type = ReadNumber(kTagTable[kRowPixelType].Type,
                                    static_cast<const uint8_t*>(types.Choices) +
                                        size_t(i) * size_t(TagTypeSize(kTagTable[kRowPixelType].Type)));
    if (!TrySet(kIcapPixelType, static_cast<uint32_t>(type))) continue;
    TwAnswer a;
    a.Ask(kIcapBitDepth, kTagTable[row].Type);
    if (a.kind() == kTwRange || a.kind() == kTwArray) return kBadContainer;
    for (int32_t k = 0; k < a.Count(); ++k)
      if (a.Item(k)) list.AddUnique(a.ItemInt(k));
  }
  const int32_t current = CurrentInt(kRowPixelType);
  if (current >= 0 && current <= 2) TrySet(kIcapPixelType, static_cast<uint32_t>(current));
  if (list.Count() == 0) {
    TwAnswer a;
    a.Ask(kIcapBitDepth, kTagTable[row].Type);
    return ContainerRule(row, r, a);
  }
  list.Commit(r);
  return 0;
}

// Fills the record; answers 0, -8, or 1 when the rule loaded the stored value itself.
int32_t BuildRecord(int row, TagState* r) {
  const TagDef& def = kTagTable[row];
  TwAnswer a;
  auto ask = [&]() { a.Ask(def.TwainCap, def.Type); };
  switch (def.Tag) {
    case kTagLanguage: FixedList(row, r, {0, 1, 2, 3}); return 0;
    case kTagProductName: case kTagDevice5: case kTagDevice6:
      a.Ask(def.TwainCap, kTwStr32);
      StringAnswer(row, r, a, def.Tag == kTagProductName);
      return 1;
    case kTagDeviceA: {
      List list(row);
      char text[34] = {};
      if (const char* t = CurrentText(row)) lstrcpynA(text, t, 33);
      list.AddConverted(kTwStr32, text);
      list.Commit(r);
      return 1;
    }
    case kTagEnergySaving: SetRange(row, r, 0, 720, 1); return 0;
    case kTagUiControl: {
      ask();
      if (a.kind() != kTwOneValue) return a.ok() ? kBadContainer : ContainerRule(row, r, a);
      const int32_t v = a.ItemInt(0);
      if (v == 0) FixedList(row, r, {0});
      else FixedList(row, r, {v, 0});
      SetCurrentNumber(row, r, 0);
      return 0;
    }
    case kTagIndicators: case kTagColorMatch:
      ask();
      if (a.kind() == kTwOneValue) {
        ProbeRule(row, r, def.TwainCap, a.ItemInt(0));
        return 0;
      }
      if (def.Tag == kTagIndicators && a.ok() && a.kind() != kTwEnum) return kBadContainer;
      return ContainerRule(row, r, a);
    case kTagMinBuffer: SetRange(row, r, 32767, 5242800, 1); return 0;
    case kTagAreaSetting: case kTagMoreSetting: case kTagContinueJob:
      FixedList(row, r, {0});
      SetCurrentNumber(row, r, 0);
      return 0;
    case kTagScanType: return ScanTypeList(row, r);
    case kTagFeederType: return FeederTypeList(row, r);
    case kTagTransferMode: ask(); return TransferModeList(row, r, a);
    case kTagPixelType: ask(); return PixelTypeList(row, r, a);
    case kTagBitsPerPixel: return BitDepthList(row, r);
    case kTagXResolution: case kTagYResolution:
      AskInInches();
      ask();
      return ContainerRule(row, r, a);
    case kTagHighlight: case kTagShadow:
      ask();
      if (!a.ok()) {
        const int32_t v = def.Tag == kTagHighlight ? 255 : 0;
        SetRange(row, r, v, v, 0);
        SetCurrentNumber(row, r, v);
        return 0;
      }
      return ContainerRule(row, r, a);
    case kTagGamma: ask(); return GammaRecord(row, r, a);
    case kTagFilter: ask(); return FilterList(row, r, a);
    case kTagPhysicalHeight: case kTagPhysicalWidth: {
      AskInInches();
      ask();
      const int32_t rc = PhysicalSize(row, r, a);
      return rc == 0 ? 1 : rc;
    }
    case kTagFileFormat: case kTagCompression: {
      const int32_t rc = FormatsAndCompression();
      return rc == 0 ? 1 : rc;
    }
    case kTagDither: return DitherList(row, r);
    case kTagCompressQuality: SetRange(row, r, 0, 20, 1); return 0;
    case kTagDeskew: case kTagMirror: case kTagAutoCrop: case kTagWhitePage:
      FixedList(row, r, {0, 1});
      return 0;
    case kTagBlankHold: SetRange(row, r, 1, 360, 1); return 0;
    case kTagAutoTypeHold: SetRange(row, r, 1, 100, 1); return 0;
    case kTagBackgroundLines: SetRange(row, r, 0, 50, 1); return 0;
    case kTagLengthDetect: SetRange(row, r, 0, LengthLeftBelowArea(), 1); return 0;
    case kTagFileName: {
      SetAny(r);
      AllocChoices(def.Type, 1, &r->Choices);
      return 1;
    }
    case kTagXPosition: case kTagYPosition: case kTagImageLength: case kTagImageWidth:
      AreaRange(row, r);
      return 1;
    case kTagUnits: ask(); return UnitsList(row, r, a);
    case kTagOverscan: SetRange(row, r, 0, 118, 1); return 0;
    case kTagXferCount: SetAny(r); return 0;
    case kTagPageSize:
      a.Ask(kIcapSupportedSizes, def.Type);
      return PageSizeList(row, r, a);
    case kTagOrientation: ask(); return OrientationList(row, r, a);
    case kTagPaperPresent:
      if (g_tagStates[kRowScanType].Count > 0 && ChoiceIndexOf(kRowScanType, 1) >= 0)
        FixedList(row, r, {0, 1});
      else FixedList(row, r, {0});
      return 1;
    case kTagMultiPage: MultiPage(row, r); return 0;
    case kTagBatchScan: case kTagAskDriver:
      if (def.TwainCap == 0) {
        FixedList(row, r, {0});
        return 0;
      }
      ask();
      return ContainerRule(row, r, a);
    default:
      if (def.TwainCap == 0) {
        SetAny(r);
        return 0;
      }
      ask();
      return ContainerRule(row, r, a);
  }
}

}  // namespace

void ResetTWTagState() { OwnDevice = 0; }

int32_t InitTWTag(const TagDef* row, TagState* record) {
  if (!row || !record) return kZebNotBound;
  WriteLog(kLogFileName, "InitTWTag", "In ", 1, LogValue::Int(row->Tag), 1);
  const int index = static_cast<int>(row - kTagTable);
  int32_t rc = BuildRecord(index, record);
  if (rc == 0) Load(index, record);
  if (rc == 1) rc = 0;
  if (rc == 0 && row->Tag == kTagPixelType) {
    const int32_t type = CurrentInt(kRowPixelType);
    if (type >= 0 && type <= 2) TrySet(kIcapPixelType, static_cast<uint32_t>(type));
  }
  LogOut("InitTWTag", rc);
  return rc;
}
