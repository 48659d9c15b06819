// ZebDoDeskew: the deskew service of zebip.dll, passed through with its seven arguments.
#include "debug_log.h"
#include "library_state.h"
#include "pavlot.h"
#include "status_codes.h"

extern "C" int32_t __stdcall ZebDoDeskew(intptr_t a1, intptr_t a2, intptr_t a3, intptr_t a4,
                                         intptr_t a5, intptr_t a6, intptr_t a7) {
  LogIn("ZebDoDeskew");
  const int32_t rc = gLib.aux.DoDeskew != nullptr ? gLib.aux.DoDeskew(a1, a2, a3, a4, a5, a6, a7)
                                                  : kZebNotBound;
  LogOut("ZebDoDeskew", rc);
  return rc;
}
