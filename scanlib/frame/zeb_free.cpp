// Releasing the driver, and on a full release everything ZebLoad made.
#include "auxiliary_libraries.h"
#include "debug_log.h"
#include "driver_calls.h"
#include "interface_font.h"
#include "library_state.h"
#include "pavlot.h"
#include "../plugins/plugin_host.h"
#include "tag_lifecycle.h"

int32_t ZebFreeLib(int full) {
  LogIn("ZebFreeLib");
  ZebFreeTag();
  CallTWAINFree();
  CallISISFree();
  CallKSFree();
  if (full == 1) {
    DeleteInterfaceFont();
    if (gLib.releasePageServices) gLib.releasePageServices();
    gLib.releasePageServices = nullptr;
    ReleaseFilePlugins();
    FreeAuxiliaryLibraries();
    gLib.state = kStateNotStarted;
  } else {
    gLib.state = kStateStarted;
  }
  LogOut("ZebFreeLib", kZebOk);
  return kZebOk;
}

extern "C" int32_t __stdcall ZebFree() {
  LogIn("ZebFree");
  ZebFreeLib(1);
  LogOut("ZebFree", kZebOk);
  return kZebOk;
}
