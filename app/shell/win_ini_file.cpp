#include "win_ini_file.h"

#include <windows.h>

#include <vector>

#include "interface_texts.h"

namespace tarnwick {

std::wstring WideOf(const std::string& utf8) {
  std::u16string t = Utf8ToUtf16(utf8);
  return std::wstring(t.begin(), t.end());
}

std::string Utf8Of(const std::wstring& wide) {
  return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

std::string WinIniFile::ReadString(const std::string& section, const std::string& key,
                                   const std::string& fallback) {
  std::wstring s = WideOf(section), k = WideOf(key), d = WideOf(fallback);
  // Grown until the value fits: the call answers size - 1 when it cut the text.
  for (DWORD size = 512;; size *= 2) {
    std::vector<wchar_t> buffer(size);
    DWORD got = GetPrivateProfileStringW(s.c_str(), k.c_str(), d.c_str(), buffer.data(), size,
                                         path_.c_str());
    if (got + 1 < size || size >= (1u << 20)) return Utf8Of(std::wstring(buffer.data(), got));
  }
}

void WinIniFile::WriteString(const std::string& section, const std::string& key,
                             const std::string& value) {
  WritePrivateProfileStringW(WideOf(section).c_str(), WideOf(key).c_str(), WideOf(value).c_str(),
                             path_.c_str());
}

}  // namespace tarnwick
