// ZebColorDrop: FilterDll.dll's FilterBlue, when it was loaded at start-up, with the caller's
// four arguments.
#include "debug_log.h"
#include "library_state.h"
#include "pavlot.h"
#include "status_codes.h"

extern "C" int32_t __stdcall ZebColorDrop(intptr_t a1, intptr_t a2, intptr_t a3, intptr_t a4) {
  LogIn("ZebColorDrop");
  if (gLib.aux.FilterBlue) gLib.aux.FilterBlue(a1, a2, a3, a4);
  LogOut("ZebColorDrop", kZebOk);
  return kZebOk;
}
