// An operator at one of the library's own dialogs, acting from a second thread while the dialog
// runs modally inside the library on the test's own thread: lists read, entries picked, buttons
// clicked, numbers typed key by key, and the window kept as a screenshot.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "source_operator.h"

inline std::vector<std::string> ComboLines(HWND dlg, int id) {
  std::vector<std::string> lines;
  const int n = static_cast<int>(SendDlgItemMessageA(dlg, id, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    char text[256] = {};
    SendDlgItemMessageA(dlg, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    lines.push_back(text);
  }
  return lines;
}

// The entries as UTF-8, whatever the ANSI code page holds.
inline std::vector<std::string> ComboLinesUtf8(HWND dlg, int id) {
  std::vector<std::string> lines;
  const int n = static_cast<int>(SendDlgItemMessageW(dlg, id, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    wchar_t text[256] = {};
    SendDlgItemMessageW(dlg, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    char utf8[768] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    lines.push_back(utf8);
  }
  return lines;
}

inline std::string TextOf(HWND dlg, int id) {
  char text[256] = {};
  GetDlgItemTextA(dlg, id, text, sizeof text);
  return text;
}

inline std::string CaptionOf(HWND w) {
  char text[256] = {};
  GetWindowTextA(w, text, sizeof text);
  return text;
}

inline bool Enabled(HWND dlg, int id) { return IsWindowEnabled(GetDlgItem(dlg, id)) != FALSE; }
inline bool Visible(HWND dlg, int id) { return IsWindowVisible(GetDlgItem(dlg, id)) != FALSE; }
inline bool Checked(HWND dlg, int id) { return IsDlgButtonChecked(dlg, id) == BST_CHECKED; }

// Picks the entry with this text; false when the list has none.
inline bool PickText(HWND dlg, int id, const char* text) {
  const LRESULT i = SendDlgItemMessageA(dlg, id, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(text));
  if (i == CB_ERR) return false;
  SendDlgItemMessageA(dlg, id, CB_SETCURSEL, i, 0);
  SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
  return true;
}

// A click as the mouse makes it: only an enabled control takes it.
inline void Click(HWND dlg, int id) {
  HWND c = GetDlgItem(dlg, id);
  if (IsWindowEnabled(c)) SendMessageA(c, BM_CLICK, 0, 0);
}

// Replaces the text of an edit field (or of a combo box's edit) key by key.
inline void Type(HWND dlg, int id, const std::string& text) {
  HWND c = GetDlgItem(dlg, id);
  if (HWND edit = FindWindowExA(c, nullptr, "Edit", nullptr)) c = edit;
  SendMessageA(c, EM_SETSEL, 0, -1);
  SendMessageA(c, WM_CHAR, VK_BACK, 0);
  for (char ch : text) SendMessageA(c, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(ch)), 0);
}

// Focus leaves a field: the dialog's own handling of it runs.
inline void Leave(HWND dlg, int id, UINT code) {
  SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

// The client area of a window as the screen shows it, top row first.
struct ClientShot {
  int width = 0, height = 0;
  std::vector<uint8_t> bgr;  // 3 bytes a pixel, rows padded to 4 bytes, bottom row first
  bool Dark(int x, int y) const;
};
ClientShot TakeClientShot(HWND w);

// A picture of the whole window, painted afresh, kept in the build's screens folder under name.
bool KeepDialogScreen(HWND w, const std::string& name);
// The shot as a 24-bit BMP file; false when it cannot be written.
bool SaveShot(const ClientShot& shot, const std::string& path);
inline bool SaveWindowShot(HWND w, const std::string& path) { return SaveShot(TakeClientShot(w), path); }

// The screenshots' folder of the build (created when missing), ending in a backslash.
std::string ScreenshotFolder();
// The build's folder of window pictures (PNG, whole windows), ending in a backslash.
std::string PicturesFolder();

// Acts once the window with this caption shows; found says whether it did.
struct DialogOperator {
  bool found = false;
  std::thread thread;

  void Run(const char* caption, std::function<void(HWND)> act) {
    std::string c = caption;
    thread = std::thread([this, c, act] {
      HWND dlg = WaitForWindow(c.c_str());
      if (!dlg) return;
      found = true;
      Sleep(100);
      act(dlg);
    });
  }
  void Wait() {
    if (thread.joinable()) thread.join();
  }
};
