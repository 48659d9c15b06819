// The settings file as a window-free model: the keys, their order and spellings, the defaults
// of a missing or partial file, and values that would reach past their tables.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "settings_place.h"
#include "tarnwick_settings.h"

using namespace tarnwick;

namespace {

// An INI file in memory that keeps the order keys were first written in, and compares keys
// without regard to case as the platform's profile functions do.
class MemoryIni : public IniFile {
 public:
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& fallback) override {
    for (auto& e : entries_)
      if (Same(e.first.first, section) && Same(e.first.second, key)) return e.second;
    return fallback;
  }
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override {
    for (auto& e : entries_)
      if (Same(e.first.first, section) && Same(e.first.second, key)) {
        e.second = value;
        return;
      }
    entries_.push_back({{section, key}, value});
  }
  std::vector<std::string> Lines() const {
    std::vector<std::string> out;
    for (auto& e : entries_) out.push_back(e.first.first + "/" + e.first.second + "=" + e.second);
    return out;
  }

 private:
  static bool Same(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
      if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
        return false;
    return true;
  }
  std::vector<std::pair<std::pair<std::string, std::string>, std::string>> entries_;
};

const std::vector<std::string> kDefaultFile = {
    "Settings/Image Type=0", "Settings/Size=1", "Settings/Resolution=2", "Settings/Scan Method=0",
    "Settings/Duplex=0", "Settings/ShowUI=0", "Settings/Brightness=0", "Settings/Contrast=0",
    "Settings/Threshold=0", "Settings/Path=c:\\temp", "Settings/Save Format=6",
    "Settings/Jpeg Smooth=25", "Settings/Jpeg Qualty=25", "Settings/Png=10", "Settings/Compress=0",
    "Settings/pdf=0", "Settings/Filter=3", "Settings/ThumnailShow=0", "Settings/DontSaveImage=0",
    "Settings/FitToPage=0", "Settings/Invert=0", "Settings/funcbtn=0", "Settings/AutoCrop=0",
    "Name/UserName="};

TEST(SettingsFile, AnEmptyFileLoadsTheDefaultsAndSavesEveryKeyInOrder) {
  MemoryIni empty;
  TarnwickSettings s = LoadSettings(empty);
  MemoryIni out;
  SaveSettings(out, s, "");
  EXPECT_EQ(out.Lines(), kDefaultFile);
}

TEST(SettingsFile, EveryValueSurvivesASaveAndALoad) {
  TarnwickSettings s;
  s.imageType = 2; s.size = 7; s.resolution = 11; s.scanMethod = 1; s.brightness = -40;
  s.contrast = 35; s.threshold = 128; s.duplex = s.autoCrop = s.showUI = s.pdf = true;
  s.filter = 0; s.invert = s.thumnailShow = s.dontSaveImage = s.fitToPage = s.funcbtn = true;
  s.path = "d:\\批次\\scans"; s.saveFormat = 11; s.jpegSmooth = 3; s.jpegQualty = 90;
  s.png = 1; s.compress = 2;
  MemoryIni ini;
  SaveSettings(ini, s, "operator");
  TarnwickSettings back = LoadSettings(ini);
  MemoryIni again;
  SaveSettings(again, back, "operator");
  EXPECT_EQ(again.Lines(), ini.Lines());
  EXPECT_EQ(back.path, s.path);
  EXPECT_EQ(ini.ReadString("Name", "UserName", "?"), "operator");
}

struct IndexCase {
  const char* key;
  const char* stored;
  int32_t TarnwickSettings::*field;
  int32_t expected;
};

TEST(SettingsFile, IndexesOutsideTheirTablesLoadAsTheKeysDefault) {
  const IndexCase cases[] = {
      {"Resolution", "99", &TarnwickSettings::resolution, 2},
      {"Resolution", "12", &TarnwickSettings::resolution, 2},
      {"Resolution", "11", &TarnwickSettings::resolution, 11},
      {"Resolution", "-1", &TarnwickSettings::resolution, 2},
      {"Image Type", "7", &TarnwickSettings::imageType, 0},
      {"Image Type", "2", &TarnwickSettings::imageType, 2},
      {"Size", "8", &TarnwickSettings::size, 1},
      {"Size", "0", &TarnwickSettings::size, 0},
      {"Scan Method", "2", &TarnwickSettings::scanMethod, 0},
      {"Scan Method", "1", &TarnwickSettings::scanMethod, 1},
      {"Save Format", "12", &TarnwickSettings::saveFormat, 6},
      {"Save Format", "11", &TarnwickSettings::saveFormat, 11},
      {"Filter", "4", &TarnwickSettings::filter, 3},
      {"Filter", "0", &TarnwickSettings::filter, 0},
      {"Resolution", "2147483648", &TarnwickSettings::resolution, 2},
      {"Resolution", "abc", &TarnwickSettings::resolution, 2},
      {"Resolution", " 4 ", &TarnwickSettings::resolution, 4},
  };
  for (const IndexCase& c : cases) {
    MemoryIni ini;
    ini.WriteString("Settings", c.key, c.stored);
    TarnwickSettings s = LoadSettings(ini);
    EXPECT_EQ(s.*(c.field), c.expected) << c.key << "=" << c.stored;
  }
}

TEST(SettingsFile, AnEmptyPathBecomesTheDefaultRootAndFlagsReadAsIntegers) {
  MemoryIni ini;
  ini.WriteString("Settings", "Path", "");
  ini.WriteString("Settings", "Duplex", "2");      // any non-zero integer is set
  ini.WriteString("Settings", "Invert", "yes");    // not an integer: the default
  ini.WriteString("Settings", "BRIGHTNESS", "-7"); // keys compare without case
  TarnwickSettings s = LoadSettings(ini);
  EXPECT_EQ(s.path, "c:\\temp");
  EXPECT_TRUE(s.duplex);
  EXPECT_FALSE(s.invert);
  EXPECT_EQ(s.brightness, -7);
}

TEST(SettingsPlace, NtKeepsTheFileInTheDocumentsFolderOthersBesideTheProgram) {
  EXPECT_EQ(SettingsFilePath(kPlatformWin32Nt, "C:\\users\\op\\Documents", "C:\\Tarnwick\\Tarnwick.exe"),
            "C:\\users\\op\\Documents\\TarnwickForm.ini");
  EXPECT_EQ(SettingsFilePath(1, "C:\\My Documents", "C:\\Program Files\\Tarnwick\\Tarnwick.exe"),
            "C:\\Program Files\\Tarnwick\\Tarnwick.INI");
  EXPECT_EQ(ProgramIniPath("C:\\a.b\\Tarnwick"), "C:\\a.b\\Tarnwick.INI");
  EXPECT_EQ(ProgramIniPath("C:\\x\\Tarnwick.v2.exe"), "C:\\x\\Tarnwick.v2.INI");
}

TEST(SettingsPlace, FolderOfACommandLinePathKeepsItsBackslash) {
  EXPECT_EQ(ExtractFilePath("C:\\scans\\20260101-120000\\000001.tif"), "C:\\scans\\20260101-120000\\");
  EXPECT_EQ(ExtractFilePath("C:000001.tif"), "C:");
  EXPECT_EQ(ExtractFilePath("000001.tif"), "");
}

TEST(SettingsPlace, AFileOfAnotherUserIsRemovedOnlyWhenItExists) {
  EXPECT_TRUE(SettingsBelongToOtherUser(true, "ana", "bo"));
  EXPECT_TRUE(SettingsBelongToOtherUser(true, "", "bo"));
  EXPECT_FALSE(SettingsBelongToOtherUser(true, "bo", "bo"));
  EXPECT_FALSE(SettingsBelongToOtherUser(false, "", "bo"));
}

}  // namespace
