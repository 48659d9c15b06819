// Tarnwick.exe started with a page file of a batch, worked from outside through the test
// driver as an operator would: the strip's captions, a click on a thumbnail, and Delete from
// the Edit menu answered Yes.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "batch_fixture.h"
#include "settings_files.h"
#include "tarnwick_ids.h"
#include "tarnwick_process.h"
#include "win_driver.h"

namespace {

const std::string kBatch = "c:\\temp\\browse_program";

using CaptionList = std::vector<std::pair<std::string, HWND>>;

BOOL CALLBACK AddCaption(HWND child, LPARAM data) {
  std::string text = windriver::WindowText(child);
  if (text.rfind("Page ", 0) == 0 && IsWindowVisible(child))
    reinterpret_cast<CaptionList*>(data)->push_back({text, child});
  return TRUE;
}

// The strip's caption windows, "Page N", by caption.
CaptionList Captions(HWND top) {
  CaptionList found;
  EnumChildWindows(top, AddCaption, reinterpret_cast<LPARAM>(&found));
  std::sort(found.begin(), found.end());
  return found;
}

void Click(HWND window) {
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

HWND CaptionWindow(HWND top, const std::string& caption) {
  for (const auto& c : Captions(top))
    if (c.first == caption) return c.second;
  return nullptr;
}

template <class Done>
bool WaitFor(Done done, DWORD timeoutMs = 15000) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
    if (done()) return true;
    Sleep(50);
  }
  return done();
}

TEST(ProgramBrowse, TheBatchOfThePageFileIsShownAndDeletingPageTwoRenumbersIt) {
  CloseStrayTarnwicks();
  SettingsFiles settings;
  settings.Clear();
  std::vector<std::string> pages = WriteBatch(kBatch, 5);
  std::vector<std::string> before;
  for (const std::string& page : pages) before.push_back(FileBytes(page));

  TarnwickProcess tarnwick;
  ASSERT_TRUE(tarnwick.Start(L"c:\\temp\\browse_program\\000001.tif"));
  HWND top = tarnwick.MainWindow();
  ASSERT_NE(top, nullptr);
  ASSERT_TRUE(WaitFor([&] { return Captions(top).size() == 5; }));
  std::vector<std::string> names;
  for (const auto& c : Captions(top)) names.push_back(c.first);
  EXPECT_EQ(names, std::vector<std::string>({"Page 1", "Page 2", "Page 3", "Page 4", "Page 5"}));

  HWND status = windriver::FindControl(top, IDC_STATUSBAR1);
  Click(CaptionWindow(top, "Page 3"));
  EXPECT_TRUE(WaitFor([&] { return windriver::StatusBarText(status, 1).rfind("File Type:TIFF", 0) == 0; }))
      << windriver::StatusBarText(status, 1);

  Click(CaptionWindow(top, "Page 2"));
  Sleep(500);
  ASSERT_TRUE(windriver::PostCommand(top, IDM_DELETE1));
  ASSERT_TRUE(windriver::AnswerMessageBox("Folvex", IDYES, 15000, nullptr));
  EXPECT_TRUE(WaitFor([&] { return Captions(top).size() == 4; }));
  EXPECT_EQ(FolderNames(kBatch),
            std::vector<std::string>({"000001.tif", "000002.tif", "000003.tif", "000004.tif"}));
  EXPECT_EQ(FileBytes(kBatch + "\\000002.tif"), before[2]);
  EXPECT_EQ(FileBytes(kBatch + "\\000004.tif"), before[4]);
  EXPECT_EQ(tarnwick.Close(), 0);
  RemoveFolder(kBatch);
}

}  // namespace
