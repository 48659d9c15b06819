// Tarnwick's main block: one running instance per desktop, then the main window and the forms
// made at start, and the message loop.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include "about_form.h"
#include "edition.h"
#include "conb_form.h"
#include "open_form.h"
#include "tarnwick_form.h"

using tarnwick::TTarnwickForm;

namespace {

// Two starts at the same moment could both miss each other's window: the look for a running
// instance and the making of the window are one step under this lock.
class StartLock {
 public:
  explicit StartLock(bool wanted)
      : mutex_(wanted ? CreateMutexW(nullptr, FALSE, L"Local\\Tarnwick.TTarnwickForm.Folvex")
                      : nullptr) {
    if (mutex_) {
      DWORD got = WaitForSingleObject(mutex_, 30000);
      held_ = got == WAIT_OBJECT_0 || got == WAIT_ABANDONED;
    }
  }
  ~StartLock() { Release(); }
  void Release() {
    if (held_) ReleaseMutex(mutex_);
    held_ = false;
    if (mutex_) CloseHandle(mutex_);
    mutex_ = nullptr;
  }

 private:
  HANDLE mutex_;
  bool held_ = false;
};

std::wstring FirstArgument() {
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
  std::wstring first = args && count > 1 ? args[1] : L"";
  if (args) LocalFree(args);
  return first;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  constexpr bool kSecond = tarnwick::kBuiltEdition == tarnwick::Edition::kSecond;
  // The first edition runs once per desktop; the second starts anew every time.
  StartLock lock(!kSecond);
  if (HWND running = kSecond ? nullptr
                             : FindWindowW(TTarnwickForm::kClassName, TTarnwickForm::kTitle)) {
    if (IsIconic(running))
      ShowWindow(running, SW_RESTORE);
    else
      SetForegroundWindow(running);
    return 0;
  }

  TTarnwickForm form;
  // The second edition ignores its command line.
  if (!form.Create(kSecond ? std::wstring() : FirstArgument())) return 1;
  form.OpenForm = std::make_unique<tarnwick::TOpenForm>();
  form.ConBForm = std::make_unique<tarnwick::TConBForm>();
  form.AboutForm = std::make_unique<tarnwick::TAboutForm>();
  form.CreateScanForm();
  form.ShowMaximized();
  lock.Release();

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    form.PreviewKey(msg);
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
