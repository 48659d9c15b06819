// Tarnwick.exe through a long operator's session: Scanner Settings opened and closed, and a
// one-page flatbed scan, in turn, each binding and releasing the scan
// library (and with it the driver and the plug-ins). The program is still up at the end, every
// binding was released, and its memory and handles are what they were after the first
// operations.
//
// TARNWICK_SESSION_OPERATIONS sets the number of operations (default 150: more bindings than a
// per-load TLS leak of the old build let a session reach).
#include <windows.h>

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "form_driving.h"
#include "tarnwick_ids.h"
#include "tarnwick_process.h"
#include "test_files.h"
#include "win_driver.h"

namespace {

const char* const kFormTitle = "扫瞄设定";     // id 501
const char* const kPrepareTitle = "准备扫瞄";  // id 201

// Committed private memory of another process, in kB.
long PrivateKb(HANDLE process) {
  MEMORY_BASIC_INFORMATION info;
  const char* p = nullptr;
  unsigned long long total = 0;
  while (VirtualQueryEx(process, p, &info, sizeof info) == sizeof info) {
    if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += info.RegionSize;
    const char* next = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
    if (next <= p) break;
    p = next;
  }
  return static_cast<long>(total / 1024);
}

struct ShownSeen {
  DWORD pid;
  std::string text;
};

// Adds a visible top-level window of the process to the list.
BOOL CALLBACK AddShownWindow(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<ShownSeen*>(p);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid != s->pid || !IsWindowVisible(w)) return TRUE;
  wchar_t cls[64] = {}, title[128] = {};
  GetClassNameW(w, cls, 64);
  GetWindowTextW(w, title, 128);
  s->text += " " + windriver::Utf8(cls) + " '" + windriver::Utf8(title) + "'";
  // A message box's text (control 0xFFFF on Windows, 100 under Wine).
  HWND message = GetDlgItem(w, 0xFFFF);
  if (!message) message = GetDlgItem(w, 100);
  if (message) s->text += " \"" + windriver::WindowText(message) + "\"";
  return TRUE;
}

int Operations() {
  const char* text = std::getenv("TARNWICK_SESSION_OPERATIONS");
  const int n = text ? std::atoi(text) : 0;
  return n >= 60 ? n : 150;
}

int CountLogLines(const std::string& file, const std::string& start) {
  std::ifstream in(file, std::ios::binary);
  int n = 0;
  for (std::string line; std::getline(in, line);)
    if (line.rfind(start, 0) == 0) ++n;
  return n;
}

class TarnwickSession : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = FreshTempFolder("tarnwick_session");
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
    DeleteFileA("c:\\temp\\ondrel.ini");
    StoreLibraryInt("DEBUGLEVEL", 1);
    StoreLibraryText("SAVEPATH", folder_);
    const std::string ini = folder_ + "zebsim.ini";
    std::ofstream(ini, std::ios::binary) << "[Feeder]\r\nFlatbed=1\r\n";
    SetEnvironmentVariableA("ZEBSIM_CONFIG", ini.c_str());
    // Black-and-white flatbed pages at the lowest resolution, shown and not saved.
    CreateDirectoryA((folder_ + "scans").c_str(), nullptr);
    std::ofstream(SettingsFilePath().c_str(), std::ios::binary)
        << "[Settings]\r\nPath=" << folder_ << "scans\r\nImage Type=0\r\nResolution=0\r\n"
        << "Scan Method=1\r\nDontSaveImage=1\r\n";
  }
  void TearDown() override {
    tarnwick_.Close();
    SetEnvironmentVariableA("ZEBSIM_CONFIG", nullptr);
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
    DeleteFileW(SettingsFilePath().c_str());
    DeleteFolder(folder_);
  }

  // One operation of the two kinds, by number; false with the failure added when it did not
  // go as an operator expects.
  bool Operate(int n) {
    HWND main = tarnwick_.Main();
    switch (n % 2) {
      case 0: {
        windriver::PostCommand(main, IDM_SCANNERSETTINGS1);
        HWND form = windriver::FindTopWindow("#32770", kFormTitle, 15000);
        if (!form) return Fail(n, "no settings form");
        for (int i = 0; i < 100 && !IsWindowVisible(form); ++i) Sleep(20);
        formdriving::Press(form, IDCANCEL);
        if (!windriver::WaitGone("#32770", kFormTitle, 10000)) return Fail(n, "the settings form stayed");
        break;
      }
      default: {
        windriver::PostCommand(main, IDM_SCANPAGE1);
        HWND prepare = windriver::FindTopWindow("#32770", kPrepareTitle, 30000);
        if (!prepare) return Fail(n, "no Prepare Scanner dialog after the scan");
        windriver::ClickButton(prepare, IDCANCEL);
        if (!windriver::WaitGone("#32770", kPrepareTitle, 10000)) return Fail(n, "Prepare Scanner stayed");
        break;
      }
    }
    // The command has ended (and released the library) once the window answers again.
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &answer);
    return true;
  }
  bool Fail(int n, const char* what) {
    std::ifstream in(folder_ + "ondrel.txt", std::ios::binary);
    std::string log((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ADD_FAILURE() << "operation " << n << ": " << what << "; windows shown:" << ShownWindows()
                  << "\nthe library's log ends:\n" << log.substr(log.size() > 3000 ? log.size() - 3000 : 0);
    return false;
  }
  // The program's visible top-level windows, "class 'title'" each.
  std::string ShownWindows() {
    ShownSeen seen{0, ""};
    GetWindowThreadProcessId(tarnwick_.Main(), &seen.pid);
    EnumWindows(&AddShownWindow, reinterpret_cast<LPARAM>(&seen));
    return seen.text;
  }

  std::string folder_;
  TarnwickProcess tarnwick_;
};

TEST_F(TarnwickSession, HundredsOfOperationsBindTheLibraryAndTheProgramStaysUpWithFlatMemory) {
  ASSERT_TRUE(tarnwick_.Start());
  DWORD pid = 0;
  GetWindowThreadProcessId(tarnwick_.Main(), &pid);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, pid);
  ASSERT_NE(process, nullptr);
  const int operations = Operations();
  long memoryAfter30 = 0, memoryAtEnd = 0;
  DWORD handlesAfter30 = 0, handlesAtEnd = 0;
  for (int n = 0; n < operations; ++n) {
    ASSERT_TRUE(Operate(n));
    ASSERT_EQ(WaitForSingleObject(process, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "ended at operation " << n;
    if (n == 29) {
      memoryAfter30 = PrivateKb(process);
      GetProcessHandleCount(process, &handlesAfter30);
    }
    if (n % 30 == 29) std::printf("after %d operations: %ld kB\n", n + 1, PrivateKb(process));
  }
  memoryAtEnd = PrivateKb(process);
  GetProcessHandleCount(process, &handlesAtEnd);
  std::printf("%d operations: memory %ld kB after 30, %ld kB at the end; handles %lu, %lu\n", operations,
              memoryAfter30, memoryAtEnd, static_cast<unsigned long>(handlesAfter30),
              static_cast<unsigned long>(handlesAtEnd));
  EXPECT_LE(memoryAtEnd - memoryAfter30, 1024) << "kB grown after the first 30 operations";
  EXPECT_LE(handlesAtEnd, handlesAfter30 + 8);
  CloseHandle(process);
  EXPECT_EQ(tarnwick_.Close(), 0u);
  // Every binding was released.
  const std::string log = folder_ + "ondrel.txt";
  EXPECT_EQ(CountLogLines(log, "Out  1: ZebLoad : "), CountLogLines(log, "In   1: ZebFree : "));
  EXPECT_GE(CountLogLines(log, "Out  1: ZebLoad : "), operations);
}

}  // namespace
