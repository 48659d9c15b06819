// The scanner settings dialog's window over its model (settings_dialog.h).
#pragma once
#include <cstdint>

// Shows the dialog over the library's owner window. 0 after it closed (accepted: whether OK
// wrote its values), -7 when it could not be shown.
int32_t RunScanSettingsDialog(bool* accepted);

// The dialog as ZebAcquireUIOnly shows it: 0 after it closed, -7 when it could not be shown.
int32_t ShowScanSettingsDialog();
