#include "localisation.h"

#include <windows.h>

#include <vector>

#include "language_code.h"
#include "settings_store.h"

void GetLanguageCode(char* dest) {
  int32_t language = 0;
  if (ReadSetting(kScanDataKey, "LANGUAGE", &language, kSettingInt, 4) != 0) language = 0;
  FormatLanguageSection(LanguageIdFor(language, GetSystemDefaultLangID()), dest);
}

std::string LocalText(const char* locFile, const char* section, const char* key, const char* fallback,
                      int maxBytes) {
  std::vector<char> buf(static_cast<size_t>(maxBytes > 1 ? maxBytes : 2), '\0');
  GetPrivateProfileStringA(section, key, fallback ? fallback : "", buf.data(),
                           static_cast<DWORD>(buf.size()), locFile);
  return std::string(buf.data());
}
