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
  EXPECT_EQ(LocalText(file.c_str(), "0404", "Font", "Arial"), "Tahoma");  // from [0409]
  EXPECT_EQ(LocalText(file.c_str(), "0404", "FontSize", "8"), "8");
  EXPECT_EQ(LocalText((dir + "missing.loc").c_str(), "0409", "FontSize", "8"), "8");
  EXPECT_EQ(LocalText(file.c_str(), "0409", "OK", "OK", 3), "Fi");
  DeleteFileA(file.c_str());
}

// The shipped file is UTF-16: its Chinese texts reach the dialogs whole in any ANSI code page,
// and a key the chosen section lacks comes from [0409] before the built-in default.
TEST_F(Localisation, WideTextsFallBackToEnglishFirst) {
  std::string dir = MakeTempFolder("tarnwick-loc-wide");
  std::string file = dir + kLocalisationFile;
  {
    const std::u16string text = u"[0409]\r\nOK=Fine\r\nIMAGETYPE1=Gray\r\n[0804]\r\nOK=\u786e\u5b9a\r\n";
    std::ofstream f(file, std::ios::binary);
    f.write("\xff\xfe", 2);
    f.write(reinterpret_cast<const char*>(text.data()), std::streamsize(text.size() * 2));
  }
  EXPECT_EQ(LocalTextUtf8(file.c_str(), "0804", "OK", "OK"), "\xe7\xa1\xae\xe5\xae\x9a");
  EXPECT_EQ(LocalTextUtf8(file.c_str(), "0804", "IMAGETYPE1", ""), "Gray");
  EXPECT_EQ(LocalTextUtf8(file.c_str(), "0816", "OK", "OK"), "Fine");
  EXPECT_EQ(LocalTextUtf8(file.c_str(), "0804", "Cancel", "Cancel"), "Cancel");
  EXPECT_EQ(LocalText(file.c_str(), "0416", "IMAGETYPE1", ""), "Gray");
  DeleteFileA(file.c_str());
}

}  // namespace
