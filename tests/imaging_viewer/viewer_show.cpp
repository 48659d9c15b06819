// Shows one page through each road into the viewer - a scanned DIB, a TIFF file, a TIFF stream
// and a BMP file - each fitted into its own viewer, and writes where each page was painted and
// how large the viewer's logic says it is. A screenshot of the display can then be checked.
//   viewer_show.exe OUTPUT-FOLDER
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

constexpr int32_t kPageW = 1700, kPageH = 2200, kFrame = 24;

// A white letter page at 200 dpi with a thick black frame and a black block near the top left.
HGLOBAL MakePage() {
  return MakeBilevelDib(kPageW, kPageH, [](int32_t x, int32_t top) {
    return x < kFrame || top < kFrame || x >= kPageW - kFrame || top >= kPageH - kFrame ||
           (x >= 200 && x < 700 && top >= 200 && top < 500);
  });
}

}  // namespace

int main(int argc, char** argv) {
  std::string out = argc > 1 ? argv[1] : ".";
  if (!out.empty() && out.back() != '\\') out += '\\';
  std::string tif = out + "viewer_show_page.tif", bmp = out + "viewer_show_page.bmp";
  std::string ready = out + "viewer_show_ready.txt", done = out + "viewer_show_done.txt";
  DeleteFileA(ready.c_str());

  HGLOBAL page = MakePage();
  if (!WriteTiffOfDib(tif, page) || !WriteBmpOfDib(bmp, page)) return 2;
  TiffStream stream = ReadWholeFile(tif);

  TQmControl frame;
  frame.SetName("Viewer");
  const char* names[4] = {"scanned", "tiff", "stream", "bmp"};
  // The viewers read and scale through the imaging library, as the program's viewer does.
  QmDocumentImage viewers[4];
  constexpr int32_t kW = 300, kH = 390;
  frame.SetBounds(0, 0, 4 * (kW + 10) + 40, kH + 520);
  // A fifth viewer at 100 %, scrolled so that the black block stands 50 pixels in.
  QmDocumentImage scrolled;
  frame.InsertControl(&scrolled);
  scrolled.SetBounds(10, kH + 30, 600, 400);
  for (int i = 0; i < 4; ++i) {
    frame.InsertControl(&viewers[i]);
    viewers[i].SetBounds(10 + i * (kW + 10), 10, kW, kH);
    viewers[i].SetColor(static_cast<TColor>(0x00C0C0C0));  // clSilver, as the main window has it
    viewers[i].SetScaleDoc(TScaleToGray::S_Gray_Anti_256);
  }
  frame.CreateHandle(nullptr);

  viewers[0].ShowScannedDib(page, "C:\\SCAN\\000001.TIF");
  viewers[1].LoadTiffPage(tif, 0, 1);
  viewers[2].LoadTiffStream(&stream, 0, 1);
  viewers[3].LoadImageFile(bmp, TLoadResolution::lAutoMatic, false);
  for (auto& v : viewers) v.BestFit();
  scrolled.ShowScannedDib(page, "C:\\SCAN\\000002.TIF");
  scrolled.HorzScrollBar().SetPosition(150);
  scrolled.VertScrollBar().SetPosition(150);
  ReleasePageBlock(page);

  // Above anything else on the display, so that the screenshot shows these pages.
  SetWindowPos(frame.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  ShowWindow(frame.Handle(), SW_SHOW);
  UpdateWindow(frame.Handle());
  windriver::PumpMessagesFor(1000);
  RedrawWindow(frame.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  GdiFlush();
  windriver::PumpMessagesFor(500);

  FILE* f = std::fopen(ready.c_str(), "w");
  if (!f) return 3;
  for (int i = 0; i < 4; ++i) {
    POINT p{0, 0};
    ClientToScreen(viewers[i].FPaint().Handle(), &p);
    QmSize box = viewers[i].Document().PaintBoxSize();
    std::fprintf(f, "%s %ld %ld %d %d %.4f\n", names[i], long(p.x), long(p.y), int(box.width),
                 int(box.height), double(viewers[i].ScalePercent()));
  }
  POINT p{0, 0};
  ClientToScreen(scrolled.Handle(), &p);
  std::fprintf(f, "scrolled %ld %ld %d %d 100\n", long(p.x + 200 - scrolled.HorzScrollBar().Position()),
               long(p.y + 200 - scrolled.VertScrollBar().Position()), 500, 300);
  std::fclose(f);

  // Stay on screen until the screenshot is taken (or a minute has passed).
  for (int i = 0; i < 600 && GetFileAttributesA(done.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
    windriver::PumpMessagesFor(100);
  DeleteFileA(done.c_str());
  return 0;
}
