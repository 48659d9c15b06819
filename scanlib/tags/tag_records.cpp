// ZebInitTag and ZebFreeTag: the records live from a driver start to its release.
#include "tag_records.h"

#include "debug_log.h"
#include "driver_calls.h"
#include "isis_tags.h"
#include "ks_tags.h"
#include "tw_tags.h"
#include "library_state.h"
#include "tag_block.h"
#include "tag_lifecycle.h"
#include "tag_persistence.h"
#include "tag_state.h"
#include "tag_types.h"
#include "units.h"

extern "C" int32_t __stdcall ZebSelectSource();

namespace {

void* BlockFor(int row) {
  const int type = kTagTable[row].Type;
  if (IsTagStringType(type)) return AllocTagBlock(static_cast<size_t>(TagTypeSize(type)));
  if (IsChannelRow(row)) return AllocTagBlock(kChannels * 4);
  return nullptr;
}

}  // namespace

void FreeTagRecords() {
  for (int row = 0; row < kTagCount; ++row) {
    TagState& s = g_tagStates[row];
    ReleaseTagBlock(&s.Choices);
    const bool stringRow = IsTagStringType(kTagTable[row].Type);
    if (stringRow || IsChannelRow(row)) {
      void* current = reinterpret_cast<void*>(s.Current);
      void* def = stringRow ? reinterpret_cast<void*>(s.Default) : nullptr;
      FreeTagBlock(current);
      if (def != current) FreeTagBlock(def);  // a shared block is freed once
      s.Current = 0;
      if (stringRow) s.Default = 0;
    }
    s.Count = 0;
  }
  ReleaseKSQueryBlock();
}

bool MakeUnsupportedRecords() {
  FreeTagRecords();
  bool ok = true;
  for (int row = 0; row < kTagCount; ++row) {
    TagState& s = g_tagStates[row];
    s = TagState{};
    s.Count = -1;
    const bool stringRow = IsTagStringType(kTagTable[row].Type);
    if (stringRow || IsChannelRow(row)) {
      void* current = BlockFor(row);
      s.Current = reinterpret_cast<uintptr_t>(current);
      if (stringRow) s.Default = reinterpret_cast<uintptr_t>(BlockFor(row));
      ok = ok && current && (!stringRow || s.Default);
    }
  }
  return ok;
}

int32_t ZebInitTag() {
  LogIn("ZebInitTag");
  if (gLib.driverKind < 0 || gLib.lastStatus == kZebNoSource) {
    LogOut("ZebInitTag", kZebNoSource);
    return kZebNoSource;
  }
  if (gLib.state < kStateStarted) {
    LogOut("ZebInitTag", kZebNotStarted);
    return kZebNotStarted;
  }
  if (gLib.state < kStateDriverStarted) {
    char name[34];
    LoadSourceName(name, sizeof name);
    if (gLib.driverKind == kDriverNone || name[0] == '\0') {
      const int32_t rc = ZebSelectSource();
      if (rc != kZebOk) {
        LogOut("ZebInitTag", rc);
        return rc;
      }
    }
    // The source dialog may have started the driver (and built the records) already.
    if (gLib.state < kStateDriverStarted) {
      const int32_t rc = InitDrv(gLib.driverKind);
      LogOut("ZebInitTag", rc);
      return rc;
    }
    if (gLib.state == kStateReady) {
      LogOut("ZebInitTag", gLib.lastStatus);
      return gLib.lastStatus;
    }
  }
  if (gLib.driverKind == kDriverTwain) {
    const int32_t rc = CallTWAINOpenDS();
    if (rc != kZebOk) {
      LogOut("ZebInitTag", rc);
      return rc;
    }
  }

  // Every record gets a safe form first, so nothing reads an unbuilt one.
  if (!MakeUnsupportedRecords()) {
    FreeTagRecords();
    LogOut("ZebInitTag", kZebNoMemory);
    return kZebNoMemory;
  }
  int32_t result = kZebOk;
  // A product name from the previous source must not stay behind.
  ResetTWTagState();
  for (int row = 0; row < kTagCount && gLib.lastStatus == kZebOk; ++row) {
    if (gLib.driverKind == kDriverMaker) result = InitKSTag(&kTagTable[row], &g_tagStates[row]);
    else if (gLib.driverKind == kDriverTwain) result = InitTWTag(&kTagTable[row], &g_tagStates[row]);
    else if (gLib.driverKind == kDriverIsis) result = InitISISTag(&kTagTable[row], &g_tagStates[row]);
  }
  const int32_t units = CurrentInt(kRowUnits);
  ConvertUnits(units, units);
  gLib.state = kStateReady;
  LogOut("ZebInitTag", result);
  return result;
}

void ZebFreeTag() {
  LogIn("ZebFreeTag");
  FreeTagRecords();
  if (gLib.state > kStateDriverStarted) gLib.state = kStateDriverStarted;
  LogOut("ZebFreeTag", kZebOk);
}

int32_t TagEntryCheck(bool startDriver) {
  if (gLib.driverKind < 0 || gLib.lastStatus == kZebNoSource) return kZebNoSource;
  if (startDriver) {
    if (gLib.state < kStateStarted) return kZebNotStarted;
    if (gLib.state < kStateDriverStarted) {
      gLib.lastStatus = kZebOk;
      InitDrv(gLib.driverKind);
      if (gLib.state < kStateDriverStarted)
        return gLib.lastStatus != kZebOk ? gLib.lastStatus : kZebNotStarted;
    }
  } else if (gLib.state < kStateDriverStarted) {
    return kZebNotStarted;
  }
  if (gLib.state == kStateDriverStarted) {
    if (gLib.lastStatus != kZebOk) return gLib.lastStatus;
    gLib.lastStatus = ZebInitTag();
  }
  return gLib.lastStatus;
}
