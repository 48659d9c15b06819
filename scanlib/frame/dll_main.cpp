#include <windows.h>

#include "library_state.h"
#include "pavlot.h"
#include "source_dialog_window.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (!instance) return FALSE;
  gLib.module = instance;
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      gLib.appInfo = TWAppInfo{};
      SetSourceDialogRunner(&RunSourceListWindow);  // the templates live in this module
      break;
    case DLL_PROCESS_DETACH:
      // Under the loader lock: unloading the drivers here is safe only when the caller freed
      // this library itself (reserved is null) and something is still started. At process
      // exit the system reclaims the drivers anyway.
      if (reserved == nullptr && gLib.state > kStateNotStarted) {
        ZebFree();
      } else if (reserved == nullptr && gLib.releasePageServices) {
        gLib.releasePageServices();  // page services used without a start
        gLib.releasePageServices = nullptr;
      }
      break;
    default:
      break;
  }
  return TRUE;
}
