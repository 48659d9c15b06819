// The viewer's mouse modes in a real window: mode cursors, pan through the scroll bars, the
// zoom band's report, zoom clicks, the capture that ends a drag outside the box, scroll-bar
// click events and the annotation layer's hooks.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "qm_document_image.h"
#include "qm_save_image_thrd.h"
#include "test_imaging_port.h"

using namespace qm;
using namespace qm_test;

namespace {

struct MouseWindow {
  TestImagingPort imaging;
  TQmControl frame;
  QmDocumentImage viewer{imaging};
  MouseWindow() {
    frame.SetBounds(1400, 0, 560, 480);  // off the visible screen
    frame.InsertControl(&viewer);
    viewer.SetBounds(0, 0, 504, 404);
    frame.CreateHandle(nullptr);
  }
  void Show(int32_t w, int32_t h) {
    HGLOBAL page = MakeDib(w, h, 1, 200, 200);
    viewer.ShowScannedDib(page, "scan");
    ReleasePageBlock(page);
  }
  // Mouse messages to the paint box at paint-box coordinates, as its window receives them.
  void Send(UINT msg, WPARAM keys, int32_t x, int32_t y) {
    TQmPaintBox& box = viewer.FPaint();
    SendMessageA(box.Handle(), msg, keys, MAKELPARAM(x + box.OriginX(), y + box.OriginY()));
  }
  // The same for a point in the viewer's client area.
  void SendClient(UINT msg, WPARAM keys, int32_t cx, int32_t cy) {
    Send(msg, keys, cx - viewer.FPaint().Left(), cy - viewer.FPaint().Top());
  }
};

HCURSOR Arrow() { return LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)); }

}  // namespace

TEST(ViewerMouseWindow, GrabHandInPanModeAndTheArrowInNone) {
  MouseWindow w;
  HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), "GRABHAND");
  ASSERT_NE(hand, nullptr) << "the program carries no GRABHAND cursor";
  EXPECT_EQ(w.viewer.ModeCursorHandle(5), hand);
  w.viewer.SetControlMode(TControlMode::cmPanning);
  EXPECT_EQ(GetCursor(), hand);
  // Over the page the window asks which cursor to show: the hand again.
  SetCursor(Arrow());
  SendMessageA(w.viewer.FPaint().Handle(), WM_SETCURSOR,
               reinterpret_cast<WPARAM>(w.viewer.FPaint().Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), hand);

  w.viewer.SetControlMode(TControlMode::cmNone);
  EXPECT_EQ(w.viewer.ControlCursor(), 0);
  SendMessageA(w.viewer.FPaint().Handle(), WM_SETCURSOR,
               reinterpret_cast<WPARAM>(w.viewer.FPaint().Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), Arrow());

  // Every mode cursor is the program's own.
  const char* names[] = {"GRABHAND", "RUBBAND", "ANNO", "ZOOMIN", "ZOOMOUT"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_NE(w.viewer.ModeCursorHandle(5 + i), nullptr) << names[i];
    EXPECT_EQ(w.viewer.ModeCursorHandle(5 + i), LoadCursorA(GetModuleHandleA(nullptr), names[i]));
  }
  w.viewer.SetControlMode(TControlMode::cmZoomOut);
  EXPECT_EQ(GetCursor(), LoadCursorA(GetModuleHandleA(nullptr), "ZOOMOUT"));
}

TEST(ViewerMouseWindow, PanMovesTheScrollPositionsAgainstThePointer) {
  MouseWindow w;
  w.Show(1000, 2000);
  w.viewer.HorzScrollBar().SetPosition(120);
  w.viewer.VertScrollBar().SetPosition(80);
  w.viewer.SetControlMode(TControlMode::cmPanning);
  w.SendClient(WM_LBUTTONDOWN, MK_LBUTTON, 200, 150);
  EXPECT_EQ(GetCapture(), w.viewer.FPaint().Handle());
  w.SendClient(WM_MOUSEMOVE, MK_LBUTTON, 150, 120);  // a pan of (-50, -30)
  EXPECT_EQ(w.viewer.HorzScrollBar().Position(), 170);
  EXPECT_EQ(w.viewer.VertScrollBar().Position(), 110);
  EXPECT_EQ(w.viewer.FPaint().Left(), -170);
  // The release ends the drag and the capture; moves afterwards pan nothing.
  w.SendClient(WM_LBUTTONUP, 0, 150, 120);
  EXPECT_EQ(GetCapture(), nullptr);
  w.SendClient(WM_MOUSEMOVE, 0, 10, 10);
  EXPECT_EQ(w.viewer.HorzScrollBar().Position(), 170);
}

TEST(ViewerMouseWindow, ZoomBandDraggedUpAndLeftReportsTheBoxProportions) {
  MouseWindow w;
  w.Show(600, 300);  // a paint box twice as wide as high
  w.viewer.SetControlMode(TControlMode::cmZoomRubberBand);
  std::vector<std::vector<int32_t>> reports;
  w.viewer.OnRubberband = [&](QmDocumentImage* s, int button, WPARAM, int32_t x, int32_t y,
                              int32_t xx, int32_t yy) {
    EXPECT_EQ(s, &w.viewer);
    reports.push_back({button, x, y, xx, yy});
  };
  w.Send(WM_LBUTTONDOWN, MK_LBUTTON, 100, 100);
  w.Send(WM_MOUSEMOVE, MK_LBUTTON, 40, 70);
  // Released outside the box: the capture brings the release here all the same.
  w.Send(WM_LBUTTONUP, 0, -30, -20);
  ASSERT_EQ(reports.size(), 1u);
  const auto& r = reports[0];
  EXPECT_EQ(r[0], 0);
  EXPECT_EQ(r[1], 100);
  EXPECT_EQ(r[2], 100);
  EXPECT_LT(r[3], 100);
  EXPECT_LT(r[4], 100);
  EXPECT_LE(std::abs((100 - r[3]) - 2 * (100 - r[4])), 2);
  EXPECT_EQ(w.viewer.ScalePercent(), 100.0f);  // the band zooms nothing by itself

  // The image cleared in the middle of a drag: the band keeps its last shape.
  reports.clear();
  w.Send(WM_LBUTTONDOWN, MK_LBUTTON, 50, 50);
  w.Send(WM_MOUSEMOVE, MK_LBUTTON, 90, 70);
  w.viewer.ClearImage();
  w.Send(WM_MOUSEMOVE, MK_LBUTTON, 200, 200);
  w.Send(WM_LBUTTONUP, 0, 200, 200);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0][3], w.viewer.Mouse().Band().end.x);
  EXPECT_LT(reports[0][3], 100);
}

TEST(ViewerMouseWindow, ZoomClicksStepTheScaleByOne) {
  MouseWindow w;
  w.Show(300, 200);
  w.viewer.SetControlMode(TControlMode::cmZoomIn);
  w.Send(WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
  w.Send(WM_LBUTTONUP, 0, 10, 10);
  EXPECT_FLOAT_EQ(w.viewer.ScalePercent(), 101.0f);
  w.Send(WM_RBUTTONDOWN, MK_RBUTTON, 10, 10);  // only the left button zooms
  w.Send(WM_RBUTTONUP, 0, 10, 10);
  EXPECT_FLOAT_EQ(w.viewer.ScalePercent(), 101.0f);
  w.viewer.SetScalePercent(1.0f);
  w.viewer.SetControlMode(TControlMode::cmZoomOut);
  w.Send(WM_LBUTTONDOWN, MK_LBUTTON, 1, 1);
  w.Send(WM_LBUTTONUP, 0, 1, 1);
  EXPECT_FLOAT_EQ(w.viewer.ScalePercent(), 1.0f);
}

TEST(ViewerMouseWindow, MagnifierOutsideTheImageGetsNoBitmap) {
  MouseWindow w;
  w.Show(300, 200);
  w.viewer.SetControlMode(TControlMode::cmMagnify);
  std::vector<HBITMAP> bitmaps;
  std::vector<int32_t> xx;
  w.viewer.OnMagnify = [&](QmDocumentImage*, HBITMAP b, bool& show, int32_t x, int32_t, int32_t r,
                           int32_t) {
    bitmaps.push_back(b);
    xx.push_back(r - x);
    show = false;  // the handler draws the magnifier itself
  };
  w.Send(WM_MOUSEMOVE, 0, 100, 50);
  w.Send(WM_MOUSEMOVE, 0, 301, 50);
  ASSERT_EQ(bitmaps.size(), 2u);
  ASSERT_NE(bitmaps[0], nullptr);
  BITMAP info{};
  GetObjectA(bitmaps[0], sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 200);
  EXPECT_EQ(info.bmHeight, 100);
  EXPECT_EQ(bitmaps[1], nullptr);
  EXPECT_EQ(xx[1], 200);
}

TEST(ViewerMouseWindow, ScrollBarClicksAreReportedForEveryCode) {
  MouseWindow w;
  w.Show(1000, 2000);
  int h = 0, v = 0;
  w.viewer.OnHScrollBarClick = [&](QmDocumentImage* s) { h += s == &w.viewer; };
  w.viewer.OnVScrollBarClick = [&](QmDocumentImage* s) { v += s == &w.viewer; };
  SendMessageA(w.viewer.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  SendMessageA(w.viewer.Handle(), WM_VSCROLL, SB_ENDSCROLL, 0);
  SendMessageA(w.viewer.Handle(), WM_HSCROLL, SB_PAGERIGHT, 0);
  EXPECT_EQ(v, 2);
  EXPECT_EQ(h, 1);
}

TEST(ViewerMouseWindow, OnlyTheAnnotationEditModeHandsTheMouseToTheLayer) {
  MouseWindow w;
  w.viewer.SetControlMode(TControlMode::cmAnnotationEdit);
  EXPECT_TRUE(w.viewer.Annotations().EditMode());
  EXPECT_EQ(GetCursor(), LoadCursorA(GetModuleHandleA(nullptr), "ANNO"));
  for (TControlMode other : {TControlMode::cmPanning, TControlMode::cmMagnify, TControlMode::cmNone}) {
    w.viewer.SetControlMode(TControlMode::cmAnnotationEdit);
    w.viewer.SetControlMode(other);
    EXPECT_FALSE(w.viewer.Annotations().EditMode()) << int(other);
  }
}
