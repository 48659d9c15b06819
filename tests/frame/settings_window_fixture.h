// The library's own dialogs over the maker's simulated scanner: the case's library started,
// the scan-data values read back, and the control ids the operator uses.
#pragma once
#include <map>
#include <string>

#include "dialog_operator.h"
#include "pavlot_client.h"

constexpr int kMode = 1001, kDither = 1003, kResolution = 1005, kMethod = 1007, kPageSize = 1009;
constexpr int kModeLabel = 1000, kLandscape = 1012, kBoth = 1015, kFront = 1014, kRear = 1016;
constexpr int kBrightEdit = 1019, kArea = 1041, kMore = 1042, kOther = 1043;
constexpr const char* kCaption = "ZS-3000 - Scanner Settings";
constexpr const char* kScanData = "Software\\Quandrix\\ScanData";

// Every value under ScanData, as text.
inline std::map<std::string, std::string> ScanDataValues() {
  std::map<std::string, std::string> values;
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kScanData, 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD nameSize = sizeof name, type = 0;
    BYTE data[512];
    DWORD size = sizeof data;
    if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &size) != ERROR_SUCCESS) break;
    values[name] = type == REG_DWORD ? std::to_string(*reinterpret_cast<const DWORD*>(data))
                                     : std::string(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data), size));
  }
  RegCloseKey(key);
  return values;
}

inline std::string ScanData(const char* name) {
  auto values = ScanDataValues();
  auto it = values.find(name);
  return it == values.end() ? "<absent>" : it->second;
}

inline void StoreScanInt(const char* name, DWORD v) {
  HKEY key;
  RegCreateKeyExA(HKEY_CURRENT_USER, kScanData, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
  RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4);
  RegCloseKey(key);
}

class SettingsWindow : public FrameClientTest {
 protected:
  // The maker's simulated scanner, started; with the localisation file in the current folder
  // when asked, in English.
  void Start(bool localised, DWORD language = 1) {
    Provide({"pavlot.dll", "zebdrv.dll"});
    if (localised) Provide({"pavlot.loc"});
    if (localised)
      ASSERT_TRUE(MoveFileA((caseFolder + "pavlot.loc").c_str(), (workFolder + "pavlot.loc").c_str()));
    StoreScanInt("LANGUAGE", language);
    LoadPavlot();
    ASSERT_EQ(pavlot.ZebLoad(nullptr), 0);
  }
  int32_t Set16(uint16_t tag, int16_t v) { return pavlot.ZebSetValue(tag, &v); }
  int32_t Set32(uint16_t tag, int32_t v) { return pavlot.ZebSetValue(tag, &v); }
  float GetFloat(uint16_t tag) {
    float v = -1;
    pavlot.ZebGetValue(tag, &v);
    return v;
  }
  int16_t Get16(uint16_t tag) {
    int16_t v = -1;
    pavlot.ZebGetValue(tag, &v);
    return v;
  }
};

