#include "source_dialog.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "debug_log.h"
#include "driver_calls.h"
#include "isis_driver_info.h"
#include "library_state.h"
#include "settings_store.h"
#include "source_settings.h"

namespace {

SourceDialogAnswer CancelledWithoutWindow(const std::vector<SourceEntry>&, int preselected) {
  return {false, preselected, false};
}

SourceDialogRunner gRunner = &CancelledWithoutWindow;

std::string StoredSourceName() {
  char name[kSourceNameSize] = {};
  LoadStoredSourceName(name);
  return name;
}

void StoreManufacturer(const char* text) {
  char maker[kManufacturerSize] = {};
  lstrcpynA(maker, text, sizeof(maker));
  WriteSettingString(kGeneralKey, kManufacturerValue, maker);
}

void StoreDriverName(const KSSourceRecord& rec) {
  std::string name(rec.DriverName, strnlen(rec.DriverName, sizeof(rec.DriverName)));
  name.append(rec.InterfaceName, strnlen(rec.InterfaceName, sizeof(rec.InterfaceName)));
  WriteSettingString(kGeneralKey, kDriverNameValue, name.c_str());
}

// The maker's record of the entry, with the entry's name in it, for KSSetDriverById.
KSSourceRecord RecordFor(const SourceEntry& e) {
  KSSourceRecord rec = e.record;
  lstrcpynA(rec.ListName, e.text.c_str(), sizeof(rec.ListName));
  return rec;
}

// The maker's record of the first listed source: what DRIVERNAME of a TWAIN source is made of.
KSSourceRecord FirstMakerRecord(const std::vector<SourceEntry>& entries) {
  for (const SourceEntry& e : entries)
    if (e.kind == kDriverMaker) return e.record;
  return KSSourceRecord{};
}

// The ISIS record of the entry as the bridge tells it now; a bridge that no longer answers
// leaves the listed name in it, so the choice is not lost.
IsisDriverInfo IsisRecordFor(const SourceEntry& e) {
  IsisDriverInfo info{};
  lstrcpynA(info.ModelName, e.text.c_str(), sizeof(info.ModelName));
  gLib.lastStatus = CallISISDriverInfoById(e.index, &info);
  return info;
}

// The ISIS driver becomes the current source: its model is SOURCENAME, its driver DRIVERNAME and
// the identity's maker. NANUFACTURER is taken from the identity after the driver name is in it:
// the start of kind 2 writes it into setscan.ini as the driver, which must name this driver,
// not the maker of whatever TWAIN source was open before.
void ConfirmIsisChoice(const SourceEntry& e) {
  IsisDriverInfo info = IsisRecordFor(e);
  if (gLib.lastStatus == 0) gLib.lastStatus = CallISISSetDriver(&info);
  char model[sizeof(info.ModelName) + 1] = {};
  std::memcpy(model, info.ModelName, sizeof(info.ModelName));
  char driver[sizeof(info.DriverName) + 1] = {};
  std::memcpy(driver, info.DriverName, sizeof(info.DriverName));
  StoreSourceName(model);
  WriteSettingString(kGeneralKey, kDriverNameValue, driver);
  lstrcpynA(gLib.sourceIdentity.Manufacturer, driver, sizeof(gLib.sourceIdentity.Manufacturer));
  StoreManufacturer(gLib.sourceIdentity.Manufacturer);
}

bool Valid(const std::vector<SourceEntry>& entries, int selection) {
  return selection >= 0 && selection < static_cast<int>(entries.size());
}

}  // namespace

SourceDialogRunner SetSourceDialogRunner(SourceDialogRunner runner) {
  SourceDialogRunner old = gRunner;
  gRunner = runner ? runner : &CancelledWithoutWindow;
  return old;
}

void ConfirmSourceChoice(std::vector<SourceEntry>& entries, int selection) {
  if (!Valid(entries, selection)) {
    StoreSourceName("");
  } else if (entries[selection].kind == kDriverMaker) {
    SourceEntry& e = entries[selection];
    KSSourceRecord rec = RecordFor(e);
    gLib.lastStatus = CallKSSetDriverById(&rec, e.index);
    StoreSourceName(e.text.c_str());
    StoreManufacturer(e.record.Manufacturer);
    StoreDriverName(e.record);
  } else if (entries[selection].kind == kDriverIsis) {
    ConfirmIsisChoice(entries[selection]);
  } else {
    SourceEntry& e = entries[selection];
    SourceNameToProductName(e.text.c_str(), &gLib.sourceIdentity);
    gLib.lastStatus = CallTWAINOpenDS();
    CallTWAINCloseDS();
    char product[sizeof(gLib.sourceIdentity.ProductName) + 1] = {};
    std::memcpy(product, gLib.sourceIdentity.ProductName, sizeof(gLib.sourceIdentity.ProductName));
    StoreSourceName(product);
    char maker[sizeof(gLib.sourceIdentity.Manufacturer) + 1] = {};
    std::memcpy(maker, gLib.sourceIdentity.Manufacturer, sizeof(gLib.sourceIdentity.Manufacturer));
    StoreManufacturer(maker);
    StoreDriverName(FirstMakerRecord(entries));
  }
  int found = FindSourcePrefix(entries, StoredSourceName());
  if (Valid(entries, selection) && found >= 0) gLib.driverKind = entries[found].kind;
  StoreDriverKind(gLib.driverKind);
}

int32_t SetUpIsisDriver(const SourceEntry& e, HWND parent) {
  IsisDriverInfo info = IsisRecordFor(e);
  return CallISISSelectConfig(&info, parent, 0);
}

void EndSourceChoice(std::vector<SourceEntry>& entries, int selection, bool keepKind) {
  if (!Valid(entries, selection)) {
    if (!keepKind) {
      gLib.driverKind = kDriverNone;
      StoreDriverKind(gLib.driverKind);
    }
  } else if (entries[selection].kind == kDriverMaker) {
    KSSourceRecord rec = RecordFor(entries[selection]);
    CallKSSetDriverById(&rec, entries[selection].index);
  } else if (entries[selection].kind == kDriverTwain) {
    SourceNameToProductName(entries[selection].text.c_str(), &gLib.sourceIdentity);
  }
  // Only the chosen kind's library stays loaded.
  if (gLib.driverKind != kDriverMaker) CallKSFree();
  if (gLib.driverKind != kDriverTwain) CallTWAINFree();
  if (gLib.driverKind != kDriverIsis) CallISISFree();
}

int32_t OpenSourceDialog(const char* name) {
  LogDetailText("OpenSourceDialog - in", "   ", "     ");
  int32_t result = kZebCancelled;
  bool keepKind = false;
  InitDrv(kDriverNone);
  CallTWAINCloseDS();
  WriteSettingString(kGeneralKey, "TargetTest", name);
  std::vector<SourceEntry> entries = ListSources();
  int selection = ChooseSource(entries, name, StoredSourceName());
  if (!IsInteractiveRequest(name)) {
    // A named source is chosen without showing anything, as if OK was pressed.
    ConfirmSourceChoice(entries, selection);
    result = kZebOk;
  } else {
    SourceDialogAnswer answer = gRunner(entries, selection);
    selection = Valid(entries, answer.selection) ? answer.selection : -1;
    keepKind = !answer.shown;
    if (answer.ok) {
      ConfirmSourceChoice(entries, selection);
      result = kZebOk;
    }
  }
  EndSourceChoice(entries, selection, keepKind);
  WriteSetting(kGeneralKey, "TargetTest", "", kSettingString, 1);
  LogDetailText("OpenSourceDialog - out", "   ", "     ");
  return result;
}
