#include "form_driving.h"

#include "win_driver.h"

namespace formdriving {

std::vector<std::string> ComboItems(HWND combo) {
  std::vector<std::string> items;
  const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
    std::wstring text(length > 0 ? length + 1 : 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length > 0 ? length : 0);
    items.push_back(windriver::Utf8(text));
  }
  return items;
}

int ComboSelection(HWND combo) { return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)); }

bool ChooseComboItem(HWND dialog, int comboId, int index) {
  HWND combo = GetDlgItem(dialog, comboId);
  if (!combo || SendMessageW(combo, CB_SETCURSEL, index, 0) != index) return false;
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  return true;
}

bool TypeText(HWND dialog, int editId, const std::string& utf8) {
  HWND edit = GetDlgItem(dialog, editId);
  const std::wstring text = windriver::Wide(utf8);
  return edit && SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool IsChecked(HWND dialog, int buttonId) {
  return SendMessageW(GetDlgItem(dialog, buttonId), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool AnswerBox(const std::string& title, DWORD timeoutMs, std::string* text) {
  HWND box = windriver::FindTopWindow("#32770", title, timeoutMs);
  if (!box) return false;
  HWND message = GetDlgItem(box, 0xFFFF);
  if (!message) message = GetDlgItem(box, 100);
  *text = message ? windriver::WindowText(message) : std::string();
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  // Gone before the next look, so that it is not counted twice.
  for (int i = 0; i < 100 && IsWindow(box); ++i) Sleep(50);
  return true;
}

bool Press(HWND dialog, int buttonId) {
  HWND button = GetDlgItem(dialog, buttonId);
  if (!button) return false;
  // Sent, not posted, so that the dialog has acted when this returns; a button that opens a
  // message box is pressed with the driver's ClickButton instead.
  SendMessageW(button, BM_CLICK, 0, 0);
  return true;
}

bool AcceptSourceDialog() {
  HWND sources = nullptr;
  for (int i = 0; i < 150 && !sources; ++i, Sleep(100)) {
    HWND dialog = windriver::FindTopWindow("#32770", "*", 0);
    if (dialog && GetDlgItem(dialog, 402)) sources = dialog;  // the source list
  }
  if (!sources) return false;
  windriver::ClickButton(sources, IDOK);
  return true;
}

}  // namespace formdriving
