#include "tarnwick_process.h"

#include <shlobj.h>

#include <fstream>
#include <sstream>

#include "test_files.h"
#include "win_driver.h"

bool TarnwickProcess::Start(const std::string& folder, const std::string& program) {
  const std::string from = folder.empty() ? FolderOfThisProgram() : folder;
  std::wstring command = L"\"" + windriver::Wide(from + program) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      windriver::Wide(from).c_str(), &startup, &process_))
    return false;
  main_ = windriver::FindTopWindow("TTarnwickForm", "Folvex", 20000);
  return main_ != nullptr;
}

DWORD TarnwickProcess::Close() {
  if (!process_.hProcess) return 0;
  if (main_ && IsWindow(main_)) PostMessageW(main_, WM_CLOSE, 0, 0);
  DWORD code = STILL_ACTIVE;
  if (WaitForSingleObject(process_.hProcess, 20000) != WAIT_OBJECT_0) {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  GetExitCodeProcess(process_.hProcess, &code);
  CloseHandle(process_.hProcess);
  CloseHandle(process_.hThread);
  process_ = {};
  main_ = nullptr;
  return code;
}

TarnwickProcess::~TarnwickProcess() { Close(); }

std::wstring SettingsFilePath() {
  wchar_t documents[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, 0, documents);
  return std::wstring(documents) + L"\\TarnwickForm.ini";
}

std::string SettingsValue(const char* section, const char* key) {
  wchar_t value[512] = {};
  GetPrivateProfileStringW(windriver::Wide(section).c_str(), windriver::Wide(key).c_str(),
                           L"<none>", value, 512, SettingsFilePath().c_str());
  return windriver::Utf8(value);
}

bool SettingsFileExists() {
  return GetFileAttributesW(SettingsFilePath().c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string FileText(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}
