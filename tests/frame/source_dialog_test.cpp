// The source list dialog, driven from a second thread as an operator would: the dialog runs
// modally inside ZebSelectSource on the test's own thread.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "dialog_operator.h"
#include "pavlot_client.h"
#include "source_operator.h"
#include "test_files.h"
#include "win_driver.h"

namespace {

using SourceDialog = FrameClientTest;

TEST_F(SourceDialog, OperatorPicksAnotherMakersSource) {
  Provide({"pavlot.dll", "zebdrv.dll"});
  LoadPavlot();
  ASSERT_EQ(pavlot.ZebLoad(nullptr), 0);
  Operator op;
  bool pictured = false;
  op.Run([&pictured](HWND dlg) {
    Pick(dlg, 1);
    pictured = KeepDialogScreen(dlg, "library_source_dialog.png");
    Press(dlg, IDOK);
  });
  EXPECT_EQ(pavlot.ZebSelectSource(), 0);
  op.Wait();
  ASSERT_TRUE(op.found);
  EXPECT_TRUE(pictured);
  ASSERT_EQ(op.entries.size(), 2u);
  EXPECT_EQ(op.entries[0], "Quandrix - ZS-3000 Duplex      1.04");
  EXPECT_FALSE(op.okEnabledAtStart);  // no stored source: nothing selected, OK disabled
  EXPECT_EQ(StoredText("SOURCENAME"), "Quandrix - ZS-1200 Flatbed     2.10");
  EXPECT_TRUE(IsLoaded("zebdrv.dll"));
}

TEST_F(SourceDialog, CancelKeepsTheStoredSource) {
  Provide({"pavlot.dll", "zebdrv.dll"});
  StoreText("SOURCENAME", "Quandrix - ZS-3000 Duplex      1.04");
  LoadPavlot();
  ASSERT_EQ(pavlot.ZebLoad(nullptr), 0);
  Operator op;
  op.Run([](HWND dlg) { Press(dlg, IDCANCEL); });
  EXPECT_EQ(pavlot.ZebSelectSource(), 0);
  op.Wait();
  EXPECT_TRUE(op.okEnabledAtStart);  // the stored source is selected
  DWORD kind = 0;
  if (StoredInt("SOURCE", &kind)) EXPECT_EQ(kind, 0u);
  EXPECT_TRUE(IsLoaded("zebdrv.dll"));
}

TEST_F(SourceDialog, CancelWithNoSourceChosenAnswersNoSource) {
  Provide({"pavlot.dll", "zebdrv.dll"});
  StoreInt("SOURCE", DWORD(-1));
  LoadPavlot();
  ASSERT_EQ(pavlot.ZebLoad(nullptr), -10);
  Operator op;
  op.Run([](HWND dlg) { Press(dlg, IDCANCEL); });
  EXPECT_EQ(pavlot.ZebSelectSource(), -10);
  op.Wait();
  EXPECT_TRUE(op.found);
}

TEST_F(SourceDialog, ChoosingATwainSourceAfterAFailedStartStartsTheEngine) {
  Provide({"pavlot.dll", "fixtures/wexlo_full/wexlo.dll"});
  LoadPavlot();
  ASSERT_EQ(pavlot.ZebLoad(nullptr), -10);  // no zebdrv.dll
  Operator op;
  op.Run([](HWND dlg) {
    Pick(dlg, 0);
    Press(dlg, IDOK);
  });
  int32_t rc = pavlot.ZebSelectSource();
  op.Wait();
  EXPECT_NE(rc, -10);
  ASSERT_EQ(op.entries, std::vector<std::string>{"Fixture TWAIN Scanner"});
  DWORD kind = 9;
  ASSERT_TRUE(StoredInt("SOURCE", &kind));
  EXPECT_EQ(kind, 1u);
  EXPECT_TRUE(IsLoaded("wexlo.dll"));
}

TEST_F(SourceDialog, SetupShowsTheMakersSourceInformation) {
  Provide({"pavlot.dll", "zebdrv.dll"});
  LoadPavlot();
  ASSERT_EQ(pavlot.ZebLoad(nullptr), 0);
  std::vector<std::string> info;
  Operator op;
  op.Run([&info](HWND dlg) {
    Pick(dlg, 0);
    Press(dlg, kSetup);
    if (HWND box = WaitForWindow("Quandrix - ZS-3000 Duplex      1.04")) {
      info = ListLines(box, kInfoList);
      KeepDialogScreen(box, "library_source_information.png");
      Press(box, IDOK);
      for (int i = 0; i < 100 && IsWindow(box); ++i) Sleep(20);
    }
    Press(dlg, IDCANCEL);
  });
  pavlot.ZebSelectSource();
  op.Wait();
  ASSERT_GE(info.size(), 11u);
  EXPECT_EQ(info[0], "Manufacturer: Quandrix");
  EXPECT_EQ(info[1], std::string("Model Name: ZS-3000 Duplex      1.04").substr(0, 27));
  EXPECT_EQ(info[2], "F/W Version: 1.04");
  EXPECT_EQ(info[3], "Driver Version: 2.3.0");
  EXPECT_EQ(info[5], "SCSI Adapter: Simulated SCSI Adapter");
  EXPECT_EQ(info[6], "SCSI ID: 3");
  EXPECT_EQ(info[9], "PAVLOT Version: 1.0.0.1");
  EXPECT_EQ(info[10].rfind("Copyright (C) Quandrix", 0), 0u);
}

// The pictures a person looks at: screens\ in the build folder (this program is in bin\frame_client).
std::string ScreensFolder() {
  const std::string bin = FolderAboveThisProgram();
  const std::string folder = bin.substr(0, bin.find_last_of('\\', bin.size() - 2) + 1) + "screens\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

// The ISIS bridge's driver models, listed after the TWAIN sources, over a simulated scanner.
class IsisSourceDialog : public FrameClientTest {
 protected:
  void SetUp() override {
    FrameClientTest::SetUp();
    record = caseFolder + "isis_sent.txt";
    const std::string ini = caseFolder + "zebsim.ini";
    WritePrivateProfileStringA("Feeder", "Sheets", "3", ini.c_str());
    WritePrivateProfileStringA("Isis", "Record", record.c_str(), ini.c_str());
    SetEnvironmentVariableA("ZEBSIM_CONFIG", ini.c_str());
    DeleteFileA(SetupFile().c_str());
    Provide({"pavlot.dll", "zebdrv.dll", "fixtures/wexlo_full/wexlo.dll", "isisdrv.dll"});
    LoadPavlot();
    ASSERT_EQ(pavlot.ZebLoad(nullptr), 0);
  }
  void TearDown() override {
    if (pavlot.ZebFree) pavlot.ZebFree();
    SetEnvironmentVariableA("ZEBSIM_CONFIG", nullptr);
    DeleteFileA(SetupFile().c_str());
    FrameClientTest::TearDown();
  }
  static std::string SetupFile() {
    char folder[MAX_PATH];
    GetWindowsDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\setscan.ini";
  }
  static std::string Ini(const char* section, const char* key) {
    char text[128] = {};
    GetPrivateProfileStringA(section, key, "<absent>", text, sizeof text, SetupFile().c_str());
    return text;
  }
  // Opens the dialog, lets act do its part, and answers what the operator saw.
  Operator Select(std::function<void(HWND)> act) {
    Operator op;
    op.Run([this, act](HWND dlg) {
      selectedAtStart = static_cast<int>(SendDlgItemMessageA(dlg, kList, LB_GETCURSEL, 0, 0));
      act(dlg);
    });
    selectStatus = pavlot.ZebSelectSource();
    op.Wait();
    return op;
  }
  static int IndexOf(const Operator& op, const std::string& text) {
    for (size_t i = 0; i < op.entries.size(); ++i)
      if (op.entries[i] == text) return static_cast<int>(i);
    return -1;
  }

  std::string record;
  int selectedAtStart = -1;
  int32_t selectStatus = -99;
};

TEST_F(IsisSourceDialog, ModelsFollowTheTwainSourcesAndOkMakesTheChosenOneTheSource) {
  // A TWAIN source first: its maker stays in the source identity.
  Operator twain = Select([](HWND dlg) {
    Pick(dlg, 2);
    Press(dlg, IDOK);
  });
  ASSERT_TRUE(twain.found);
  const std::vector<std::string> expected = {"Quandrix - ZS-3000 Duplex      1.04",
                                             "Quandrix - ZS-1200 Flatbed     2.10",
                                             "Fixture TWAIN Scanner", "ZS-3000 ISIS", "ZS-1200 ISIS"};
  ASSERT_EQ(twain.entries, expected);
  ASSERT_EQ(StoredText("NANUFACTURER"), "Fixture Maker");

  const std::string shot = ScreensFolder() + "source_dialog_isis.png";
  Operator isis = Select([&shot](HWND dlg) {
    Sleep(300);  // painted
    EXPECT_TRUE(windriver::SaveWindowPicture(dlg, shot));
    Pick(dlg, 4);
    Press(dlg, IDOK);
  });
  ASSERT_TRUE(isis.found);
  EXPECT_EQ(selectStatus, 0);
  DWORD kind = 9;
  ASSERT_TRUE(StoredInt("SOURCE", &kind));
  EXPECT_EQ(kind, 2u);
  EXPECT_EQ(StoredText("SOURCENAME"), "ZS-1200 ISIS");
  EXPECT_EQ(StoredText("DRIVERNAME"), "zebisis");
  // The driver, not the maker of the TWAIN source open before: the start writes it into
  // setscan.ini as the driver whose section names the model.
  EXPECT_EQ(StoredText("NANUFACTURER"), "zebisis");
  EXPECT_EQ(Ini("Scanner", "Driver"), "zebisis");
  EXPECT_EQ(Ini("zebisis", "Model"), "ZS-1200 ISIS");
  EXPECT_TRUE(IsLoaded("isisdrv.dll"));
  EXPECT_FALSE(IsLoaded("zebdrv.dll"));
  EXPECT_FALSE(IsLoaded("wexlo.dll"));
  EXPECT_NE(LogText().find("GetISISSource"), std::string::npos);
  std::ifstream sent(record);
  std::string text((std::istreambuf_iterator<char>(sent)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.rfind("model ZS-1200 ISIS"), std::string::npos) << text;
  EXPECT_GT(text.rfind("model ZS-1200 ISIS"), text.rfind("model ZS-3000 ISIS") + 1) << text;

  // Reopened, the stored model is selected; cancelling keeps it.
  Operator again = Select([](HWND dlg) { Press(dlg, IDCANCEL); });
  ASSERT_TRUE(again.found);
  EXPECT_EQ(selectedAtStart, IndexOf(again, "ZS-1200 ISIS"));
  EXPECT_TRUE(again.okEnabledAtStart);
  ASSERT_TRUE(StoredInt("SOURCE", &kind));
  EXPECT_EQ(kind, 2u);
  EXPECT_TRUE(IsLoaded("isisdrv.dll"));
}

TEST_F(IsisSourceDialog, SetupOpensTheDriversOwnWindowForTheSelectedModel) {
  struct Case {
    int entry;
    const char* caption;
    const char* offer;
  } cases[] = {{3, "ZS-3000 ISIS Setup", "Resolutions: 50 to 600 dpi"},
               {4, "ZS-1200 ISIS Setup", "Resolutions: 100 to 300 dpi"}};
  for (const Case& c : cases) {
    std::string offer;
    bool shown = false;
    Operator op = Select([&](HWND dlg) {
      Pick(dlg, c.entry);
      Press(dlg, kSetup);
      if (HWND box = WaitForWindow(c.caption)) {
        shown = true;
        char text[256] = {};
        GetDlgItemTextA(box, 101, text, sizeof text);
        offer = text;
        Press(box, IDOK);
        for (int i = 0; i < 100 && IsWindow(box); ++i) Sleep(20);
      }
      Press(dlg, IDCANCEL);
    });
    ASSERT_TRUE(op.found);
    EXPECT_TRUE(shown) << c.caption;
    EXPECT_EQ(offer.rfind(c.offer, 0), 0u) << offer;
    // Setup chose nothing: the maker's driver stays the source.
    DWORD kind = 9;
    if (StoredInt("SOURCE", &kind)) EXPECT_EQ(kind, 0u);
    EXPECT_EQ(StoredText("SOURCENAME"), "<absent>");
  }
}

}  // namespace
