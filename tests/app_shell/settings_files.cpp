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

// The program writes its settings as UTF-16; the lines are compared as UTF-8.
std::string SettingsFiles::Read() const { return ReadIniText(path_); }

std::string ReadIniText(const std::wstring& path) {
  const std::string raw = ReadWholeFile(path);
  if (raw.size() < 2 || raw[0] != '\xFF' || raw[1] != '\xFE') return raw;
  const std::wstring wide(reinterpret_cast<const wchar_t*>(raw.data() + 2), (raw.size() - 2) / 2);
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(size_t(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), &utf8[0], n, nullptr, nullptr);
  return utf8;
}

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
