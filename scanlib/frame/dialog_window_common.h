// What the library's dialog windows share: the template for the screen, the interface font and
// the localised texts on every control, filling and reading their lists, the groups of radio
// buttons and levels they show alike, and the modal run with OK and Cancel.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "dialog_template_choice.h"
#include "dialog_texts.h"
#include "dialog_values.h"
#include "label_list.h"
#include "status_codes.h"

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

// Checks the button at position chosen of a radio group and clears the others.
void CheckOneOf(HWND dlg, std::initializer_list<int> ids, int chosen);

// The page-side group (Front 0, Both 1, Rear 2) and the layout group, which the settings and area
// dialogs show alike.
void ShowPageSide(HWND dlg, int side, bool bothEnabled, bool rearEnabled);
void ShowLayout(HWND dlg, bool landscape, bool landscapeEnabled);

// A horizontal scroll bar's range and position; enabled says whether it can be moved.
void ShowScrollLevel(HWND dlg, int bar, int32_t min, int32_t max, int32_t value, bool enabled);

// OK and Cancel: the dialog ends, OK noted in accepted. False for any other command.
bool EndOnOkOrCancel(HWND dlg, int id, bool* accepted);

// Runs a dialog over a window state made for it (see DialogState); -7 when it could not be
// shown, else 0 with accepted telling whether it ended through OK.
template <class Window>
int32_t RunDialogWindow(LibraryDialog dialog, HWND owner, DLGPROC proc, Window* window, bool* accepted) {
  if (accepted) *accepted = false;
  const INT_PTR rc = RunLibraryDialog(dialog, owner, proc, reinterpret_cast<LPARAM>(window));
  if (rc < 0) return kZebNotBound;
  if (accepted) *accepted = window->accepted;
  return kZebOk;
}

// A horizontal scroll bar's new position for a scroll request, clamped into min..max.
int32_t ScrolledPosition(HWND bar, int request, int32_t current, int32_t min, int32_t max);
