// pavlot.dll as a caller sees it: start, driver choice and binding, release, source choice.
#include <gtest/gtest.h>

#include "pavlot_client.h"
#include "source_operator.h"

namespace {

std::string Env(const char* name) {
  char buf[512] = {};
  DWORD n = GetEnvironmentVariableA(name, buf, sizeof(buf));
  return n ? std::string(buf, n) : "<unset>";
}

std::string Ini(const std::string& file, const char* section, const char* key) {
  char buf[256] = {};
  GetPrivateProfileStringA(section, key, "<absent>", buf, sizeof(buf), file.c_str());
  return buf;
}

std::string WindowsFile(const char* name) {
  char folder[MAX_PATH];
  GetWindowsDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\" + name;
}

using FrameClient = FrameClientTest;

TEST_F(FrameClient, FirstStartWithoutZebdrvAnswersNoSourceAndRetriesLater) {
  Provide({"pavlot.dll"});
  LoadPavlot();
  EXPECT_EQ(pavlot.ZebLoad(nullptr), -10);
  // Still started without a driver (state 2): another ZebLoad retries the driver.
  EXPECT_EQ(pavlot.ZebLoad(nullptr), -10);
  Provide({"zebdrv.dll"});
  // The retry follows a failed start: it must still build the tag records and answer 0.
  EXPECT_EQ(pavlot.ZebLoad(nullptr), 0);
  EXPECT_TRUE(IsLoaded("zebdrv.dll"));
  EXPECT_EQ(pavlot.ZebLoad(nullptr), -1);
}

TEST_F(FrameClient, StartsTheMakersDriverByDefault) {
  Provide({"pavlot.dll", "zebdrv.dll", "fixtures/wexlo_full/wexlo.dll", "isisdrv.dll"});
  LoadPavlot();
  EXPECT_EQ(pavlot.ZebLoad(nullptr), 0);
  EXPECT_TRUE(IsLoaded("zebdrv.dll"));
  EXPECT_FALSE(IsLoaded("wexlo.dll"));
  EXPECT_FALSE(IsLoaded("isisdrv.dll"));
  EXPECT_EQ(pavlot.ZebLoad(nullptr), -1);  // a driver is started: nothing changes
  EXPECT_TRUE(IsLoaded("zebdrv.dll"));
  EXPECT_EQ(StoredText("TargetTest"), "__Source__");
  EXPECT_EQ(StoredText("TargetPath"), WindowsFile("ondrel.ini"));
  EXPECT_EQ(StoredText("LOCALIZE"), workFolder + "pavlot.loc");
}

TEST_F(FrameClient, FreeThenLoadRunsTheWholeStartAgain) {
  Provide({"pavlot.dll", "zebdrv.dll"});
  LoadPavlot();
  EXPECT_EQ(pavlot.ZebLoad(nullptr), 0);
  EXPECT_EQ(pavlot.ZebFree(), 0);
  EXPECT_FALSE(IsLoaded("zebdrv.dll"));
  StoreText("TargetTest", "changed");
  EXPECT_EQ(pavlot.ZebLoad(nullptr), 0);
  EXPECT_EQ(StoredText("TargetTest"), "__Source__");  // written again by the start-up
  EXPECT_TRUE(IsLoaded("zebdrv.dll"));
}

TEST_F(FrameClient, NoSourceChosenLoadsAllThreeDrivers) {
  Provide({"pavlot.dll", "zebdrv.dll", "fixtures/wexlo_full/wexlo.dll", "isisdrv.dll"});
  StoreInt("SOURCE", DWORD(-1));
  LoadPavlot();
  EXPECT_EQ(pavlot.ZebLoad(nullptr), -10);
  EXPECT_TRUE(IsLoaded("zebdrv.dll"));
  EXPECT_TRUE(IsLoaded("wexlo.dll"));
  EXPECT_TRUE(IsLoaded("isisdrv.dll"));
  // The identity comes from pavlot.dll's own version block, not from the current folder.
  EXPECT_EQ(Env("WEXLO_STUB_REGISTERED"), "1.0.0.1|Quandrix|Pavlot");
  EXPECT_EQ(pavlot.ZebFree(), 0);
  EXPECT_FALSE(IsLoaded("zebdrv.dll"));
  EXPECT_FALSE(IsLoaded("wexlo.dll"));
  EXPECT_FALSE(IsLoaded("isisdrv.dll"));
}

TEST_F(FrameClient, EngineWithoutRegisterIsNotBound) {
  Provide({"pavlot.dll", "zebdrv.dll", "fixtures/wexlo_no_register/wexlo.dll"});
  StoreInt("SOURCE", 1);
  LoadPavlot();
  EXPECT_EQ(pavlot.ZebLoad(nullptr), -7);
  EXPECT_FALSE(IsLoaded("wexlo.dll"));
  EXPECT_FALSE(IsLoaded("zebdrv.dll"));
}

TEST_F(FrameClient, TwainEngineStartsAndRegisters) {
  Provide({"pavlot.dll", "fixtures/wexlo_full/wexlo.dll"});
  StoreInt("SOURCE", 1);
  StoreText("SOURCENAME", "Fixture TWAIN Scanner");
  LoadPavlot();
  int32_t rc = pavlot.ZebLoad(nullptr);
  EXPECT_NE(rc, -7);
  EXPECT_NE(rc, -10);
  EXPECT_TRUE(IsLoaded("wexlo.dll"));
  EXPECT_EQ(Env("WEXLO_STUB_REGISTERED"), "1.0.0.1|Quandrix|Pavlot");
}

TEST_F(FrameClient, IsisBridgeMissingAnEntryPointIsNotBound) {
  Provide({"pavlot.dll", "fixtures/isisdrv_missing_entry/isisdrv.dll"});
  StoreInt("SOURCE", 2);
  LoadPavlot();
  EXPECT_EQ(pavlot.ZebLoad(nullptr), -7);
  EXPECT_FALSE(IsLoaded("isisdrv.dll"));
}

TEST_F(FrameClient, IsisStartWritesTheSetupFile) {
  struct Case {
    const char* maker;
    const char* section;  // where "Model" must land, or nullptr for nowhere
  } cases[] = {{"Acme Imaging", "Acme Imaging"}, {"", nullptr}};
  Provide({"pavlot.dll", "isisdrv.dll"});
  for (const Case& c : cases) {
    std::string file = WindowsFile("setscan.ini");
    DeleteFileA(file.c_str());
    StoreInt("SOURCE", 2);
    StoreText("NANUFACTURER", c.maker);
    StoreText("SOURCENAME", "ScanMaster 9");
    LoadPavlot();
    pavlot.ZebLoad(nullptr);
    EXPECT_TRUE(IsLoaded("isisdrv.dll"));
    EXPECT_EQ(Ini(file, "Scanner", "Driver"), c.maker);
    if (c.section) {
      EXPECT_EQ(Ini(file, c.section, "Model"), "ScanMaster 9");
    } else {
      char sections[512] = {};
      GetPrivateProfileSectionNamesA(sections, sizeof(sections), file.c_str());
      EXPECT_STREQ(sections, "Scanner");  // and nothing else
    }
    pavlot.ZebFree();
    pavlot.Unload();
  }
}

TEST_F(FrameClient, SetSourceRestartsTheDriverOnlyForAnotherSource) {
  Provide({"pavlot.dll", "zebdrv.dll"});
  LoadPavlot();
  ASSERT_EQ(pavlot.ZebLoad(nullptr), 0);
  EXPECT_EQ(pavlot.ZebSetSource("ZS-3000"), 0);  // a new name: the driver restarts
  EXPECT_EQ(StoredText("SOURCENAME"), "Quandrix - ZS-3000 Duplex      1.04");
  EXPECT_EQ(StoredText("NANUFACTURER"), "Quandrix");
  EXPECT_EQ(StoredText("DRIVERNAME"), "ZebDrv ksaspi32.dll");
  DWORD kind = 9;
  ASSERT_TRUE(StoredInt("SOURCE", &kind));
  EXPECT_EQ(kind, 0u);
  int restarts = CountLogLines("In   1: ZebFreeLib");
  EXPECT_EQ(restarts, 1);

  EXPECT_EQ(pavlot.ZebSetSource("ZS-3000"), 0);  // the same source in state 5
  EXPECT_EQ(CountLogLines("In   1: ZebFreeLib"), restarts);
  EXPECT_TRUE(IsLoaded("zebdrv.dll"));

  EXPECT_EQ(pavlot.ZebSetSource("ZS-1200"), 0);  // another one
  EXPECT_EQ(CountLogLines("In   1: ZebFreeLib"), restarts + 1);
  EXPECT_EQ(StoredText("SOURCENAME"), "Quandrix - ZS-1200 Flatbed     2.10");
  EXPECT_EQ(StoredText("DRIVERNAME"), "ZebDrv ksusb32.dll");
  EXPECT_EQ(pavlot.ZebLoad(nullptr), -1);  // back in state 5
}

TEST_F(FrameClient, SetSourceMovesToTheTwainEngine) {
  Provide({"pavlot.dll", "zebdrv.dll", "fixtures/wexlo_full/wexlo.dll", "isisdrv.dll"});
  LoadPavlot();
  ASSERT_EQ(pavlot.ZebLoad(nullptr), 0);
  int32_t rc = pavlot.ZebSetSource("Fixture TWAIN");
  EXPECT_NE(rc, -10);
  DWORD kind = 9;
  ASSERT_TRUE(StoredInt("SOURCE", &kind));
  EXPECT_EQ(kind, 1u);
  EXPECT_EQ(StoredText("SOURCENAME"), "Fixture TWAIN Scanner");
  EXPECT_EQ(StoredText("NANUFACTURER"), "Fixture Maker");
  EXPECT_EQ(Env("WEXLO_STUB_OPENED"), "Fixture TWAIN Scanner");
  EXPECT_TRUE(IsLoaded("wexlo.dll"));
  EXPECT_FALSE(IsLoaded("zebdrv.dll"));
  EXPECT_FALSE(IsLoaded("isisdrv.dll"));
}

TEST_F(FrameClient, UnknownSourceNameLeavesNoSource) {
  Provide({"pavlot.dll", "zebdrv.dll"});
  LoadPavlot();
  ASSERT_EQ(pavlot.ZebLoad(nullptr), 0);
  EXPECT_EQ(pavlot.ZebSetSource("No Such Scanner"), -10);
  DWORD kind = 9;
  ASSERT_TRUE(StoredInt("SOURCE", &kind));
  EXPECT_EQ(kind, DWORD(-1));
  EXPECT_EQ(StoredText("SOURCENAME"), "");
  EXPECT_EQ(StoredText("TargetTest"), "");
}

TEST_F(FrameClient, SourceChoiceBeforeStartIsRefused) {
  Provide({"pavlot.dll", "zebdrv.dll"});
  LoadPavlot();
  EXPECT_EQ(pavlot.ZebSetSource("ZS-3000"), -3);
  EXPECT_EQ(pavlot.ZebSelectSource(), -3);
  EXPECT_FALSE(IsLoaded("zebdrv.dll"));
}

TEST_F(FrameClient, UnloadingThePavlotLibraryReleasesTheDriver) {
  Provide({"pavlot.dll", "zebdrv.dll"});
  LoadPavlot();
  ASSERT_EQ(pavlot.ZebLoad(nullptr), 0);
  ASSERT_TRUE(IsLoaded("zebdrv.dll"));
  pavlot.Unload();
  EXPECT_FALSE(IsLoaded("zebdrv.dll"));
}

TEST_F(FrameClient, EveryExportLogsInAndOutAtLevelOne) {
  Provide({"pavlot.dll", "zebdrv.dll"});
  LoadPavlot();
  pavlot.ZebLoad(nullptr);  // its "In" line comes before the log level is known
  pavlot.ZebLoad(nullptr);
  pavlot.ZebSetSource("ZS-3000");
  Operator op;
  op.Run([](HWND dlg) { Press(dlg, IDCANCEL); });
  pavlot.ZebSelectSource();
  op.Wait();
  pavlot.ZebFree();
  for (const char* name : {"ZebLoad", "ZebSetSource", "ZebSelectSource", "ZebFree", "InitDrv"}) {
    EXPECT_GE(CountLogLines(std::string("In   1: ") + name + " : "), 1) << name;
    EXPECT_GE(CountLogLines(std::string("Out  1: ") + name + " : "), 1) << name;
  }
  // -1 is the log's own "no value" mark, so the second ZebLoad's answer shows as no value.
  EXPECT_EQ(CountLogLines("Out  1: ZebLoad : \r"), 1);
  EXPECT_EQ(LogText().find("ondrel.ini"), std::string::npos);  // a level-2 line
}

}  // namespace
