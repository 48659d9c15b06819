// An operator at the message boxes a page service shows, acting from a second thread while the
// box runs modally on the test's thread: notes the caption and text and presses OK.
#pragma once
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

class MessageBoxOperator {
 public:
  struct Seen {
    std::string caption;
    std::string text;
  };

  MessageBoxOperator() : thread_([this] { Run(); }) {}
  ~MessageBoxOperator() {
    stop_ = true;
    thread_.join();
  }
  // The boxes answered so far.
  std::vector<Seen> Boxes() {
    Sleep(0);
    std::vector<Seen> copy;
    EnterCriticalSection(&lock_);
    copy = seen_;
    LeaveCriticalSection(&lock_);
    return copy;
  }

 private:
  static BOOL CALLBACK LongestStatic(HWND child, LPARAM out) {
    char cls[32] = {}, text[512] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") == 0 && GetWindowTextA(child, text, sizeof text) > 0) {
      std::string* s = reinterpret_cast<std::string*>(out);
      if (std::string(text).size() > s->size()) *s = text;
    }
    return TRUE;
  }
  static BOOL CALLBACK FindBox(HWND w, LPARAM out) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char cls[32] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (pid == GetCurrentProcessId() && lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(w)) {
      *reinterpret_cast<HWND*>(out) = w;
      return FALSE;
    }
    return TRUE;
  }
  void Run() {
    while (!stop_) {
      HWND box = nullptr;
      EnumWindows(FindBox, reinterpret_cast<LPARAM>(&box));
      if (box) {
        Seen s;
        char caption[256] = {};
        GetWindowTextA(box, caption, sizeof caption);
        s.caption = caption;
        EnumChildWindows(box, LongestStatic, reinterpret_cast<LPARAM>(&s.text));
        EnterCriticalSection(&lock_);
        seen_.push_back(s);
        LeaveCriticalSection(&lock_);
        SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
        while (IsWindow(box) && !stop_) Sleep(10);
      }
      Sleep(20);
    }
    DeleteCriticalSection(&lock_);
  }

  struct Lock {
    Lock(CRITICAL_SECTION* c) { InitializeCriticalSection(c); }
  };
  CRITICAL_SECTION lock_;
  Lock init_{&lock_};
  std::vector<Seen> seen_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};
