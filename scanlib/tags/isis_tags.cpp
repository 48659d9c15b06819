// InitISISTag: one tag record from the ISIS driver's flags, count and choices.
#include "isis_tags.h"

#include <windows.h>

#include <cstring>
#include <initializer_list>
#include <vector>

#include "convert_tag_value.h"
#include "debug_log.h"
#include "driver_calls.h"
#include "page_sizes.h"
#include "plugin_formats.h"
#include "status_codes.h"
#include "tag_block.h"
#include "tag_choice_list.h"
#include "tag_ids.h"
#include "tag_persistence.h"
#include "tag_types.h"

namespace {

// Flags and count of one ISIS tag.
struct IsisOffer {
  int32_t flags = 0;
  int32_t count = 0;
  bool IsRange() const { return (flags & kIsisFlagRange) != 0; }
  bool IsList() const { return (flags & kIsisFlagList) != 0 && count > 0; }
};

IsisOffer Ask(int32_t tag) {
  IsisOffer o;
  CallISISTagFlags(tag, &o.flags);
  if (CallISISTagCount(tag, &o.count) != 0 || o.count < 0) o.count = 0;
  return o;
}

// One choice as a 32-bit number; false when the driver refuses it.
bool Choice(int32_t tag, int type, int32_t index, int32_t* out) {
  int32_t v = 0;
  const bool ok = CallISISTagChoice(tag, type, index, &v) >= 0;
  *out = v;
  return ok;
}

int32_t ChoiceOr0(int32_t tag, int type, int32_t index) {
  int32_t v = 0;
  Choice(tag, type, index, &v);
  return v;
}

int16_t GetValue16(int32_t tag) {
  int32_t v = 0;
  CallISISGetValue(tag, kTypeInt16, 0, &v);
  return static_cast<int16_t>(v);
}

void SetValue16(int32_t tag, int32_t value) {
  int16_t v = static_cast<int16_t>(value);
  CallISISSetValue(tag, kTypeInt16, &v);
}

bool IsPointerRow(int row) { return IsChannelRow(row) || IsTagStringType(kTagTable[row].Type); }

void* ValueSlot(int row, TagState* r) {
  if (IsPointerRow(row)) return reinterpret_cast<void*>(r->Current);
  return &r->Current;
}

void Load(int row, TagState* r) { LoadTagSetting(kTagTable[row].Tag, ValueSlot(row, r), &kTagTable[row], r); }

void SetRawRange(TagState* r, uint32_t min, uint32_t max, uint32_t step) {
  ReleaseTagBlock(&r->Choices);
  r->Count = 0;
  r->Min = min;
  r->Max = max;
  r->Step = step;
}

void SetIntRange(int row, TagState* r, int32_t min, int32_t max, int32_t step) {
  const int type = kTagTable[row].Type;
  SetRawRange(r, IntToRaw(type, min), IntToRaw(type, max), IntToRaw(type, step));
}

// Min, Max and Step as the driver answers them, in the row's type.
void DriverRange(int row, TagState* r, int32_t tag) {
  const int type = kTagTable[row].Type;
  const int32_t min = ChoiceOr0(tag, type, kIsisChoiceMin);
  const int32_t max = ChoiceOr0(tag, type, kIsisChoiceMax);
  const int32_t step = ChoiceOr0(tag, type, kIsisChoiceStep);
  if (type == kTypeFloat) {
    SetRawRange(r, FloatToBits(static_cast<float>(min)), FloatToBits(static_cast<float>(max)),
                FloatToBits(static_cast<float>(step)));
  } else {
    SetIntRange(row, r, min, max, step);
  }
}

void FixedList(int row, TagState* r, std::initializer_list<int32_t> items) {
  TagChoiceList list(row);
  for (int32_t v : items) list.AddInt(v);
  list.Commit(r);
}

// Every choice converted into the row's type; false when one is refused.
bool DriverList(int row, int32_t tag, int32_t count, TagChoiceList* list) {
  bool ok = true;
  for (int32_t k = 0; k < count; ++k) {
    int32_t v = 0;
    if (!Choice(tag, kTagTable[row].Type, k, &v)) ok = false;
    list->AddConverted(kTypeInt32, &v);
  }
  return ok;
}

// The driver's list, or the fallback items when it lists nothing.
void ListOr(int row, TagState* r, int32_t tag, std::initializer_list<int32_t> fallback) {
  const IsisOffer o = Ask(tag);
  TagChoiceList list(row);
  DriverList(row, tag, o.count, &list);
  if (list.Count() == 0)
    for (int32_t v : fallback) list.AddInt(v);
  list.Commit(r);
}

// Each driver value through `map` (below 0: skipped); the fallback when nothing maps.
template <typename Map>
void MappedList(int row, TagState* r, int32_t tag, bool once, Map map,
                std::initializer_list<int32_t> fallback = {}) {
  const IsisOffer o = Ask(tag);
  TagChoiceList list(row);
  for (int32_t k = 0; k < o.count; ++k) {
    int32_t v = 0;
    Choice(tag, kTagTable[row].Type, k, &v);
    const int32_t mapped = map(v);
    if (mapped < 0) continue;
    if (once) list.AddUnique(mapped);
    else list.AddInt(mapped);
  }
  if (list.Count() == 0)
    for (int32_t v : fallback) list.AddInt(v);
  list.Commit(r);
}

void Resolution(int row, TagState* r, int32_t tag) {
  const IsisOffer o = Ask(tag);
  if (o.IsRange()) {
    DriverRange(row, r, tag);
  } else if (o.IsList()) {
    TagChoiceList list(row);
    if (DriverList(row, tag, o.count, &list)) {
      list.Commit(r);
    } else {
      const TagState& x = g_tagStates[kRowXResolution];
      SetRawRange(r, x.Min, x.Max, x.Step);
    }
  } else {
    if (AllocChoices(kTagTable[row].Type, o.count, &r->Choices)) r->Count = o.count;
    else r->Count = -1;
  }
}

// PIXELTYPE from the samples per pixel the driver offers: 1 gives black-and-white and gray.
void PixelTypes(int row, TagState* r) {
  const IsisOffer o = Ask(kIsisSamplesPerPixel);
  TagChoiceList list(row);
  for (int32_t k = 0; k < o.count; ++k) {
    int32_t v = 0;
    Choice(kIsisSamplesPerPixel, kTagTable[row].Type, k, &v);
    if (v == 1) {
      list.AddUnique(0);
      list.AddUnique(1);
    } else if (v == 3) {
      list.AddUnique(2);
    }
  }
  list.Commit(r);
}

int32_t SamplesFor(int32_t pixelType) { return pixelType == 2 ? 3 : 1; }

// BITSPERPIXEL: the bits per sample of every pixel type, times its samples. The record keeps
// bits per pixel; the driver is left with that as bits per sample and samples per pixel.
void BitsPerPixel(int row, TagState* r) {
  int32_t current = GetValue16(kIsisBitsPerSample);
  if (current == 8) current *= GetValue16(kIsisSamplesPerPixel);
  TagChoiceList list(row);
  const TagState& pixel = g_tagStates[kRowPixelType];
  for (int32_t i = 0; i < pixel.Count; ++i) {
    const int32_t samples = SamplesFor(ChoiceInt(kRowPixelType, i));
    SetValue16(kIsisSamplesPerPixel, samples);
    const IsisOffer o = Ask(kIsisBitsPerSample);
    for (int32_t k = 0; k < o.count; ++k) {
      int32_t b = 0;
      Choice(kIsisBitsPerSample, kTagTable[row].Type, k, &b);
      list.AddUnique(b * samples);
    }
  }
  list.Commit(r);
  r->Current = IntToRaw(kTagTable[row].Type, current);
  int32_t perSample = current;
  if (current > 8) {
    const int32_t samples = current / 8;
    SetValue16(kIsisSamplesPerPixel, samples);
    perSample = current / samples;
  }
  SetValue16(kIsisBitsPerSample, perSample);
}

// BRIGHTNESS, CONTRAST, HIGHLIGHT, SHADOW, GAMMA: a range or list; with neither, `none` items
// (HIGHLIGHT 255, SHADOW 0) or any value.
void ChannelRow(int row, TagState* r, int32_t tag, const IsisOffer& o) {
  if (o.IsRange()) {
    DriverRange(row, r, tag);
    if (row == kRowContrast && RawToInt(kTypeInt16, r->Min) == 128) r->Min = 0;
    return;
  }
  if (o.IsList()) {
    TagChoiceList list(row);
    DriverList(row, tag, o.count, &list);
    list.Commit(r);
    return;
  }
  if (row == kRowHighlight || row == kRowShadow) {
    const int16_t v = row == kRowHighlight ? 255 : 0;
    FixedList(row, r, {v});
    if (int16_t* values = ColourValues(row))
      for (int c = 0; c < kChannels; ++c) values[c] = v;
    return;
  }
  ReleaseTagBlock(&r->Choices);
  r->Count = -1;
}

// DITHER's texts are offered for black-and-white, so the driver is asked at one bit per sample.
void DitherTexts(int row, TagState* r, int32_t tag) {
  const int16_t bits = GetValue16(kIsisBitsPerSample);
  SetValue16(kIsisBitsPerSample, 1);
  const IsisOffer o = Ask(tag);
  TagChoiceList list(row);
  for (int32_t k = 0; k < o.count; ++k) {
    char text[64] = {};
    CallISISTagChoice(tag, kTypeStr32, k, text);
    text[sizeof text - 1] = '\0';
    list.AddConverted(kTwStr32, text);
  }
  list.Commit(r);
  SetValue16(kIsisBitsPerSample, bits);
}

// One entry per loaded file-format plug-in: its first format.
void FileFormats(int row, TagState* r) {
  const PluginFormats& plugins = CurrentPluginFormats();
  TagChoiceList list(row);
  for (int32_t p = 0; p < plugins.count(); ++p) {
    int32_t formats[32];
    const int32_t n = plugins.formats(p, list.Count(), formats, 32);
    list.AddUnique(n > 0 ? formats[0] : p);
  }
  list.Commit(r);
}

void PhysicalEntries(int row, float value) {
  TagState* r = &g_tagStates[row];
  const float sizes[3] = {value, value, value};
  if (!AllocChoices(kTypeFloat, 3, &r->Choices)) {
    r->Count = -1;
    return;
  }
  std::memcpy(r->Choices, sizes, sizeof sizes);
  r->Count = 1;
  r->Current = FloatToBits(value);
}

float FromThreeHundredths(int32_t v, int32_t unit) {
  if (unit == kUnitInch) return static_cast<float>(v) * 0.0033333334f;
  if (unit == kUnitCm) return static_cast<float>(v) * 0.0084666667f;
  return static_cast<float>(v);
}

// The largest area over the driver's page sizes gives PAGESIZE's list and the physical size.
void PageSizes(int row, TagState* r) {
  const IsisOffer o = Ask(kIsisPageSize);
  int32_t widest = 0, longest = 0;
  for (int32_t k = 0; k < o.count; ++k) {
    char text[64] = {};
    CallISISTagChoice(kIsisPageSize, kTypeStr32, k, text);
    text[sizeof text - 1] = '\0';
    CallISISSetValue(kIsisPageSize, kTypeStr32, text);
    const int32_t w = ChoiceOr0(kIsisImageWidth, kTypeInt32, kIsisChoiceMax);
    const int32_t l = ChoiceOr0(kIsisImageLength, kTypeInt32, kIsisChoiceMax);
    if (w > widest) widest = w;
    if (l > longest) longest = l;
  }
  BuildPageSizeList(row, r, widest, longest);
  const int32_t unit = CurrentInt(kRowUnits);
  PhysicalEntries(kRowPhysicalWidth, FromThreeHundredths(widest, unit));
  PhysicalEntries(kRowPhysicalHeight, FromThreeHundredths(longest, unit));
}

// Fills the record; answers true when the stored value is to be loaded.
bool BuildRecord(int row, TagState* r, int32_t tag, const IsisOffer& o) {
  switch (kTagTable[row].Tag) {
    case kTagScanType:
      MappedList(row, r, tag, true, [](int32_t v) {
        return v == 0 ? 0 : v == 1 ? 3 : v == 2 ? 2 : (v == 3 || v == 4) ? 1 : -1;
      });
      return true;
    case kTagFeederType:
      MappedList(row, r, tag, true, [](int32_t v) {
        return (v == 3 || v == 6) ? 0 : (v == 4 || v == 5) ? 1 : -1;
      });
      return true;
    case kTagXResolution: case kTagYResolution: Resolution(row, r, tag); return true;
    case kTagPixelType: PixelTypes(row, r); return true;
    case kTagBitsPerPixel: BitsPerPixel(row, r); return true;
    case kTagBrightness: case kTagGamma: case kTagHighlight: case kTagShadow:
      ChannelRow(row, r, tag, o);
      return true;
    case kTagContrast: {
      const int16_t bits = GetValue16(kIsisBitsPerSample);
      SetValue16(kIsisBitsPerSample, 8);
      ChannelRow(row, r, tag, Ask(tag));
      SetValue16(kIsisBitsPerSample, bits);
      return true;
    }
    case kTagFilter: ListOr(row, r, tag, {0, 1, 2, 3}); return true;
    case kTagUnits:
      MappedList(row, r, tag, false, [](int32_t v) { return v == 1 ? 2 : v == 2 ? 0 : v == 3 ? 1 : -1; },
                 {0, 1, 2});
      return true;
    case kTagCompression:
      MappedList(row, r, tag, false, [](int32_t v) { return v == 1 ? 0 : -1; }, {0});
      return true;
    case kTagDither: DitherTexts(row, r, tag); return true;
    case kTagThreshold:
      MappedList(row, r, tag, false, [](int32_t v) { return (v == 0 || v == 1) ? 128 : -1; }, {128});
      return true;
    case kTagInvert: ListOr(row, r, tag, {0}); return true;
    case kTagFileFormat: FileFormats(row, r); return true;
    case kTagFileName:
      ReleaseTagBlock(&r->Choices);
      r->Count = -1;
      return false;
    case kTagPhysicalHeight: case kTagPhysicalWidth:
      PhysicalEntries(row, BitsToFloat(static_cast<uint32_t>(r->Current)));
      return false;
    case kTagXPosition: case kTagYPosition: case kTagImageLength: case kTagImageWidth:
      ReleaseTagBlock(&r->Choices);
      r->Count = -1;
      return true;
    case kTagXferCount:
      // From -1: the stored -1 (every page in the feeder) must load as it is, or each scan would
      // stop after the first page.
      SetIntRange(row, r, -1, ChoiceOr0(tag, kTagTable[row].Type, 0), 1);
      return true;
    case kTagPageSize: PageSizes(row, r); return true;
    case kTagOrientation:
      MappedList(row, r, tag, false, [](int32_t v) { return v >= 1 && v <= 4 ? v - 1 : -1; }, {0});
      return true;
    case kTagIndicators: ListOr(row, r, tag, {0, 1}); return true;
    case kTagUiControl: FixedList(row, r, {1, 0}); return true;
    case kTagMinBuffer: SetIntRange(row, r, 32767, 5242800, 1); return true;
    case kTagAreaSetting: case kTagMoreSetting: FixedList(row, r, {0}); return true;
    case kTagTransferMode:
      if (CurrentPluginFormats().count() > 0) FixedList(row, r, {0, 1, 2});
      else FixedList(row, r, {0, 1});
      return true;
    case kTagLanguage: FixedList(row, r, {0, 1, 2, 3}); return true;
    case kTagBackground: {
      TagChoiceList list(row);
      for (int32_t k = 0; k < o.count; ++k) list.AddInt(k);
      list.Commit(r);
      return true;
    }
    case kTagEnergySaving: SetIntRange(row, r, 0, 720, 1); return true;
    case kTagDeskew: case kTagMirror: case kTagAutoCrop: case kTagWhitePage:
      FixedList(row, r, {0, 1});
      return true;
    case kTagBlankHold: SetIntRange(row, r, 1, 360, 1); return true;
    case kTagAutoTypeHold: SetIntRange(row, r, 1, 100, 1); return true;
    default:
      if (AllocChoices(kTagTable[row].Type, o.count, &r->Choices)) r->Count = o.count;
      else r->Count = -1;
      return false;
  }
}

}  // namespace

int32_t InitISISTag(const TagDef* row, TagState* record) {
  if (!row || !record) return kZebNotBound;
  WriteLog(kLogFileName, "InitISISTag", "In ", 1, LogValue::Int(row->Tag), 1);
  const int index = static_cast<int>(row - kTagTable);
  const int32_t tag = row->IsisTag;
  IsisOffer o;
  const int32_t flags = CallISISTagFlags(tag, &o.flags);
  if (flags < 0) return flags;
  if (CallISISTagCount(tag, &o.count) != 0 || o.count < 0) o.count = 0;
  if (BuildRecord(index, record, tag, o)) Load(index, record);
  LogOut("InitISISTag", 0);
  return 0;
}
