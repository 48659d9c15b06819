#include "source_settings.h"

#include <cstring>

#include "settings_store.h"
#include "tag_persistence.h"

void StoreDriverKind(int32_t kind) { WriteSettingInt(kGeneralKey, kSourceValue, kind); }

void LoadStoredSourceName(char* dest) { LoadSourceName(dest, kSourceNameSize); }

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
