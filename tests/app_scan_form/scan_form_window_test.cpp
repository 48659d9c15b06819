// Tarnwick.exe driven as an operator drives it, under Wine on the test display: "Select
// Scanner" and "Scanner Settings" with and without pavlot.dll, the settings form's lists from
// the simulated maker's scanner, Apply, OK, Cancel, Default and the folder browser, what the
// settings file holds afterwards, a picture of the form, and the library's log.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <fstream>
#include <string>
#include <vector>

#include "form_driving.h"
#include "scan_form_ids.h"
#include "tarnwick_ids.h"
#include "tarnwick_process.h"
#include "test_files.h"
#include "win_driver.h"

namespace {

using formdriving::ChooseComboItem;
using formdriving::ComboItems;
using formdriving::Press;
using windriver::Utf8;

const char* const kFormTitle = "扫瞄设定";       // id 501
const char* const kScanError = "发生扫瞄错误!!";  // id 1014
const char* const kQualityError = "值必须介于2~255 之间";  // id 1010

// Counts the message boxes with this text that come within the time, pressing OK on each.
int AnswerBoxes(const std::string& text, DWORD ms) {
  int n = 0;
  std::string got;
  while (formdriving::AnswerBox("Folvex", ms, &got)) {
    if (got == text) ++n;
    else ADD_FAILURE() << "message box: " << got;
  }
  return n;
}

class ScanFormWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = FreshTempFolder(std::string("scan_form_") + test->name());
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
    DeleteFileA("c:\\temp\\ondrel.ini");
    StoreLibraryInt("DEBUGLEVEL", 1);
    StoreLibraryText("SAVEPATH", folder_);
    const std::string ini = folder_ + "zebsim.ini";
    std::ofstream(ini, std::ios::binary) << "[Feeder]\r\nSheets=3\r\n";
    SetEnvironmentVariableA("ZEBSIM_CONFIG", ini.c_str());
    DeleteFileW(SettingsFilePath().c_str());
  }
  void TearDown() override {
    EXPECT_EQ(tarnwick_.Close(), 0u);
    SetEnvironmentVariableA("ZEBSIM_CONFIG", nullptr);
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
    DeleteFileW(SettingsFilePath().c_str());
    DeleteFolder(folder_);
  }
  // Opens the settings form from the menu.
  HWND OpenForm() {
    windriver::PostCommand(tarnwick_.Main(), IDM_SCANNERSETTINGS1);
    HWND form = windriver::FindTopWindow("#32770", kFormTitle, 15000);
    // Shown and done with its first show before it is driven.
    for (int i = 0; i < 100 && form && !IsWindowVisible(form); ++i) Sleep(50);
    Sleep(200);
    return form;
  }
  HWND Control(HWND form, int id) { return GetDlgItem(form, id); }
  int CountLogLines(const std::string& start) const {
    std::ifstream in(folder_ + "ondrel.txt", std::ios::binary);
    std::string line;
    int n = 0;
    while (std::getline(in, line))
      if (line.rfind(start, 0) == 0) ++n;
    return n;
  }

  std::string folder_;
  TarnwickProcess tarnwick_;
};

TEST_F(ScanFormWindow, WithoutTheScanLibraryEachCommandShowsOneErrorAndChangesNothing) {
  // The program alone in a folder of its own, with every library but pavlot.dll.
  const std::string bin = FolderOfThisProgram();
  const std::string alone = folder_ + "alone\\";
  CreateDirectoryA(alone.c_str(), nullptr);
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((bin + "*.dll").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  do {
    if (_stricmp(found.cFileName, "pavlot.dll") != 0)
      CopyFileA((bin + found.cFileName).c_str(), (alone + found.cFileName).c_str(), FALSE);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  ASSERT_TRUE(CopyFileA((bin + "Tarnwick.exe").c_str(), (alone + "Tarnwick.exe").c_str(), FALSE));

  {
    std::ofstream(SettingsFilePath().c_str(), std::ios::binary) << "[Settings]\r\nResolution=4\r\n";
  }
  const std::string before = FileText(SettingsFilePath());
  ASSERT_TRUE(tarnwick_.Start(alone));
  for (int command : {IDM_SELECTSCANNER1, IDM_SCANNERSETTINGS1}) {
    windriver::PostCommand(tarnwick_.Main(), command);
    EXPECT_EQ(AnswerBoxes(kScanError, 5000), 1) << command;
    EXPECT_EQ(FileText(SettingsFilePath()), before) << command;
    EXPECT_TRUE(IsWindow(tarnwick_.Main()));
    EXPECT_EQ(windriver::FindTopWindow("#32770", kFormTitle, 0), nullptr);
  }
  HWND bar = FindWindowExW(tarnwick_.Main(), nullptr, TOOLBARCLASSNAMEW, nullptr);
  EXPECT_FALSE(SendMessageW(bar, TB_ISBUTTONENABLED, IDB_SCAN, 0)) << "the toolbar stays off";
}

TEST_F(ScanFormWindow, TheFormsListsAreTheSimulatedScannersAndSelectScannerShowsTheSourceDialog) {
  ASSERT_TRUE(tarnwick_.Start());
  HWND form = OpenForm();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(ComboItems(Control(form, IDC_XANDYRESOLUTION)),
            (std::vector<std::string>{"100", "150", "200", "250", "300", "350", "400", "450",
                                      "500", "600"}));
  EXPECT_EQ(ComboItems(Control(form, IDC_PAPERSIZECOMBOBOX)),
            (std::vector<std::string>{"A4", "Letter", "B5", "A5", "Bussiness Card"}));
  EXPECT_EQ(ComboItems(Control(form, IDC_COLORFILTERCOMBX)),
            (std::vector<std::string>{"无", "R 色频", "G 色频", "B 色频"}));
  EXPECT_EQ(ComboItems(Control(form, IDC_SCANCOLORRESOLUTIONCOMBO)),
            (std::vector<std::string>{"黑白", "灰阶", "全彩"}));
  EXPECT_EQ(formdriving::ComboSelection(Control(form, IDC_XANDYRESOLUTION)), 2) << "200 dpi";
  EXPECT_EQ(formdriving::ComboSelection(Control(form, IDC_PAPERSIZECOMBOBOX)), 1) << "Letter";
  EXPECT_TRUE(IsWindowEnabled(Control(form, IDC_SCANMETHOD_FEEDER)));
  EXPECT_TRUE(IsWindowEnabled(Control(form, IDC_DUPLEXCHECKBOX)));
  Press(form, IDCANCEL);
  ASSERT_TRUE(windriver::WaitGone("#32770", kFormTitle, 5000));

  // A settings file from before: choosing a scanner removes it.
  tarnwick_.Close();
  ASSERT_TRUE(SettingsFileExists());
  ASSERT_TRUE(tarnwick_.Start());
  HWND bar = FindWindowExW(tarnwick_.Main(), nullptr, TOOLBARCLASSNAMEW, nullptr);
  EXPECT_FALSE(SendMessageW(bar, TB_ISBUTTONENABLED, IDB_SCAN, 0));
  windriver::PostCommand(tarnwick_.Main(), IDM_SELECTSCANNER1);
  ASSERT_TRUE(formdriving::AcceptSourceDialog()) << "the library's source dialog";
  for (int i = 0; i < 100 && SettingsFileExists(); ++i) Sleep(100);
  EXPECT_FALSE(SettingsFileExists());
  for (int i = 0; i < 50 && !SendMessageW(bar, TB_ISBUTTONENABLED, IDB_SCAN, 0); ++i) Sleep(100);
  EXPECT_TRUE(SendMessageW(bar, TB_ISBUTTONENABLED, IDB_SCAN, 0));

  // Every binding of the library was released again.
  tarnwick_.Close();
  EXPECT_EQ(CountLogLines("Out  1: ZebLoad : "), CountLogLines("In   1: ZebFree : "));
  EXPECT_GE(CountLogLines("In   1: ZebFree : "), 2);
}

TEST_F(ScanFormWindow, DefaultThenCancelLeavesTheDefaultsInTheSettingsFile) {
  {
    std::ofstream(SettingsFilePath().c_str(), std::ios::binary)
        << "[Settings]\r\nImage Type=2\r\nSize=0\r\nResolution=9\r\nScan Method=1\r\nDuplex=1\r\n"
           "Brightness=40\r\nSave Format=11\r\nFilter=0\r\nPath=c:\\\r\nAutoCrop=1\r\n";
  }
  ASSERT_TRUE(tarnwick_.Start());
  HWND form = OpenForm();
  ASSERT_NE(form, nullptr);
  Press(form, IDC_DEFAULTBTN);
  Press(form, IDCANCEL);
  ASSERT_TRUE(windriver::WaitGone("#32770", kFormTitle, 5000));
  EXPECT_EQ(tarnwick_.Close(), 0u);
  const struct {
    const char* key;
    const char* value;
  } want[] = {{"Image Type", "0"}, {"Size", "1"}, {"Resolution", "2"}, {"Scan Method", "0"},
              {"Duplex", "0"},     {"ShowUI", "0"}, {"Brightness", "0"}, {"Contrast", "0"},
              {"Save Format", "6"}, {"Filter", "2"}, {"Path", "c:\\temp"}, {"AutoCrop", "0"},
              {"Invert", "0"},     {"ThumnailShow", "0"}, {"DontSaveImage", "0"},
              {"FitToPage", "0"}};
  for (const auto& w : want) EXPECT_EQ(SettingsValue("Settings", w.key), w.value) << w.key;
}

TEST_F(ScanFormWindow, PngWithOkStoresPngOneAndAQualityOfOneIsRefused) {
  ASSERT_TRUE(tarnwick_.Start());
  HWND form = OpenForm();
  ASSERT_NE(form, nullptr);
  // "1" in the JPEG field: Apply shows 1010 and stores nothing.
  ASSERT_TRUE(ChooseComboItem(form, IDC_SAVEFMTCOMBX, 4));
  EXPECT_TRUE(IsWindowVisible(Control(form, IDC_JPGEDT)));
  ASSERT_TRUE(formdriving::TypeText(form, IDC_JPGEDT, "1"));
  ASSERT_TRUE(ChooseComboItem(form, IDC_XANDYRESOLUTION, 5));
  windriver::ClickButton(form, IDC_APPLYBTN);
  EXPECT_EQ(AnswerBoxes(kQualityError, 5000), 1);
  // OK refuses the same way and the form stays open.
  windriver::ClickButton(form, IDOK);
  EXPECT_EQ(AnswerBoxes(kQualityError, 5000), 1);
  ASSERT_TRUE(IsWindow(form));
  // PNG with an accepted value: OK closes and stores Png=1.
  ASSERT_TRUE(ChooseComboItem(form, IDC_SAVEFMTCOMBX, 1));
  ASSERT_TRUE(formdriving::TypeText(form, IDC_JPGEDT, "30"));
  windriver::ClickButton(form, IDOK);
  ASSERT_TRUE(windriver::WaitGone("#32770", kFormTitle, 5000));
  EXPECT_EQ(tarnwick_.Close(), 0u);
  EXPECT_EQ(SettingsValue("Settings", "Png"), "1");
  EXPECT_EQ(SettingsValue("Settings", "Save Format"), "1");
  EXPECT_EQ(SettingsValue("Settings", "Resolution"), "5");
  EXPECT_EQ(SettingsValue("Settings", "Jpeg Qualty"), "25") << "the refused value was not kept";
}

TEST_F(ScanFormWindow, ABrowsedBatchFolderIsStoredAsPath) {
  const std::string root = folder_ + "batches";
  CreateDirectoryA(root.c_str(), nullptr);
  CreateDirectoryA((root + "\\today").c_str(), nullptr);
  {
    std::ofstream(SettingsFilePath().c_str(), std::ios::binary) << "[Settings]\r\nPath=" << root << "\r\n";
  }
  ASSERT_TRUE(tarnwick_.Start());
  HWND form = OpenForm();
  ASSERT_NE(form, nullptr);
  windriver::ClickButton(form, IDC_BROWDIRBTN);
  // The browser opens on the batch root; its one sub-folder is chosen.
  HWND browser = nullptr, tree = nullptr;
  for (int i = 0; i < 100 && !tree; ++i, Sleep(100)) {
    browser = GetForegroundWindow();
    if (browser && browser != form) tree = FindWindowExW(browser, nullptr, WC_TREEVIEWW, nullptr);
  }
  ASSERT_NE(tree, nullptr) << "the folder browser";
  HTREEITEM caret = nullptr;  // the batch root, once the browser has gone there
  for (int i = 0; i < 100 && !caret; ++i, Sleep(100))
    caret = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  if (!caret) {
    // Some Wine versions' browsers ignore the folder they are asked to start on; nothing
    // here can then pick the sub-folder by sight.
    windriver::ClickButton(browser, IDCANCEL);
    for (int i = 0; i < 50 && IsWindow(browser); ++i) Sleep(100);
    Press(form, IDCANCEL);
    windriver::WaitGone("#32770", kFormTitle, 5000);
    tarnwick_.Close();
    GTEST_SKIP() << "the folder browser did not go to the batch root (tree items: "
                 << SendMessageW(tree, TVM_GETCOUNT, 0, 0) << ")";
  }
  Sleep(300);
  SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(caret));
  auto child = reinterpret_cast<HTREEITEM>(
      SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(caret)));
  ASSERT_NE(child, nullptr) << "the root's sub-folder";
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(child));
  windriver::ClickButton(browser, IDOK);
  for (int i = 0; i < 50 && IsWindow(browser); ++i) Sleep(100);
  Sleep(300);
  EXPECT_EQ(_stricmp(windriver::WindowText(Control(form, IDC_SCANPATHTOSAVETO)).c_str(),
                     (root + "\\today").c_str()), 0)
      << windriver::WindowText(Control(form, IDC_SCANPATHTOSAVETO));
  Press(form, IDCANCEL);  // the folder is the batch root already
  ASSERT_TRUE(windriver::WaitGone("#32770", kFormTitle, 5000));
  EXPECT_EQ(tarnwick_.Close(), 0u);
  EXPECT_EQ(_stricmp(SettingsValue("Settings", "Path").c_str(), (root + "\\today").c_str()), 0)
      << SettingsValue("Settings", "Path");
}

TEST_F(ScanFormWindow, PictureOfTheFormInTheFirstEdition) {
  ASSERT_TRUE(tarnwick_.Start());
  HWND form = OpenForm();
  ASSERT_NE(form, nullptr);
  // Black-and-white, the default: the track bars are disabled and their sliders hidden.
  EXPECT_EQ(formdriving::ComboSelection(Control(form, IDC_SCANCOLORRESOLUTIONCOMBO)), 0);
  for (int id : {IDC_BRIGHTTRACKBAR, IDC_CONTRASTTRACKBAR}) {
    EXPECT_FALSE(IsWindowEnabled(Control(form, id)));
    EXPECT_TRUE(GetWindowLongPtrW(Control(form, id), GWL_STYLE) & TBS_NOTHUMB);
  }
  EXPECT_EQ(windriver::WindowText(form), kFormTitle);
  EXPECT_EQ(windriver::WindowText(Control(form, IDC_APPLYBTN)), "套用");
  EXPECT_EQ(windriver::WindowText(Control(form, IDC_DEFAULTBTN)), "预设值");
  Sleep(300);
  EXPECT_TRUE(windriver::KeepScreen(form, "scan_form_first.png"));
  EXPECT_EQ(windriver::CutTexts(form), std::vector<std::string>{}) << "texts cut in the first edition's form";
  // Gray gives the sliders back; colour keeps them.
  ASSERT_TRUE(ChooseComboItem(form, IDC_SCANCOLORRESOLUTIONCOMBO, 1));
  EXPECT_TRUE(IsWindowEnabled(Control(form, IDC_BRIGHTTRACKBAR)));
  EXPECT_FALSE(GetWindowLongPtrW(Control(form, IDC_BRIGHTTRACKBAR), GWL_STYLE) & TBS_NOTHUMB);
  Sleep(300);
  EXPECT_TRUE(windriver::KeepScreen(form, "scan_form_first_gray.png"));
  ASSERT_TRUE(ChooseComboItem(form, IDC_SCANCOLORRESOLUTIONCOMBO, 2));
  EXPECT_TRUE(IsWindowEnabled(Control(form, IDC_BRIGHTTRACKBAR)));
  Sleep(300);
  EXPECT_TRUE(windriver::KeepScreen(form, "scan_form_first_colour.png"));
  Press(form, IDCANCEL);
}

}  // namespace
