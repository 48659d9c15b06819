#include "tarnwick_process.h"

#include <psapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <chrono>
#include <cstdio>

#include "win_driver.h"

namespace benchprogram {

const char* const kPrepareTitle = "\xe5\x87\x86\xe5\xa4\x87\xe6\x89\xab\xe7\x9e\x84";

double WallMs() {
  using namespace std::chrono;
  return double(duration_cast<microseconds>(system_clock::now().time_since_epoch()).count()) / 1000.0;
}

double FileWrittenMs(const std::string& file) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(windriver::Wide(file).c_str(), GetFileExInfoStandard, &data)) return -1;
  ULARGE_INTEGER t;
  t.LowPart = data.ftLastWriteTime.dwLowDateTime;
  t.HighPart = data.ftLastWriteTime.dwHighDateTime;
  constexpr unsigned long long kFrom1601To1970 = 116444736000000000ull;  // in 100 ns
  return double(t.QuadPart - kFrom1601To1970) / 10000.0;
}

static bool WriteFileText(const std::wstring& file, const std::string& text) {
  FILE* f = _wfopen(file.c_str(), L"wb");
  if (!f) return false;
  const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  return std::fclose(f) == 0 && ok;
}

bool WriteTarnwickSettings(const std::string& path, const std::string& lines) {
  wchar_t documents[MAX_PATH];
  if (SHGetFolderPathW(nullptr, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, nullptr, 0, documents) != S_OK) return false;
  return WriteFileText(std::wstring(documents) + L"\\TarnwickForm.ini",
                       "[Settings]\r\nPath=" + path + "\r\n" + lines + "[Name]\r\nUserName=bench\r\n");
}

bool WriteSimSettings(const std::string& file, const std::string& text) {
  if (!WriteFileText(windriver::Wide(file), text)) return false;
  return SetEnvironmentVariableW(L"ZEBSIM_CONFIG", windriver::Wide(file).c_str()) != 0;
}

HWND WaitWindow(const std::string& className, const std::string& title, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (HWND w = windriver::FindTopWindow(className, title, 0)) return w;
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(1);
  }
}

bool WaitIdle(HWND window, DWORD timeoutMs) {
  DWORD_PTR answer = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &answer) != 0;
}

bool StartTarnwick(const std::string& exe, const std::string& argument, TarnwickProcess* out) {
  *out = TarnwickProcess{};
  SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
  std::wstring line = L"\"" + windriver::Wide(exe) + L"\"";
  if (!argument.empty()) line += L" \"" + windriver::Wide(argument) + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  out->startedMs = WallMs();
  if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &out->process)) {
    std::fprintf(stderr, "%s cannot be started (error %lu)\n", exe.c_str(), GetLastError());
    return false;
  }
  out->main = WaitWindow("TTarnwickForm", "Folvex", 60000);
  out->windowMs = WallMs();
  if (!out->main) {
    std::fprintf(stderr, "%s showed no main window\n", exe.c_str());
    TerminateProcess(out->process.hProcess, 99);
    CloseTarnwick(out);
    return false;
  }
  return true;
}

DWORD CloseTarnwick(TarnwickProcess* p) {
  DWORD code = 99;
  if (!p->process.hProcess) return code;
  if (p->main) PostMessageW(p->main, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(p->process.hProcess, 60000) != WAIT_OBJECT_0) TerminateProcess(p->process.hProcess, 99);
  WaitForSingleObject(p->process.hProcess, 10000);
  GetExitCodeProcess(p->process.hProcess, &code);
  CloseHandle(p->process.hProcess);
  CloseHandle(p->process.hThread);
  *p = TarnwickProcess{};
  return code;
}

Memory MemoryOf(HANDLE process) {
  Memory m;
  PROCESS_MEMORY_COUNTERS c{};
  c.cb = sizeof c;
  if (!GetProcessMemoryInfo(process, &c, sizeof c)) return m;
  m.residentMb = double(c.WorkingSetSize) / (1 << 20);
  m.peakMb = double(c.PeakWorkingSetSize) / (1 << 20);
  m.privateMb = double(c.PagefileUsage) / (1 << 20);
  return m;
}

}  // namespace benchprogram
