#include "store_fixture.h"

#include <shlwapi.h>

#include <fstream>
#include <sstream>

#include "settings_registry.h"
#include "settings_store.h"

namespace {

bool g_failWrites = false;

LONG FakeSet(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) {
  if (g_failWrites) return ERROR_ACCESS_DENIED;
  return Win32SettingsRegistry()->set(key, name, type, data, size);
}

SettingsRegistry MakeFake() {
  SettingsRegistry r = *Win32SettingsRegistry();
  r.set = FakeSet;
  return r;
}
const SettingsRegistry kFake = MakeFake();

}  // namespace

void StoreTest::SetUp() {
  DeleteTree("Software\\Quandrix");
  DeleteFileA(kFallbackFile);
  g_failWrites = false;
  SetSettingsRegistry(&kFake);
  ResetSettingsStore();
}

void StoreTest::TearDown() {
  SetSettingsRegistry(nullptr);
  ResetSettingsStore();
  DeleteTree("Software\\Quandrix");
  DeleteFileA(kFallbackFile);
}

void StoreTest::FailRegistryWrites(bool fail) { g_failWrites = fail; }

std::string StoreTest::MakeTempFolder(const char* name) {
  char tmp[MAX_PATH];
  GetTempPathA(MAX_PATH, tmp);
  std::string dir = std::string(tmp) + name;
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir + "\\";
}

std::string StoreTest::ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

std::string StoreTest::FallbackText(const char* name) {
  char buf[256];
  GetPrivateProfileStringA(kFallbackSection, name, "<absent>", buf, sizeof buf, kFallbackFile);
  return buf;
}

DWORD StoreTest::RegistryType(const char* keyPath, const char* name) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
  DWORD type = 0;
  LONG rc = RegQueryValueExA(key, name, nullptr, &type, nullptr, nullptr);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS ? type : 0;
}

void StoreTest::DeleteTree(const char* keyPath) { SHDeleteKeyA(HKEY_CURRENT_USER, keyPath); }
