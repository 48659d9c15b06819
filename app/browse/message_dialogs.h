// The main window's message dialogs: string-table texts by id, through the W functions.
#pragma once
#include <windows.h>

#include <cstring>
#include <exception>
#include <string>

namespace tarnwick {

void ErrorDialog(HWND owner, int textId);
void InformationDialog(HWND owner, int textId);
// A plain message box, as the program shows a failure in a loop or a raised error's own text.
void MessageText(HWND owner, const std::wstring& text);
// Yes and No; true for Yes.
bool ConfirmDialog(HWND owner, int textId);

// Runs a command; an error it raises is shown with its own text instead of leaving the
// window's message handling.
template <class Command>
void ShowingErrors(HWND owner, Command command) {
  try {
    command();
  } catch (const std::exception& e) {
    MessageText(owner, std::wstring(e.what(), e.what() + strlen(e.what())));
  }
}

// The hourglass while a command runs, the default cursor afterwards, also when it raises.
class BusyCursor {
 public:
  BusyCursor() : old_(SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)))) {}
  ~BusyCursor() { SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW))); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  HCURSOR old_;
};

}  // namespace tarnwick
