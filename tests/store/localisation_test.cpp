#include <fstream>
#include <string>

#include "localisation.h"
#include "settings_store.h"
#include "store_fixture.h"

namespace {

using Localisation = StoreTest;

TEST_F(Localisation, LanguageSettingPicksTheSection) {
  char expected[8];
  wsprintfA(expected, "%04X", GetSystemDefaultLangID());
  struct Case { bool stored; int32_t language; std::string section; } cases[] = {
      {false, 0, expected}, {true, 0, expected}, {true, 1, "0409"}, {true, 2, "0404"},
      {true, 3, "0804"},    {true, 1031, "0407"}};
  for (const auto& c : cases) {
    DeleteTree("Software\\Quandrix\\ScanData");
    if (c.stored) WriteSettingInt(kScanDataKey, "LANGUAGE", c.language);
    char out[5];
    GetLanguageCode(out);
    EXPECT_EQ(out, c.section) << c.language;
  }
}

TEST_F(Localisation, TextsFallBackToDefaults) {
  std::string dir = MakeTempFolder("tarnwick-loc");
  std::string file = dir + kLocalisationFile;
  {
    std::ofstream f(file, std::ios::binary);
    f << "[0409]\r\nFont=Tahoma\r\nOK=Fine\r\n";
  }
  EXPECT_EQ(LocalText(file.c_str(), "0409", "Font", "Arial"), "Tahoma");
  EXPECT_EQ(LocalText(file.c_str(), "0409", "Cancel", "Cancel"), "Cancel");
  EXPECT_EQ(LocalText(file.c_str(), "0404", "Font", "Arial"), "Arial");
  EXPECT_EQ(LocalText((dir + "missing.loc").c_str(), "0409", "FontSize", "8"), "8");
  EXPECT_EQ(LocalText(file.c_str(), "0409", "OK", "OK", 3), "Fi");
  DeleteFileA(file.c_str());
}

}  // namespace
