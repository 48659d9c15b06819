#include "pavlot_scan_client.h"

#include <shlwapi.h>

#include <fstream>

namespace {

template <typename T>
bool Bind(HMODULE module, T& slot, const char* name) {
  slot = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  return slot != nullptr;
}

std::string gSettingsFile;

}  // namespace

bool PavlotScan::Load() {
  module = LoadLibraryA("pavlot.dll");
  return module && Bind(module, ZebLoad, "ZebLoad") && Bind(module, ZebFree, "ZebFree") &&
         Bind(module, ZebSetValue, "ZebSetValue") && Bind(module, ZebGetValue, "ZebGetValue") &&
         Bind(module, ZebAcquire, "ZebAcquire") && Bind(module, ZebAcquireUIOnly, "ZebAcquireUIOnly");
}

void PavlotScan::Unload() {
  if (module) FreeLibrary(module);
  module = nullptr;
}

int32_t PavlotScan::Set16(uint16_t tag, int32_t value) {
  int16_t v = static_cast<int16_t>(value);
  return ZebSetValue(tag, &v);
}

int32_t PavlotScan::Set32(uint16_t tag, int32_t value) { return ZebSetValue(tag, &value); }

void UseScanner(const std::string& iniText) {
  char folder[MAX_PATH], path[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  GetTempFileNameA(folder, "zks", 0, path);
  std::ofstream(path, std::ios::binary) << iniText;
  gSettingsFile = path;
  SetEnvironmentVariableA("ZEBSIM_CONFIG", path);
}

void ForgetScanner() {
  SetEnvironmentVariableA("ZEBSIM_CONFIG", nullptr);
  if (!gSettingsFile.empty()) DeleteFileA(gSettingsFile.c_str());
  gSettingsFile.clear();
}

void ForgetStoredSettings() {
  SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
  DeleteFileA("c:\\temp\\ondrel.ini");
}
