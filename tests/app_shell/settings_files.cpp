#include "settings_files.h"

#include <shlobj.h>

SettingsFiles::SettingsFiles() {
  wchar_t documents[MAX_PATH] = {};
  SHGetSpecialFolderPathW(nullptr, documents, CSIDL_PERSONAL, FALSE);
  path_ = std::wstring(documents) + L"\\TarnwickForm.ini";
}

void SettingsFiles::Clear() const { DeleteFileW(path_.c_str()); }

bool SettingsFiles::Exists() const {
  return GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void SettingsFiles::Write(const std::string& text) const { WriteWholeFile(path_, text); }

std::string SettingsFiles::Read() const { return ReadWholeFile(path_); }

std::vector<std::string> SettingsFiles::Lines() const { return IniLines(Read()); }

std::string ReadWholeFile(const std::wstring& path) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return std::string();
  std::string out;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(f, buffer, sizeof(buffer), &got, nullptr) && got > 0) out.append(buffer, got);
  CloseHandle(f);
  return out;
}

bool WriteWholeFile(const std::wstring& path, const std::string& text) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD wrote = 0;
  bool ok = WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &wrote, nullptr) && wrote == text.size();
  CloseHandle(f);
  return ok;
}

std::vector<std::string> IniLines(const std::string& text) {
  std::vector<std::string> out;
  std::string section;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) {
      if (line.front() == '[' && line.back() == ']')
        section = line.substr(1, line.size() - 2);
      else
        out.push_back(section + "/" + line);
    }
    start = end + 1;
  }
  return out;
}
