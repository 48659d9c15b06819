#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "settings_store.h"
#include "store_fixture.h"
#include "tag_block.h"
#include "tag_ids.h"
#include "tag_model_fixture.h"
#include "tag_persistence.h"
#include "tag_types.h"

namespace {

class TagPersistence : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    TagModelTest::ClearRecords();
    for (int row = 0; row < kTagCount; ++row) {
      const int type = kTagTable[row].Type;
      TagState& s = g_tagStates[row];
      if (IsChannelRow(row)) s.Current = reinterpret_cast<uintptr_t>(AllocTagBlock(16));
      if (IsTagStringType(type)) {
        s.Current = reinterpret_cast<uintptr_t>(AllocTagBlock(TagTypeSize(type)));
        s.Default = reinterpret_cast<uintptr_t>(AllocTagBlock(TagTypeSize(type)));
      }
      s.Count = -1;
    }
  }
  void TearDown() override {
    for (TagState& s : g_tagStates) {
      if (IsTagStringType(kTagTable[&s - g_tagStates].Type)) FreeTagBlock(reinterpret_cast<void*>(s.Default));
      if (IsTagStringType(kTagTable[&s - g_tagStates].Type) || IsChannelRow(static_cast<int>(&s - g_tagStates)))
        FreeTagBlock(reinterpret_cast<void*>(s.Current));
      s.Current = s.Default = 0;
    }
    TagModelTest::ClearRecords();
    StoreTest::TearDown();
  }

  static void Load(int row) {
    TagState& s = g_tagStates[row];
    void* value = IsChannelRow(row) || IsTagStringType(kTagTable[row].Type)
                      ? reinterpret_cast<void*>(s.Current)
                      : static_cast<void*>(&s.Current);
    LoadTagSetting(kTagTable[row].Tag, value, &kTagTable[row], &s);
  }
  static void LoadAll() {
    for (int row = 0; row < kTagCount; ++row) Load(row);
  }

  // The stored bytes of a value and its registry type.
  static std::string Stored(const char* name, DWORD* type = nullptr, const char* key = kScanDataKey) {
    HKEY k;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &k) != ERROR_SUCCESS) return "<absent>";
    char data[300];
    DWORD size = sizeof data, t = 0;
    LONG rc = RegQueryValueExA(k, name, nullptr, &t, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(k);
    if (rc != ERROR_SUCCESS) return "<absent>";
    if (type) *type = t;
    // The registry may add a terminator of its own to a string value.
    if ((t == REG_SZ || t == REG_EXPAND_SZ) && size && data[size - 1] == '\0') --size;
    return std::string(data, size);
  }
  static std::string DwordBytes(int32_t v) { return std::string(reinterpret_cast<char*>(&v), 4); }
};

TEST_F(TagPersistence, AnEmptyStoreGivesTheDefaults) {
  TagModelTest::IntRange(kRowXResolution, 50, 600, 1);
  TagModelTest::IntList(kRowPixelType, {0, 1, 2, 255});
  TagModelTest::IntList(kRowBitsPerPixel, {1, 8, 24});
  TagModelTest::IntRange(kRowBlankHold, 1, 360, 1);
  TagModelTest::IntRange(kRowMinBuffer, 32767, 10485760, 1);
  TagModelTest::FloatRange(kRowGamma, 0.1f, 4.0f, 0.1f);
  TagModelTest::IntList(kRowFilter, {0, 1, 2, 3});
  TagModelTest::IntRange(kRowEnergySaving, 0, 720, 1);
  LoadAll();
  EXPECT_EQ(CurrentInt(kRowXResolution), 300);
  EXPECT_EQ(CurrentInt(kRowPixelType), 0);
  EXPECT_EQ(CurrentInt(kRowBitsPerPixel), 1);
  EXPECT_EQ(CurrentInt(kRowMinBuffer), 2100000);
  EXPECT_EQ(CurrentFloat(kRowImageWidth), 2550.0f);
  EXPECT_EQ(CurrentFloat(kRowImageLength), 3300.0f);
  EXPECT_EQ(CurrentInt(kRowThreshold), 128);
  EXPECT_EQ(CurrentInt(kRowBlankHold), 116);
  EXPECT_STREQ(CurrentText(kRowDither), "None");
  EXPECT_STREQ(reinterpret_cast<char*>(g_tagStates[kRowDither].Default), "None");
  for (int c = 0; c < 4; ++c) EXPECT_FLOAT_EQ(GammaValues()[c], 1.0f) << c;
  EXPECT_EQ(CurrentInt(kRowFilter), 0);  // four filter choices
  EXPECT_EQ(CurrentInt(kRowXferCount), -1);
  EXPECT_EQ(CurrentInt(kRowEnergySaving), 15);
  EXPECT_EQ(CurrentInt(kRowAreaSetting), 1);
  EXPECT_EQ(ColourValues(kRowHighlight)[2], 255);
  EXPECT_EQ(g_tagStates[kRowUnits].Default, 2u);
  EXPECT_EQ(CurrentInt(kRowUnits), 2);

  TagModelTest::IntList(kRowFilter, {1, 2, 3});
  Load(kRowFilter);
  EXPECT_EQ(CurrentInt(kRowFilter), 2);
  EXPECT_EQ(g_tagStates[kRowFilter].Default, 2u);
}

TEST_F(TagPersistence, ValuesAreStoredByteForByte) {
  int16_t brightness[4] = {-20, 0, 5, 1000};
  SaveTagSetting(kScanDataKey, kTagBrightness, brightness);
  DWORD type = 0;
  EXPECT_EQ(Stored("BRIGHTNESS", &type), "-20");
  EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
  EXPECT_EQ(Stored("BRIGHTNESS_R"), "0");
  EXPECT_EQ(Stored("BRIGHTNESS_G"), "5");
  EXPECT_EQ(Stored("BRIGHTNESS_B"), "1000");

  float width = 8.5f;
  SaveTagSetting(kScanDataKey, kTagPhysicalWidth, &width);
  EXPECT_EQ(Stored("PHYSICALWIDTH"), " 8.50");

  float gamma[4] = {2.2f, 1.0f, 1.0f, 1.8f};
  SaveTagSetting(kScanDataKey, kTagGamma, gamma);
  EXPECT_EQ(Stored("GAMMA"), "2.20");
  EXPECT_EQ(Stored("GAMMA_B"), "1.80");

  int16_t highlight[4] = {255, 250, 240, 230};
  SaveTagSetting(kScanDataKey, kTagHighlight, highlight);
  EXPECT_EQ(Stored("HIGHLIGHT_G", &type), DwordBytes(240));
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));

  int16_t pixelType = -1;
  SaveTagSetting(kScanDataKey, kTagPixelType, &pixelType);
  EXPECT_EQ(Stored("PIXELTYPE"), DwordBytes(-1));  // 16-bit values sign-extended
  int32_t res = 600;
  SaveTagSetting(kScanDataKey, kTagXResolution, &res);
  EXPECT_EQ(Stored("XRESOLUTION"), DwordBytes(600));
  int16_t xfer = -1;
  SaveTagSetting(kScanDataKey, kTagXferCount, &xfer);
  EXPECT_EQ(Stored("XFERCOUNT"), "-1");
  SaveTagSetting(kScanDataKey, kTagDither, "Diffusion");
  EXPECT_EQ(Stored("DITHER"), "Diffusion");

  // Never stored: the file name, the device strings and the paper sensor.
  EXPECT_EQ(SaveTagSetting(kScanDataKey, kTagFileName, "scan.tif"), 0);
  EXPECT_EQ(SaveTagSetting(kScanDataKey, kTagProductName, "x"), 0);
  EXPECT_EQ(SaveTagSetting(kScanDataKey, 0x9213, &res), 0);
  EXPECT_EQ(Stored("FILENAME"), "<absent>");

  int32_t kind = 1;
  SaveTagSetting(kScanDataKey, kTagSource, &kind);
  EXPECT_EQ(Stored("SOURCE", nullptr, kGeneralKey), DwordBytes(1));
  SaveTagSetting(kScanDataKey, kTagSourceName, "Sim Scanner");
  EXPECT_EQ(Stored("SOURCENAME", nullptr, kGeneralKey), "Sim Scanner");
  EXPECT_EQ(LoadDriverKind(), 1);
}

TEST_F(TagPersistence, LoadChecksOnStoredValues) {
  WriteSettingInt(kScanDataKey, "MINBUFFER", 1000);
  Load(kRowMinBuffer);
  EXPECT_EQ(CurrentInt(kRowMinBuffer), 32768);
  WriteSettingInt(kScanDataKey, "MINBUFFER", 5000000);
  Load(kRowMinBuffer);
  EXPECT_EQ(CurrentInt(kRowMinBuffer), 2100000);

  WriteSettingInt(kScanDataKey, "XRESOLUTION", 310);
  TagModelTest::IntRange(kRowXResolution, 50, 600, 100);
  Load(kRowXResolution);
  EXPECT_EQ(CurrentInt(kRowXResolution), 300);
  TagModelTest::IntList(kRowXResolution, {100, 200, 300, 600});
  Load(kRowXResolution);
  EXPECT_EQ(CurrentInt(kRowXResolution), 100);

  WriteSettingString(kScanDataKey, "BRIGHTNESS", "500");
  WriteSettingString(kScanDataKey, "BRIGHTNESS_R", "1200");
  TagModelTest::IntRange(kRowBrightness, 0, 255, 1);
  Load(kRowBrightness);
  EXPECT_EQ(ColourValues(kRowBrightness)[0], 191);
  EXPECT_EQ(ColourValues(kRowBrightness)[1], 128);  // out of scale: 0, the middle
  EXPECT_EQ(CallerScaleValues(kRowBrightness)[0], 500);

  WriteSettingInt(kScanDataKey, "HIGHLIGHT_G", 300);
  WriteSettingInt(kScanDataKey, "SHADOW_R", -5);
  Load(kRowHighlight);
  Load(kRowShadow);
  EXPECT_EQ(ColourValues(kRowHighlight)[2], 255);
  EXPECT_EQ(ColourValues(kRowShadow)[1], 0);

  WriteSettingInt(kScanDataKey, "PIXELTYPE", 2);
  SetCurrentInt(kRowBitsPerPixel, 1);
  TagModelTest::IntList(kRowBitsPerPixel, {1, 8, 16, 24});
  Load(kRowPixelType);
  EXPECT_EQ(CurrentInt(kRowBitsPerPixel), 24);
  Load(kRowBitsPerPixel);
  EXPECT_EQ(CurrentInt(kRowPixelType), 2);
  SetCurrentInt(kRowBitsPerPixel, 16);
  Load(kRowBitsPerPixel);
  EXPECT_EQ(CurrentInt(kRowPixelType), 1);

  WriteSettingInt(kScanDataKey, "PAGESIZE", 9);
  TagModelTest::IntList(kRowPageSize, {0, 1, 2});
  Load(kRowPageSize);
  EXPECT_EQ(CurrentInt(kRowPageSize), 1);
}

TEST_F(TagPersistence, BrightnessSetOnANarrowDriverReloadsUnchanged) {
  TagModelTest::IntRange(kRowBrightness, 0, 255, 1);
  int16_t caller[4] = {1000, -1000, 0, 500};
  SaveTagSetting(kScanDataKey, kTagBrightness, caller);
  Load(kRowBrightness);
  const int16_t expected[4] = {255, 0, 128, 191};
  for (int c = 0; c < 4; ++c) EXPECT_EQ(ColourValues(kRowBrightness)[c], expected[c]) << c;
}

TEST_F(TagPersistence, TheFallbackFileKeepsValuesWhileRegistryWritesFail) {
  FailRegistryWrites(true);
  int32_t res = 600;
  EXPECT_EQ(SaveTagSetting(kScanDataKey, kTagXResolution, &res), 0);
  float width = 8.5f;
  SaveTagSetting(kScanDataKey, kTagImageWidth, &width);
  int16_t contrast[4] = {-20, 1, 2, 3};
  SaveTagSetting(kScanDataKey, kTagContrast, contrast);
  EXPECT_EQ(FallbackText("XRESOLUTION"), "600");
  EXPECT_EQ(FallbackText("CONTRAST"), "-20");

  TagModelTest::IntRange(kRowXResolution, 50, 1200, 1);
  TagModelTest::IntRange(kRowContrast, -1000, 1000, 1);
  Load(kRowXResolution);
  Load(kRowImageWidth);
  Load(kRowContrast);
  EXPECT_EQ(CurrentInt(kRowXResolution), 600);
  EXPECT_EQ(CurrentFloat(kRowImageWidth), 8.5f);
  EXPECT_EQ(ColourValues(kRowContrast)[0], -20);
  EXPECT_EQ(ColourValues(kRowContrast)[3], 3);
  Load(kRowThreshold);  // held by neither: the fallback value
  EXPECT_EQ(CurrentInt(kRowThreshold), 128);
}

TEST_F(TagPersistence, SourceNameIsCutToTheIdentityField) {
  std::string name(40, 'n');
  WriteSettingString(kGeneralKey, "SOURCENAME", name.c_str());
  char product[40];
  std::memset(product, 'E', sizeof product);
  LoadTagSetting(kTagSourceName, product, nullptr, nullptr);
  EXPECT_EQ(std::strlen(product), 33u);
  EXPECT_EQ(product[34], 'E');
  char out[10];
  LoadSourceName(out, sizeof out);
  EXPECT_STREQ(out, "nnnnnnnnn");
}

}  // namespace
