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
  // A new file starts as UTF-16 (its byte-order mark alone): the profile functions then keep
  // every text whole, where an ANSI file would lose a folder name the code page cannot hold.
  HANDLE file = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    const unsigned char bom[2] = {0xFF, 0xFE};
    DWORD put = 0;
    WriteFile(file, bom, sizeof bom, &put, nullptr);
    CloseHandle(file);
  }
  WritePrivateProfileStringW(WideOf(section).c_str(), WideOf(key).c_str(), WideOf(value).c_str(),
                             path_.c_str());
}

}  // namespace tarnwick
