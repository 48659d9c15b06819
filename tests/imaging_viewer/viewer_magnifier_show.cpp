// Shows a patterned page in a scrolled viewer in magnifier mode, moves the pointer over it and
// writes where the magnifier was drawn and which part of the page it shows, so that a
// screenshot can be compared with that part of the page enlarged. A second scrolled viewer
// draws a rubber band, whose edges must invert the page right where the band's points lie.
//   viewer_magnifier_show.exe OUTPUT-FOLDER
#include <windows.h>

#include <cstdio>
#include <string>

#include "qm_document_image.h"
#include "qm_save_image_thrd.h"
#include "test_imaging_port.h"
#include "win_driver.h"

using namespace qm;
using namespace qm_test;

namespace {

constexpr int32_t kPageW = 900, kPageH = 700;

// Irregular black marks on white, so that a patch shifted by one pixel no longer matches.
HGLOBAL MakePage() {
  return MakeBilevelDib(kPageW, kPageH, [](int32_t x, int32_t top) {
    return (x * 7 + top * 13) % 23 < 6 || ((x / 5 + top / 3) % 7 == 0) || (x % 97 < 3) ||
           (top % 61 < 2);
  });
}

}  // namespace

int main(int argc, char** argv) {
  std::string out = argc > 1 ? argv[1] : ".";
  if (!out.empty() && out.back() != '\\') out += '\\';
  std::string bmp = out + "viewer_magnifier_page.bmp";
  std::string ready = out + "viewer_magnifier_ready.txt", done = out + "viewer_magnifier_done.txt";
  DeleteFileA(ready.c_str());

  HGLOBAL page = MakePage();
  if (!WriteBmpOfDib(bmp, page)) return 2;
  TestImagingPort imaging;
  TQmControl frame;
  frame.SetName("Magnifier");
  QmDocumentImage viewer(imaging), banded(imaging);
  frame.SetBounds(0, 0, 700, 920);
  frame.InsertControl(&viewer);
  frame.InsertControl(&banded);
  viewer.SetBounds(10, 10, 640, 480);
  banded.SetBounds(10, 500, 640, 360);
  viewer.SetColor(static_cast<TColor>(0x00C0C0C0));
  frame.CreateHandle(nullptr);
  viewer.ShowScannedDib(page, "C:\\SCAN\\000001.TIF");
  banded.ShowScannedDib(page, "C:\\SCAN\\000001.TIF");
  ReleasePageBlock(page);
  // Scrolled, so that the paint boxes' windows stand shifted inside the controls.
  viewer.HorzScrollBar().SetPosition(130);
  viewer.VertScrollBar().SetPosition(90);
  banded.HorzScrollBar().SetPosition(170);
  banded.VertScrollBar().SetPosition(120);

  SetWindowPos(frame.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  ShowWindow(frame.Handle(), SW_SHOW);
  UpdateWindow(frame.Handle());
  windriver::PumpMessagesFor(800);
  RedrawWindow(frame.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  windriver::PumpMessagesFor(400);

  viewer.SetControlMode(TControlMode::cmMagnify);
  banded.SetControlMode(TControlMode::cmRubberBand);
  windriver::PumpMessagesFor(300);
  // A band from (300, 200) dragged to (420, 260), the button still down.
  TQmPaintBox& bandBox = banded.FPaint();
  const int32_t bx0 = 300, by0 = 200, bx1 = 420, by1 = 260;
  SendMessageA(bandBox.Handle(), WM_LBUTTONDOWN, MK_LBUTTON,
               MAKELPARAM(bx0 + bandBox.OriginX(), by0 + bandBox.OriginY()));
  SendMessageA(bandBox.Handle(), WM_MOUSEMOVE, MK_LBUTTON,
               MAKELPARAM(360 + bandBox.OriginX(), 230 + bandBox.OriginY()));
  SendMessageA(bandBox.Handle(), WM_MOUSEMOVE, MK_LBUTTON,
               MAKELPARAM(bx1 + bandBox.OriginX(), by1 + bandBox.OriginY()));
  ReleaseCapture();
  TQmPaintBox& box = viewer.FPaint();
  // Two moves: the first magnifier must be gone where the second does not cover it.
  const int32_t x1 = 260, y1 = 210, x = 330, y = 250;
  SendMessageA(box.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x1 + box.OriginX(), y1 + box.OriginY()));
  windriver::PumpMessagesFor(200);
  SendMessageA(box.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x + box.OriginX(), y + box.OriginY()));
  windriver::PumpMessagesFor(500);
  GdiFlush();

  POINT at{x + box.Left(), y + box.Top()};  // viewer client coordinates
  ClientToScreen(viewer.Handle(), &at);
  POINT old{x1 + box.Left(), y1 + box.Top()};
  ClientToScreen(viewer.Handle(), &old);
  FILE* f = std::fopen(ready.c_str(), "w");
  if (!f) return 3;
  // Magnifier 200 x 100 at 200 %: page part (x - 2, y - 2) of 100 x 50 at 100 %.
  std::fprintf(f, "magnifier %ld %ld 200 100 %d %d 100 50\n", long(at.x), long(at.y), int(x - 2),
               int(y - 2));
  // The part of the first magnifier that the second does not cover shows the page again.
  std::fprintf(f, "uncovered %ld %ld 60 40 %d %d 60 40\n", long(old.x), long(old.y), int(x1),
               int(y1));
  // The band's top row and left column, inverted: "negated" tells the check.
  POINT band{bx0 + bandBox.Left(), by0 + bandBox.Top()};
  ClientToScreen(banded.Handle(), &band);
  std::fprintf(f, "band_top %ld %ld %d 1 %d %d %d 1 negated\n", long(band.x), long(band.y),
               int(bx1 - bx0 + 1), int(bx0), int(by0), int(bx1 - bx0 + 1));
  std::fprintf(f, "band_left %ld %ld 1 %d %d %d 1 %d negated\n", long(band.x), long(band.y),
               int(by1 - by0 + 1), int(bx0), int(by0), int(by1 - by0 + 1));
  std::fclose(f);

  for (int i = 0; i < 600 && GetFileAttributesA(done.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
    windriver::PumpMessagesFor(100);
  DeleteFileA(done.c_str());
  return 0;
}
