// What the library's dialog windows share: the template for the screen, the interface font and
// the localised texts on every control, and filling and reading their lists.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "dialog_template_choice.h"
#include "dialog_texts.h"
#include "dialog_values.h"
#include "label_list.h"

// The template for this screen and the owner's text; nullptr after the warning for a refused
// screen.
const char* DialogTemplateFor(LibraryDialog dialog, HWND owner);

// Runs a template modally; -7 when the screen is refused or the dialog cannot be made, else the
// id that ended it.
INT_PTR RunLibraryDialog(LibraryDialog dialog, HWND owner, DLGPROC proc, LPARAM param);

// The interface font on every control, and each table text (a caption for id 0).
void ApplyDialogTexts(HWND dlg, DialogTexts texts, const TextSource& text);

void FillLabels(HWND dlg, int id, const std::vector<LabelEntry>& entries, int selected);
void FillTexts(HWND dlg, int id, const std::vector<std::string>& texts, int selected);
int SelectedEntry(HWND dlg, int id);  // -1 for none

void Enable(HWND dlg, int id, bool on);
void Check(HWND dlg, int id, bool on);
bool IsChecked(HWND dlg, int id);
void SetNumber(HWND dlg, int id, int32_t v);
std::string ItemText(HWND dlg, int id);

// A dialog's window state, handed over as WM_INITDIALOG's parameter and kept in DWLP_USER; null
// for the messages that come before it.
template <class State>
State* DialogState(HWND dlg, UINT msg, LPARAM lp) {
  if (msg == WM_INITDIALOG) SetWindowLongPtrA(dlg, DWLP_USER, lp);
  return reinterpret_cast<State*>(GetWindowLongPtrA(dlg, DWLP_USER));
}

// A horizontal scroll bar's new position for a scroll request, clamped into min..max.
int32_t ScrolledPosition(HWND bar, int request, int32_t current, int32_t min, int32_t max);
