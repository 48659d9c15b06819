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

struct Rig {
  FakeImaging imaging;
  RecordingHost host;
  std::unique_ptr<QmViewerDocument> doc = std::make_unique<QmViewerDocument>(imaging, host);
  TiffStream stream = TiffStream(200, 1);

  Rig() {
    FakeFile tiff;
    tiff.page = {1000, 2000, 1, 7874, 7874};
    tiff.pageCount = 4;
    tiff.tags = {{256, 4, 1000, "", "IMAGEWIDTH", true}, {270, 12, 0, "a scanned page", "IMAGEDESCRIPTION", false}};
    imaging.files["C:\\PAGE.TIF"] = tiff;
    FakeFile bmp;
    bmp.format = "BMP";
    bmp.page = {300, 200, 24, 3937, 3937};
    imaging.files["C:\\PICTURE.BMP"] = bmp;
    FakeFile fax = tiff;
    fax.page = {1728, 1100, 1, 8031, 3858};  // 204 x 98 dpi
    imaging.files["C:\\FAX.TIF"] = fax;
  }
};

}  // namespace

TEST(ViewerDocument, TiffPageLoadFillsStateAndReportsByFile) {
  Rig r;
  r.doc->LoadTiffPage("C:\\PAGE.TIF", 2, 1);
  EXPECT_TRUE(r.doc->HasImage());
  EXPECT_EQ(r.doc->TiffPage(), 2);
  EXPECT_EQ(r.doc->TiffPageCount(), 4);
  EXPECT_EQ(r.doc->FileName(), "C:\\PAGE.TIF");
  EXPECT_EQ(r.doc->XResolution(), 200);
  EXPECT_EQ(r.doc->StoredImageSize(), (QmSize{1000, 2000}));
  EXPECT_EQ(r.doc->PaintBoxSize(), (QmSize{1000, 2000}));
  ASSERT_EQ(r.host.infos.size(), 1u);
  EXPECT_TRUE(r.host.infos[0].byFile);
  EXPECT_EQ(r.host.infos[0].tiffPages, 4);
  EXPECT_EQ(r.host.finished, 1);
  ASSERT_EQ(r.doc->Tags().size(), 2u);
  EXPECT_EQ(r.doc->Tags()[1].data, "a scanned page");
  EXPECT_EQ(r.doc->Tags()[0].data, "");
  EXPECT_EQ(r.doc->Tags()[1].page, 2);
  EXPECT_TRUE(r.doc->DisplayEnabled());
}

TEST(ViewerDocument, MissingTiffRaises) {
  Rig r;
  EXPECT_THROW(r.doc->LoadTiffPage("C:\\NONE.TIF", 0, 1), ViewerError);
}

TEST(ViewerDocument, FailedTiffReadEmptiesTheViewerWithoutError) {
  Rig r;
  r.doc->LoadTiffPage("C:\\PAGE.TIF", 0, 1);
  r.imaging.readFails = true;
  r.doc->LoadTiffPage("C:\\PAGE.TIF", 1, 1);
  EXPECT_FALSE(r.doc->HasImage());
  EXPECT_EQ(r.imaging.Live(), 0u);
  EXPECT_TRUE(r.doc->DisplayEnabled());
}

TEST(ViewerDocument, StreamLoadThenFileLoadReadsTheFile) {
  Rig r;
  r.doc->LoadTiffStream(&r.stream, 1, 1);
  EXPECT_TRUE(r.doc->StreamFlag());
  EXPECT_EQ(r.doc->FileName(), "STREAM");
  ASSERT_FALSE(r.host.infos.empty());
  EXPECT_FALSE(r.host.infos.back().byFile);
  EXPECT_EQ(r.host.infos.back().fileName, "");
  EXPECT_EQ(r.doc->TiffPageCount(), 3);

  r.imaging.calls.clear();
  r.doc->LoadTiffPage("C:\\PAGE.TIF", 0, 1);
  EXPECT_FALSE(r.doc->StreamFlag());
  EXPECT_EQ(r.doc->Stream(), nullptr);
  EXPECT_EQ(std::count(r.imaging.calls.begin(), r.imaging.calls.end(), "ReturnTagsStream"), 0);
  EXPECT_EQ(std::count(r.imaging.calls.begin(), r.imaging.calls.end(), "ReturnTags C:\\PAGE.TIF"), 1);
  EXPECT_EQ(r.doc->Tags()[0].value, 1000);
}

TEST(ViewerDocument, NullStreamRaises) {
  Rig r;
  EXPECT_THROW(r.doc->LoadTiffStream(nullptr, 0, 1), ViewerError);
}

TEST(ViewerDocument, ImageFileLoadResetsTiffState) {
  Rig r;
  r.doc->LoadTiffStream(&r.stream, 2, 1);
  r.host.infos.clear();
  r.doc->LoadImageFile("C:\\PICTURE.BMP", TLoadResolution::lAutoMatic, false);
  EXPECT_EQ(r.imaging.calls.back(), "Read BMP C:\\PICTURE.BMP");
  EXPECT_EQ(r.doc->TiffPage(), 0);
  EXPECT_EQ(r.doc->TiffPageCount(), 0);
  EXPECT_FALSE(r.doc->StreamFlag());
  EXPECT_EQ(r.doc->Stream(), nullptr);
  EXPECT_TRUE(r.doc->Tags().empty());
  EXPECT_EQ(r.doc->FileName(), "C:\\PICTURE.BMP");
  EXPECT_EQ(r.doc->StoredImageSize(), (QmSize{300, 200}));
  ASSERT_EQ(r.host.infos.size(), 1u);
  EXPECT_FALSE(r.host.infos[0].byFile);
  EXPECT_EQ(r.host.infos[0].tiffPages, 0);
  EXPECT_EQ(r.host.finished, 2);
}

TEST(ViewerDocument, MissingImageFileChangesNothingButFinishes) {
  Rig r;
  r.doc->LoadTiffPage("C:\\PAGE.TIF", 1, 1);
  DibRef before = r.doc->Dib();
  int finished = r.host.finished;
  r.doc->LoadImageFile("C:\\GONE.BMP", TLoadResolution::lAutoMatic, false);
  EXPECT_EQ(r.doc->Dib(), before);
  EXPECT_EQ(r.doc->TiffPage(), 1);
  EXPECT_EQ(r.host.finished, finished + 1);
}

TEST(ViewerDocument, FaxPageIsSquaredAndKeepsItsResolutions) {
  Rig r;
  r.doc->LoadTiffPage("C:\\FAX.TIF", 0, 1);
  auto it = std::find(r.imaging.calls.begin(), r.imaging.calls.end(), "ScaleToGray 0 1728x2290");
  EXPECT_NE(it, r.imaging.calls.end());
  DibFacts f = r.imaging.Facts(r.doc->Dib());
  EXPECT_EQ(f.width, 1728);
  EXPECT_EQ(f.height, 2290);
  EXPECT_EQ(r.doc->XResolution(), 204);
  EXPECT_EQ(r.doc->YResolution(), 98);
  EXPECT_EQ(r.imaging.Live(), 1u);
}

TEST(ViewerDocument, ZeroPixelsPerMetreSkipsSquaring) {
  Rig r;
  r.imaging.files["C:\\PAGE.TIF"].page = {1000, 2000, 1, 0, 3937};
  r.doc->LoadTiffPage("C:\\PAGE.TIF", 0, 1);
  EXPECT_EQ(r.imaging.grayCalls, 0);
  EXPECT_EQ(r.imaging.resizeCalls, 0);
  EXPECT_EQ(r.imaging.Facts(r.doc->Dib()).height, 2000);
}

TEST(ViewerDocument, ColourPagesAreResizedNotGrayScaled) {
  Rig r;
  r.imaging.files["C:\\PAGE.TIF"].page = {1000, 1000, 24, 7874, 3937};
  r.doc->LoadTiffPage("C:\\PAGE.TIF", 0, 24);
  EXPECT_EQ(r.imaging.resizeCalls, 1);
  EXPECT_EQ(r.imaging.Facts(r.doc->Dib()).height, 2000);
}

TEST(ViewerDocument, PagesWiderThanSixteenBits) {
  Rig r;
  r.imaging.files["C:\\PAGE.TIF"].page = {40000, 50, 1, 3937, 3937};
  r.doc->SetAutoSize(true);
  r.doc->LoadTiffPage("C:\\PAGE.TIF", 0, 1);
  EXPECT_EQ(r.doc->StoredImageSize(), (QmSize{40000, 50}));
  EXPECT_EQ(r.host.controlSize, (QmSize{40000, 50}));
}

TEST(ViewerDocument, ScalePercentRulesAndLayout) {
  Rig r;
  r.imaging.files["C:\\PAGE.TIF"].page = {101, 10, 8, 3937, 3937};
  r.doc->LoadTiffPage("C:\\PAGE.TIF", 0, 8);
  r.doc->SetScalePercent(150.0f);
  EXPECT_EQ(r.host.paintBox.width, 151);
  int layouts = r.host.layouts;
  r.doc->SetScalePercent(150.0f);
  EXPECT_EQ(r.host.layouts, layouts);  // same value: nothing happens
  r.doc->SetScalePercent(0.5f);
  EXPECT_EQ(r.doc->ScalePercent(), 1.0f);
  EXPECT_EQ(r.host.paintBox.width, 1);
}

TEST(ViewerDocument, BestFitUsesTheOuterSize) {
  Rig r;
  r.doc->LoadTiffPage("C:\\PAGE.TIF", 0, 1);  // 1000 x 2000, viewer 504 x 404
  r.doc->BestFit();
  EXPECT_FLOAT_EQ(r.doc->ScalePercent(), 20.0f);
  EXPECT_EQ(r.host.paintBox, (QmSize{200, 400}));
}

TEST(ViewerDocument, GrayCopyForBilevelPages) {
  Rig r;
  r.doc->SetScaleDoc(TScaleToGray::S_Gray_Anti_256);
  r.doc->LoadTiffPage("C:\\PAGE.TIF", 0, 1);
  r.doc->SetScalePercent(33.3f);
  EXPECT_TRUE(r.doc->GrayShown());
  EXPECT_EQ(r.host.paintBox, (QmSize{333, 666}));
  auto plan = r.doc->PlanPaint();
  EXPECT_EQ(plan.source, r.doc->GrayCopy());
  EXPECT_EQ(plan.stretchMode, 3);
  ASSERT_FALSE(r.host.progress.empty());
  EXPECT_EQ(r.host.progress.back(), std::make_pair(int16_t(100), std::string("scaling image to gray 8 bit anti alias")));
}

TEST(ViewerDocument, ColourPageIsPaintedFromTheDibWithoutGrayCopy) {
  Rig r;
  r.imaging.files["C:\\PAGE.TIF"].page = {300, 200, 24, 3937, 3937};
  r.doc->SetScaleDoc(TScaleToGray::S_Gray_Anti_256);
  r.doc->LoadTiffPage("C:\\PAGE.TIF", 0, 24);
  EXPECT_EQ(r.imaging.grayCalls, 0);  // no copy made that would not be shown
  EXPECT_FALSE(r.doc->GrayShown());
  EXPECT_EQ(r.doc->PlanPaint().source, r.doc->Dib());
}

TEST(ViewerDocument, FailedGrayCopyPaintsTheDib) {
  Rig r;
  r.imaging.grayFails = true;
  r.doc->SetScaleDoc(TScaleToGray::S_Gray_16_8);
  r.doc->LoadTiffPage("C:\\PAGE.TIF", 0, 1);
  r.doc->SetScalePercent(50.0f);
  EXPECT_FALSE(r.doc->GrayShown());
  EXPECT_EQ(r.host.paintBox, (QmSize{500, 1000}));
  auto plan = r.doc->PlanPaint();
  EXPECT_EQ(plan.source, r.doc->Dib());
}

TEST(ViewerDocument, ScannedDibIsCopied) {
  Rig r;
  DibRef mine = r.imaging.Make({800, 600, 1, 7874, 7874});
  r.doc->ShowScannedDib(mine, "C:\\SCAN\\000001.TIF");
  EXPECT_NE(r.doc->Dib(), mine);
  EXPECT_TRUE(r.imaging.dibs.count(mine));
  EXPECT_EQ(r.host.shown, 1);
  EXPECT_EQ(r.doc->FileName(), "C:\\SCAN\\000001.TIF");
  EXPECT_EQ(r.host.paintBox, (QmSize{800, 600}));
}

TEST(ViewerDocument, AutoCorrectInvertsBilevelPagesMarkedBlackIsZero) {
  Rig r;
  r.imaging.files["C:\\PAGE.TIF"].photometric = 1;
  r.doc->SetAutoCorrectDib(true);
  r.doc->LoadTiffPage("C:\\PAGE.TIF", 0, 1);
  EXPECT_EQ(r.imaging.dibs.at(r.doc->Dib()).rows.front(), 0xF0);
  EXPECT_EQ(r.imaging.dibs.at(r.doc->Dib()).rows.back(), 0xF0);
}

TEST(ViewerDocument, TagHandlerCanStopTheEnumeration) {
  Rig r;
  r.host.cancelTags = true;
  r.doc->LoadTiffPage("C:\\PAGE.TIF", 0, 1);
  EXPECT_EQ(r.doc->Tags().size(), 1u);
}

TEST(ViewerDocument, ScanFileNameAndItsHandler) {
  Rig r;
  EXPECT_EQ(r.doc->ScanFileName(), "C:\\FILE.TIF");
  r.doc->SetScanFileName("C:\\FILE0000.TIF");
  EXPECT_EQ(r.doc->ScanFileName(), "C:\\FILE0000.TIF");
  r.doc->SetScanSaveNumber(12);
  EXPECT_EQ(r.doc->ScanFileName(), "C:\\FILE0012.TIF");
  r.doc->SetScanSaveNumber(20000);
  EXPECT_EQ(r.doc->ScanSaveNumber(), 9900);
  r.host.handlerAssigned = true;
  r.doc->SetScanFileName("C:\\OTHER.TIF");
  EXPECT_EQ(r.doc->ScanFileName(), "D:\\OWN.TIF");
}

TEST(ViewerDocument, PaintingIsOffWithoutImage) {
  Rig r;
  EXPECT_EQ(r.doc->PlanPaint().source, 0u);
  r.doc->SetBlitMode(TBlitMode::sDark);
  r.doc->LoadTiffPage("C:\\PAGE.TIF", 0, 1);
  EXPECT_EQ(r.doc->PlanPaint().stretchMode, 1);
}

TEST(ViewerDocument, EveryBlockIsFreed) {
  Rig r;
  r.doc->SetScaleDoc(TScaleToGray::S_Gray_Anti_16);
  r.doc->LoadTiffPage("C:\\FAX.TIF", 0, 1);
  r.doc->LoadTiffStream(&r.stream, 0, 1);
  r.doc->LoadImageFile("C:\\PICTURE.BMP", TLoadResolution::lAutoMatic, false);
  r.doc.reset();
  EXPECT_EQ(r.imaging.Live(), 0u);
}

TEST(ViewerDocument, ResolutionIsMirroredInTheHeader) {
  Rig r;
  EXPECT_EQ(r.doc->XResolution(), 100);
  EXPECT_EQ(r.doc->ImgWidth(), 0.0);
  r.doc->LoadTiffPage("C:\\PAGE.TIF", 0, 1);
  r.doc->SetYResolution(300);
  EXPECT_EQ(r.imaging.Facts(r.doc->Dib()).yPixelsPerMetre, 11811);
  EXPECT_DOUBLE_EQ(r.doc->ImgWidth(), 5.0);
}

TEST(ViewerDocument, PageSteppingThroughAFile) {
  Rig r;
  r.imaging.files["C:\\PAGE.TIF"].pageCount = 3;
  r.doc->LastPage();  // no pages known yet: nothing moves
  EXPECT_FALSE(r.doc->HasImage());
  r.doc->LoadTiffPage("C:\\PAGE.TIF", 0, 1);
  EXPECT_FALSE(r.doc->PriorPage());
  EXPECT_TRUE(r.doc->NextPage());
  EXPECT_EQ(r.doc->TiffPage(), 1);
  EXPECT_EQ(r.doc->PreviousPage(), 0);
  r.doc->LastPage();
  EXPECT_EQ(r.doc->TiffPage(), 2);
  EXPECT_FALSE(r.doc->NextPage());
  EXPECT_FALSE(r.doc->GoToPage(3));
  EXPECT_FALSE(r.doc->GoToPage(-1));
  int finished = r.host.finished;
  r.doc->FirstPage();
  EXPECT_EQ(r.doc->TiffPage(), 0);
  EXPECT_EQ(r.host.finished, finished + 2);  // the load's own and the step's
}

TEST(ViewerDocument, PageSteppingThroughAStream) {
  Rig r;
  r.doc->LoadTiffStream(&r.stream, 0, 1);  // three pages
  r.imaging.calls.clear();
  EXPECT_TRUE(r.doc->NextPage());
  EXPECT_EQ(r.imaging.calls.front(), "ReadTiffStream");
  EXPECT_EQ(r.doc->TiffPage(), 1);
  EXPECT_TRUE(r.doc->StreamFlag());
}
