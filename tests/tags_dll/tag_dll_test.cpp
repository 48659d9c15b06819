// The tag exports through pavlot.dll, loaded by name as the application loads it, over the
// simulated scanner's zebdrv.dll.
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "scan_prop_rec.h"

namespace {

constexpr const char* kQuandrix = "Software\\Quandrix";
constexpr const char* kScanData = "Software\\Quandrix\\ScanData";

struct Pavlot {
  HMODULE module = nullptr;
  int32_t(__stdcall* ZebLoad)(HWND) = nullptr;
  int32_t(__stdcall* ZebFree)() = nullptr;
  int32_t(__stdcall* ZebSetValue)(uint32_t, void*) = nullptr;
  int32_t(__stdcall* ZebGetValue)(uint32_t, void*) = nullptr;
  int32_t(__stdcall* ZebGetTagFlag)(uint32_t, int32_t*) = nullptr;
  int32_t(__stdcall* ZebGetTagChoice)(uint32_t, int32_t, void*) = nullptr;
  int32_t(__stdcall* ZebSetTagChoice)(uint32_t, int32_t, int32_t) = nullptr;
  int32_t(__stdcall* ZebResetValue)(uint32_t, void*) = nullptr;
  int32_t(__stdcall* ZebSetProp)(TScanPropRec) = nullptr;

  template <typename T>
  bool Bind(T& slot, const char* name) {
    slot = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return slot != nullptr;
  }
  bool Load() {
    module = LoadLibraryA("pavlot.dll");
    return module && Bind(ZebLoad, "ZebLoad") && Bind(ZebFree, "ZebFree") &&
           Bind(ZebSetValue, "ZebSetValue") && Bind(ZebGetValue, "ZebGetValue") &&
           Bind(ZebGetTagFlag, "ZebGetTagFlag") && Bind(ZebGetTagChoice, "ZebGetTagChoice") &&
           Bind(ZebSetTagChoice, "ZebSetTagChoice") && Bind(ZebResetValue, "ZebResetValue") &&
           Bind(ZebSetProp, "ZebSetProp");
  }
  void Unload() {
    if (module) FreeLibrary(module);
    module = nullptr;
  }
};

// Every tag of the table, with the flag the simulated scanner's record gets.
struct Row {
  uint16_t tag;
  int32_t flag;
};
constexpr int32_t U = 0x8000, R = 0x8001, L = 0x8002;
const Row kRows[59] = {
    {0x9100, L}, {0x9101, L}, {0x9200, L}, {0x9201, L}, {0x9202, L}, {0x9203, L}, {0x9204, R},
    {0x9205, R}, {0x9206, R}, {0x9207, R}, {0x9208, R}, {0x9209, L}, {0x9504, L}, {0x9210, L},
    {0x9211, L}, {0x9212, R}, {0x9300, L}, {0x9301, L}, {0x9400, L}, {0x9401, L}, {0x9500, R},
    {0x9501, R}, {0x9502, R}, {0x9503, R}, {0x9600, U}, {0x9601, L}, {0x9602, L}, {0x9051, L},
    {0x9102, L}, {0x9050, L}, {0x9052, R}, {0x9302, U}, {0x9303, L}, {0x9304, L}, {0x9305, L},
    {0x9603, L}, {0x9004, L}, {0x9005, L}, {0x9006, L}, {0x9007, L}, {0x9306, R}, {0x9053, L},
    {0x9000, L}, {0x9054, L}, {0x9055, L}, {0x9008, L}, {0x9009, R}, {0x9307, L}, {0x9308, L},
    {0x9309, L}, {0x930A, L}, {0x930B, R}, {0x930C, R}, {0x9505, R}, {0x930D, R}, {0x920A, R},
    {0x9310, R}, {0x9311, L}, {0x900A, L},
};

class TagDll : public ::testing::Test {
 protected:
  void SetUp() override {
    SHDeleteKeyA(HKEY_CURRENT_USER, kQuandrix);
    DeleteFileA("c:\\temp\\ondrel.ini");
    ASSERT_TRUE(pavlot.Load());
  }
  void TearDown() override {
    if (pavlot.ZebFree) pavlot.ZebFree();
    pavlot.Unload();
    SHDeleteKeyA(HKEY_CURRENT_USER, kQuandrix);
  }
  void Restart() {
    ASSERT_EQ(pavlot.ZebFree(), 0);
    ASSERT_EQ(pavlot.ZebLoad(nullptr), 0);
  }

  int16_t Get16(uint16_t tag) {
    int16_t v = -12345;
    EXPECT_EQ(pavlot.ZebGetValue(tag, &v), 0) << std::hex << tag;
    return v;
  }
  int32_t Get32(uint16_t tag) {
    int32_t v = -12345;
    EXPECT_EQ(pavlot.ZebGetValue(tag, &v), 0) << std::hex << tag;
    return v;
  }
  float GetFloat(uint16_t tag) {
    float v = -1;
    EXPECT_EQ(pavlot.ZebGetValue(tag, &v), 0) << std::hex << tag;
    return v;
  }
  std::string GetText(uint16_t tag) {
    char v[256] = {};
    EXPECT_EQ(pavlot.ZebGetValue(tag, v), 0) << std::hex << tag;
    return v;
  }
  int32_t Set16(uint16_t tag, int32_t value) {
    int16_t v = static_cast<int16_t>(value);
    return pavlot.ZebSetValue(tag, &v);
  }

  static void StoreText(const char* key, const char* name, const char* text) {
    HKEY k;
    RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr);
    RegSetValueExA(k, name, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>(std::strlen(text)));
    RegCloseKey(k);
  }
  static void StoreInt(const char* key, const char* name, DWORD v) {
    HKEY k;
    RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr);
    RegSetValueExA(k, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4);
    RegCloseKey(k);
  }
  // The stored text without any terminator the registry adds.
  static std::string Stored(const char* name) {
    HKEY k;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kScanData, 0, KEY_READ, &k) != ERROR_SUCCESS) return "<absent>";
    char data[300];
    DWORD size = sizeof data, type = 0;
    LONG rc = RegQueryValueExA(k, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(k);
    if (rc != ERROR_SUCCESS) return "<absent>";
    if (type == REG_DWORD) return "dword " + std::to_string(*reinterpret_cast<int32_t*>(data));
    if (size && data[size - 1] == '\0') --size;
    return std::string(data, size);
  }

  Pavlot pavlot;
};

// File-format plug-ins beside pavlot.dll (bin/ holds the real ones once they are built).
bool PlugInsBeside(HMODULE module) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(module, path, MAX_PATH);
  std::string pattern = path;
  pattern = pattern.substr(0, pattern.find_last_of('\\') + 1) + "File*.dll";
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA(pattern.c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return false;
  FindClose(h);
  return true;
}

TEST_F(TagDll, EveryTagAnswersAsItsRowSays) {
  ASSERT_EQ(pavlot.ZebLoad(nullptr), 0);
  const bool plugIns = PlugInsBeside(pavlot.module);
  for (const Row& row : kRows) {
    Row r = row;
    // MULTIPAGE lists the current plug-in's page choices when there is one.
    if (r.tag == 0x9306 && plugIns) r.flag = L;
    int32_t flag = 0;
    ASSERT_EQ(pavlot.ZebGetTagFlag(r.tag, &flag), 0) << std::hex << r.tag;
    EXPECT_EQ(flag, r.flag) << std::hex << r.tag;
    char value[256] = {};
    EXPECT_EQ(pavlot.ZebGetValue(r.tag, value), 0) << std::hex << r.tag;
    char choice[256] = {};
    const int32_t index = r.flag == R ? 1 : 0;
    EXPECT_EQ(pavlot.ZebGetTagChoice(r.tag, index, choice), 0) << std::hex << r.tag;
    if (r.flag == R) {
      EXPECT_EQ(pavlot.ZebGetTagChoice(r.tag, 0, choice), -7) << std::hex << r.tag;
    }
  }
  int32_t flag = 0;
  EXPECT_EQ(pavlot.ZebGetTagFlag(0x9001, &flag), -7);

  EXPECT_EQ(Get32(0x9200), 300);
  EXPECT_EQ(Get16(0x9202), 0);
  EXPECT_EQ(Get16(0x9203), 1);
  EXPECT_EQ(Get16(0x9212), 128);
  EXPECT_EQ(Get32(0x9052), 2100000);
  EXPECT_EQ(Get16(0x930B), 116);
  EXPECT_EQ(GetText(0x9211), "None");
  EXPECT_EQ(GetText(0x9004), "ZS-3000");
  EXPECT_EQ(Get16(0x9504), 2);
  EXPECT_EQ(GetFloat(0x9401), 2550.0f);
  EXPECT_EQ(GetFloat(0x9400), 4200.0f);
  EXPECT_EQ(GetFloat(0x9503), 2550.0f);
  EXPECT_EQ(GetFloat(0x9502), 3300.0f);
  EXPECT_FLOAT_EQ(GetFloat(0x9208), 1.0f);
  EXPECT_EQ(Get16(0x9601), 2);
  int32_t res = 0;
  EXPECT_EQ(pavlot.ZebGetTagChoice(0x9200, 0, &res), 0);
  EXPECT_EQ(res, 75);
  EXPECT_EQ(pavlot.ZebGetTagChoice(0x9200, 8, &res), -7);
  int16_t page = 0;
  EXPECT_EQ(pavlot.ZebGetTagChoice(0x9601, 8, &page), 0);
  EXPECT_EQ(page, 11);
  EXPECT_EQ(pavlot.ZebSetTagChoice(0x9200, 0, 0), 0);
}

TEST_F(TagDll, ResetAllRestoresTheDefaults) {
  ASSERT_EQ(pavlot.ZebLoad(nullptr), 0);
  int32_t res = 600;
  ASSERT_EQ(pavlot.ZebSetValue(0x9200, &res), 0);
  ASSERT_EQ(Set16(0x9212, 50), 0);
  ASSERT_EQ(Set16(0x9202, 2), 0);
  ASSERT_EQ(Set16(0x9204, 1000), 0);
  ASSERT_EQ(pavlot.ZebSetValue(0x9211, const_cast<char*>("Bayer")), 0);
  int32_t untouched = 0x5A5A5A5A;
  ASSERT_EQ(pavlot.ZebResetValue(0xFFFF, &untouched), 0);
  EXPECT_EQ(untouched, 0x5A5A5A5A);
  EXPECT_EQ(Get32(0x9200), 300);
  EXPECT_EQ(Get16(0x9212), 128);
  EXPECT_EQ(Get16(0x9202), 0);
  EXPECT_EQ(Get16(0x9204), 128);
  EXPECT_EQ(GetText(0x9211), "None");
  EXPECT_EQ(Stored("XRESOLUTION"), "dword 300");
}

TEST_F(TagDll, ValuesSurviveFreeAndLoadByteForByte) {
  ASSERT_EQ(pavlot.ZebLoad(nullptr), 0);
  ASSERT_EQ(Set16(0x9504, 0), 0);  // inch
  float width = 8.5f;
  ASSERT_EQ(pavlot.ZebSetValue(0x9503, &width), 0);
  ASSERT_EQ(Set16(0x9209, 2), 0);  // green
  ASSERT_EQ(Set16(0x9205, -20), 0);
  ASSERT_EQ(Set16(0x9204, 500), 0);
  EXPECT_EQ(Stored("IMAGEWIDTH"), " 8.50");
  EXPECT_EQ(Stored("CONTRAST"), "0");
  EXPECT_EQ(Stored("CONTRAST_G"), "-20");
  EXPECT_EQ(Stored("BRIGHTNESS_G"), "500");
  EXPECT_EQ(Stored("BRIGHTNESS_R"), "0");
  EXPECT_EQ(Stored("UNITS"), "dword 0");
  Restart();
  EXPECT_EQ(Get16(0x9504), 0);
  EXPECT_EQ(GetFloat(0x9503), 8.5f);
  EXPECT_EQ(GetFloat(0x9401), 8.5f);
  ASSERT_EQ(Set16(0x9202, 1), 0);
  EXPECT_EQ(Get16(0x9209), 2);
  ASSERT_EQ(Set16(0x9202, 2), 0);  // colour: the channel values reset
  ASSERT_EQ(Set16(0x9205, -20), 0);
  Restart();
  EXPECT_EQ(Get16(0x9205), 126);  // -20 on 0..255, mapped once: 128 + (255 * -20) / 2000
}

TEST_F(TagDll, StoredValuesAreCheckedOnLoad) {
  StoreText(kScanData, "BRIGHTNESS", "500");
  StoreText(kScanData, "CONTRAST", "1200");
  StoreInt(kScanData, "MINBUFFER", 1000);
  StoreInt(kScanData, "XRESOLUTION", 310);
  StoreInt(kScanData, "HIGHLIGHT", 300);
  ASSERT_EQ(pavlot.ZebLoad(nullptr), 0);
  EXPECT_EQ(Get16(0x9204), 191);
  EXPECT_EQ(Get16(0x9205), 128);
  EXPECT_EQ(Get32(0x9052), 32768);
  EXPECT_EQ(Get32(0x9200), 75);  // not on the list: its first choice
  EXPECT_EQ(Get16(0x9206), 255);
}

TEST_F(TagDll, SetPropStoresARecord) {
  ASSERT_EQ(pavlot.ZebLoad(nullptr), 0);
  TScanPropRec r{};
  r.TransMode = 1;
  r.PixelType = 1;
  r.ScanMethod = 2;
  r.XRes = 200;
  r.YRes = 200;
  r.BitsPerPixel = 8;
  r.Filter = 0;
  r.Brightness = 0;
  r.Contrast = 0;
  r.Size = {0, 0, 0.5f, 1.0f, 7.0f, 9.0f};
  r.ShowUI = 0;
  ASSERT_EQ(pavlot.ZebSetProp(r), 0);
  EXPECT_EQ(Get32(0x9200), 200);
  EXPECT_EQ(Get16(0x9504), 0);
  EXPECT_EQ(GetFloat(0x9500), 0.5f);
  EXPECT_EQ(GetFloat(0x9502), 9.0f);
  EXPECT_EQ(GetFloat(0x9400), 11.69f);  // the flatbed
  r.XRes = 250;
  EXPECT_EQ(pavlot.ZebSetProp(r), -8);
}

}  // namespace
