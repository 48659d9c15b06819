#include "tarnwick_process.h"

#include "win_driver.h"

bool TarnwickProcess::Start(const std::wstring& arguments, const std::wstring& folder,
                            const std::wstring& program) {
  std::wstring line = L"\"" + program + L"\"";
  if (!arguments.empty()) line += L" " + arguments;
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  std::wstring path = program.find(L'\\') == std::wstring::npos ? TestFolder() + L"\\" + program : program;
  return CreateProcessW(path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &si, &pi_) != FALSE;
}

TarnwickProcess::~TarnwickProcess() {
  if (pi_.hProcess) {
    if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
      Close(10000);
      if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 9);
    }
    CloseHandle(pi_.hProcess);
    CloseHandle(pi_.hThread);
  }
}

HWND TarnwickProcess::MainWindow(DWORD timeoutMs) {
  DWORD start = GetTickCount();
  do {
    HWND w = windriver::FindTopWindow("TTarnwickForm", "Folvex", 0);
    if (w) {
      DWORD pid = 0;
      GetWindowThreadProcessId(w, &pid);
      if (pid == pi_.dwProcessId && IsWindowVisible(w)) return w;
    }
    if (WaitForSingleObject(pi_.hProcess, 50) == WAIT_OBJECT_0) return nullptr;
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

long TarnwickProcess::WaitExit(DWORD timeoutMs) {
  if (!pi_.hProcess || WaitForSingleObject(pi_.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(pi_.hProcess, &code);
  return static_cast<long>(code);
}

long TarnwickProcess::Close(DWORD timeoutMs) {
  if (HWND w = MainWindow(0)) PostMessageW(w, WM_CLOSE, 0, 0);
  return WaitExit(timeoutMs);
}

void CloseStrayTarnwicks() {
  while (HWND w = windriver::FindTopWindow("TTarnwickForm", "Folvex", 0)) {
    PostMessageW(w, WM_CLOSE, 0, 0);
    if (!windriver::WaitGone("TTarnwickForm", "Folvex", 10000)) break;
  }
}

std::wstring TestFolder() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p(path, n);
  return p.substr(0, p.find_last_of(L'\\'));
}
