// The tag exports that read records, choose nothing and reset values.
#include "tag_exports.h"

#include <windows.h>

#include <cstring>

#include "debug_log.h"
#include "driver_calls.h"
#include "library_state.h"
#include "tag_ids.h"
#include "tag_lifecycle.h"
#include "tag_records.h"
#include "tag_reset.h"
#include "tag_state.h"
#include "tag_types.h"
#include "tag_value_io.h"

namespace {

void LogInTag(const char* name, uint32_t tag) {
  WriteLog(kLogFileName, name, "In ", 1, LogValue::Int(static_cast<int32_t>(tag & 0xFFFF)), 1);
}

int32_t Out(const char* name, int32_t status) {
  LogOut(name, status);
  return status;
}

// The physical size follows SCANTYPE: the largest, the second item, or the last (at most the
// third); a short list gives its last item.
void PhysicalForScanType(int row) {
  const TagState& s = g_tagStates[row];
  if (s.Count < 1) return;
  int index;
  switch (CurrentInt(kRowScanType)) {
    case 0: index = 0; break;
    case 1: index = 1; break;
    case 2: index = 2; break;
    default: return;
  }
  if (index > s.Count - 1) index = s.Count - 1;
  SetCurrentFloat(row, ChoiceFloat(row, index));
}

constexpr uint32_t kCapFeederEnabled = 0x1002;
constexpr uint32_t kCapFeederLoaded = 0x1003;
constexpr uint32_t kOneValue = 5;
constexpr uint32_t kTwBoolItem = 6;

// Enables the feeder, then reads "feeder loaded" as a 16-bit value from the one-value container
// the engine hands back (item type, then the item); the caller frees that block.
void AskTwainFeederLoaded(void* out) {
  int32_t enable = 1;
  CallTWAINSetValue(kCapFeederEnabled, kOneValue, &enable);
  void* block = nullptr;
  const int32_t container = CallTWAINGetValue(kCapFeederLoaded, kTwBoolItem, &block);
  if (container == static_cast<int32_t>(kOneValue) && block) {
    uint16_t loaded = 0;
    std::memcpy(&loaded, static_cast<const uint8_t*>(block) + 2, 2);
    std::memcpy(out, &loaded, 2);
  }
  if (block) {
    HGLOBAL h = GlobalHandle(block);
    if (h) {
      while (GlobalUnlock(h)) {
      }
      GlobalFree(h);
    }
  }
}

}  // namespace

void PhysicalSizeForScanType() {
  PhysicalForScanType(kRowPhysicalWidth);
  PhysicalForScanType(kRowPhysicalHeight);
}

extern "C" int32_t __stdcall ZebGetTagFlag(uint32_t tag, int32_t* flag) {
  LogInTag("ZebGetTagFlag", tag);
  const int32_t rc = TagEntryCheck(false);
  if (rc != kZebOk) return Out("ZebGetTagFlag", rc);
  const int row = FindTag(tag);
  if (row == kNoRow) return Out("ZebGetTagFlag", kZebNotBound);
  const int32_t count = g_tagStates[row].Count;
  if (flag) *flag = count < 0 ? kFlagUnsupported : count == 0 ? kFlagRange : kFlagList;
  return Out("ZebGetTagFlag", kZebOk);
}

extern "C" int32_t __stdcall ZebGetTagChoice(uint32_t tag, int32_t index, void* value) {
  LogInTag("ZebGetTagChoice", tag);
  if (gLib.lastStatus != kZebOk) return Out("ZebGetTagChoice", gLib.lastStatus);
  if (gLib.driverKind < 0) return Out("ZebGetTagChoice", kZebNoSource);
  if (gLib.state < kStateDriverStarted) return Out("ZebGetTagChoice", kZebNotStarted);
  const int row = FindTag(tag);
  if (row == kNoRow) return Out("ZebGetTagChoice", kZebNotBound);
  const TagState& s = g_tagStates[row];
  const int type = kTagTable[row].Type;
  if (!value) return Out("ZebGetTagChoice", kZebOk);
  if (s.Count < 0) {
    CopyCurrentOut(row, value);
  } else if (s.Count > 0) {
    if (index < 0 || index >= s.Count || !s.Choices) return Out("ZebGetTagChoice", kZebNotBound);
    if (row == kRowPhysicalHeight || row == kRowPhysicalWidth) {
      PhysicalForScanType(row);
      CopyElementOut(row, 0, value);
    } else {
      const size_t size = static_cast<size_t>(TagTypeSize(type));
      std::memcpy(value, static_cast<const uint8_t*>(s.Choices) + size * static_cast<size_t>(index), size);
    }
  } else if (IsTagNumberType(type)) {
    uint32_t raw;
    switch (index) {
      case 1: raw = s.Min; break;
      case 2: raw = s.Max; break;
      case 3: raw = s.Step; break;
      default: return Out("ZebGetTagChoice", kZebNotBound);
    }
    if (type == kTypeFloat) std::memcpy(value, &raw, 4);
    else WriteNumber(type, RawToInt(type, raw), value);
  }
  return Out("ZebGetTagChoice", kZebOk);
}

extern "C" int32_t __stdcall ZebSetTagChoice(uint32_t tag, int32_t, int32_t) {
  LogInTag("ZebSetTagChoice", tag);
  const int32_t rc = TagEntryCheck(true);
  if (rc != kZebOk) return Out("ZebSetTagChoice", rc);
  if (gLib.state < kStateReady && gLib.lastStatus == kZebOk) gLib.lastStatus = ZebInitTag();
  return Out("ZebSetTagChoice", kZebOk);
}

extern "C" int32_t __stdcall ZebGetValue(uint32_t tag, void* value) {
  LogInTag("ZebGetValue", tag);
  const int32_t rc = TagEntryCheck(false);
  if (rc != kZebOk) return Out("ZebGetValue", rc);
  const int row = FindTag(tag);
  if (row == kNoRow) return Out("ZebGetValue", kZebNotBound);
  const uint16_t t = kTagTable[row].Tag;
  if (t == kTagAskDriver || t == kTagPaperPresent) {
    // Asked from the driver each time.
    if (gLib.driverKind == kDriverMaker && value) CallKSGetValue(t, kTagTable[row].Type, value);
    else if (gLib.driverKind == kDriverTwain && value && t == kTagPaperPresent) AskTwainFeederLoaded(value);
    return Out("ZebGetValue", kZebOk);
  }
  CopyCurrentOut(row, value);
  return Out("ZebGetValue", kZebOk);
}

extern "C" int32_t __stdcall ZebResetValue(uint32_t tag, void* value) {
  LogInTag("ZebResetValue", tag);
  const int32_t rc = TagEntryCheck(true);
  if (rc != kZebOk) return Out("ZebResetValue", rc);
  if ((tag & 0xFFFF) == kTagAllTags) {
    // One buffer cannot take every row's value: the pointer is not used.
    for (int row = 0; row < kTagCount; ++row) ResetRow(row, nullptr);
    return Out("ZebResetValue", kZebOk);
  }
  const int row = FindTag(tag);
  if (row == kNoRow) return Out("ZebResetValue", kZebNotBound);
  ResetRow(row, value);
  return Out("ZebResetValue", kZebOk);
}
