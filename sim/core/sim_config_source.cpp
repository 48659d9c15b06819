#include "sim_config_source.h"

#include <windows.h>

#include <string>

std::string DriverConfigPath() {
  char path[MAX_PATH] = {};
  DWORD n = GetEnvironmentVariableA(kSimConfigVariable, path, sizeof(path));
  if (n > 0 && n < sizeof(path)) return path;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSimConfigKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "";
  DWORD type = 0, size = sizeof(path) - 1;
  LONG rc = RegQueryValueExA(key, kSimConfigValue, nullptr, &type, reinterpret_cast<BYTE*>(path), &size);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return "";
  path[size < sizeof(path) ? size : sizeof(path) - 1] = '\0';
  return path;
}

bool LoadDriverConfig(zebsim::SimConfig* config) {
  *config = zebsim::SimConfig{};
  std::string path = DriverConfigPath();
  if (path.empty()) return true;
  return zebsim::LoadSimConfig(path, config, nullptr);
}
