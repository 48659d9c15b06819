// The settings file through the platform's profile functions (wide names and texts).
#pragma once
#include <string>

#include "ini_file.h"

namespace tarnwick {

class WinIniFile : public IniFile {
 public:
  explicit WinIniFile(std::wstring path) : path_(std::move(path)) {}
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& fallback) override;
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override;

 private:
  std::wstring path_;
};

std::wstring WideOf(const std::string& utf8);
std::string Utf8Of(const std::wstring& wide);

}  // namespace tarnwick
