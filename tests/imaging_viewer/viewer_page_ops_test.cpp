// The viewer's page operations over the imaging library's own DLLs: deleting and packing pages
// of a TIFF file and stream, writing the page shown back, saving scaled gray copies, rotating,
// mirroring and deskewing, and the clipboard. The files written go to bin/viewer_pages, where
// check_viewer_pages.sh reads them with tiffinfo and ImageMagick.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "crde_bindings.h"
#include "error_invalid.h"
#include "qm_document_image.h"
#include "qm_save_image_thrd.h"
#include "test_files.h"
#include "test_imaging_port.h"

using namespace qm;
using namespace qm_test;

namespace {

std::string OutDir() {
  const std::string dir = FolderOfThisProgram() + "viewer_pages\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

std::string Out(const std::string& name) { return OutDir() + name; }

// Page k of three: its own black block and k + 1 bars, so that no two pages are alike and none
// is symmetric.
HGLOBAL PatternPage(int k, int32_t w = 400, int32_t h = 300) {
  HGLOBAL dib = MakeDib(w, h, 1, 200, 200);
  auto* hdr = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
  uint8_t* bits = DibBits(hdr);
  size_t row = DibRowBytes(w, 1);
  for (int32_t y = 0; y < h; ++y) {
    int32_t top = h - 1 - y;
    for (int32_t x = 0; x < w; ++x) {
      bool block = x >= 30 + 100 * k && x < 90 + 100 * k && top >= 20 && top < 70;
      bool bar = top >= 120 && (top - 120) / 12 <= k && (top - 120) % 12 < 5 && x >= 20 && x < 300;
      bool corner = x < 15 && top < 40;
      if (!(block || bar || corner)) bits[size_t(y) * row + x / 8] |= uint8_t(0x80 >> (x % 8));
    }
  }
  GlobalUnlock(dib);
  return dib;
}

// Lines of "text" for the deskew: short dark runs along rows.
HGLOBAL TextPage(int32_t w, int32_t h) {
  HGLOBAL dib = MakeDib(w, h, 1, 200, 200);
  auto* hdr = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
  uint8_t* bits = DibBits(hdr);
  size_t row = DibRowBytes(w, 1);
  memset(bits, 0xFF, row * size_t(h));
  for (int32_t line = 0; line < 20; ++line)
    for (int32_t y = 60 + line * 30; y < 60 + line * 30 + 9 && y < h - 60; ++y)
      for (int32_t x = 80; x < w - 80; ++x)
        if ((x / 7 + line) % 9 != 0) bits[size_t(h - 1 - y) * row + x / 8] &= uint8_t(~(0x80 >> (x % 8)));
  GlobalUnlock(dib);
  return dib;
}

void CopyTiff(const std::string& from, const std::string& to) {
  ASSERT_TRUE(CopyFileA(from.c_str(), to.c_str(), FALSE)) << from << " -> " << to;
}

void WriteBytes(const std::string& name, const TiffStream& bytes) {
  std::ofstream(name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              std::streamsize(bytes.size()));
}

struct Viewer {
  TQmControl frame;
  QmDocumentImage viewer;
  Viewer() {
    frame.SetBounds(1400, 0, 560, 480);
    frame.InsertControl(&viewer);
    viewer.SetBounds(0, 0, 504, 404);
    frame.CreateHandle(nullptr);
  }
};

// The three-page TIFF every case starts from, written once through the library.
const std::string& ThreePages() {
  static std::string name;
  if (name.empty()) {
    name = Out("three.tif");
    DeleteFileA(name.c_str());
    for (int k = 0; k < 3; ++k) {
      HGLOBAL page = PatternPage(k);
      EXPECT_TRUE(WriteTiffFile(name, 1, 1, k > 0, page, nullptr, nullptr));
      ReleasePageBlock(page);
    }
  }
  return name;
}

}  // namespace

TEST(ViewerPageOps, DeletingPageOneOfThreeShowsTheOldThirdPage) {
  std::string name = Out("delete.tif");
  CopyTiff(ThreePages(), name);
  Viewer w;
  std::vector<int16_t> told;
  w.viewer.OnPageDeleted = [&](int16_t page) { told.push_back(page); };
  w.viewer.LoadTiffPage(name, 1, 1);
  w.viewer.DeleteCurrentPage();
  EXPECT_EQ(w.viewer.TiffPageCount(), 2);
  EXPECT_EQ(w.viewer.TiffPage(), 1);
  EXPECT_EQ(told, std::vector<int16_t>{1});
  // What the viewer shows now, for the check against the old third page.
  w.viewer.Settings().TifSaveOptions = TTifSaveOpt::tiffReplace;
  w.viewer.SaveToTiff(Out("delete_shown.tif"), 100, TScaleToGray::S_Gray_None, 1);

  // The same in a stream: the caller's bytes become the TIFF without the page.
  TiffStream stream = ReadWholeFile(ThreePages());
  w.viewer.LoadTiffStream(&stream, 2, 1);
  w.viewer.DeleteTiffPage(0);
  EXPECT_EQ(w.viewer.TiffPageCount(), 2);
  EXPECT_EQ(w.viewer.TiffPage(), 0);
  WriteBytes(Out("delete_stream.tif"), stream);
}

TEST(ViewerPageOps, ADeleteTheLibraryRefusesChangesNothing) {
  std::string name = Out("refused.tif");
  DeleteFileA(name.c_str());
  HGLOBAL page = PatternPage(0);
  ASSERT_TRUE(WriteTiffFile(name, 1, 1, false, page, nullptr, nullptr));
  ReleasePageBlock(page);
  Viewer w;
  w.viewer.LoadTiffPage(name, 0, 1);
  std::vector<uint8_t> before = ReadWholeFile(name);
  HGLOBAL shown = w.viewer.GetDibHandle();
  // The library keeps a TIFF's last page.
  EXPECT_THROW(w.viewer.DeleteCurrentPage(), ErrorInvalid);
  EXPECT_EQ(ReadWholeFile(name), before);
  EXPECT_EQ(w.viewer.TiffPageCount(), 1);
  EXPECT_EQ(w.viewer.GetDibHandle(), shown);
  std::string reported;
  w.viewer.OnPictorelError = [&](QmDocumentImage*, int16_t, const std::string& text, const char*) {
    reported = text;
  };
  w.viewer.DeleteCurrentPage();
  EXPECT_FALSE(reported.empty());
  EXPECT_TRUE(w.viewer.HasImage());
}

TEST(ViewerPageOps, PackingKeepsEveryPage) {
  std::string name = Out("pack.tif");
  CopyTiff(ThreePages(), name);
  Viewer w;
  w.viewer.LoadTiffPage(name, 0, 1);
  w.viewer.PackTiffFile();
  EXPECT_EQ(w.viewer.TiffPageCount(), 3);
  TiffStream stream = ReadWholeFile(ThreePages());
  w.viewer.LoadTiffStream(&stream, 0, 1);
  w.viewer.PackTiffFile();
  WriteBytes(Out("pack_stream.tif"), stream);
  w.viewer.LoadTiffStream(&stream, 2, 1);
  EXPECT_TRUE(w.viewer.HasImage());
}

TEST(ViewerPageOps, WritingThePageShownBackIntoItsFileAndStream) {
  std::string name = Out("write.tif");
  CopyTiff(ThreePages(), name);
  Viewer w;
  w.viewer.LoadTiffPage(name, 2, 1);
  w.viewer.InvertColors();
  w.viewer.WriteCurrentPage();
  EXPECT_EQ(w.viewer.TiffPageCount(), 3);

  TiffStream stream = ReadWholeFile(ThreePages());
  w.viewer.LoadTiffStream(&stream, 1, 1);
  w.viewer.InvertColors();
  w.viewer.WriteCurrentPage();
  WriteBytes(Out("write_stream.tif"), stream);

  // A write the library refuses leaves the whole stream as it was.
  TiffStream before = stream;
  w.viewer.SetTiffPage(7);
  EXPECT_THROW(w.viewer.WriteCurrentPage(), ErrorInvalid);
  EXPECT_EQ(stream, before);
}

TEST(ViewerPageOps, SaveToTiffWritesHalfSizeFourBitGrayPages) {
  Viewer w;
  w.viewer.LoadTiffPage(ThreePages(), 0, 1);
  std::string replaced = Out("save_replace.tif"), appended = Out("save_append.tif");
  DeleteFileA(appended.c_str());
  w.viewer.Settings().TifSaveOptions = TTifSaveOpt::tiffReplace;
  w.viewer.SaveToTiff(replaced, 50, TScaleToGray::S_Gray_Anti_16, 4);
  w.viewer.SaveToTiff(replaced, 50, TScaleToGray::S_Gray_Anti_16, 4);
  EXPECT_EQ(w.viewer.TiffPageCount(), 1);
  w.viewer.Settings().TifSaveOptions = TTifSaveOpt::tiffAppend;
  w.viewer.SaveToTiff(appended, 50, TScaleToGray::S_Gray_Anti_16, 4);
  w.viewer.SaveToTiff(appended, 50, TScaleToGray::S_Gray_Anti_16, 4);
  EXPECT_EQ(w.viewer.TiffPageCount(), 2);
  EXPECT_EQ(w.viewer.TiffPage(), 1);
  // Into a folder that does not exist: the error is raised and the next save still works.
  EXPECT_THROW(w.viewer.SaveToTiff(Out("no folder\\x.tif"), 50, TScaleToGray::S_Gray_Anti_16, 4),
               ErrorInvalid);
  EXPECT_TRUE(w.viewer.HasImage());
}

TEST(ViewerPageOps, RotationsAndMirrorsOfThePage) {
  Viewer w;
  w.viewer.Settings().TifSaveOptions = TTifSaveOpt::tiffReplace;
  struct Case {
    const char* file;
    int kind;  // 0 rotate, 1 mirror
    double angle;
    int first, second;
  } cases[] = {
      {"rotate90.tif", 0, 90, 0, 0},   {"rotate180.tif", 0, 180, 0, 0}, {"rotate270.tif", 0, 270, 0, 0},
      {"rotate-90.tif", 0, -90, 0, 0}, {"mirror01.tif", 1, 0, 0, 1},    {"mirror10.tif", 1, 0, 1, 0},
      {"mirror11.tif", 1, 0, 1, 1},
  };
  for (const Case& c : cases) {
    w.viewer.LoadTiffPage(ThreePages(), 0, 1);
    if (c.kind == 0) w.viewer.RotateBy(0xFFFFFF, c.angle);
    else w.viewer.MirrorBy(c.first, c.second);
    w.viewer.SaveToTiff(Out(c.file), 100, TScaleToGray::S_Gray_None, 1);
  }
}

TEST(ViewerPageOps, DeskewStraightensAPageTurnedByThreeDegrees) {
  Viewer w;
  HGLOBAL page = TextPage(1200, 800);
  w.viewer.ShowScannedDib(page, "text");
  ReleasePageBlock(page);
  w.viewer.RotateBy(0xFFFFFF, 3.0);
  w.viewer.Settings().TifSaveOptions = TTifSaveOpt::tiffReplace;
  w.viewer.SaveToTiff(Out("skewed.tif"), 100, TScaleToGray::S_Gray_None, 1);
  double measured = w.viewer.MeasureSkew();
  EXPECT_NEAR(measured, 3.0, 0.3);
  w.viewer.Deskew(0);
  EXPECT_NEAR(w.viewer.MeasureSkew(), 0.0, 0.3);
  w.viewer.SaveToTiff(Out("deskewed.tif"), 100, TScaleToGray::S_Gray_None, 1);
  std::ofstream(Out("deskew_measured.txt")) << measured << "\n";
}

TEST(ViewerPageOps, AnnotationPagesFollowDeletedAndInsertedPages) {
  std::string name = Out("annotated.tif"), ant = Out("annotated.ant");
  CopyTiff(ThreePages(), name);
  std::ofstream(ant, std::ios::binary)
      << "[Page 0]\nCount=1\nItem1=Rect,10,10,50,50,255,First\n"
      << "[Page 2]\nCount=1\nItem1=Rect,20,20,60,60,255,Third\n";
  auto text = [&] {
    std::ifstream in(ant, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  Viewer w;
  std::vector<std::string> errors;
  w.viewer.OnPictorelError = [&](QmDocumentImage*, int16_t, const std::string& t, const char*) {
    errors.push_back(t);
  };
  w.viewer.LoadTiffPage(name, 0, 1);
  w.viewer.DeleteCurrentPage();
  std::string after = text();
  EXPECT_EQ(after.find("First"), std::string::npos) << after;
  size_t third = after.find("Third");
  ASSERT_NE(third, std::string::npos) << after;
  EXPECT_EQ(after.rfind("[Page 1]", third), after.rfind("[Page", third)) << after;

  // A page inserted into the file saved to moves the annotation pages after it.
  w.viewer.Settings().TifSaveOptions = TTifSaveOpt::tiffInsert;
  w.viewer.Settings().TifInsertAt = 0;
  std::vector<int16_t> inserted;
  w.viewer.OnPageInserted = [&](int16_t page) { inserted.push_back(page); };
  w.viewer.SaveToTiff(name, 100, TScaleToGray::S_Gray_None, 1);
  EXPECT_EQ(inserted, std::vector<int16_t>{0});
  EXPECT_EQ(w.viewer.TiffPageCount(), 3);
  after = text();
  third = after.find("Third");
  ASSERT_NE(third, std::string::npos) << after;
  EXPECT_EQ(after.rfind("[Page 2]", third), after.rfind("[Page", third)) << after;
  EXPECT_TRUE(errors.empty()) << errors.front();
}
