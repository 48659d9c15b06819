// The application's binding against the real pavlot.dll on the simulated maker's scanner
// (zebdrv.dll): the capability query's answers, the nested binding holding the library, and
// every ZebLoad matched by one ZebFree in the library's log.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include <fstream>
#include <sstream>
#include <string>

#include "scan_library.h"
#include "scan_module_loader.h"
#include "scan_tags.h"
#include "scanner_caps.h"
#include "test_files.h"

namespace tarnwick {
namespace {

class CountingErrors : public ScanErrorReporter {
 public:
  void ShowScanError() override { ++shown; }
  int shown = 0;
};

// The Windows loader under another file name, for a library that is not there.
class RenamingLoader : public WindowsScanModuleLoader {
 public:
  void* Load(const char*) override { return WindowsScanModuleLoader::Load("no_such_pavlot.dll"); }
};

class ScannerCapsPavlot : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = FreshTempFolder(std::string("app_scanner_") + test->name());
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
    DeleteFileA("c:\\temp\\ondrel.ini");
    StoreLibraryInt("DEBUGLEVEL", 1);
    StoreLibraryText("SAVEPATH", folder_);
    const std::string ini = folder_ + "zebsim.ini";
    std::ofstream(ini, std::ios::binary) << "[Feeder]\r\nSheets=3\r\n";
    SetEnvironmentVariableA("ZEBSIM_CONFIG", ini.c_str());
  }
  void TearDown() override {
    SetEnvironmentVariableA("ZEBSIM_CONFIG", nullptr);
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
    DeleteFolder(folder_);
  }
  int CountLogLines(const std::string& start) const {
    std::ifstream in(folder_ + "ondrel.txt", std::ios::binary);
    std::string line;
    int n = 0;
    while (std::getline(in, line))
      if (line.rfind(start, 0) == 0) ++n;
    return n;
  }

  std::string folder_;
  WindowsScanModuleLoader loader;
  CountingErrors errors;
  ScanLibrary library{loader, errors};
};

TEST_F(ScannerCapsPavlot, TheSimulatedScannersAnswersBecomeTheFormsChoices) {
  ScannerChoices choices = DesignScannerChoices();
  int scanMethod = 1, filter = 3;
  {
    ScanBinding binding(library, nullptr);
    ASSERT_TRUE(library.Loaded());
    EXPECT_EQ(library.LoadStatus(), 0);
    ASSERT_TRUE(QueryScannerCaps(library, &choices, {&scanMethod, &filter}));
  }
  EXPECT_EQ(errors.shown, 0);
  EXPECT_TRUE(choices.feederAvailable);
  EXPECT_TRUE(choices.duplexAvailable);
  EXPECT_FALSE(choices.methodForced);
  EXPECT_EQ(scanMethod, 1) << "not forced: the setting stays";
  // The scanner lists 75 .. 600 dpi: the application's resolutions up to 600.
  ASSERT_EQ(choices.resolutions.size(), 10u);
  EXPECT_EQ(choices.resolutions.front().text, "100");
  EXPECT_EQ(choices.resolutions.back().text, "600");
  // A Legal feeder and a Letter/A4 flatbed: the five papers up to A4 and Letter.
  EXPECT_FLOAT_EQ(choices.maxWidth, 8.5f);
  EXPECT_GE(choices.maxHeight, 11.69f);
  EXPECT_LE(choices.maxHeight, 14.0f);
  ASSERT_EQ(choices.papers.size(), 5u);
  EXPECT_EQ(choices.papers[4].text, "Bussiness Card");
  EXPECT_GE(filter, 0);
  EXPECT_LE(filter, 3);
  EXPECT_EQ(choices.filterTextIds.size(), 4u);
  EXPECT_EQ(GetModuleHandleA("pavlot.dll"), nullptr);
}

TEST_F(ScannerCapsPavlot, NestedBindingHoldsTheLibraryAndEachLoadIsMatchedByOneFree) {
  library.Load(nullptr);
  library.Load(nullptr);  // inside the outer command
  library.Free();
  ASSERT_NE(GetModuleHandleA("pavlot.dll"), nullptr);
  int32_t filter = -1;
  EXPECT_EQ(GetScanTagNumber(library, scan_tag::kFilter, &filter), 0) << "still started";
  library.Free();
  EXPECT_EQ(GetModuleHandleA("pavlot.dll"), nullptr);

  for (int i = 0; i < 2; ++i) {
    ScanBinding binding(library, nullptr);
    int method = 0, f = 0;
    ScannerChoices choices;
    EXPECT_TRUE(QueryScannerCaps(library, &choices, {&method, &f}));
  }
  // The first ZebLoad's "In" line comes before the library knows its log level; its "Out"
  // line is written.
  EXPECT_EQ(CountLogLines("Out  1: ZebLoad : "), 3);
  EXPECT_EQ(CountLogLines("In   1: ZebFree : "), 3);
  EXPECT_EQ(errors.shown, 0);
}

TEST_F(ScannerCapsPavlot, MissingLibraryShowsOneErrorForTheCommand) {
  RenamingLoader missing;
  ScanLibrary absent(missing, errors);
  ScannerChoices choices = DesignScannerChoices();
  int method = 0, filter = 3;
  {
    ScanBinding binding(absent, nullptr);
    EXPECT_FALSE(absent.Loaded());
    EXPECT_FALSE(QueryScannerCaps(absent, &choices, {&method, &filter}));
    EXPECT_FALSE(absent.Require({ScanEntry::ZebSelectSource}));
  }
  EXPECT_EQ(errors.shown, 1);
  EXPECT_EQ(choices.resolutions.size(), 11u);
}

}  // namespace
}  // namespace tarnwick
