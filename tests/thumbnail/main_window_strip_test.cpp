// KSImageThumbnail1 in the main window made in process: it fills the strip's area left of the
// splitter with 150 x 150 thumbnails, is disabled until a batch is there, follows the
// splitter, and is hidden or shown for a scanned page as the thumbnail setting says.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "ks_image_thumbnail.h"
#include "numbered_pages.h"
#include "settings_files.h"
#include "tarnwick_form.h"
#include "win_driver.h"

using namespace tarnwick;

namespace {

// The main window made in process and shown maximised, on fresh settings; closed at the end.
class MainWindowStrip : public ::testing::Test {
 protected:
  void SetUp() override {
    InitCommonControls();
    settings_.Clear();
    ASSERT_TRUE(form.Create(L""));
    form.ShowMaximized();
    windriver::PumpMessagesFor(300);
  }
  void TearDown() override {
    if (form.Handle()) SendMessageW(form.Handle(), WM_CLOSE, 0, 0);
    windriver::PumpMessagesFor(50);
  }
  SettingsFiles settings_;
  TTarnwickForm form;
};

TEST_F(MainWindowStrip, FillsTheStripAreaAndTakesPages) {
  ASSERT_NE(form.KSImageThumbnail1, nullptr);
  TKSImageThumbnail& strip = *form.KSImageThumbnail1;
  ASSERT_TRUE(strip.HandleAllocated());
  EXPECT_EQ(GetParent(strip.Handle()), form.StripArea.Handle());
  EXPECT_EQ(strip.Width(), form.StripArea.ClientWidthNow());
  EXPECT_EQ(strip.Height(), form.StripArea.ClientHeightNow());
  EXPECT_EQ(strip.ThumbnailWidth(), 150);
  EXPECT_EQ(strip.VertScrollBar().Increment(), 189);
  EXPECT_FALSE(IsWindowEnabled(form.StripArea.Handle()));
  for (int page = 1; page <= 3; ++page) {
    HGLOBAL dib = MakeNumberedPage(page, page % 2 ? 1 : 8);
    strip.AddPage(dib, "page" + std::to_string(page) + ".bmp", page);
    GlobalFree(dib);
  }
  ASSERT_EQ(strip.ControlCount(), 3);
  EXPECT_EQ(strip.Label(2)->Caption(), "Page 3");
  EXPECT_EQ(strip.Image(0)->Width(), 106);
  // A wider strip after the splitter moved: the thumbnails are laid out again in one row.
  int before = strip.Image(2)->Top();
  form.StripArea.SetBounds(form.StripArea.Left(), form.StripArea.Top(), 700, form.StripArea.Height());
  form.SplitterMoved();
  windriver::PumpMessagesFor(100);
  EXPECT_EQ(strip.Width(), 700 - (form.StripArea.Width() - form.StripArea.ClientWidthNow()));
  EXPECT_LE(strip.Image(2)->Top(), before);
  EXPECT_EQ(strip.Image(2)->Top(), strip.Image(0)->Top());
}

TEST_F(MainWindowStrip, AScannedPageHidesTheStripWhenThumbnailsAreOffAndSplitsThePanes) {
  RECT client;
  GetClientRect(form.Handle(), &client);
  form.SplitPanesForScannedPage(true);
  windriver::PumpMessagesFor(100);
  EXPECT_FALSE(IsWindowVisible(form.KSImageThumbnail1->Handle()));
  EXPECT_EQ(form.Panel1.Width(), client.right / 4 * 3);
  EXPECT_EQ(form.Panel1.Left() + form.Panel1.Width(), client.right);
  form.SplitPanesForScannedPage(false);
  windriver::PumpMessagesFor(100);
  EXPECT_TRUE(IsWindowVisible(form.KSImageThumbnail1->Handle()));
  EXPECT_EQ(form.Panel1.Width(), client.right / 2);
  EXPECT_EQ(form.KSImageThumbnail1->Width(), form.StripArea.ClientWidthNow());
}

}  // namespace
