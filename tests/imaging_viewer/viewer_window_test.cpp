// The viewer in a real window: scanned pages, TIFF files and streams, BMP files, scrolling
// through the flat scroll bars and fitting, as Wine runs them.
#include <windows.h>
#include "flat_scroll_bars.h"

#include <gtest/gtest.h>

#include <string>

#include "qm_document_image.h"
#include "qm_save_image_thrd.h"
#include "test_files.h"
#include "test_imaging_port.h"

using namespace qm;
using namespace qm_test;

namespace {

// A white page with a black frame of 10 pixels.
HGLOBAL FramedPage(int32_t w, int32_t h, int32_t dpiX = 200, int32_t dpiY = 200) {
  HGLOBAL dib = MakeDib(w, h, 1, dpiX, dpiY);
  auto* hdr = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
  uint8_t* bits = DibBits(hdr);
  size_t row = DibRowBytes(w, 1);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      bool black = x < 10 || y < 10 || x >= w - 10 || y >= h - 10;
      if (!black) bits[size_t(y) * row + x / 8] |= uint8_t(0x80 >> (x % 8));
    }
  GlobalUnlock(dib);
  return dib;
}

struct Window {
  TestImagingPort imaging;
  TQmControl frame;
  QmDocumentImage viewer{imaging};
  Window(int32_t w = 504, int32_t h = 404) {
    // Off the visible screen: the screenshot test owns what the display shows.
    frame.SetBounds(1400, 0, w + 40, h + 60);
    frame.InsertControl(&viewer);
    viewer.SetBounds(0, 0, w, h);
    frame.CreateHandle(nullptr);
  }
  void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  bool Shown(DWORD bar) { return (GetWindowLongA(viewer.Handle(), GWL_STYLE) & bar) != 0; }
};

}  // namespace

TEST(ViewerWindow, ShowsACopyOfAScannedPageAndScrollsIt) {
  Window w;
  ASSERT_TRUE(w.viewer.HandleAllocated());
  HGLOBAL page = FramedPage(1000, 2000);
  w.viewer.ShowScannedDib(page, "C:\\SCAN\\000001.TIF");
  w.Pump();
  EXPECT_NE(w.viewer.GetDibHandle(), page);
  EXPECT_GT(GlobalSize(page), 0u);  // still the caller's
  EXPECT_EQ(w.viewer.FPaint().Width(), 1000);
  EXPECT_EQ(w.viewer.FPaint().Height(), 2000);
  EXPECT_TRUE(w.Shown(WS_VSCROLL));
  EXPECT_TRUE(w.Shown(WS_HSCROLL));

  SendMessageA(w.viewer.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(w.viewer.VertScrollBar().Position(), 8);
  EXPECT_EQ(w.viewer.FPaint().Top(), -8);
  EXPECT_EQ(QmFlatSB_GetScrollPos(w.viewer.Handle(), SB_VERT), 8);
  SendMessageA(w.viewer.Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  RECT client;
  GetClientRect(w.viewer.Handle(), &client);
  EXPECT_EQ(w.viewer.FPaint().Top() + 2000, client.bottom);
  SendMessageA(w.viewer.Handle(), WM_HSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(w.viewer.HorzScrollBar().Position(), client.right);
  ReleasePageBlock(page);
}

TEST(ViewerWindow, BestFitShowsTheWholePageWithoutBars) {
  Window w;  // 504 x 404
  HGLOBAL page = FramedPage(1000, 2000);
  w.viewer.ShowScannedDib(page, "scan");
  w.viewer.BestFit();
  w.Pump();
  EXPECT_FLOAT_EQ(w.viewer.ScalePercent(), 20.0f);
  EXPECT_EQ(w.viewer.FPaint().Width(), 200);
  EXPECT_EQ(w.viewer.FPaint().Height(), 400);
  EXPECT_FALSE(w.Shown(WS_VSCROLL));
  EXPECT_FALSE(w.Shown(WS_HSCROLL));
  EXPECT_EQ(w.viewer.VertScrollBar().Position(), 0);
  ReleasePageBlock(page);
}

TEST(ViewerWindow, TiffPageStreamAndBmpFile) {
  Window w;
  std::string tif = TempPath("qm_viewer_page.tif"), bmp = TempPath("qm_viewer_page.bmp");
  HGLOBAL page = FramedPage(400, 300, 204, 98);
  ASSERT_TRUE(WriteTiffOfDib(tif, page));
  ASSERT_TRUE(WriteBmpOfDib(bmp, page));
  ReleasePageBlock(page);

  int infos = 0;
  bool byFile = false;
  QmDocumentImage* sender = nullptr;
  w.viewer.OnInfo = [&](QmDocumentImage* s, int32_t, int32_t, int16_t, int32_t, int16_t pages,
                        int16_t, const std::string&, bool file, const std::string&) {
    sender = s;
    byFile = file;
    ++infos;
    EXPECT_GE(pages, 0);
  };
  w.viewer.LoadTiffPage(tif, 0, 1);
  EXPECT_EQ(sender, &w.viewer);
  EXPECT_TRUE(byFile);
  EXPECT_EQ(w.viewer.TiffPageCount(), 1);
  // 204 x 98 dpi: stretched to square pixels, resolutions kept.
  EXPECT_EQ(w.viewer.FPaint().Height(), 624);
  EXPECT_EQ(w.viewer.XResolution(), 204);
  EXPECT_EQ(w.viewer.YResolution(), 98);

  TiffStream stream = ReadWholeFile(tif);
  w.viewer.LoadTiffStream(&stream, 0, 1);
  EXPECT_TRUE(w.viewer.Document().StreamFlag());
  EXPECT_FALSE(byFile);
  w.viewer.LoadTiffPage(tif, 0, 1);
  EXPECT_FALSE(w.viewer.Document().StreamFlag());
  EXPECT_EQ(w.viewer.Document().Stream(), nullptr);

  w.viewer.LoadImageFile(bmp, TLoadResolution::lAutoMatic, false);
  EXPECT_TRUE(w.viewer.HasImage());
  EXPECT_EQ(w.viewer.TiffPageCount(), 0);
  EXPECT_EQ(w.viewer.TiffPage(), 0);
  EXPECT_EQ(w.viewer.FPaint().Height(), 300);  // BMP pages are shown as they are
  EXPECT_FALSE(byFile);
  DeleteFileA(tif.c_str());
  DeleteFileA(bmp.c_str());
}

TEST(ViewerWindow, GrayCopyForBilevelDisplay) {
  Window w;
  w.viewer.SetScaleDoc(TScaleToGray::S_Gray_Anti_256);
  HGLOBAL page = FramedPage(1000, 2000);
  w.viewer.ShowScannedDib(page, "scan");
  w.viewer.SetScalePercent(25.0f);
  EXPECT_TRUE(w.viewer.Document().GrayShown());
  EXPECT_EQ(w.viewer.FPaint().Width(), 250);
  ReleasePageBlock(page);
}

TEST(ViewerWindow, ProgressCallbackAnswersForTheViewer) {
  Window w;
  int seen = 0;
  w.viewer.OnProgress = [&](QmDocumentImage* s, int16_t p, const std::string& text, bool& cancel) {
    EXPECT_EQ(s, &w.viewer);
    ++seen;
    cancel = p == 50;
  };
  EXPECT_EQ(QmDocumentImage::ProgressCallback(10, &w.viewer), 1);
  EXPECT_EQ(QmDocumentImage::ProgressCallback(50, &w.viewer), 0);
  EXPECT_EQ(QmDocumentImage::ProgressCallback(50, nullptr), 1);
  EXPECT_EQ(seen, 2);
}

TEST(ViewerWindow, DllErrorGoesToItsHandlerOrIsRaised) {
  Window w;
  EXPECT_THROW(w.viewer.ReportDllError(), QmViewerError);
  int16_t seenCode = -1;
  w.viewer.OnPictorelError = [&](QmDocumentImage* s, int16_t code, const std::string& text,
                                 const char* ptext) {
    EXPECT_EQ(s, &w.viewer);
    EXPECT_EQ(text, ptext);
    seenCode = code;
  };
  w.viewer.ReportDllError();
  EXPECT_EQ(seenCode, 0);
}

TEST(ViewerWindow, ClicksOnThePageReachTheViewer) {
  Window w;
  w.viewer.SetTabStop(true);
  HGLOBAL page = FramedPage(300, 200);
  w.viewer.ShowScannedDib(page, "scan");
  ReleasePageBlock(page);
  TQmControl* clicked = nullptr;
  int downX = -1;
  w.viewer.OnClick = [&](TQmControl* s) { clicked = s; };
  w.viewer.OnMouseDown = [&](TQmControl*, int, WPARAM, int x, int) { downX = x; };
  HWND box = w.viewer.FPaint().Handle();
  SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 30));
  SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(40, 30));
  EXPECT_EQ(clicked, &w.viewer);
  EXPECT_EQ(downX, 40);  // paint-box coordinates
  EXPECT_EQ(GetFocus(), w.viewer.Handle());
}

TEST(ViewerWindow, PagesTallerThanSixteenBitsScrollToTheirEnd) {
  Window w;
  HGLOBAL page = FramedPage(200, 40000);
  w.viewer.ShowScannedDib(page, "scan");
  ReleasePageBlock(page);
  EXPECT_EQ(w.viewer.FPaint().Height(), 40000);
  EXPECT_EQ(w.viewer.VertScrollBar().Range(), 40000);
  SendMessageA(w.viewer.Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  int32_t bottom = w.viewer.VertScrollBar().Position();
  EXPECT_GT(bottom, 32767);
  EXPECT_EQ(QmFlatSB_GetScrollPos(w.viewer.Handle(), SB_VERT), bottom);
  // A thumb message carries only the low 16 bits; the position is read back in full.
  SendMessageA(w.viewer.Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, bottom & 0xFFFF), 0);
  EXPECT_EQ(w.viewer.VertScrollBar().Position(), bottom);
  EXPECT_EQ(w.viewer.FPaint().Top(), -bottom);
}
