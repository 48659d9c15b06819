// Starting one driver kind, and releasing what a start leaves behind.
#include "debug_log.h"
#include "driver_bindings.h"
#include "driver_calls.h"
#include "isis_setup_file.h"
#include "library_state.h"
#include "source_settings.h"
#include "tag_lifecycle.h"

namespace {

void LoadSourceNameIntoIdentity() {
  char name[kSourceNameSize] = {};
  LoadStoredSourceName(name);
  SourceNameToProductName(name, &gLib.sourceIdentity);
}

}  // namespace

int32_t InitDrv(int32_t kind) {
  LogIn("InitDrv");
  int32_t status;
  switch (kind) {
    case kDriverMaker:
      CallTWAINFree();
      CallISISFree();
      BindKSDriver();
      status = CallKSLoad(gLib.ownerWindow);
      break;
    case kDriverTwain:
      CallKSFree();
      CallISISFree();
      BindTwainEngine();
      LoadSourceNameIntoIdentity();
      status = CallTWAINLoad(gLib.ownerWindow);
      RegisterTwainApp();
      break;
    case kDriverIsis:
      WriteIsisSetupFile();
      CallTWAINFree();
      CallKSFree();
      BindIsisBridge();
      status = CallISISLoad(gLib.ownerWindow);
      break;
    default:
      // No source chosen: every driver library stays loaded so the source dialog lists them all.
      BindKSDriver();
      CallKSLoad(gLib.ownerWindow);
      BindTwainEngine();
      CallTWAINLoad(gLib.ownerWindow);
      RegisterTwainApp();
      BindIsisBridge();
      CallISISLoad(gLib.ownerWindow);
      status = kZebNoSource;
      break;
  }
  if (status == kZebOk) {
    gLib.state = kStateDriverStarted;
    // The tag records are built only while the last status is 0: a failure of an earlier start
    // must not keep this one from building them.
    gLib.lastStatus = kZebOk;
    status = ZebInitTag();
  }
  gLib.lastStatus = status;
  LogOut("InitDrv", status);
  return status;
}
