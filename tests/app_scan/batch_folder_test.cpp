#include "batch_folder.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "driver_window_settings.h"

using namespace tarnwick;

TEST(BatchFolder, NameIsRootBackslashDateDashTimeWithTwoDigitFields) {
  EXPECT_EQ(BatchFolderName("d:\\scans", {2024, 3, 7, 11, 5, 9}), "d:\\scans\\20240307-110509");
  EXPECT_EQ(BatchFolderName("c:\\b", {2026, 12, 31, 23, 59, 58}), "c:\\b\\20261231-235958");
  EXPECT_EQ(BatchFolderName("c:\\b", {2001, 1, 1, 0, 0, 0}), "c:\\b\\20010101-000000");
}

struct FakeFolders : FolderMaker {
  std::set<std::string> existing;
  std::string failOn;
  std::vector<std::string> tried;
  Result MakeFolder(const std::string& name) override {
    tried.push_back(name);
    if (name == failOn) return Result::Failed;
    if (!existing.insert(name).second) return Result::Exists;
    return Result::Made;
  }
};

TEST(BatchFolder, AFolderOfTheSameSecondIsNeverReused) {
  FakeFolders fs;
  const std::string base = "c:\\b\\20240307-110509";
  EXPECT_EQ(MakeBatchFolder(base, fs), base);
  EXPECT_EQ(MakeBatchFolder(base, fs), base + "_2");
  EXPECT_EQ(MakeBatchFolder(base, fs), base + "_3");
  EXPECT_EQ(fs.existing.size(), 3u);
}

TEST(BatchFolder, AFailureOrNoFreeNameGivesNothing) {
  FakeFolders fs;
  fs.failOn = "c:\\b\\x";
  EXPECT_EQ(MakeBatchFolder("c:\\b\\x", fs), std::nullopt);
  EXPECT_EQ(fs.tried.size(), 1u);

  FakeFolders full;
  full.existing.insert("n");
  for (int i = 2; i < 100; ++i) full.existing.insert("n_" + std::to_string(i));
  EXPECT_EQ(MakeBatchFolder("n", full), std::nullopt);
}

struct FakeIni : IniSource {
  std::map<std::string, int> values;
  int ReadInt(const std::string& section, const std::string& key, int fallback) override {
    auto it = values.find(section + "/" + key);
    return it == values.end() ? fallback : it->second;
  }
};

TEST(DriverWindowSettings, SectionOneGivesResolutionAndTypeWithDefaults) {
  EXPECT_EQ(ReadDriverWindowSettings(nullptr, 300).Dpi, 300);
  EXPECT_EQ(ReadDriverWindowSettings(nullptr, 300).ImageType, 0);
  FakeIni empty;
  EXPECT_EQ(ReadDriverWindowSettings(&empty, 300).Dpi, 200);
  EXPECT_EQ(ReadDriverWindowSettings(&empty, 300).ImageType, 1);
  FakeIni ini;
  ini.values = {{"1/XRes", 1200}, {"1/Image Type", 2}, {"2/XRes", 50}};
  EXPECT_EQ(ReadDriverWindowSettings(&ini, 300).Dpi, 1200);
  EXPECT_EQ(ReadDriverWindowSettings(&ini, 300).ImageType, 2);
}
