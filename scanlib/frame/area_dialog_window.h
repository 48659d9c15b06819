// The scan-area dialog's window over its model (area_dialog.h).
#pragma once
#include <windows.h>

#include <cstdint>

#include "dialog_values.h"

// Runs the dialog over `parent` on a copy of the working record, copied back on OK. 0 after it
// closed (accepted: whether OK was pressed), -7 when it could not be shown.
int32_t ShowAreaDialog(HWND parent, DialogWorkRecord* work, bool* accepted);
