// The tag records through pavlot.dll over the simulated TWAIN source, reached through Wine's
// source manager: each record against what the source's capabilities say.
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr const char* kQuandrix = "Software\\Quandrix";
constexpr int32_t kAny = 0x8000, kRange = 0x8001, kList = 0x8002;

struct Pavlot {
  HMODULE module = nullptr;
  int32_t(__stdcall* ZebLoad)(HWND) = nullptr;
  int32_t(__stdcall* ZebFree)() = nullptr;
  int32_t(__stdcall* ZebGetValue)(uint32_t, void*) = nullptr;
  int32_t(__stdcall* ZebGetTagFlag)(uint32_t, int32_t*) = nullptr;
  int32_t(__stdcall* ZebGetTagChoice)(uint32_t, int32_t, void*) = nullptr;

  template <typename T>
  bool Bind(T& slot, const char* name) {
    slot = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return slot != nullptr;
  }
  bool Load() {
    module = LoadLibraryA("pavlot.dll");
    return module && Bind(ZebLoad, "ZebLoad") && Bind(ZebFree, "ZebFree") &&
           Bind(ZebGetValue, "ZebGetValue") && Bind(ZebGetTagFlag, "ZebGetTagFlag") &&
           Bind(ZebGetTagChoice, "ZebGetTagChoice");
  }
};

void StoreGeneral(const char* name, DWORD type, const void* data, DWORD size) {
  HKEY k;
  RegCreateKeyExA(HKEY_CURRENT_USER, kQuandrix, 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr);
  RegSetValueExA(k, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(k);
}

class TwainTags : public ::testing::Test {
 protected:
  void SetUp() override {
    SHDeleteKeyA(HKEY_CURRENT_USER, kQuandrix);
    DeleteFileA("c:\\temp\\ondrel.ini");
    SetEnvironmentVariableA("QUANDRIX_SIM_TWAIN", nullptr);
    const DWORD twain = 1;
    StoreGeneral("SOURCE", REG_DWORD, &twain, 4);
    const char* name = "Quandrix Sim TWAIN";
    StoreGeneral("SOURCENAME", REG_SZ, name, static_cast<DWORD>(std::strlen(name) + 1));
    ASSERT_TRUE(p.Load());
    ASSERT_EQ(p.ZebLoad(nullptr), 0);
  }
  void TearDown() override {
    Stop();
    SHDeleteKeyA(HKEY_CURRENT_USER, kQuandrix);
    SetEnvironmentVariableA("QUANDRIX_SIM_TWAIN", nullptr);
    if (!configFile.empty()) DeleteFileA(configFile.c_str());
  }
  void Stop() {
    if (p.ZebFree) p.ZebFree();
    if (p.module) FreeLibrary(p.module);
    p = Pavlot{};
  }
  // Starts the library again over a source with these settings (the simulated source's file)
  // and, when unit >= 0, with that UNITS stored.
  void Restart(const char* settings, int32_t unit = -1) {
    Stop();
    if (settings) {
      char folder[MAX_PATH];
      GetTempPathA(MAX_PATH, folder);
      configFile = std::string(folder) + "tw_tags_sim.ini";
      HANDLE f = CreateFileA(configFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      DWORD written = 0;
      WriteFile(f, settings, static_cast<DWORD>(std::strlen(settings)), &written, nullptr);
      CloseHandle(f);
      SetEnvironmentVariableA("QUANDRIX_SIM_TWAIN", configFile.c_str());
    }
    if (unit >= 0) {
      HKEY k;
      RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quandrix\\ScanData", 0, nullptr, 0, KEY_WRITE,
                      nullptr, &k, nullptr);
      const DWORD v = static_cast<DWORD>(unit);
      RegSetValueExA(k, "UNITS", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4);
      RegCloseKey(k);
    }
    ASSERT_TRUE(p.Load());
    ASSERT_EQ(p.ZebLoad(nullptr), 0);
  }
  float FloatValue(uint16_t tag) {
    float v = 0;
    EXPECT_EQ(p.ZebGetValue(tag, &v), 0) << std::hex << tag;
    return v;
  }
  int32_t IntValue(uint16_t tag) {
    int32_t v = 0;
    EXPECT_EQ(p.ZebGetValue(tag, &v), 0) << std::hex << tag;
    return static_cast<int16_t>(v);
  }

  int32_t Flag(uint16_t tag) {
    int32_t flag = 0;
    EXPECT_EQ(p.ZebGetTagFlag(tag, &flag), 0) << std::hex << tag;
    return flag;
  }
  // Every list item as a 16-bit (or 32-bit) number.
  std::vector<int32_t> List(uint16_t tag, bool wide = false) {
    std::vector<int32_t> items;
    EXPECT_EQ(Flag(tag), kList) << std::hex << tag;
    for (int32_t i = 0; i < 32; ++i) {
      int32_t v = 0;
      if (p.ZebGetTagChoice(tag, i, &v) != 0) break;
      items.push_back(wide ? v : static_cast<int16_t>(v));
    }
    return items;
  }
  std::vector<std::string> Texts(uint16_t tag) {
    std::vector<std::string> items;
    EXPECT_EQ(Flag(tag), kList) << std::hex << tag;
    for (int32_t i = 0; i < 32; ++i) {
      char v[256] = {};
      if (p.ZebGetTagChoice(tag, i, v) != 0) break;
      items.push_back(v);
    }
    return items;
  }
  // Min, Max and Step of a range of 16- or 32-bit numbers.
  std::vector<int32_t> Range(uint16_t tag, bool wide = false) {
    EXPECT_EQ(Flag(tag), kRange) << std::hex << tag;
    std::vector<int32_t> r;
    for (int32_t i = 1; i <= 3; ++i) {
      int32_t v = 0;
      EXPECT_EQ(p.ZebGetTagChoice(tag, i, &v), 0) << std::hex << tag;
      r.push_back(wide ? v : static_cast<int16_t>(v));
    }
    return r;
  }
  std::vector<float> FloatRange(uint16_t tag) {
    EXPECT_EQ(Flag(tag), kRange) << std::hex << tag;
    std::vector<float> r;
    for (int32_t i = 1; i <= 3; ++i) {
      float v = 0;
      EXPECT_EQ(p.ZebGetTagChoice(tag, i, &v), 0) << std::hex << tag;
      r.push_back(v);
    }
    return r;
  }

  Pavlot p;
  std::string configFile;
};

using V = std::vector<int32_t>;

TEST_F(TwainTags, ListsFollowTheSourceCapabilities) {
  struct Case {
    uint16_t tag;
    V items;
    bool wide;
  };
  const Case cases[] = {
      {0x9100, {0, 1, 2}, false},                     // feeder and flatbed accepted
      {0x9101, {0, 1}, false},                        // duplex probed
      {0x9200, {100, 150, 200, 300, 400, 600}, true},  // FIX32 enumeration
      {0x9201, {100, 150, 200, 300, 400, 600}, true},
      {0x9202, {0, 1, 2}, false},
      {0x9203, {1, 8, 24}, false},
      {0x9209, {1, 2, 3, 0}, false},  // red, green, blue, none
      {0x9504, {0, 1, 2}, false},     // inches, centimetres, pixels
      {0x9602, {0, 3, 2, 1}, false},
      {0x9051, {1, 0}, false},  // indicators probed
      {0x9050, {1, 0}, false},  // the source can hide its interface
      {0x9000, {0, 1, 2, 3}, false},
      {0x9054, {0}, false},
      {0x9055, {0}, false},
      {0x9311, {0}, false},
      {0x9307, {0, 1}, false},
      {0x9308, {0, 1}, false},
      {0x9309, {0, 1}, false},
      {0x930A, {0, 1}, false},
      {0x9603, {0, 1}, false},  // the feeder can hold paper
      {0x9007, {0}, false},
      {0x9053, {0}, false},
      {0x9601, {0, 1, 2, 3, 5, 6, 9, 10, 11}, false},  // what fits 2550 x 4200 pixels
  };
  for (const Case& c : cases) EXPECT_EQ(List(c.tag, c.wide), c.items) << std::hex << c.tag;

  // Memory and native; file transfer only with a file-format plug-in beside the library.
  WIN32_FIND_DATAA found;
  HANDLE plugins = FindFirstFileA("File*.dll", &found);
  const bool havePlugins = plugins != INVALID_HANDLE_VALUE;
  if (havePlugins) FindClose(plugins);
  EXPECT_EQ(List(0x9102), havePlugins ? (V{0, 1, 2}) : (V{0, 1}));
  EXPECT_EQ(List(0x9301).at(0), 1);  // BMP is the source's only file format
  EXPECT_EQ(List(0x9210).at(0), 0);  // no compression
}

TEST_F(TwainTags, RangesFollowTheSourceOrTheFixedLimits) {
  struct Case {
    uint16_t tag;
    V range;
    bool wide;
  };
  const Case cases[] = {
      {0x9204, {-1000, 1000, 1}, false}, {0x9205, {-1000, 1000, 1}, false},
      {0x9206, {0, 255, 1}, false},      {0x9207, {0, 255, 1}, false},
      {0x9212, {0, 255, 1}, false},      {0x9009, {0, 720, 1}, false},
      {0x9052, {32767, 5242800, 1}, true}, {0x920A, {0, 20, 1}, false},
      {0x930B, {1, 360, 1}, false},      {0x930C, {1, 100, 1}, false},
      {0x930D, {0, 50, 1}, false},       {0x9505, {0, 118, 1}, false},
      // Capabilities this source does not know: nothing but the stored value.
      {0x9300, {0, 0, 0}, false},        {0x9303, {0, 0, 0}, false},
      {0x9304, {0, 0, 0}, false},        {0x9305, {0, 0, 0}, false},
      {0x9008, {0, 0, 0}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(Range(c.tag, c.wide), c.range) << std::hex << c.tag;
  EXPECT_EQ(Flag(0x9600), kAny);
  EXPECT_EQ(Flag(0x9302), kAny);
  EXPECT_EQ(Flag(0x9208), kAny);  // a one-value gamma leaves any value
}

TEST_F(TwainTags, ProductTextsComeFromThePrivateCapabilities) {
  EXPECT_EQ(Texts(0x9004), std::vector<std::string>{"Quandrix Sim 9000"});
  EXPECT_EQ(Texts(0x9005), std::vector<std::string>{"SIM-0001"});
  EXPECT_EQ(Texts(0x9006), std::vector<std::string>{"1.00"});
  char v[256] = {};
  ASSERT_EQ(p.ZebGetValue(0x9004, v), 0);
  EXPECT_STREQ(v, "Quandrix Sim 9000");
}

TEST_F(TwainTags, DitherListsEveryHalftoneOnce) {
  // The source's "None" is the word the list starts with, so it is not listed twice.
  EXPECT_EQ(Texts(0x9211), (std::vector<std::string>{"None", "Dither", "Diffusion"}));
}

TEST_F(TwainTags, TheStringOfTheDeviceTagIsItsCurrentText) {
  EXPECT_EQ(Texts(0x900A).size(), 1u);
}

// The physical size and the area in each unit: the source answers in the unit the library
// keeps, because ICAP_UNITS goes out as soon as UNITS is loaded.
TEST_F(TwainTags, AreaGeometryIsInTheStoredUnit) {
  struct Case {
    int32_t unit;
    float width, height, margin, step;
  };
  const Case cases[] = {
      {0, 8.5f, 14.0f, 0.214f, 0.005f},
      {1, 21.59f, 35.56f, 0.542f, 0.01f},
      {2, 2550.0f, 4200.0f, 64.0f, 1.0f},
  };
  for (const Case& c : cases) {
    Restart(nullptr, c.unit);
    EXPECT_EQ(IntValue(0x9504), c.unit);
    EXPECT_NEAR(FloatValue(0x9401), c.width, 0.01f) << c.unit;
    EXPECT_NEAR(FloatValue(0x9400), c.height, 0.01f) << c.unit;
    const auto expectNear = [&](std::vector<float> got, std::vector<float> want) {
      ASSERT_EQ(got.size(), want.size());
      for (size_t i = 0; i < want.size(); ++i) EXPECT_NEAR(got[i], want[i], 0.01f) << c.unit << " " << i;
    };
    expectNear(FloatRange(0x9500), {0.0f, c.width - c.margin, c.step});
    expectNear(FloatRange(0x9501), {0.0f, c.height - c.margin, c.step});
    expectNear(FloatRange(0x9503), {c.margin, c.width, c.step});
    expectNear(FloatRange(0x9502), {c.margin, c.height, c.step});
    for (uint16_t tag : {0x9500, 0x9501, 0x9502, 0x9503}) {
      const std::vector<float> r = FloatRange(tag);
      const float v = FloatValue(tag);
      EXPECT_GE(v, r[0]) << std::hex << tag;
      EXPECT_LE(v, r[1]) << std::hex << tag;
    }
    // LENGTHDETECT: what is left below the area, in pixels at 300 per inch.
    const float below = FloatValue(0x9400) - FloatValue(0x9501) - FloatValue(0x9502);
    const float perUnit = c.unit == 0 ? 300.0f : c.unit == 1 ? 300.0f * 0.39370078740157477f : 1.0f;
    const std::vector<int32_t> detect = Range(0x9310);
    EXPECT_EQ(detect[0], 0);
    EXPECT_NEAR(detect[1], static_cast<int32_t>(below * perUnit), 1) << c.unit;
  }
}

// A source counting pixels at 100 dpi still gives the library its 300-per-inch sizes.
TEST_F(TwainTags, PhysicalSizesInPixelsAreAt300PerInch) {
  Restart("[Twain]\nResolution=100\n", 2);
  EXPECT_NEAR(FloatValue(0x9401), 2550.0f, 0.5f);
  EXPECT_NEAR(FloatValue(0x9400), 4200.0f, 0.5f);
  Restart("[Twain]\nResolution=100\n", 0);
  EXPECT_NEAR(FloatValue(0x9401), 8.5f, 0.01f);
  // A source that starts in pixels is read in inches all the same.
  Restart("[Twain]\nPixelUnits=1\n", 0);
  EXPECT_NEAR(FloatValue(0x9401), 8.5f, 0.01f);
  EXPECT_NEAR(FloatValue(0x9400), 14.0f, 0.01f);
  Restart("[Twain]\nPixelUnits=1\n", 2);
  EXPECT_NEAR(FloatValue(0x9401), 2550.0f, 0.5f);
}

TEST_F(TwainTags, PaperPathsFollowWhatTheSourceAccepts) {
  struct Case {
    const char* settings;
    V scanTypes;
    V paper;
  };
  const Case cases[] = {
      {"[Feeder]\nFlatbed=1\n", {0, 2}, {0}},                // no feeder to enable
      {"[Twain]\nOneValue=0x111e\n", {0, 1, 2}, {0, 1}},     // one reflective path
      {"[Twain]\nUnsupported=0x111e\n", {0, 1, 2}, {0, 1}},  // no light path: the feeder decides
      {"[Twain]\nLightPaths=0,1\n", {0, 1, 2, 3}, {0, 1}},   // and transparencies
      {"[Twain]\nLightPaths=1,0,1,0,1,0\n", {0, 3, 1, 2}, {0, 1}},  // each path once
      {"[Feeder]\nFlatbed=1\n[Twain]\nLightPaths=0,1\n", {0, 2, 3}, {0}},
  };
  for (const Case& c : cases) {
    Restart(c.settings);
    EXPECT_EQ(List(0x9100), c.scanTypes) << c.settings;
    EXPECT_EQ(List(0x9603), c.paper) << c.settings;
  }
}

TEST_F(TwainTags, OneValueAnswersAreMappedToTheTagsValues) {
  struct Case {
    const char* settings;
    uint16_t tag;
    V items;
  };
  const Case cases[] = {
      {"[Twain]\nOneValue=0x0103\n", 0x9102, {1}},  // native transfer is TRANSFERMODE 1
      {"[Twain]\nOneValue=0x0101\n", 0x9202, {1}},  // gray
      {"[Twain]\nOneValue=0x1106\n", 0x9209, {0, 1, 2, 3}},  // none, then each filter tried
      {"[Twain]\nOneValue=0x0102\n", 0x9504, {0}},  // inches only
  };
  for (const Case& c : cases) {
    Restart(c.settings);
    EXPECT_EQ(List(c.tag), c.items) << c.settings;
  }
}

TEST_F(TwainTags, UnansweredLevelsGetTheirFixedRanges) {
  Restart("[Twain]\nUnsupported=0x110a,0x1113,0x1108\n");
  EXPECT_EQ(Range(0x9206), (V{255, 255, 0}));
  EXPECT_EQ(Range(0x9207), (V{0, 0, 0}));
  int16_t levels[4] = {};
  ASSERT_EQ(p.ZebGetValue(0x9206, levels), 0);
  EXPECT_EQ(levels[0], 255);
  EXPECT_EQ(Flag(0x9208), kAny);  // a gamma the source does not know takes any value
}

TEST_F(TwainTags, ALongProductNameIsCutTo32Characters) {
  Restart("[Twain]\nProductName=Quandrix Simulated Scanner Model 9000 Plus\n");
  EXPECT_EQ(Texts(0x9004), std::vector<std::string>{"Quandrix Simulated Scanner Model"});
  char v[256];
  std::memset(v, 'x', sizeof v);
  ASSERT_EQ(p.ZebGetValue(0x9004, v), 0);
  EXPECT_EQ(std::string(v), "Quandrix Simulated Scanner Model");
}

TEST_F(TwainTags, AFlatbedSourceNamesItsProductEvenWithoutFeeder) {
  Restart("[Feeder]\nFlatbed=1\n");
  EXPECT_EQ(Texts(0x9004), std::vector<std::string>{"Quandrix Sim 9000"});
  // Both sizes are the glass's.
  EXPECT_NEAR(FloatValue(0x9401), 2550.0f, 0.5f);
}

}  // namespace
