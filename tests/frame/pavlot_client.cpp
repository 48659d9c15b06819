#include "pavlot_client.h"

#include "test_files.h"

#include <shlwapi.h>

#include <cstdio>
#include <fstream>
#include <sstream>

bool PavlotClient::Load() {
  module = LoadLibraryA("pavlot.dll");
  if (!module) return false;
  return Bind(module, "ZebLoad", &ZebLoad) && Bind(module, "ZebFree", &ZebFree) &&
         Bind(module, "ZebSelectSource", &ZebSelectSource) &&
         Bind(module, "ZebSetSource", &ZebSetSource) && Bind(module, "ZebAcquire", &ZebAcquire) &&
         Bind(module, "ZebAcquireUIOnly", &ZebAcquireUIOnly) && Bind(module, "ZebSetValue", &ZebSetValue) &&
         Bind(module, "ZebGetValue", &ZebGetValue);
}

void PavlotClient::Unload() {
  if (module) FreeLibrary(module);
  module = nullptr;
}

void FrameClientTest::SetUp() {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = test->name();  // a parameterised case's name holds a '/'
  for (char& c : name)
    if (c == '/') c = '_';
  OpenCaseFolder("pavlot_case_" + name);
  SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
  StoreInt("DEBUGLEVEL", 1);
  StoreText("SAVEPATH", caseFolder.c_str());
  SetEnvironmentVariableA("WEXLO_STUB_REGISTERED", nullptr);
  SetEnvironmentVariableA("WEXLO_STUB_OPENED", nullptr);
}

void FrameClientTest::TearDown() {
  pavlot.Unload();
  SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
  CloseCaseFolder();
}

void FrameClientTest::Provide(const std::vector<std::string>& files) {
  for (const std::string& f : files) {
    std::string from = binFolder + f;
    for (char& c : from)
      if (c == '/') c = '\\';
    std::string name = from.substr(from.find_last_of('\\') + 1);
    ASSERT_TRUE(CopyFileA(from.c_str(), (caseFolder + name).c_str(), FALSE)) << from;
  }
}

void FrameClientTest::LoadPavlot() { ASSERT_TRUE(pavlot.Load()) << "pavlot.dll in " << caseFolder; }

void FrameClientTest::StoreInt(const char* name, DWORD value) {
  HKEY key;
  RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quandrix", 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
  RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
  RegCloseKey(key);
}

void FrameClientTest::StoreText(const char* name, const char* text) {
  HKEY key;
  RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quandrix", 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
  RegSetValueExA(key, name, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(text), DWORD(strlen(text)));
  RegCloseKey(key);
}

std::string FrameClientTest::StoredText(const char* name) {
  char buf[512] = {};
  DWORD size = sizeof(buf) - 1, type = 0;
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Quandrix", 0, KEY_READ, &key) != ERROR_SUCCESS)
    return "<absent>";
  LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) return "<absent>";
  return std::string(buf, strnlen(buf, size));
}

bool FrameClientTest::StoredInt(const char* name, DWORD* value) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Quandrix", 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  DWORD size = 4, type = 0;
  LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS && type == REG_DWORD;
}

std::string FrameClientTest::LogText() const {
  std::ifstream in(caseFolder + "ondrel.txt", std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

int FrameClientTest::CountLogLines(const std::string& start) const {
  std::istringstream in(LogText());
  std::string line;
  int n = 0;
  while (std::getline(in, line))
    if (line.rfind(start, 0) == 0) ++n;
  return n;
}
