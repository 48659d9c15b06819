// The settings file of the test prefix's user ("TarnwickForm.ini" in the documents folder),
// which the shell's tests own under the tarnwick_settings lock: cleared, seeded and read back.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

class SettingsFiles {
 public:
  SettingsFiles();
  const std::wstring& Path() const { return path_; }
  void Clear() const;
  bool Exists() const;
  void Write(const std::string& text) const;
  std::string Read() const;
  // "Section/Key=Value" lines in file order, blank lines dropped.
  std::vector<std::string> Lines() const;

 private:
  std::wstring path_;
};

// Whole-file helpers for any path.
std::string ReadWholeFile(const std::wstring& path);
bool WriteWholeFile(const std::wstring& path, const std::string& text);
std::vector<std::string> IniLines(const std::string& text);
// An INI file's text as UTF-8, whether it was written as UTF-16 (with its byte-order mark) or not.
std::string ReadIniText(const std::wstring& path);
