// InitKSTag: one tag record from the maker's driver's query block.
#include "ks_tags.h"

#include <windows.h>

#include <cstring>
#include <initializer_list>
#include <vector>

#include "debug_log.h"
#include "driver_calls.h"
#include "driver_flags.h"
#include "ks_query_block.h"
#include "library_state.h"
#include "page_sizes.h"
#include "plugin_formats.h"
#include "tag_choice_list.h"
#include "tag_block.h"
#include "tag_ids.h"
#include "tag_persistence.h"
#include "tag_types.h"
#include "units.h"

int32_t DriverDelivers = 0;
int32_t FeederInUse = 0;
int32_t OwnDevice = 0;

namespace {

class ListBuilder : public TagChoiceList {
 public:
  using TagChoiceList::TagChoiceList;
  void AddDriverList(const KSAnswer& a) {
    for (int32_t i = 0; i < a.ListSize(); ++i) AddBytes(a.Item(static_cast<size_t>(i)));
  }
};

void SetRange(TagState* r, uint32_t min, uint32_t max, uint32_t step) {
  ReleaseTagBlock(&r->Choices);
  r->Count = 0;
  r->Min = min;
  r->Max = max;
  r->Step = step;
}

void SetIntRange(int row, TagState* r, int32_t min, int32_t max, int32_t step) {
  const int type = kTagTable[row].Type;
  SetRange(r, IntToRaw(type, min), IntToRaw(type, max), IntToRaw(type, step));
}

void SetRangeFromDriver(TagState* r, const KSAnswer& a) { SetRange(r, a.Raw(0), a.Raw(1), a.Raw(2)); }

void SetUnsupported(TagState* r) {
  ReleaseTagBlock(&r->Choices);
  r->Count = -1;
}

// n >= 1: the driver's list; 0: its range; below 0: not supported.
void FromDriver(int row, TagState* r, const KSAnswer& a) {
  if (a.count >= 1) {
    ListBuilder list(row);
    list.AddDriverList(a);
    list.Commit(r);
  } else if (a.count == 0) {
    SetRangeFromDriver(r, a);
  } else {
    SetUnsupported(r);
  }
}

void FixedList(int row, TagState* r, std::initializer_list<int32_t> items) {
  ListBuilder list(row);
  for (int32_t v : items) list.AddInt(v);
  list.Commit(r);
}

void* ValueSlot(int row, TagState* r) {
  if (IsChannelRow(row) || IsTagStringType(kTagTable[row].Type)) return reinterpret_cast<void*>(r->Current);
  return &r->Current;
}

void Load(int row, TagState* r) { LoadTagSetting(kTagTable[row].Tag, ValueSlot(row, r), &kTagTable[row], r); }

// The driver's strings as the list, the first also as the current value.
void StringList(int row, TagState* r, const KSAnswer& a) {
  ListBuilder list(row);
  list.AddDriverList(a);
  list.Commit(r);
  char* current = CurrentText(row);
  if (current && r->Count > 0) {
    const int size = TagTypeSize(kTagTable[row].Type);
    std::memcpy(current, r->Choices, static_cast<size_t>(size));
    current[size - 1] = '\0';
  }
}

// FILEFORMAT from the driver and the plug-ins, COMPRESSION from one 0 and the current plug-in.
int32_t BuildFormatsAndCompression() {
  KSAnswer a;
  const int32_t rc = KSQuery(kTagFileFormat, kTagTable[kRowFileFormat].Type, &a);
  if (rc != 0) return rc;
  const PluginFormats& plugins = CurrentPluginFormats();
  ListBuilder formats(kRowFileFormat);
  formats.AddDriverList(a);
  KSQueryDone(&a);
  const int32_t pluginCount = plugins.count();
  std::vector<int32_t> firstFormat(static_cast<size_t>(pluginCount > 0 ? pluginCount : 0), -1);
  for (int32_t p = 0; p < pluginCount; ++p) {
    int32_t list[32];
    int32_t n = plugins.formats(p, formats.Count(), list, 32);
    if (n > 32) n = 32;
    if (n > 0) firstFormat[static_cast<size_t>(p)] = list[0];
    for (int32_t i = 0; i < n; ++i)
      if (!formats.Has(list[i])) formats.AddInt(list[i]);
  }
  TagState* ff = &g_tagStates[kRowFileFormat];
  formats.Commit(ff);
  Load(kRowFileFormat, ff);
  for (int32_t p = 0; p < pluginCount; ++p)
    if (firstFormat[static_cast<size_t>(p)] == CurrentInt(kRowFileFormat)) {
      plugins.makeCurrent(p);
      break;
    }

  ListBuilder modes(kRowCompression);
  modes.AddInt(0);
  int32_t list[32];
  int32_t n = plugins.compressionModes(list, 32);
  if (n > 32) n = 32;
  for (int32_t i = 0; i < n; ++i)
    if (!modes.Has(list[i])) modes.AddInt(list[i]);
  TagState* comp = &g_tagStates[kRowCompression];
  modes.Commit(comp);
  Load(kRowCompression, comp);
  return 0;
}

// The largest of the driver's sizes, then the driver's list; no stored value.
void PhysicalSize(int row, TagState* r, const KSAnswer& a) {
  ListBuilder list(row);
  float largest = 0.0f;
  for (int32_t i = 0; i < a.ListSize(); ++i) {
    const float v = BitsToFloat(a.Raw(static_cast<size_t>(i)));
    if (i == 0 || v > largest) largest = v;
  }
  list.AddBytes(&largest);
  list.AddDriverList(a);
  list.Commit(r);
  r->Current = FloatToBits(largest);
  r->Default = r->Current;
}

void AreaRange(int row, TagState* r) {
  Load(row, r);
  const int32_t unit = CurrentInt(kRowUnits);
  const float margin = KSAreaMargin(unit);
  const bool horizontal = row == kRowXPosition || row == kRowImageWidth;
  const float physical = CurrentFloat(horizontal ? kRowPhysicalWidth : kRowPhysicalHeight);
  const bool position = row == kRowXPosition || row == kRowYPosition;
  const float min = position ? 0.0f : margin;
  const float max = position ? physical - margin : physical;
  SetRange(r, FloatToBits(min), FloatToBits(max), FloatToBits(AreaStepFor(unit)));
  float v = BitsToFloat(static_cast<uint32_t>(r->Current));
  if (!(v >= min)) v = min;
  if (v > max) v = max;
  r->Current = FloatToBits(v);
}

int32_t BuildRecord(int row, TagState* r, const KSAnswer& a) {
  const uint16_t tag = kTagTable[row].Tag;
  switch (tag) {
    case kTagLanguage: FixedList(row, r, {0, 1, 2, 3}); break;
    case kTagProductName:
      StringList(row, r, a);
      OwnDevice = 1;
      return 0;
    case kTagDevice5:
    case kTagDevice6:
    case kTagDeviceA:
      StringList(row, r, a);
      return 0;
    case kTagBatchScan: case kTagSharpen: case kTagFeederType: case kTagBitsPerPixel:
    case kTagDescreen: case kTagFilter: case kTagInvert: case kTagColorMatch:
    case kTagPaperPresent: case kTagUiControl: case kTagAskDriver:
    case kTagXResolution: case kTagYResolution: case kTagThreshold:
    case kTagBrightness: case kTagContrast: case kTagHighlight: case kTagShadow:
    case kTagBackgroundLines: case kTagOverscan: case kTagGamma: case kTagUnits:
      if (tag == kTagBackgroundLines || tag == kTagOverscan || (IsColourRow(row) && a.count < 1)) {
        SetRangeFromDriver(r, a);
        break;
      }
      FromDriver(row, r, a);
      if (tag == kTagPaperPresent || tag == kTagAskDriver) return 0;
      break;
    case kTagBackground: {
      ListBuilder list(row);
      list.AddDriverList(a);
      if (list.Count() < 1) list.AddInt(0);
      list.Commit(r);
      break;
    }
    case kTagEnergySaving: SetIntRange(row, r, 0, 720, 1); break;
    case kTagIndicators: {
      ListBuilder list(row);
      list.AddDriverList(a);
      list.AddInt(1);
      list.Commit(r);
      SetCurrentInt(row, 1);
      break;
    }
    case kTagMinBuffer: SetIntRange(row, r, 32767, 10485760, 1); break;
    case kTagAreaSetting: case kTagMoreSetting: case kTagDeskew: case kTagMirror:
    case kTagAutoCrop: case kTagWhitePage: case kTagContinueJob: case kTagOrientation:
      FixedList(row, r, {0, 1});
      break;
    case kTagScanType: {
      ListBuilder list(row);
      list.AddInt(0);
      list.AddDriverList(a);
      list.Commit(r);
      break;
    }
    case kTagTransferMode:
      if (CurrentPluginFormats().count() > 0) FixedList(row, r, {0, 1, 2});
      else FixedList(row, r, {0, 1});
      break;
    case kTagPixelType: {
      ListBuilder list(row);
      list.AddDriverList(a);
      if (list.Has(2)) list.AddInt(255);
      list.Commit(r);
      break;
    }
    case kTagCompressQuality: SetIntRange(row, r, 0, 20, 1); break;
    case kTagBlankHold: SetIntRange(row, r, 1, 360, 1); break;
    case kTagAutoTypeHold: SetIntRange(row, r, 1, 100, 1); break;
    case kTagLengthDetect: SetIntRange(row, r, 0, LengthLeftBelowArea(), 1); break;
    case kTagDither: StringList(row, r, a); break;
    case kTagFileName: SetUnsupported(r); return 0;
    case kTagMultiPage: {
      // Without a plug-in the count starts at 0.
      const PluginFormats& plugins = CurrentPluginFormats();
      int32_t list[32];
      int32_t c = plugins.count() > 0 ? plugins.formats(MultiPagePlugin(), 0, list, 32) : 0;
      if (c < 0) c = 0;
      if (c < 2) {
        ListBuilder b(row);
        for (int32_t i = 0; i < c; ++i) b.AddInt(i);
        if (c == 0) SetIntRange(row, r, 0, 0, 1);
        else b.Commit(r);
      } else {
        ListBuilder b(row);
        for (int32_t i = 0; i <= c; ++i) b.AddInt(i);
        b.Commit(r);
      }
      break;
    }
    case kTagPhysicalHeight:
    case kTagPhysicalWidth:
      PhysicalSize(row, r, a);
      return 0;
    case kTagXPosition: case kTagYPosition: case kTagImageWidth: case kTagImageLength:
      AreaRange(row, r);
      return 0;
    case kTagXferCount: SetUnsupported(r); break;
    case kTagPageSize: {
      const int32_t unit = CurrentInt(kRowUnits);
      BuildPageSizeList(row, r, RoundedPixels(CurrentFloat(kRowPhysicalWidth), unit),
                        RoundedPixels(CurrentFloat(kRowPhysicalHeight), unit));
      break;
    }
    default:
      FromDriver(row, r, a);
      break;
  }
  Load(row, r);
  if (tag == kTagUnits) {
    int16_t unit = static_cast<int16_t>(CurrentInt(kRowUnits));
    CallKSSetValue(kTagUnits, kTagTable[kRowUnits].Type, &unit);
  }
  return 0;
}

}  // namespace

float KSAreaMargin(int32_t unit) { return unit == 0 ? 0.214f : unit == 1 ? 0.542f : 64.0f; }

int32_t InitKSTag(const TagDef* row, TagState* record) {
  if (!row || !record) return kZebNotBound;
  WriteLog(kLogFileName, "InitKSTag", "In ", 1, LogValue::Int(row->Tag), 1);
  const int index = static_cast<int>(row - kTagTable);
  KSAnswer a;
  int32_t rc = KSQuery(row->Tag, row->Type, &a);
  if (rc != 0) {
    LogOut("InitKSTag", rc);
    return rc;
  }
  if (row->Tag == kTagFileFormat || row->Tag == kTagCompression) {
    // Both rows come from a query of their own, which releases this answer's block.
    KSQueryDone(&a);
    rc = BuildFormatsAndCompression();
  } else {
    rc = BuildRecord(index, record, a);
    KSQueryDone(&a);
  }
  LogOut("InitKSTag", rc);
  return rc;
}
