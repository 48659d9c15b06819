// ZebSetSource and ZebSelectSource: choosing the source and restarting the driver for it.
#include <cstring>

#include "debug_log.h"
#include "library_state.h"
#include "pavlot.h"
#include "source_dialog.h"
#include "source_settings.h"

extern "C" int32_t __stdcall ZebSetSource(const char* name) {
  LogIn("ZebSetSource");
  if (gLib.state < kStateStarted) {
    // Nothing to choose for before ZebLoad: no driver library may be loaded yet.
    LogOut("ZebSetSource", kZebNotStarted);
    return kZebNotStarted;
  }
  if (!name) name = kInteractiveSource;
  gLib.lastStatus = kZebOk;
  char oldName[kSourceNameSize] = {};
  LoadStoredSourceName(oldName);
  if (OpenSourceDialog(name) != 0) {
    gLib.lastStatus = gLib.driverKind == kDriverNone ? kZebNoSource : kZebOk;
  } else if (gLib.driverKind == kDriverNone) {
    gLib.lastStatus = kZebNoSource;
  } else {
    char newName[kSourceNameSize] = {};
    LoadStoredSourceName(newName);
    if (std::strcmp(newName, oldName) != 0 || gLib.state < kStateReady) {
      ZebFreeLib(0);
      InitDrv(gLib.driverKind);
    }
  }
  LogOut("ZebSetSource", gLib.lastStatus);
  return gLib.lastStatus;
}

extern "C" int32_t __stdcall ZebSelectSource() {
  LogIn("ZebSelectSource");
  gLib.lastStatus = ZebSetSource(kInteractiveSource);
  LogOut("ZebSelectSource", gLib.lastStatus);
  return gLib.lastStatus;
}
