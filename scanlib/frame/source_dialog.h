// The source choice behind ZebSetSource: the sources of every driver are listed, one is picked
// by name or by the operator, and its driver kind and names are stored.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "source_list.h"

// What the operator did in the source list: OK with a selection (-1 for none), or cancel.
// shown is false when no list could be shown: then nothing was chosen and the driver kind stays.
struct SourceDialogAnswer {
  bool ok;
  int selection;
  bool shown = true;
};

// Shows the list for "__Source__" requests; preselected is the stored source's entry or -1.
// The window comes with the dialogs; until one is installed the request counts as cancelled.
using SourceDialogRunner = SourceDialogAnswer (*)(const std::vector<SourceEntry>& entries,
                                                  int preselected);
SourceDialogRunner SetSourceDialogRunner(SourceDialogRunner runner);  // answers the previous one

// 0 when the choice was confirmed, -4 when it was cancelled.
int32_t OpenSourceDialog(const char* name);

// The two ends of the dialog, also used by the dialog window.
void ConfirmSourceChoice(std::vector<SourceEntry>& entries, int selection);
// keepKind: leave the driver kind as it is even with no selection (no list was shown).
void EndSourceChoice(std::vector<SourceEntry>& entries, int selection, bool keepKind = false);

// Setup for an ISIS entry: the driver's own set-up window over parent; answers the bridge's result.
int32_t SetUpIsisDriver(const SourceEntry& e, HWND parent);
