// The viewer's page maintenance, writing and edits over fake bindings: what a failed library
// call leaves (nothing changed, the error reported), which page is shown after a delete, that
// blocks go back on every path, and the sizes and depths each operation asks for.
#include <gtest/gtest.h>

#include <memory>

#include "fake_imaging.h"
#include "viewer_document.h"

using namespace qm;
using qm_test::FakeFile;
using qm_test::FakeImaging;
using qm_test::RecordingHost;
using qm_test::ViewerError;

namespace {

constexpr const char* kTiff = "C:\\THREE.TIF";

struct Rig {
  FakeImaging imaging;
  RecordingHost host;
  std::unique_ptr<QmViewerDocument> doc = std::make_unique<QmViewerDocument>(imaging, host);
  TiffStream stream = TiffStream(300, 7);

  Rig() {
    FakeFile tiff;
    tiff.page = {800, 600, 1, 7874, 7874};
    tiff.pageCount = 3;
    imaging.files[kTiff] = tiff;
    imaging.strictPages = true;
  }
  void ShowPage(int16_t page) { doc->LoadTiffPage(kTiff, page, 1); }
  size_t Loads() const {
    size_t n = 0;
    for (auto& c : imaging.calls) n += c.rfind("ReadTiff", 0) == 0;
    return n;
  }
};

}  // namespace

TEST(ViewerPageEdits, AFailedDeleteChangesNothingAndIsReported) {
  Rig r;
  r.ShowPage(1);
  DibRef shown = r.doc->Dib();
  size_t loads = r.Loads();
  r.imaging.deleteFails = true;
  r.imaging.dllError = "the page could not be removed";
  size_t infos = r.host.infos.size();
  try {
    r.doc->DeleteCurrentPage();
    FAIL() << "no error";
  } catch (const ViewerError& e) {
    EXPECT_STREQ(e.what(), "the page could not be removed");
  }
  // The file's information is refreshed all the same, for the page still shown.
  ASSERT_EQ(r.host.infos.size(), infos + 1);
  EXPECT_EQ(r.host.infos.back().tiffThisPage, 1);
  EXPECT_EQ(r.host.infos.back().tiffPages, 3);
  EXPECT_EQ(r.doc->TiffPage(), 1);
  EXPECT_EQ(r.doc->TiffPageCount(), 3);
  EXPECT_EQ(r.doc->Dib(), shown);
  EXPECT_EQ(r.Loads(), loads);
  EXPECT_TRUE(r.host.deleted.empty());

  // With OnPictorelError assigned the handler hears of it and still nothing moves.
  r.host.handleDllErrors = true;
  infos = r.host.infos.size();
  r.doc->DeleteTiffPage(0);
  ASSERT_EQ(r.host.dllErrors.size(), 1u);
  EXPECT_EQ(r.host.infos.size(), infos + 1);
  EXPECT_EQ(r.doc->TiffPageCount(), 3);
  EXPECT_EQ(r.Loads(), loads);

  // The stream keeps its bytes.
  r.doc->LoadTiffStream(&r.stream, 0, 1);
  TiffStream before = r.stream;
  infos = r.host.infos.size();
  r.doc->DeleteTiffPage(0);
  EXPECT_EQ(r.stream, before);
  EXPECT_EQ(r.doc->TiffPageCount(), 3);
  EXPECT_EQ(r.host.infos.size(), infos + 1);  // the stream's information refreshed
}

TEST(ViewerPageEdits, TheShownPageIsChosenAmongThoseLeft) {
  struct Case {
    int16_t shown, deleted, expected;
  } cases[] = {
      {2, 0, 0},  // an earlier page while the last one is shown
      {2, 2, 1},  // the last page itself
      {0, 0, 0},  // the page that moved into index 0
      {1, 1, 1},
      {0, 2, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "shown " << c.shown << " deleted " << c.deleted);
    Rig r;
    r.ShowPage(c.shown);
    r.doc->DeleteTiffPage(c.deleted);  // the strict fake fails any read of a missing page
    EXPECT_EQ(r.doc->TiffPageCount(), 2);
    EXPECT_EQ(r.doc->TiffPage(), c.expected);
    EXPECT_EQ(r.imaging.calls.back().rfind("ReturnTags", 0), 0u);
    EXPECT_EQ(r.host.deleted, std::vector<int16_t>{c.deleted});
    for (const auto& info : r.host.infos) EXPECT_LT(info.tiffThisPage, info.tiffPages);
  }
}

TEST(ViewerPageEdits, DeletingInAStreamAndDeletingTheOnlyPage) {
  Rig r;
  r.doc->LoadTiffStream(&r.stream, 2, 1);
  r.doc->DeleteTiffPage(0);
  EXPECT_EQ(r.stream.size(), 299u);  // the library's result replaced the caller's bytes
  EXPECT_EQ(r.doc->TiffPageCount(), 2);
  EXPECT_EQ(r.doc->TiffPage(), 0);
  EXPECT_TRUE(r.doc->StreamFlag());

  // A library that lets the only page go: nothing to show, the old image stays.
  Rig one;
  one.imaging.files[kTiff].pageCount = 1;
  one.ShowPage(0);
  DibRef shown = one.doc->Dib();
  size_t loads = one.Loads();
  one.imaging.strictPages = false;
  one.doc->DeleteCurrentPage();
  EXPECT_EQ(one.doc->TiffPageCount(), 0);
  EXPECT_EQ(one.doc->Dib(), shown);
  EXPECT_EQ(one.Loads(), loads);
  // Pages out of range delete nothing.
  one.doc->DeleteTiffPage(0);
  one.doc->DeleteTiffPage(-1);
  size_t deletes = 0;
  for (auto& c : one.imaging.calls) deletes += c.rfind("DeletePage", 0) == 0;
  EXPECT_EQ(deletes, 1u);
}

TEST(ViewerPageEdits, WritingIntoAStreamSwapsOnlyAfterSuccess) {
  Rig r;
  r.doc->LoadTiffStream(&r.stream, 1, 1);
  TiffStream before = r.stream;
  r.imaging.writeFails = true;
  size_t infos = r.host.infos.size();
  EXPECT_THROW(r.doc->WriteCurrentPage(TTiffCompression::sFAXCCITT4, TSaveResolution::sMonoChrome),
               ViewerError);
  EXPECT_EQ(r.stream, before);            // the whole TIFF is still there
  EXPECT_EQ(r.host.infos.size(), infos + 1);  // and its information refreshed all the same
  EXPECT_EQ(r.imaging.Live(), 1u);        // only the page shown is held

  r.imaging.writeFails = false;
  r.doc->WriteCurrentPage(TTiffCompression::sLZW, TSaveResolution::sColor256);
  EXPECT_EQ(r.stream.size(), before.size() + 1);
  EXPECT_EQ(r.stream.back(), 0xAB);
  // CCITT codes write one bit; LZW the depth the colour option gives.
  EXPECT_EQ(r.imaging.writeBits, (std::vector<int>{1, 100 + int(TSaveResolution::sColor256)}));

  r.doc->ClearImage();
  EXPECT_THROW(r.doc->WriteCurrentPage(TTiffCompression::sNONE, TSaveResolution::sMonoChrome),
               ViewerError);
}

TEST(ViewerPageEdits, SaveToTiffFreesItsCopyAndDropsTheStreamOnEveryPath) {
  Rig r;
  r.doc->LoadTiffStream(&r.stream, 0, 1);
  r.imaging.writeFails = true;
  QmViewerDocument::TiffSaveOptions options;
  EXPECT_THROW(r.doc->SaveToTiff("C:\\OUT.TIF", 50, TScaleToGray::S_Gray_Anti_16, 4, options),
               ViewerError);
  EXPECT_EQ(r.imaging.Live(), 1u);  // the scaled copy went back
  EXPECT_FALSE(r.doc->StreamFlag());
  EXPECT_EQ(r.doc->Stream(), nullptr);
  EXPECT_EQ(r.doc->FileName(), "C:\\OUT.TIF");

  r.imaging.writeFails = false;
  r.doc->SaveToTiff("C:\\OUT.TIF", 50, TScaleToGray::S_Gray_Anti_16, 4, options);
  r.doc->SaveToTiff("C:\\OUT.TIF", 50, TScaleToGray::S_Gray_Anti_16, 4, options);  // appended
  EXPECT_EQ(r.imaging.Live(), 1u);
  EXPECT_EQ(r.imaging.files["C:\\OUT.TIF"].pageCount, 2);
  EXPECT_EQ(r.imaging.files["C:\\OUT.TIF"].page.width, 320);  // half of 640
  EXPECT_EQ(r.doc->TiffPage(), 1);  // the page just written, which the file holds
  EXPECT_EQ(r.doc->TiffPageCount(), 2);

  // A failed write into the file refreshes its information all the same: after the error with
  // it raised, and before the save's end with a handler.
  r.imaging.writeFails = true;
  size_t infos = r.host.infos.size();
  const int finished = r.host.finished;
  EXPECT_THROW(r.doc->SaveToTiff("C:\\OUT.TIF", 50, TScaleToGray::S_Gray_Anti_16, 4, options),
               ViewerError);
  EXPECT_EQ(r.host.infos.size(), infos + 1);
  EXPECT_EQ(r.host.infos.back().tiffPages, 2);
  EXPECT_EQ(r.host.finished, finished);
  r.host.handleDllErrors = true;
  r.doc->SaveToTiff("C:\\OUT.TIF", 50, TScaleToGray::S_Gray_Anti_16, 4, options);
  EXPECT_EQ(r.host.dllErrors.size(), 1u);
  EXPECT_EQ(r.host.infos.size(), infos + 2);
  EXPECT_EQ(r.host.finished, finished + 1);
  EXPECT_EQ(r.imaging.files["C:\\OUT.TIF"].pageCount, 2);
  EXPECT_EQ(r.imaging.Live(), 1u);
  r.host.handleDllErrors = false;
  r.imaging.writeFails = false;

  options.mode = TTifSaveOpt::tiffReplace;
  r.doc->SaveToTiff("C:\\OUT.TIF", 100, TScaleToGray::S_Gray_None, 1, options);
  EXPECT_EQ(r.imaging.files["C:\\OUT.TIF"].pageCount, 1);
  EXPECT_EQ(r.doc->TiffPage(), 0);
  options.mode = TTifSaveOpt::tiffInsert;
  options.insertAt = 1;
  r.doc->SaveToTiff("C:\\OUT.TIF", 100, TScaleToGray::S_Gray_None, 1, options);
  EXPECT_EQ(r.host.inserted, std::vector<int16_t>{1});
  EXPECT_EQ(r.imaging.Live(), 1u);
}

TEST(ViewerPageEdits, ScaledCopySizes) {
  Rig r;
  r.ShowPage(0);  // 800 x 600 bilevel at 200 dpi
  DibRef same = r.doc->ScaledCopy(100, TScaleToGray::S_Gray_Anti_16);
  EXPECT_NE(same, r.doc->Dib());  // a byte copy
  EXPECT_EQ(r.imaging.Facts(same).bitCount, 1);
  DibRef half = r.doc->ScaledCopy(50, TScaleToGray::S_Gray_Anti_16);
  EXPECT_EQ(r.imaging.calls.back(), "ScaleToGray 6 400x300");
  EXPECT_EQ(r.host.progress.back().second, "scaling image to gray 4 bit anti alias");
  r.imaging.Free(same);
  r.imaging.Free(half);
}

TEST(ViewerPageEdits, InvertingATopDownBilevelPageCountsItsRows) {
  Rig r;
  DibRef top = r.imaging.Make({100, -40, 1, 3937, 3937});
  r.doc->ShowPastedDib(top);
  r.doc->InvertColors();
  ASSERT_EQ(r.imaging.invertedBytes.size(), 1u);
  EXPECT_EQ(r.imaging.invertedBytes[0], 16u * 40u);
  EXPECT_EQ(r.imaging.dibs.at(r.doc->Dib()).rows[0], 0xF0);
  // Other depths go through the library.
  r.doc->ShowPastedDib(r.imaging.Make({10, 10, 24, 3937, 3937}));
  r.doc->InvertColors();
  EXPECT_EQ(r.imaging.calls.back(), "Invert");
}

TEST(ViewerPageEdits, DeskewRotatesBackByTheMeasuredAngleOnTheChosenGround) {
  Rig r;
  r.ShowPage(0);
  QmViewerDocument::DeskewSettings s;
  r.imaging.skewAngle = 2.5;
  EXPECT_DOUBLE_EQ(r.doc->MeasureSkew(s), 2.5);
  r.doc->Deskew(1, s);
  EXPECT_EQ(r.imaging.calls.back(), "Rotate 0 -2.500000");
  r.doc->Deskew(0, s);
  EXPECT_EQ(r.imaging.calls.back(), "Rotate 16777215 -2.500000");
  // A rotation the library could not do leaves the page as it was.
  DibRef shown = r.doc->Dib();
  r.imaging.rotateFails = true;
  r.doc->RotateBy(0xFFFFFF, 90);
  EXPECT_EQ(r.doc->Dib(), shown);
  r.doc->ClearImage();
  EXPECT_THROW(r.doc->RotateBy(0xFFFFFF, 90), ViewerError);
  EXPECT_THROW(r.doc->MirrorBy(0, 1), ViewerError);
  EXPECT_THROW(r.doc->InvertColors(), ViewerError);
  EXPECT_THROW(r.doc->Deskew(0, s), ViewerError);
}

TEST(ViewerPageEdits, PackingAFileOrAStream) {
  Rig r;
  r.ShowPage(0);
  r.doc->PackTiffFile();
  EXPECT_EQ(r.imaging.calls[r.imaging.calls.size() - 2], std::string("PackTiff ") + kTiff);
  r.doc->LoadTiffStream(&r.stream, 0, 1);
  r.doc->PackTiffFile();
  EXPECT_EQ(r.stream.size(), 150u);
  r.imaging.writeFails = true;
  EXPECT_THROW(r.doc->PackTiffFile(), ViewerError);
  EXPECT_EQ(r.stream.size(), 150u);
}
