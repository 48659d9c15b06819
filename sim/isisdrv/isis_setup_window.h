// The set-up window ISISSelectConfig shows for one driver model.
#pragma once
#include <windows.h>

#include <cstdint>

#include "isis_settings.h"

// Modal over parent; true when closed with OK.
bool ShowIsisSetupWindow(HWND parent, int model, const IsisSettings& settings);
