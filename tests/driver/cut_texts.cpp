#include "win_driver.h"

namespace windriver {

namespace {

struct CutSearch {
  std::vector<std::string> cut;
};

// The width a control leaves for its text, in pixels; 0 for controls whose text is not checked.
int RoomForText(HWND control, const wchar_t* cls, const RECT& client) {
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  const int width = client.right - client.left;
  if (lstrcmpiW(cls, L"Static") == 0) return (style & SS_TYPEMASK) <= SS_RIGHT ? width : 0;
  if (lstrcmpiW(cls, L"Button") != 0) return 0;
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON: return width - 6;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE: return width - GetSystemMetrics(SM_CXMENUCHECK) - 4;
    case BS_GROUPBOX: return width - 12;
    default: return 0;
  }
}

BOOL CALLBACK CheckOne(HWND control, LPARAM data) {
  auto* s = reinterpret_cast<CutSearch*>(data);
  if (!IsWindowVisible(control)) return TRUE;
  wchar_t cls[64] = {};
  GetClassNameW(control, cls, 64);
  RECT client;
  GetClientRect(control, &client);
  const int room = RoomForText(control, cls, client);
  if (room <= 0) return TRUE;
  const std::string text = WindowText(control);
  if (text.empty()) return TRUE;
  const std::wstring wide = Wide(text);
  HDC dc = GetDC(control);
  HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  RECT need{0, 0, room, 0};
  const bool lines = lstrcmpiW(cls, L"Static") == 0 && client.bottom >= 2 * tm.tmHeight;
  DrawTextW(dc, wide.c_str(), -1, &need, DT_CALCRECT | (lines ? DT_WORDBREAK : DT_SINGLELINE));
  if (old) SelectObject(dc, old);
  ReleaseDC(control, dc);
  const bool cut = lines ? need.bottom > client.bottom : need.right > room;
  if (cut)
    s->cut.push_back(std::to_string(GetDlgCtrlID(control)) + " \"" + text + "\": needs " +
                     std::to_string(lines ? need.bottom : need.right) + " px, has " +
                     std::to_string(lines ? client.bottom : room));
  return TRUE;
}

}  // namespace

std::vector<std::string> CutTexts(HWND window) {
  CutSearch s;
  EnumChildWindows(window, CheckOne, reinterpret_cast<LPARAM>(&s));
  return s.cut;
}

}  // namespace windriver
