#include "localisation.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "language_code.h"
#include "settings_store.h"

namespace {

// Answered by the profile functions for a key that is not there: no text holds it.
constexpr char kAbsent[] = "\x01";
constexpr wchar_t kAbsentWide[] = L"\x01";

std::wstring WideOf(const char* text, UINT codePage) {
  const int n = MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0);
  if (n <= 1) return {};
  std::wstring wide(size_t(n), L'\0');
  MultiByteToWideChar(codePage, 0, text, -1, &wide[0], n);
  wide.resize(size_t(n - 1));
  return wide;
}

std::string Utf8Of(const std::wstring& wide) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return {};
  std::string utf8(size_t(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &utf8[0], n, nullptr, nullptr);
  utf8.resize(size_t(n - 1));
  return utf8;
}

bool ReadAnsi(const char* file, const char* section, const char* key, std::vector<char>& buf) {
  GetPrivateProfileStringA(section, key, kAbsent, buf.data(), static_cast<DWORD>(buf.size()), file);
  return std::strcmp(buf.data(), kAbsent) != 0;
}

bool ReadWide(const std::wstring& file, const std::wstring& section, const std::wstring& key,
              std::vector<wchar_t>& buf) {
  GetPrivateProfileStringW(section.c_str(), key.c_str(), kAbsentWide, buf.data(),
                           static_cast<DWORD>(buf.size()), file.c_str());
  return std::wcscmp(buf.data(), kAbsentWide) != 0;
}

}  // namespace

void GetLanguageCode(char* dest) {
  int32_t language = 0;
  if (ReadSetting(kScanDataKey, "LANGUAGE", &language, kSettingInt, 4) != 0) language = 0;
  FormatLanguageSection(LanguageIdFor(language, GetSystemDefaultLangID()), dest);
}

std::string LocalText(const char* locFile, const char* section, const char* key, const char* fallback,
                      int maxBytes) {
  std::vector<char> buf(static_cast<size_t>(maxBytes > 1 ? maxBytes : 2), '\0');
  if (ReadAnsi(locFile, section, key, buf) || ReadAnsi(locFile, kBaseLanguageSection, key, buf))
    return std::string(buf.data());
  return std::string(fallback ? fallback : "").substr(0, buf.size() - 1);
}

std::string LocalTextUtf8(const char* locFile, const char* section, const char* key,
                          const char* fallback, int maxChars) {
  std::vector<wchar_t> buf(static_cast<size_t>(maxChars > 1 ? maxChars : 2), L'\0');
  const std::wstring file = WideOf(locFile, CP_ACP), wideKey = WideOf(key, CP_ACP);
  if (ReadWide(file, WideOf(section, CP_ACP), wideKey, buf) ||
      ReadWide(file, WideOf(kBaseLanguageSection, CP_ACP), wideKey, buf))
    return Utf8Of(buf.data());
  return std::string(fallback ? fallback : "").substr(0, buf.size() - 1);
}

std::wstring WideOfUtf8(const std::string& utf8) { return WideOf(utf8.c_str(), CP_UTF8); }
