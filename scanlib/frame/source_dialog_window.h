// The source list as a modal dialog owned by the caller's window.
#pragma once
#include "source_dialog.h"

SourceDialogAnswer RunSourceListWindow(const std::vector<SourceEntry>& entries, int preselected);
