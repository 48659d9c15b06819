// The viewer and the save queue over the imaging library's own bindings and DLLs, as the
// program uses them: pages written by the queue are read back by the viewer.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "error_invalid.h"
#include "qm_document_image.h"
#include "qm_save_image_thrd.h"
#include "test_files.h"
#include "test_imaging_port.h"

using namespace qm;
using namespace qm_test;

namespace {

HGLOBAL StripedPage(int32_t w, int32_t h, int32_t dpiX, int32_t dpiY) {
  HGLOBAL dib = MakeDib(w, h, 1, dpiX, dpiY);
  auto* hdr = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
  uint8_t* bits = DibBits(hdr);
  size_t row = DibRowBytes(w, 1);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      if ((y / 16) % 2 == 0 || x > w / 2) bits[size_t(y) * row + x / 8] |= uint8_t(0x80 >> (x % 8));
  GlobalUnlock(dib);
  return dib;
}

struct LibraryWindow {
  TQmControl frame;
  QmDocumentImage viewer;
  LibraryWindow() {
    frame.SetBounds(1400, 0, 560, 480);
    frame.InsertControl(&viewer);
    viewer.SetBounds(0, 0, 504, 404);
    frame.CreateHandle(nullptr);
  }
};

}  // namespace

TEST(ViewerLibrary, QueueWritesAndViewerReadsBack) {
  std::string tif = TempPath("qm_viewer_lib_page.tif"), bmp = TempPath("qm_viewer_lib_page.bmp");
  DeleteFileA(tif.c_str());
  DeleteFileA(bmp.c_str());
  {
    QmSaveImageThrd queue(nullptr);
    queue.AddSaveJob(tif, StripedPage(640, 480, 200, 200), 1, 3, 0, 1, 0, 0, 0, 0);
    queue.AddSaveJob(tif, StripedPage(640, 480, 200, 200), 1, 3, 0, 0, 0, 0, 0, 0);  // page 2
    queue.AddSaveJob(bmp, StripedPage(320, 240, 200, 200), 6, 9, 0, 0, 0, 0, 0, 0);
    queue.AddSaveJob(TempPath("qm_viewer_lib_empty.tif"), nullptr, 1, 3, 0, 1, 0, 0, 0, 0);
    ASSERT_TRUE(queue.WaitIdle(std::chrono::seconds(60)));
    EXPECT_EQ(queue.FailedCount(), 1);  // the empty image
  }

  LibraryWindow w;
  int tags = 0;
  w.viewer.OnTag = [&](QmDocumentImage*, uint16_t, int16_t, int32_t, const std::string&,
                       const std::string& name, bool, int16_t, bool&) {
    EXPECT_FALSE(name.empty());
    ++tags;
  };
  w.viewer.LoadTiffPage(tif, 1, 1);
  ASSERT_TRUE(w.viewer.HasImage());
  EXPECT_EQ(w.viewer.TiffPage(), 1);
  EXPECT_EQ(w.viewer.TiffPageCount(), 2);
  EXPECT_GT(tags, 3);
  EXPECT_EQ(w.viewer.FPaint().Width(), 640);

  w.viewer.SetScaleDoc(TScaleToGray::S_Gray_Anti_256);
  w.viewer.BestFit();
  EXPECT_TRUE(w.viewer.Document().GrayShown());
  EXPECT_EQ(w.viewer.FPaint().Width(), RoundHalfEven(640 * double(w.viewer.ScalePercent()) / 100));

  TiffStream stream = ReadWholeFile(tif);
  w.viewer.LoadTiffStream(&stream, 0, 1);
  EXPECT_TRUE(w.viewer.HasImage());
  EXPECT_TRUE(w.viewer.Document().StreamFlag());
  EXPECT_EQ(w.viewer.TiffPageCount(), 2);

  w.viewer.LoadImageFile(bmp, TLoadResolution::lAutoMatic, false);
  ASSERT_TRUE(w.viewer.HasImage());
  EXPECT_FALSE(w.viewer.Document().StreamFlag());
  EXPECT_EQ(w.viewer.TiffPageCount(), 0);
  DeleteFileA(tif.c_str());
  DeleteFileA(bmp.c_str());
}

TEST(ViewerLibrary, MissingFileRaisesTheLibrarysError) {
  LibraryWindow w;
  EXPECT_THROW(w.viewer.LoadTiffPage(TempPath("qm_viewer_none.tif"), 0, 1), ErrorInvalid);
}

TEST(ViewerLibrary, UnhandledDllErrorIsRaisedAsErrorInvalid) {
  LibraryWindow w;
  EXPECT_THROW(w.viewer.ReportDllError(), ErrorInvalid);
}
