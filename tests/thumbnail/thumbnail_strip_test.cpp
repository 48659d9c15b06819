// The thumbnail strip on the test display: thumbnails and captions as pages arrive, the red
// selection frame, the first and last page of a batch larger than the strip, pages whose file
// is gone or whose block is bad.
#include <gtest/gtest.h>
#include <windows.h>

#include "numbered_pages.h"
#include "strip_fixture.h"
#include "test_files.h"

using tarnwick::TKSImageThumbnail;

namespace {

std::string CaseFolder(const char* name) {
  std::string folder = FolderOfThisProgram() + "thumbnail_strip_test\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  folder += std::string(name) + "\\";
  DeleteFolder(folder);
  return folder;
}

bool IsRed(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) < 60 && GetBValue(c) < 60; }

// Pages arrive one by one: each visible one gets a thumbnail with its caption under it, and a
// black-and-white page is shown from its twentieth-size gray copy (106 x 150 for A4).
TEST(ThumbnailStrip, ThumbnailsAndCaptionsAsPagesArrive) {
  StripHost host(650, 800, 150, CaseFolder("twelve"));
  TKSImageThumbnail& strip = host.Strip();
  EXPECT_EQ(strip.VertScrollBar().Increment(), 189);
  host.ScanPages(1, 12);
  EXPECT_EQ(strip.PageCount(), 12);
  ASSERT_EQ(strip.ControlCount(), 12);
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(strip.Label(i)->Caption(), "Page " + std::to_string(i + 1));
    EXPECT_EQ(strip.Image(i)->Tag, i + 1);
    EXPECT_EQ(strip.Image(i)->Hint, host.PageFile(i + 1));
    EXPECT_EQ(strip.Label(i)->Top(), strip.Image(i)->Top() + strip.Image(i)->Height() + 2);
  }
  EXPECT_EQ(strip.Image(0)->Width(), 106);   // 2480 x 3508 through 124 x 175
  EXPECT_EQ(strip.Image(0)->Height(), 150);
  EXPECT_EQ(strip.Image(1)->Width(), 106);   // 620 x 877 gray
  EXPECT_EQ(strip.Layout().PagesPerRow, 4);
  EXPECT_EQ(host.fetched, 0) << "pages that arrive are not fetched again";
}

// A click frames the picture in red along its edges and tells the owner; another click moves
// the frame; clicking the selected picture again raises nothing.
TEST(ThumbnailStrip, AClickDrawsTheRedFrame) {
  StripHost host(650, 800, 150, CaseFolder("frame"));
  TKSImageThumbnail& strip = host.Strip();
  host.ScanPages(1, 6);
  tarnwick::TThumbPicture* third = strip.Image(2);
  SendMessageA(third->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageA(third->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  host.Pump();
  ASSERT_EQ(host.clicks.size(), 1u);
  EXPECT_EQ(host.clicks[0].index, 2);
  EXPECT_EQ(host.clicks[0].page, 3);
  EXPECT_EQ(host.clicks[0].file, host.PageFile(3));
  const int w = third->Width(), h = third->Height();
  for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
    EXPECT_TRUE(IsRed(ScreenPixel(third->Handle(), x, y))) << x << "," << y;
  EXPECT_FALSE(IsRed(ScreenPixel(third->Handle(), 2, 2)));
  // The label selects its picture.
  strip.LabelClick(strip.Label(4));
  host.Pump();
  ASSERT_EQ(host.clicks.size(), 2u);
  EXPECT_EQ(host.clicks[1].page, 5);
  EXPECT_FALSE(IsRed(ScreenPixel(third->Handle(), 0, 0))) << "the old frame stays";
  EXPECT_TRUE(IsRed(ScreenPixel(strip.Image(4)->Handle(), 0, 0)));
  strip.ImageClick(strip.Image(4));
  EXPECT_EQ(host.clicks.size(), 2u);
  EXPECT_EQ(strip.SelectedPage(), 5);
}

// 40 pages in a strip that holds far fewer: "last page" shows and selects page 40, "first"
// page 1; with every page on a control "next" on the last page stays there, raising nothing.
TEST(ThumbnailStrip, LastAndFirstPageOfALargeBatch) {
  StripHost host(313, 560, 150, CaseFolder("forty"));
  TKSImageThumbnail& strip = host.Strip();
  host.ScanPages(1, 40);
  ASSERT_LT(strip.ControlCount(), 40);
  EXPECT_EQ(strip.PageFiles().size(), 40u);
  strip.GotoPage(TKSImageThumbnail::kLast);
  host.Pump();
  ASSERT_FALSE(host.clicks.empty());
  EXPECT_EQ(host.clicks.back().page, 40);
  EXPECT_EQ(host.clicks.back().file, host.PageFile(40));
  ASSERT_NE(strip.SelectedImage(), nullptr);
  EXPECT_TRUE(strip.SelectedImage()->Visible());
  strip.GotoPage(TKSImageThumbnail::kPrevious);
  EXPECT_EQ(host.clicks.back().page, 39);
  strip.GotoPage(TKSImageThumbnail::kFirst);
  host.Pump();
  EXPECT_EQ(host.clicks.back().page, 1);
  EXPECT_EQ(strip.PageOffset(), 0);
  strip.GotoPage(TKSImageThumbnail::kNext);
  EXPECT_EQ(host.clicks.back().page, 2);

  StripHost few(650, 800, 150, CaseFolder("few"));
  few.ScanPages(1, 3);
  few.Strip().GotoPage(TKSImageThumbnail::kLast);
  few.Strip().GotoPage(TKSImageThumbnail::kNext);
  ASSERT_EQ(few.clicks.size(), 1u);
  EXPECT_EQ(few.clicks[0].page, 3);
}

// Pages past the strip's room added by name alone leave the strip as their images would, and
// the last of them is shown from its file when the strip goes there.
TEST(ThumbnailStrip, PagesPastTheRoomAddedByNameAsByImage) {
  StripHost images(313, 560, 150, CaseFolder("by_image"));
  images.ScanPages(1, 30);
  StripHost names(313, 560, 150, CaseFolder("by_name"));
  TKSImageThumbnail& strip = names.Strip();
  int page = 0;
  while (strip.TakesThumbnail() && page < 30) {
    ++page;
    names.ScanPages(page, page);
  }
  ASSERT_LT(page, 30) << "the strip never ran out of room";
  const int controls = strip.ControlCount();
  for (int n = page + 1; n <= 30; ++n) strip.AddPageName(images.PageFile(n), n);
  EXPECT_EQ(strip.ControlCount(), controls);
  EXPECT_EQ(strip.PageCount(), images.Strip().PageCount());
  EXPECT_EQ(strip.PageFiles().size(), images.Strip().PageFiles().size());
  EXPECT_EQ(strip.ControlCount(), images.Strip().ControlCount());
  EXPECT_EQ(strip.Layout().NextLeft, images.Strip().Layout().NextLeft);
  EXPECT_EQ(strip.Layout().NextTop, images.Strip().Layout().NextTop);
  EXPECT_EQ(strip.Layout().ExtraHeight, images.Strip().Layout().ExtraHeight);
  strip.GotoPage(TKSImageThumbnail::kLast);
  names.Pump();
  ASSERT_FALSE(names.clicks.empty());
  EXPECT_EQ(names.clicks.back().page, 30);
  EXPECT_EQ(names.clicks.back().file, images.PageFile(30));

  // A strip with room left takes no page by name: that page is added with its image.
  StripHost fresh(313, 560, 150, CaseFolder("fresh"));
  fresh.Strip().AddPageName(images.PageFile(1), 1);
  EXPECT_EQ(fresh.Strip().PageCount(), 0);
}

// A page count that is a multiple of the controls still shows its last page.
TEST(ThumbnailStrip, LastPageWhenThePagesFillWholeViews) {
  StripHost host(313, 560, 150, CaseFolder("multiple"));
  host.ScanPages(1, 2);
  int controls = host.Strip().ControlCount();
  host.ScanPages(3, 10);
  controls = host.Strip().ControlCount();
  ASSERT_GT(controls, 0);
  host.ScanPages(11, controls * 4);
  host.Strip().GotoPage(TKSImageThumbnail::kLast);
  ASSERT_FALSE(host.clicks.empty());
  EXPECT_EQ(host.clicks.back().page, controls * 4);
}

// Scrolling re-uses the controls for other pages and never runs past the last one.
TEST(ThumbnailStrip, ScrollingShowsOtherPagesAndKeepsOneInView) {
  StripHost host(313, 560, 150, CaseFolder("scroll"));
  TKSImageThumbnail& strip = host.Strip();
  host.ScanPages(1, 20);
  SendMessageA(strip.Handle(), WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
  host.Pump();
  EXPECT_EQ(strip.PageOffset(), strip.Layout().PagesPerRow);
  EXPECT_EQ(strip.Label(0)->Caption(), "Page " + std::to_string(strip.PageOffset() + 1));
  for (int i = 0; i < 30; ++i) SendMessageA(strip.Handle(), WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
  host.Pump();
  EXPECT_LT(strip.PageOffset(), 20);
  EXPECT_TRUE(strip.Image(0)->Visible());
  for (int i = 0; i < 30; ++i) SendMessageA(strip.Handle(), WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0), 0);
  host.Pump();
  EXPECT_EQ(strip.PageOffset(), 0);
  EXPECT_EQ(strip.Label(0)->Caption(), "Page 1");
}

// A strip made taller builds thumbnails for the pages that now fit, asking the owner for them;
// made shorter, it frees the controls that fell out of view.
TEST(ThumbnailStrip, ArrangingAfterAResizeFillsOrTrimsTheView) {
  StripHost host(313, 300, 150, CaseFolder("resize"));
  TKSImageThumbnail& strip = host.Strip();
  host.ScanPages(1, 20);
  const int before = strip.ControlCount();
  strip.SetBounds(0, 0, 313, 800);
  strip.ArrangeThumbnails();
  strip.ArrangeThumbnails();
  host.Pump();
  ASSERT_GT(strip.ControlCount(), before);
  EXPECT_GT(host.fetched, 0);
  for (int i = 0; i < strip.ControlCount(); ++i) {
    EXPECT_EQ(strip.Label(i)->Caption(), "Page " + std::to_string(i + 1));
    EXPECT_EQ(strip.Image(i)->Hint, host.PageFile(i + 1));
  }
  strip.ImageClick(strip.Image(strip.ControlCount() - 1));
  strip.SetBounds(0, 0, 313, 300);
  strip.ArrangeThumbnails();
  EXPECT_LE(strip.ControlCount(), before + 1);
  EXPECT_FALSE(strip.HasSelection()) << "the selected picture was freed";
}

// A page whose file was deleted, a bad block from the owner, a null or empty page: blank
// thumbnails or nothing, and the strip goes on.
TEST(ThumbnailStrip, MissingAndBadPagesLeaveBlankThumbnails) {
  StripHost host(313, 560, 150, CaseFolder("missing"));
  TKSImageThumbnail& strip = host.Strip();
  host.ScanPages(1, 40);
  DeleteFileA(host.PageFile(40).c_str());
  DeleteFileA(host.PageFile(39).c_str());
  strip.GotoPage(TKSImageThumbnail::kLast);
  host.Pump();
  ASSERT_FALSE(host.clicks.empty());
  EXPECT_EQ(host.clicks.back().page, 40);
  tarnwick::TThumbPicture* last = strip.SelectedImage();
  ASSERT_NE(last, nullptr);
  COLORREF middle = ScreenPixel(last->Handle(), last->Width() / 2, last->Height() / 2);
  EXPECT_EQ(middle, RGB(255, 255, 255)) << "a deleted page shows a blank thumbnail";
  // The owner answers a block too small for its header, and one whose header lies.
  strip.OnGetImageHandle = [](TKSImageThumbnail*, const std::string&, HGLOBAL& dib) {
    dib = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 12);
  };
  strip.GotoPage(TKSImageThumbnail::kFirst);
  host.Pump();
  EXPECT_EQ(host.clicks.back().page, 1);
  strip.OnGetImageHandle = [](TKSImageThumbnail*, const std::string&, HGLOBAL& dib) {
    dib = MakeNumberedPage(7, 8);
    static_cast<BITMAPINFOHEADER*>(GlobalLock(dib))->biHeight = 100000;
    GlobalUnlock(dib);
  };
  strip.GotoPage(TKSImageThumbnail::kLast);
  host.Pump();
  EXPECT_EQ(host.clicks.back().page, 40) << strip.ControlCount() << " controls";
  const int pages = strip.PageCount();
  strip.AddPage(nullptr, "none", pages + 1);
  HGLOBAL empty = GlobalAlloc(GMEM_MOVEABLE, 0);
  strip.AddPage(empty, "empty", pages + 1);
  GlobalFree(empty);
  EXPECT_EQ(strip.PageCount(), pages);
  // A strip with no width and a page too small to scale: no division by zero.
  StripHost narrow(0, 300, 60, CaseFolder("narrow"));
  HGLOBAL tiny = MakeNumberedPage(1, 1);
  auto* bih = static_cast<BITMAPINFOHEADER*>(GlobalLock(tiny));
  bih->biWidth = 15;
  bih->biHeight = 9;
  GlobalUnlock(tiny);
  for (int page = 1; page <= 30; ++page) narrow.Strip().AddPage(tiny, "tiny.bmp", page);
  GlobalFree(tiny);
  SendMessageA(narrow.Strip().Handle(), WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
  EXPECT_EQ(narrow.Strip().PageCount(), 30);
}

}  // namespace
