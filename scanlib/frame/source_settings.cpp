#include "source_settings.h"

#include <cstring>

#include "settings_store.h"

void StoreDriverKind(int32_t kind) { WriteSettingInt(kGeneralKey, kSourceValue, kind); }

// The whole stored name (up to 41 characters): names are compared whole; only the copy into a
// TWAIN identity is cut to 33.
void LoadStoredSourceName(char* dest) {
  ReadSetting(kGeneralKey, kSourceNameValue, dest, kSettingString, kSourceNameSize);
}

void StoreSourceName(const char* name) {
  WriteSetting(kGeneralKey, kSourceNameValue, name, kSettingString,
               static_cast<int>(std::strlen(name)));
}

void SourceNameToProductName(const char* name, TW_IDENTITY* identity) {
  constexpr size_t room = sizeof(identity->ProductName);
  size_t n = strnlen(name, room - 1);
  std::memcpy(identity->ProductName, name, n);
  std::memset(identity->ProductName + n, 0, room - n);
}
