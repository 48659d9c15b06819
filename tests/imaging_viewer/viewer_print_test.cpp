// PrintImage on a real printer of Wine's PostScript driver, printing into a file that
// check_viewer_print.sh renders with Ghostscript: one page matching the page shown, a gray copy
// at the page's own size, a job aborted when the page cannot be printed, and the error raised
// when there is no printer at all.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "error_invalid.h"
#include "qm_document_image.h"
#include "qm_printer.h"
#include "qm_save_image_thrd.h"
#include "test_files.h"
#include "test_imaging_port.h"
#include "test_printer.h"

using namespace qm;
using namespace qm_test;

namespace {

std::string OutDir() {
  const std::string dir = FolderOfThisProgram() + "viewer_print\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

bool Exists(const std::string& name) { return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Half a Letter page at 300 dpi: a frame, blocks and bars, none of it symmetric.
HGLOBAL PrintPage() {
  const int32_t w = 1275, h = 1650;
  HGLOBAL dib = MakeDib(w, h, 1, 150, 150);
  auto* hdr = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
  uint8_t* bits = DibBits(hdr);
  size_t row = DibRowBytes(w, 1);
  for (int32_t y = 0; y < h; ++y) {
    int32_t top = h - 1 - y;
    for (int32_t x = 0; x < w; ++x) {
      bool black = x < 20 || top < 20 || x >= w - 20 || top >= h - 20 ||
                   (x >= 100 && x < 500 && top >= 100 && top < 300) ||
                   (top >= 600 && top < 1400 && (top / 40) % 2 == 0 && x >= 200 && x < 200 + top / 2) ||
                   (x >= 900 && x < 1100 && top >= 1450 && top < 1600);
      if (!black) bits[size_t(y) * row + x / 8] |= uint8_t(0x80 >> (x % 8));
    }
  }
  GlobalUnlock(dib);
  return dib;
}

struct PrintRig {
  TQmControl frame;
  QmDocumentImage viewer;
  std::string out = OutDir();
  PrintRig() {
    frame.SetBounds(1400, 0, 560, 480);
    frame.InsertControl(&viewer);
    viewer.SetBounds(0, 0, 504, 404);
    frame.CreateHandle(nullptr);
    HGLOBAL page = PrintPage();
    viewer.ShowScannedDib(page, "C:\\SCAN\\000001.TIF");
    WriteBmpOfDib(out + "page.bmp", page);
    ReleasePageBlock(page);
  }
  // A fresh default printer whose port is the given file; the program's printer looks it up
  // anew. Wine's PostScript driver keeps an aborted job open, which keeps its printer: every
  // file gets a printer of its own.
  std::string printer;
  void PrinterInto(const std::string& name) {
    Printer().SetPrinterName("");
    DeleteFileA((out + name).c_str());
    printer = kTestPrinterPrefix + name;
    std::string message;
    ASSERT_TRUE(AddTestPrinter(printer, out + name, message)) << message;
  }
  void NoPrinter() { RemoveTestPrinter(printer); }
};

}  // namespace

TEST(ViewerPrint, WithoutAPrinterTheErrorIsRaisedAndTheViewerStays) {
  // First of all, while no job of this program holds a printer.
  if (RemoveTestPrinters() > 0) GTEST_SKIP() << "the prefix has printers of its own";
  PrintRig r;
  Printer().SetPrinterName("");
  try {
    r.viewer.PrintImage(0, 0, 0, 0);
    ADD_FAILURE() << "printed without a printer";
  } catch (const ErrorInvalid& e) {
    std::ofstream(r.out + "no_printer.txt") << e.what() << "\n";
    EXPECT_FALSE(std::string(e.what()).empty());
  }
  EXPECT_FALSE(Printer().Printing());
  EXPECT_TRUE(r.viewer.HasImage());
  r.viewer.SetScalePercent(50);  // and the viewer goes on working
  EXPECT_EQ(r.viewer.FPaint().Width(), 637);
}

TEST(ViewerPrint, TheShownPagePrintsOnOnePage) {
  PrintRig r;
  r.PrinterInto("printed.ps");
  int32_t w = Printer().PageWidth(), h = Printer().PageHeight();
  EXPECT_EQ(w, 2550);  // the test printer's page: Letter at 300 dpi
  EXPECT_EQ(h, 3300);
  r.viewer.PrintImage(0, 0, w, h);
  EXPECT_FALSE(Printer().Printing());
  EXPECT_TRUE(Exists(r.out + "printed.ps"));

  // Gray printing of a bilevel page at width 0: the page's own pixel size, from a gray copy.
  r.PrinterInto("printed_gray.ps");
  r.viewer.Settings().PrintScaleDoc = TScaleToGray::S_Gray_Anti_256;
  r.viewer.PrintImage(0, 0, 0, 0);
  EXPECT_TRUE(Exists(r.out + "printed_gray.ps"));
  r.NoPrinter();
}

TEST(ViewerPrint, APageThatCannotBePrintedAbortsTheJob) {
  PrintRig r;
  r.PrinterInto("aborted.ps");
  // A 2-bit page, which no device takes.
  HGLOBAL odd = MakeDib(64, 64, 1, 100, 100);
  auto* hdr = static_cast<BITMAPINFOHEADER*>(GlobalLock(odd));
  hdr->biBitCount = 2;
  GlobalUnlock(odd);
  r.viewer.ShowScannedDib(odd, "odd");
  ReleasePageBlock(odd);
  EXPECT_THROW(r.viewer.PrintImage(0, 0, 640, 640), ErrorInvalid);
  EXPECT_FALSE(Printer().Printing());
  EXPECT_FALSE(Exists(r.out + "aborted.ps"));
  // The printer is free for the next job.
  HGLOBAL page = PrintPage();
  r.viewer.ShowScannedDib(page, "again");
  ReleasePageBlock(page);
  r.PrinterInto("after_abort.ps");
  r.viewer.PrintImage(0, 0, 2550, 3300);
  EXPECT_TRUE(Exists(r.out + "after_abort.ps"));
  r.NoPrinter();
}


TEST(ViewerPrint, APageOfTheCallersOwnJob) {
  PrintRig r;
  r.PrinterInto("callers_job.ps");
  r.viewer.Settings().P_Begin_End_Doc = false;
  // Without a job of the caller's there is nothing to print on.
  EXPECT_THROW(r.viewer.PrintImage(0, 0, 2550, 3300), ErrorInvalid);
  Printer().BeginDoc("two pages in one job");
  r.viewer.PrintImage(0, 0, 2550, 3300);
  EXPECT_TRUE(Printer().Printing());  // the job is the caller's to end
  Printer().EndDoc();
  EXPECT_TRUE(Exists(r.out + "callers_job.ps"));
  r.NoPrinter();
}
