// The "More" settings dialog's window over its model (more_dialog.h).
#pragma once
#include <windows.h>

#include <cstdint>

// Runs the dialog over `parent` for the settings dialog's working channel and image type; OK
// stores its values at once and hands the chosen channel back. 0 after it closed (accepted:
// whether OK was pressed), -7 when it could not be shown.
int32_t ShowMoreDialog(HWND parent, int32_t* channel, int32_t imageType, bool* accepted);
