// An operator at the source list dialog, acting from a second thread while the dialog runs
// modally inside ZebSelectSource on the test's own thread.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

constexpr int kSetup = 400, kList = 402, kInfoList = 403;

inline HWND WaitForWindow(const char* caption) {
  for (int i = 0; i < 200; ++i) {
    // Visible once its initialisation has filled it.
    HWND w = FindWindowA("#32770", caption);
    if (w && IsWindowVisible(w)) return w;
    Sleep(50);
  }
  return nullptr;
}

inline std::vector<std::string> ListLines(HWND dlg, int id) {
  std::vector<std::string> lines;
  int n = static_cast<int>(SendDlgItemMessageA(dlg, id, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    char text[256] = {};
    SendDlgItemMessageA(dlg, id, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    lines.push_back(text);
  }
  return lines;
}

inline void Press(HWND dlg, int id) {
  PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

inline void Pick(HWND dlg, int index) {
  SendDlgItemMessageA(dlg, kList, LB_SETCURSEL, index, 0);
  SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(kList, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(dlg, kList)));
}

// What the operator saw, and what they did.
struct Operator {
  std::vector<std::string> entries;
  bool okEnabledAtStart = true;
  bool found = false;
  std::thread thread;

  void Run(std::function<void(HWND)> act) {
    thread = std::thread([this, act] {
      HWND dlg = WaitForWindow("Source Selection");
      if (!dlg) return;
      found = true;
      entries = ListLines(dlg, kList);
      okEnabledAtStart = IsWindowEnabled(GetDlgItem(dlg, IDOK)) != FALSE;
      act(dlg);
    });
  }
  void Wait() {
    if (thread.joinable()) thread.join();
  }
};

