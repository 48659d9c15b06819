#include "settings_store.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "settings_registry.h"

namespace {

bool g_fallback = false;
int32_t g_logLevel = 0;

LONG RealCreate(HKEY root, const char* path, HKEY* out) {
  return RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, out, nullptr);
}
LONG RealQuery(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) {
  return RegQueryValueExA(key, name, nullptr, type, data, size);
}
LONG RealSet(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) {
  return RegSetValueExA(key, name, 0, type, data, size);
}
LONG RealClose(HKEY key) { return RegCloseKey(key); }

const SettingsRegistry kWin32Registry = {RealCreate, RealQuery, RealSet, RealClose};
const SettingsRegistry* g_registry = &kWin32Registry;

// Marks a key the INI file does not hold; no stored value can look like it.
constexpr const char* kAbsent = "\x01\x02<absent>\x02\x01";

// Reads the fallback file's text for name; false when the file lacks the key.
bool ReadFallbackText(const char* name, char* out, DWORD outSize) {
  GetPrivateProfileStringA(kFallbackSection, name, kAbsent, out, outSize, kFallbackFile);
  return std::strcmp(out, kAbsent) != 0;
}

long QueryRegistry(const char* keyPath, const char* name, void* dest, int kind, int size) {
  HKEY key = nullptr;
  LONG rc = g_registry->create(HKEY_CURRENT_USER, keyPath, &key);
  if (rc != ERROR_SUCCESS) return rc;
  if (kind == kSettingString) {
    // Strings are stored without a terminator, so read through a scratch block of the stored
    // size and keep at most size-1 bytes.
    DWORD type = 0, stored = 0;
    rc = g_registry->query(key, name, &type, nullptr, &stored);
    if (rc == ERROR_SUCCESS) {
      std::vector<BYTE> scratch(stored + 1, 0);
      DWORD got = stored;
      rc = g_registry->query(key, name, &type, scratch.data(), &got);
      if (rc == ERROR_SUCCESS) {
        size_t n = std::strlen(reinterpret_cast<char*>(scratch.data()));
        if (n > static_cast<size_t>(size - 1)) n = static_cast<size_t>(size - 1);
        std::memcpy(dest, scratch.data(), n);
        static_cast<char*>(dest)[n] = '\0';
      }
    }
  } else {
    DWORD type = 0, got = static_cast<DWORD>(size);
    rc = g_registry->query(key, name, &type, static_cast<BYTE*>(dest), &got);
  }
  g_registry->close(key);
  return rc;
}

}  // namespace

const SettingsRegistry* Win32SettingsRegistry() { return &kWin32Registry; }

const SettingsRegistry* SetSettingsRegistry(const SettingsRegistry* registry) {
  const SettingsRegistry* old = g_registry;
  g_registry = registry ? registry : &kWin32Registry;
  return old;
}

long ReadSetting(const char* keyPath, const char* name, void* dest, int kind, int size) {
  if (!dest || size <= 0) return ERROR_INVALID_PARAMETER;
  std::memset(dest, 0, static_cast<size_t>(size));
  long rc = QueryRegistry(keyPath, name, dest, kind, size);
  if (g_fallback) {
    // While the registry cannot be written the INI file holds the newer values; a key the file
    // does not hold leaves what the registry gave.
    char text[61];
    if (ReadFallbackText(name, text, sizeof text)) {
      if (kind == kSettingString) {
        size_t n = std::strlen(text);
        if (n > static_cast<size_t>(size - 1)) n = static_cast<size_t>(size - 1);
        std::memset(dest, 0, static_cast<size_t>(size));
        std::memcpy(dest, text, n);
      } else if (size >= 4) {
        int32_t v = static_cast<int32_t>(std::strtol(text, nullptr, 10));
        std::memcpy(dest, &v, 4);
      }
    }
  }
  return rc;
}

int WriteSetting(const char* keyPath, const char* name, const void* data, int kind, int size) {
  HKEY key = nullptr;
  LONG rc = g_registry->create(HKEY_CURRENT_USER, keyPath, &key);
  if (rc == ERROR_SUCCESS) {
    DWORD type = kind == kSettingString ? REG_EXPAND_SZ : REG_DWORD;
    rc = g_registry->set(key, name, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size));
  }
  if (rc != ERROR_SUCCESS) {
    g_fallback = true;
    CreateDirectoryA(kFallbackFolder, nullptr);
    if (kind == kSettingString) {
      std::string text(static_cast<const char*>(data), static_cast<size_t>(size > 0 ? size : 0));
      text.resize(std::strlen(text.c_str()));
      WritePrivateProfileStringA(kFallbackSection, name, text.c_str(), kFallbackFile);
    } else {
      int32_t v = 0;
      std::memcpy(&v, data, 4);
      char text[16];
      wsprintfA(text, "%d", v);
      WritePrivateProfileStringA(kFallbackSection, name, text, kFallbackFile);
    }
  } else {
    g_fallback = false;
  }
  if (key) g_registry->close(key);
  int32_t level = 0;
  ReadSetting(kGeneralKey, "DEBUGLEVEL", &level, kSettingInt, 4);
  g_logLevel = level;
  return g_fallback ? 0 : 1;
}

int32_t ReadSettingInt(const char* keyPath, const char* name, int32_t fallback, long* status) {
  int32_t v = 0;
  long rc = ReadSetting(keyPath, name, &v, kSettingInt, 4);
  if (status) *status = rc;
  return rc == 0 ? v : fallback;
}

int WriteSettingInt(const char* keyPath, const char* name, int32_t value) {
  return WriteSetting(keyPath, name, &value, kSettingInt, 4);
}

int WriteSettingString(const char* keyPath, const char* name, const char* text) {
  return WriteSetting(keyPath, name, text, kSettingString, static_cast<int>(std::strlen(text)));
}

bool SettingsFallbackActive() { return g_fallback; }
int32_t SettingsLogLevel() { return g_logLevel; }
void ResetSettingsStore() {
  g_fallback = false;
  g_logLevel = 0;
}
