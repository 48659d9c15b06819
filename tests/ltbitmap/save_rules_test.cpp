// What L_SaveFile writes for each format code and depth request, decided without files.
#include <gtest/gtest.h>

#include "bitmap_image.h"
#include "convert.h"
#include "lt_bitmap.h"
#include "save_rules.h"
#include "tiff_codec.h"

using namespace imagecore;
using namespace ltbitmap;

namespace {

Image Page(uint16_t bits, bool colour) {
  Image im;
  Allocate(im, 40, 30, bits);
  if (colour && bits <= 8)
    for (size_t i = 0; i < im.palette.size(); ++i) im.palette[i] = MakeRgb(uint8_t(i * 37), 0, uint8_t(255 - i));
  for (size_t i = 0; i < im.pixels.size(); ++i) im.pixels[i] = uint8_t(i * 13);
  return im;
}

struct Case {
  int32_t format;
  uint16_t bits;
  bool colour;
  int32_t asked;
  uint16_t compression;  // as stored; 0 for JPEG
  uint16_t outBits;
  bool outGray;
};

class PrepareForSaveTable : public ::testing::TestWithParam<Case> {};

TEST_P(PrepareForSaveTable, GivesTheFileItsDepthAndCode) {
  const Case& c = GetParam();
  SavePlan plan;
  ASSERT_EQ(PlanSave(c.format, plan), kOk);
  Image out;
  ASSERT_EQ(PrepareForSave(Page(c.bits, c.colour), c.asked, plan, out), kOk);
  EXPECT_EQ(plan.compression, c.compression);
  EXPECT_EQ(out.bits, c.outBits);
  EXPECT_EQ(IsGrayImage(out), c.outGray);
}

INSTANTIATE_TEST_SUITE_P(Formats, PrepareForSaveTable, ::testing::Values(
    Case{kLtFileTiffCcitt, 1, false, 1, kTiffCcittRle, 1, true},
    Case{kLtFileTiffG3, 1, false, 0, kTiffG3, 1, true},
    Case{kLtFileTiffG4, 1, false, 1, kTiffG4, 1, true},
    // A fax code for a gray or colour page: written uncompressed at its own depth.
    Case{kLtFileTiffG4, 8, false, 8, kTiffNone, 8, true},
    Case{kLtFileTiffG4, 8, false, 1, kTiffNone, 8, true},
    Case{kLtFileTiffG3, 24, false, 24, kTiffNone, 24, false},
    Case{kLtFileTiffCcitt, 4, true, 0, kTiffNone, 4, false},
    Case{kLtFileTiff, 8, false, 0, kTiffNone, 8, true},
    Case{kLtFileTiff, 1, false, 0, kTiffNone, 1, true},
    Case{kLtFileTiff, 8, true, 24, kTiffNone, 24, false},
    // JPEG: black and white becomes 8-bit gray; colour palettes 24 bits.
    Case{kLtFileJpeg, 1, false, 8, 0, 8, true},
    Case{kLtFileJpeg, 1, false, 0, 0, 8, true},
    Case{kLtFileJpeg, 4, false, 0, 0, 8, true},
    Case{kLtFileJpeg, 8, true, 0, 0, 24, false},
    Case{kLtFileJpeg, 24, false, 0, 0, 24, false},
    Case{kLtFileJpeg, 24, false, 8, 0, 8, true}));

TEST(PlanSave, RefusesUnknownCodesAndDepths) {
  SavePlan plan;
  for (int32_t code : {0, 1, 2, 4, 11, 26, 28, 30, -3}) EXPECT_EQ(PlanSave(code, plan), kUnsupported) << code;
  ASSERT_EQ(PlanSave(kLtFileTiff, plan), kOk);
  Image out;
  for (int32_t bits : {2, 16, 32, -1}) EXPECT_EQ(PrepareForSave(Page(8, false), bits, plan, out), kBadArgument);
}

TEST(JpegQualityFromFactor, FallsAsTheFactorRises) {
  EXPECT_EQ(JpegQualityFromFactor(0), 100);
  EXPECT_EQ(JpegQualityFromFactor(25), 75);
  EXPECT_EQ(JpegQualityFromFactor(99), 1);
  EXPECT_EQ(JpegQualityFromFactor(255), 1);
  EXPECT_EQ(JpegQualityFromFactor(-5), 100);
  for (int f = -2; f < 300; ++f) EXPECT_GE(JpegQualityFromFactor(f), JpegQualityFromFactor(f + 1)) << f;
}

// The record keeps rows in either order; the image always reads top row first, and a record
// whose fields do not fit its block is refused rather than read past it.
TEST(RecordImage, RoundTripsBothPerspectivesAndRefusesBadRecords) {
  Image page = Page(8, false);
  for (int32_t view : {kLtTopLeft, kLtBottomLeft}) {
    LtBitmapHandle b;
    InitRecord(b, 8);
    b.XResolution = 300;
    ASSERT_EQ(StoreImage(page, view, b), kOk);
    EXPECT_EQ(b.ViewPerspective, view);
    EXPECT_EQ(b.ColorCount, 256u);
    EXPECT_EQ(b.XResolution, 300);
    EXPECT_EQ(view == kLtTopLeft ? b.Data[0] : b.Data[size_t(b.BytesPerLine) * (b.Height - 1)], page.pixels[0]);
    Image back;
    ASSERT_EQ(RecordToImage(b, back), kOk);
    EXPECT_EQ(back.pixels, page.pixels);
    EXPECT_EQ(back.xPelsPerMeter, 11811u);
    LtBitmapHandle lying = b;
    lying.Height += 1;
    EXPECT_EQ(RecordToImage(lying, back), kBadArgument);
    lying = b;
    lying.BytesPerLine -= 4;
    EXPECT_EQ(RecordToImage(lying, back), kBadArgument);
    ReleasePixels(b);
    EXPECT_EQ(RecordToImage(b, back), kBadArgument);
  }
}

}  // namespace
