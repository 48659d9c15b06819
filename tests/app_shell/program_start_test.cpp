// Tarnwick.exe started and closed on the test display: one instance per desktop, the settings
// file it leaves, values it refuses, what a restore keeps, a batch named by a relative path,
// and the settings beside the program on a Windows that is not of the NT family.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings_files.h"
#include "tarnwick_ids.h"
#include "tarnwick_process.h"
#include "win_driver.h"

namespace {

const std::vector<std::string> kDefaults = {
    "Settings/Image Type=0", "Settings/Size=1", "Settings/Resolution=2", "Settings/Scan Method=0",
    "Settings/Duplex=0", "Settings/ShowUI=0", "Settings/Brightness=0", "Settings/Contrast=0",
    "Settings/Threshold=0", "Settings/Path=c:\\temp", "Settings/Save Format=6",
    "Settings/Jpeg Smooth=25", "Settings/Jpeg Qualty=25", "Settings/Png=10", "Settings/Compress=0",
    "Settings/pdf=0", "Settings/Filter=3", "Settings/ThumnailShow=0", "Settings/DontSaveImage=0",
    "Settings/FitToPage=0", "Settings/Invert=0", "Settings/funcbtn=0", "Settings/AutoCrop=0",
    "Name/UserName="};

std::string Value(const std::vector<std::string>& lines, const std::string& key) {
  for (const std::string& l : lines)
    if (l.compare(0, key.size() + 1, key + "=") == 0) return l.substr(key.size() + 1);
  return "<missing>";
}

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW f;
  HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &f);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = f.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring path = folder + L"\\" + name;
      if (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(path); else DeleteFileW(path.c_str());
    } while (FindNextFileW(h, &f));
    FindClose(h);
  }
  RemoveDirectoryW(folder.c_str());
}

class ProgramStartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CloseStrayTarnwicks();
    settings_.Clear();
  }
  void TearDown() override { CloseStrayTarnwicks(); }
  SettingsFiles settings_;
};

// The colour of a screen point.
COLORREF ScreenPixel(POINT p) {
  HDC screen = GetDC(nullptr);
  COLORREF c = GetPixel(screen, p.x, p.y);
  ReleaseDC(nullptr, screen);
  return c;
}

TEST_F(ProgramStartTest, AFirstRunShowsTheMainWindowAndLeavesEveryKeyWithItsDefault) {
  TarnwickProcess tarnwick;
  ASSERT_TRUE(tarnwick.Start());
  HWND window = tarnwick.MainWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsZoomed(window));
  Sleep(1500);  // painted
  // The empty viewer: silver in the middle of the pane right of the splitter.
  RECT client;
  GetClientRect(window, &client);
  POINT viewer{client.right - 100, client.bottom / 2};
  ClientToScreen(window, &viewer);
  EXPECT_EQ(ScreenPixel(viewer), RGB(192, 192, 192));
  // A person can look at build/screens/app_shell_main_window.png to see what an operator sees.
  EXPECT_TRUE(windriver::KeepScreen(window, "app_shell_main_window.png"));
  EXPECT_EQ(tarnwick.Close(), 0);
  EXPECT_EQ(settings_.Lines(), kDefaults);
  DWORD root = GetFileAttributesW(L"c:\\temp");
  EXPECT_TRUE(root != INVALID_FILE_ATTRIBUTES && (root & FILE_ATTRIBUTE_DIRECTORY));
}

TEST_F(ProgramStartTest, ValuesOutsideTheirTablesAndAnEmptyPathComeBackAsDefaults) {
  RemoveTree(L"c:\\tarnwick_root_test");
  settings_.Write("[Settings]\r\nResolution=99\r\nImage Type=7\r\nPath=\r\nSize=8\r\nFilter=-1\r\n"
                  "Save Format=12\r\nScan Method=2\r\nBrightness=-30\r\n");
  TarnwickProcess tarnwick;
  ASSERT_TRUE(tarnwick.Start());
  ASSERT_NE(tarnwick.MainWindow(), nullptr);
  EXPECT_EQ(tarnwick.Close(), 0);
  std::vector<std::string> lines = settings_.Lines();
  EXPECT_EQ(Value(lines, "Settings/Resolution"), "2");
  EXPECT_EQ(Value(lines, "Settings/Image Type"), "0");
  EXPECT_EQ(Value(lines, "Settings/Path"), "c:\\temp");
  EXPECT_EQ(Value(lines, "Settings/Size"), "1");
  EXPECT_EQ(Value(lines, "Settings/Filter"), "3");
  EXPECT_EQ(Value(lines, "Settings/Save Format"), "6");
  EXPECT_EQ(Value(lines, "Settings/Scan Method"), "0");
  EXPECT_EQ(Value(lines, "Settings/Brightness"), "-30");

  // A root that does not exist yet is made when the window is shown.
  settings_.Write("[Settings]\r\nPath=c:\\tarnwick_root_test\r\n");
  TarnwickProcess again;
  ASSERT_TRUE(again.Start());
  ASSERT_NE(again.MainWindow(), nullptr);
  EXPECT_NE(GetFileAttributesW(L"c:\\tarnwick_root_test"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(again.Close(), 0);
  RemoveTree(L"c:\\tarnwick_root_test");
}

TEST_F(ProgramStartTest, ASecondStartRestoresTheFirstAndEndsAtOnce) {
  TarnwickProcess first;
  ASSERT_TRUE(first.Start());
  HWND window = first.MainWindow();
  ASSERT_NE(window, nullptr);
  ShowWindowAsync(window, SW_MINIMIZE);
  for (int i = 0; i < 100 && !IsIconic(window); ++i) Sleep(50);
  ASSERT_TRUE(IsIconic(window));

  TarnwickProcess second;
  ASSERT_TRUE(second.Start());
  EXPECT_EQ(second.WaitExit(15000), 0);
  for (int i = 0; i < 100 && IsIconic(window); ++i) Sleep(50);
  EXPECT_FALSE(IsIconic(window));
  EXPECT_EQ(windriver::CountTopWindows("TTarnwickForm", "Folvex"), 1);

  // Brought forward when it is not minimised: still one window, the later start ends.
  TarnwickProcess third;
  ASSERT_TRUE(third.Start());
  EXPECT_EQ(third.WaitExit(15000), 0);
  EXPECT_EQ(windriver::CountTopWindows("TTarnwickForm", "Folvex"), 1);
  EXPECT_EQ(first.Close(), 0);
}

TEST_F(ProgramStartTest, StartsAtTheSameMomentLeaveOneWindow) {
  for (int round = 0; round < 3; ++round) {
    TarnwickProcess a, b, c;
    ASSERT_TRUE(a.Start());
    ASSERT_TRUE(b.Start());
    ASSERT_TRUE(c.Start());
    // Two of them end by themselves; the one that made the window stays.
    int ended = 0;
    for (int i = 0; i < 200 && ended < 2; ++i) {
      ended = (a.WaitExit(0) == 0) + (b.WaitExit(0) == 0) + (c.WaitExit(0) == 0);
      Sleep(100);
    }
    EXPECT_EQ(ended, 2) << "round " << round;
    EXPECT_EQ(windriver::CountTopWindows("TTarnwickForm", "Folvex"), 1) << "round " << round;
    CloseStrayTarnwicks();
  }
}

TEST_F(ProgramStartTest, ARestoreFromMinimisedKeepsTheSettingsInUse) {
  settings_.Write("[Settings]\r\nResolution=5\r\nPath=c:\\temp\r\n");
  TarnwickProcess tarnwick;
  ASSERT_TRUE(tarnwick.Start());
  HWND window = tarnwick.MainWindow();
  ASSERT_NE(window, nullptr);
  // Another value on disk while the program runs: a show after a minimise must not read it.
  settings_.Write("[Settings]\r\nResolution=7\r\nPath=c:\\temp\r\n");
  ShowWindowAsync(window, SW_MINIMIZE);
  for (int i = 0; i < 100 && !IsIconic(window); ++i) Sleep(50);
  ShowWindowAsync(window, SW_RESTORE);
  for (int i = 0; i < 100 && IsIconic(window); ++i) Sleep(50);
  ASSERT_FALSE(IsIconic(window));
  Sleep(300);
  EXPECT_EQ(tarnwick.Close(), 0);
  EXPECT_EQ(Value(settings_.Lines(), "Settings/Resolution"), "5");
}

TEST_F(ProgramStartTest, ABatchNamedByARelativePathIsTheStartingFoldersBatch) {
  std::wstring work = TestFolder() + L"\\app_shell_relative";
  RemoveTree(work);
  CreateDirectoryW(work.c_str(), nullptr);
  CreateDirectoryW((work + L"\\batch").c_str(), nullptr);
  // Readable pages: a page file that cannot be read would stop the start with its message.
  const std::string page("BM\x3a\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x01\0\0\0\x01\0\0\0\x01\0\x18\0\0\0\0\0"
                         "\x04\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\xff\xff\xff\0",
                         58);
  for (const wchar_t* name : {L"000002.bmp", L"000001.bmp", L"000003.bmp"})
    WriteWholeFile(work + L"\\batch\\" + name, page);
  TarnwickProcess tarnwick;
  ASSERT_TRUE(tarnwick.Start(L"batch\\000001.bmp", work));
  HWND window = tarnwick.MainWindow();
  ASSERT_NE(window, nullptr);
  std::vector<std::string> files = windriver::ListBoxItems(windriver::FindControl(window, IDC_FILELISTBOX1));
  EXPECT_EQ(files, (std::vector<std::string>{"000001.bmp", "000002.bmp", "000003.bmp"}));
  EXPECT_EQ(tarnwick.Close(), 0);
  RemoveTree(work);
}

TEST_F(ProgramStartTest, MenuCommandsOpenTheAboutBoxAndEndTheProgram) {
  settings_.Write("[Settings]\r\nContrast=4\r\n");
  TarnwickProcess tarnwick;
  ASSERT_TRUE(tarnwick.Start());
  HWND window = tarnwick.MainWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(windriver::PostCommand(window, IDM_ABOUT1));
  HWND about = windriver::FindTopWindow("#32770", "关于 Folvex", 10000);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(windriver::WindowText(windriver::FindControl(about, IDOK)), "确定");
  // Pictured once the program has painted it and gone idle again.
  EXPECT_NE(windriver::WaitReady("#32770", "关于 Folvex", 10000), nullptr);
  Sleep(300);
  EXPECT_TRUE(windriver::KeepScreen(about, "app_shell_about_from_menu.png"));
  ASSERT_TRUE(windriver::ClickButton(about, IDOK));
  EXPECT_TRUE(windriver::WaitGone("#32770", "关于 Folvex", 10000));
  // Exit closes the window as its close box does: the settings are written.
  settings_.Clear();
  ASSERT_TRUE(windriver::PostCommand(window, IDM_EXIT1));
  EXPECT_EQ(tarnwick.WaitExit(20000), 0);
  EXPECT_EQ(Value(settings_.Lines(), "Settings/Contrast"), "4");
}

TEST_F(ProgramStartTest, OffTheNtFamilyTheSettingsLiveBesideTheProgram) {
  // A copy of the program that Wine reports as Windows 98 to.
  std::wstring folder = TestFolder() + L"\\app_shell_win98";
  RemoveTree(folder);
  CreateDirectoryW(folder.c_str(), nullptr);
  std::wstring program = folder + L"\\TarnwickW98.exe";
  ASSERT_TRUE(CopyFileW((TestFolder() + L"\\Tarnwick.exe").c_str(), program.c_str(), FALSE));
  // The libraries the program links lie beside it, the C++ runtime's among them (the i686 and
  // the x86_64 build name their libgcc apart).
  for (const wchar_t* dll : {L"LTKRN12n.dll", L"LTFIL12n.dll", L"LTDIS12n.dll", L"LTIMG12n.dll", L"pdf.dll",
                             L"libstdc++-6.dll", L"libgcc_s_dw2-1.dll", L"libgcc_s_seh-1.dll",
                             L"libwinpthread-1.dll"})
    CopyFileW((TestFolder() + L"\\" + dll).c_str(), (folder + L"\\" + dll).c_str(), FALSE);
  HKEY key;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\TarnwickW98.exe", 0,
                            nullptr, 0, KEY_WRITE, nullptr, &key, nullptr), ERROR_SUCCESS);
  RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"win98"), 12);
  RegCloseKey(key);
  // Left by another user: removed before the program reads it.
  WriteWholeFile(folder + L"\\TarnwickW98.INI", "[Settings]\r\nResolution=9\r\n[Name]\r\nUserName=someone else\r\n");

  TarnwickProcess tarnwick;
  ASSERT_TRUE(tarnwick.Start(L"", folder, program));
  ASSERT_NE(tarnwick.MainWindow(), nullptr);
  EXPECT_EQ(tarnwick.Close(), 0);
  RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\TarnwickW98.exe");

  EXPECT_FALSE(settings_.Exists());
  std::vector<std::string> lines = IniLines(ReadIniText(folder + L"\\TarnwickW98.INI"));
  ASSERT_EQ(lines.size(), kDefaults.size());
  EXPECT_EQ(Value(lines, "Settings/Resolution"), "2");
  wchar_t user[121] = {};
  DWORD size = 120;
  GetUserNameW(user, &size);
  EXPECT_EQ(Value(lines, "Name/UserName"), windriver::Utf8(user));
  EXPECT_NE(Value(lines, "Name/UserName"), "");
  RemoveTree(folder);
}

}  // namespace
