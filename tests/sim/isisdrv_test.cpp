// isisdrv.dll driven directly, as the scan library drives it: what it offers for each tag, what it
// takes and refuses, and how the selected page size sets the area's maximum.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "isis_driver_info.h"
#include "test_files.h"
#include "zebdrv_client.h"

namespace {

struct IsisDrv {
  HMODULE module = nullptr;
  int32_t(__stdcall* ISISLoad)(HWND) = nullptr;
  int32_t(__stdcall* ISISFree)() = nullptr;
  int32_t(__stdcall* ISISAcquire)(PageCallbackProc, void*) = nullptr;
  int32_t(__stdcall* ISISSetValue)(int32_t, int32_t, void*) = nullptr;
  int32_t(__stdcall* ISISGetValue)(int32_t, int32_t, int32_t, void*) = nullptr;
  int32_t(__stdcall* ISISTagCount)(int32_t, int32_t*) = nullptr;
  int32_t(__stdcall* ISISTagFlags)(int32_t, int32_t*) = nullptr;
  int32_t(__stdcall* ISISTagChoice)(int32_t, int32_t, int32_t, void*) = nullptr;
  int32_t(__stdcall* ISISDriverInfoById)(int32_t, void*) = nullptr;
  int32_t(__stdcall* ISISSetDriver)(void*) = nullptr;
  int32_t(__stdcall* ISISSetDefault)(void*) = nullptr;
};

constexpr int32_t kType16 = 0x8010, kType32 = 0x8011, kTypePair = 0x8012, kTypeText = 0x8014;

class IsisDrvTest : public ::testing::Test {
 protected:
  void Open(const std::string& ini) {
    UseSimSettings(ini);
    d.module = LoadLibraryA("isisdrv.dll");
    ASSERT_NE(d.module, nullptr);
    ASSERT_TRUE(Bind(d.module, "ISISLoad", &d.ISISLoad) && Bind(d.module, "ISISFree", &d.ISISFree) &&
                Bind(d.module, "ISISAcquire", &d.ISISAcquire) &&
                Bind(d.module, "ISISSetValue", &d.ISISSetValue) &&
                Bind(d.module, "ISISGetValue", &d.ISISGetValue) &&
                Bind(d.module, "ISISTagCount", &d.ISISTagCount) &&
                Bind(d.module, "ISISTagFlags", &d.ISISTagFlags) &&
                Bind(d.module, "ISISTagChoice", &d.ISISTagChoice) &&
                Bind(d.module, "ISISDriverInfoById", &d.ISISDriverInfoById) &&
                Bind(d.module, "ISISSetDriver", &d.ISISSetDriver) &&
                Bind(d.module, "ISISSetDefault", &d.ISISSetDefault));
    ASSERT_EQ(d.ISISLoad(nullptr), 0);
    // The first model, whatever a setscan.ini left by another program names.
    IsisDriverInfo first{};
    ASSERT_EQ(d.ISISDriverInfoById(0, &first), 0);
    ASSERT_EQ(d.ISISSetDriver(&first), 0);
  }
  void TearDown() override {
    if (d.ISISFree) d.ISISFree();
    if (d.module) FreeLibrary(d.module);
    ForgetSimSettings();
  }
  int32_t Flags(int32_t tag) {
    int32_t f = -1;
    EXPECT_EQ(d.ISISTagFlags(tag, &f), 0) << tag;
    return f;
  }
  int32_t Count(int32_t tag) {
    int32_t n = -1;
    EXPECT_EQ(d.ISISTagCount(tag, &n), 0) << tag;
    return n;
  }
  int32_t Choice32(int32_t tag, int32_t index) {
    int32_t v = -1;
    EXPECT_EQ(d.ISISTagChoice(tag, kType32, index, &v), 0) << tag << " " << index;
    return v;
  }
  int32_t Set16(int32_t tag, int32_t value) {
    int16_t v = static_cast<int16_t>(value);
    return d.ISISSetValue(tag, kType16, &v);
  }
  IsisDrv d;
};

TEST_F(IsisDrvTest, TagZeroAndUnknownTagsOfferNothingAndAnswerZero) {
  Open("[Feeder]\nSheets=1\n");
  for (int32_t tag : {0, 9999, 0x9008}) {
    EXPECT_EQ(Flags(tag), 0) << tag;
    EXPECT_EQ(Count(tag), 0) << tag;
  }
}

TEST_F(IsisDrvTest, TakesWhatItOffersAndRefusesTheRest) {
  Open("[Feeder]\nSheets=1\n[Isis]\nResolutions=100,300\nAreaStep=4\n");
  EXPECT_EQ(Flags(282), 0x40000);
  EXPECT_EQ(Count(282), 2);
  int32_t pair[2] = {300, 1};
  EXPECT_EQ(d.ISISSetValue(282, kTypePair, pair), 0);
  pair[0] = 200;
  EXPECT_NE(d.ISISSetValue(282, kTypePair, pair), 0) << "a resolution it does not list";
  EXPECT_EQ(Set16(277, 3), 0);
  EXPECT_NE(Set16(258, 1), 0) << "colour has 8 bits a sample only";
  EXPECT_EQ(Set16(277, 1), 0);
  EXPECT_EQ(Set16(258, 1), 0);
  EXPECT_NE(Set16(1300, 4), 0) << "a simplex feeder has no duplex";
  // The area in device pixels at 300 dpi, on the step of 4, inside the Letter page.
  int32_t v = 2548;
  EXPECT_EQ(d.ISISSetValue(256, kType32, &v), 0);
  v = 2550;
  EXPECT_NE(d.ISISSetValue(256, kType32, &v), 0) << "off the step";
  v = 2552;
  EXPECT_NE(d.ISISSetValue(256, kType32, &v), 0) << "wider than the page";
  // Tags it offers nothing for take any value (gamma, shadow).
  float gamma = 2.2f;
  EXPECT_EQ(d.ISISSetValue(1295, kTypePair, &gamma), 0);
  EXPECT_EQ(Set16(5055, 0), 0);
}

TEST_F(IsisDrvTest, PageSizeSetsTheAreaMaximumAndDitherNeedsOneBit) {
  Open("[Feeder]\nSheets=1\n[Isis]\nPageSizes=A4,Legal\n");
  ASSERT_EQ(Count(1294), 2);
  char name[33] = {};
  ASSERT_EQ(d.ISISTagChoice(1294, kTypeText, 1, name), 0);
  EXPECT_STREQ(name, "Legal");
  ASSERT_EQ(d.ISISSetValue(1294, kTypeText, name), 0);
  EXPECT_EQ(Choice32(256, 0xFFFE), 2550);
  EXPECT_EQ(Choice32(257, 0xFFFE), 4200);
  std::strcpy(name, "A4");
  ASSERT_EQ(d.ISISSetValue(1294, kTypeText, name), 0);
  EXPECT_EQ(Choice32(256, 0xFFFE), 2480);
  EXPECT_EQ(Choice32(257, 0xFFFE), 3508);
  std::strcpy(name, "Letter");
  EXPECT_NE(d.ISISSetValue(1294, kTypeText, name), 0) << "a page size it does not offer";
  ASSERT_EQ(Set16(258, 8), 0);
  EXPECT_EQ(Count(1280), 0);
  ASSERT_EQ(Set16(258, 1), 0);
  EXPECT_EQ(Count(1280), 3);
}

// The bridge lists its models by index until it fails; the one set (or made the default) is
// what the driver runs, and a running driver changes over at once.
TEST_F(IsisDrvTest, ListsTwoModelsAndRunsTheOneSet) {
  Open("[Feeder]\nSheets=1\nDuplex=1\n[Isis]\nResolutions=100,200\n");
  std::vector<IsisDriverInfo> models;
  IsisDriverInfo info{};
  for (int32_t i = 0; d.ISISDriverInfoById(i, &info) == 0 && i < 10; ++i) {
    EXPECT_EQ(info.Id, i);
    models.push_back(info);
  }
  ASSERT_EQ(models.size(), 2u);
  EXPECT_STREQ(models[0].ModelName, "ZS-3000 ISIS");
  EXPECT_STREQ(models[1].ModelName, "ZS-1200 ISIS");
  EXPECT_STREQ(models[1].DriverName, "zebisis");
  EXPECT_NE(d.ISISDriverInfoById(0, nullptr), 0);
  EXPECT_NE(d.ISISDriverInfoById(-1, &info), 0);

  // The first model takes [Isis]'s list and both sides; the second has a range of its own, 100
  // to 300 by 50, and one side.
  EXPECT_EQ(Flags(282), 0x40000);
  EXPECT_EQ(Count(1300), 4);
  ASSERT_EQ(d.ISISSetDriver(&models[1]), 0);
  EXPECT_EQ(Flags(282), 0x20000);
  EXPECT_EQ(Choice32(282, 0xFFFE), 300);
  EXPECT_EQ(Choice32(282, 0xFFFD), 50);
  EXPECT_EQ(Count(1300), 3) << "no duplex value: the model scans one side";

  IsisDriverInfo unknown = models[0];
  std::strcpy(unknown.ModelName, "ZS-9999 ISIS");
  EXPECT_NE(d.ISISSetDriver(&unknown), 0);
  EXPECT_NE(d.ISISSetDefault(&unknown), 0);
  EXPECT_EQ(Choice32(282, 0xFFFE), 300) << "a refused model changes nothing";
  ASSERT_EQ(d.ISISSetDriver(&models[0]), 0);
  EXPECT_EQ(Flags(282), 0x40000);
}

}  // namespace
