#include <cstring>
#include <string>

#include "settings_store.h"
#include "store_fixture.h"

namespace {

using SettingsStore = StoreTest;

TEST_F(SettingsStore, IntegersAndStringsKeepTheirRegistryKinds) {
  EXPECT_EQ(WriteSettingInt(kGeneralKey, "SOURCE", 2), 1);
  EXPECT_EQ(WriteSettingString(kScanDataKey, "FILENAME", "scan.tif"), 1);
  EXPECT_EQ(RegistryType(kGeneralKey, "SOURCE"), static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(RegistryType(kScanDataKey, "FILENAME"), static_cast<DWORD>(REG_EXPAND_SZ));

  int32_t v = 0;
  EXPECT_EQ(ReadSetting(kGeneralKey, "SOURCE", &v, kSettingInt, 4), 0);
  EXPECT_EQ(v, 2);
  char text[33];
  EXPECT_EQ(ReadSetting(kScanDataKey, "FILENAME", text, kSettingString, sizeof text), 0);
  EXPECT_STREQ(text, "scan.tif");
}

TEST_F(SettingsStore, MissingValueAnswersTheRegistryErrorAndZeroes) {
  char text[16];
  std::memset(text, 'x', sizeof text);
  EXPECT_EQ(ReadSetting(kGeneralKey, "NOSUCH", text, kSettingString, sizeof text),
            static_cast<long>(ERROR_FILE_NOT_FOUND));
  for (char c : text) EXPECT_EQ(c, '\0');
}

TEST_F(SettingsStore, StringReadIsBoundedAndTerminated) {
  // Stored without a terminator, exactly as long as the destination and longer.
  WriteSettingString(kGeneralKey, "TargetTest", "__Source__");
  char exact[10];
  std::memset(exact, 'x', sizeof exact);
  EXPECT_EQ(ReadSetting(kGeneralKey, "TargetTest", exact, kSettingString, sizeof exact), 0);
  EXPECT_STREQ(exact, "__Source_");

  char wide[64];
  EXPECT_EQ(ReadSetting(kGeneralKey, "TargetTest", wide, kSettingString, sizeof wide), 0);
  EXPECT_STREQ(wide, "__Source__");
}

TEST_F(SettingsStore, FailedWriteGoesToTheFallbackFileUntilAWriteSucceeds) {
  WriteSettingInt(kGeneralKey, "DEBUGLEVEL", 2);
  WriteSettingString(kGeneralKey, "SAVEPATH", "c:\\logs\\");
  EXPECT_EQ(SettingsLogLevel(), 2);

  FailRegistryWrites(true);
  EXPECT_EQ(WriteSettingInt(kScanDataKey, "XRESOLUTION", 300), 0);
  EXPECT_TRUE(SettingsFallbackActive());
  EXPECT_EQ(FallbackText("XRESOLUTION"), "300");
  EXPECT_EQ(WriteSettingString(kScanDataKey, "FILENAME", "page.tif"), 0);
  EXPECT_EQ(FallbackText("FILENAME"), "page.tif");

  // Values the INI holds replace the registry's; the result stays the registry's status.
  int32_t x = -1;
  EXPECT_NE(ReadSetting(kScanDataKey, "XRESOLUTION", &x, kSettingInt, 4), 0);
  EXPECT_EQ(x, 300);
  // Values only the registry holds are kept: logging goes on at level 2.
  EXPECT_EQ(SettingsLogLevel(), 2);
  char path[145];
  EXPECT_EQ(ReadSetting(kGeneralKey, "SAVEPATH", path, kSettingString, 144), 0);
  EXPECT_STREQ(path, "c:\\logs\\");

  FailRegistryWrites(false);
  EXPECT_EQ(WriteSettingInt(kScanDataKey, "YRESOLUTION", 200), 1);
  EXPECT_FALSE(SettingsFallbackActive());
  // Reads come from the registry only again: XRESOLUTION never reached it.
  x = -1;
  EXPECT_NE(ReadSetting(kScanDataKey, "XRESOLUTION", &x, kSettingInt, 4), 0);
  EXPECT_EQ(x, 0);
}

TEST_F(SettingsStore, FallbackStringIsCutAtSixtyBytesAndTheDestination) {
  FailRegistryWrites(true);
  std::string longText(100, 'a');
  WriteSettingString(kGeneralKey, "SOURCENAME", longText.c_str());
  char big[129];
  ReadSetting(kGeneralKey, "SOURCENAME", big, kSettingString, sizeof big);
  EXPECT_EQ(std::strlen(big), 60u);
  char small[8];
  std::memset(small, 'x', sizeof small);
  ReadSetting(kGeneralKey, "SOURCENAME", small, kSettingString, sizeof small);
  EXPECT_STREQ(small, "aaaaaaa");
}

TEST_F(SettingsStore, FallbackDoesNotOverwriteRegistryValuesWithDefaults) {
  WriteSettingInt(kGeneralKey, "DEBUGLEVEL", 3);
  FailRegistryWrites(true);
  WriteSettingString(kGeneralKey, "TargetTest", "__Source__");
  EXPECT_TRUE(SettingsFallbackActive());
  EXPECT_EQ(SettingsLogLevel(), 3);
  EXPECT_EQ(ReadSettingInt(kGeneralKey, "DEBUGLEVEL", -5), 3);
}

TEST_F(SettingsStore, IntegerFallbackNeedsNoRegistryValue) {
  FailRegistryWrites(true);
  WriteSettingInt(kGeneralKey, "DEBUGLEVEL", 1);
  // The registry lacks DEBUGLEVEL, the INI file holds it: the log level follows the INI.
  EXPECT_EQ(SettingsLogLevel(), 1);
  EXPECT_EQ(ReadSettingInt(kGeneralKey, "DEBUGLEVEL", 7), 7);  // callers testing the status keep defaults
}

}  // namespace
