// The depth step of each edition and the conversion of the depths the writers do not take.
#include "page_depth.h"

#include <gtest/gtest.h>

#include "dib_layout.h"
#include "page_target.h"

namespace tarnwick {
namespace {

TEST(DepthStep, FirstEditionLeavesDepthsToTheBranchSecondConvertsOrRefuses) {
  struct Row { int bits; DepthStep second; } rows[] = {
      {1, DepthStep::AsIs},     {8, DepthStep::AsIs},     {24, DepthStep::AsIs},
      {4, DepthStep::Convert},  {16, DepthStep::Convert}, {32, DepthStep::Convert},
      {48, DepthStep::Refuse},  {2, DepthStep::Refuse},   {0, DepthStep::Refuse},
      {64, DepthStep::Refuse}};
  for (const Row& r : rows) {
    for (SaveBranch b : {SaveBranch::PdfPage, SaveBranch::Queue}) {
      EXPECT_EQ(DepthStepFor(Edition::kSecond, b, r.bits), r.second) << r.bits;
      EXPECT_EQ(DepthStepFor(Edition::kFirst, b, r.bits), DepthStep::AsIs) << r.bits;
    }
    // TIFF and JPEG files are written through the bitmap library in both editions.
    EXPECT_EQ(DepthStepFor(Edition::kSecond, SaveBranch::BitmapFile, r.bits), DepthStep::AsIs);
    EXPECT_EQ(DepthStepFor(Edition::kSecond, SaveBranch::NotSaved, r.bits), DepthStep::AsIs);
  }
}

TEST(SaveBranchByEdition, SecondEditionSendsEveryDepthToThePdfAndTheQueue) {
  for (int bits : {2, 4, 16, 32, 48}) {
    EXPECT_EQ(ChooseSaveBranch({true, false, kKindTiff, bits, Edition::kFirst}), SaveBranch::Dropped);
    EXPECT_EQ(ChooseSaveBranch({true, false, kKindTiff, bits, Edition::kSecond}), SaveBranch::PdfPage);
    EXPECT_EQ(ChooseSaveBranch({false, false, 2, bits, Edition::kFirst}), SaveBranch::Dropped);
    EXPECT_EQ(ChooseSaveBranch({false, false, 2, bits, Edition::kSecond}), SaveBranch::Queue);
  }
  // The bitmap library still cannot write 16 and 48 bits.
  EXPECT_EQ(ChooseSaveBranch({false, false, kKindTiff, 16, Edition::kSecond}), SaveBranch::Dropped);
  EXPECT_EQ(ChooseSaveBranch({false, false, kKindJpeg, 48, Edition::kSecond}), SaveBranch::Dropped);
}

imagecore::Image Converted(const imagecore::Image& in) {
  std::vector<uint8_t> dib(imagecore::DibBlockSize(in));
  imagecore::WriteDib(in, dib.data());
  std::vector<uint8_t> out;
  EXPECT_TRUE(ConvertPageDepth(dib.data(), dib.size(), &out));
  imagecore::Image back;
  EXPECT_EQ(imagecore::DibToImage(out.data(), out.size(), back), imagecore::kOk);
  return back;
}

TEST(ConvertPageDepth, KeepsEveryColourTheSizeAndTheResolution) {
  // A 4-bit gray page becomes 8-bit gray with the same shades.
  imagecore::Image gray;
  ASSERT_TRUE(imagecore::Allocate(gray, 3, 2, 4));
  gray.xPelsPerMeter = gray.yPelsPerMeter = 11811;  // 300 dpi
  imagecore::SetIndex(gray.Row(0), 0, 4, 15);
  imagecore::SetIndex(gray.Row(1), 2, 4, 5);
  imagecore::Image g8 = Converted(gray);
  ASSERT_EQ(g8.bits, 8);
  EXPECT_EQ(g8.width, 3u);
  EXPECT_EQ(g8.height, 2u);
  EXPECT_EQ(g8.xPelsPerMeter, 11811u);
  EXPECT_TRUE(imagecore::IsGrayRamp(g8.palette, 8));
  EXPECT_EQ(g8.Row(0)[0], 255);
  EXPECT_EQ(g8.Row(1)[2], 85);
  EXPECT_EQ(g8.Row(0)[1], 0);

  // A 4-bit colour page becomes 24 bits.
  imagecore::Image colour = gray;
  colour.palette[15] = imagecore::MakeRgb(200, 10, 30);
  imagecore::Image c24 = Converted(colour);
  ASSERT_EQ(c24.bits, 24);
  EXPECT_EQ(imagecore::PixelColor(c24, c24.Row(0), 0), imagecore::MakeRgb(200, 10, 30));

  // 16 bits (5-5-5) and 32 bits become 24 with their colours.
  imagecore::Image p16;
  ASSERT_TRUE(imagecore::Allocate(p16, 2, 1, 16));
  p16.Row(0)[0] = 0x00; p16.Row(0)[1] = 0x7C;  // pure red
  imagecore::Image r24 = Converted(p16);
  ASSERT_EQ(r24.bits, 24);
  EXPECT_EQ(imagecore::PixelColor(r24, r24.Row(0), 0), imagecore::MakeRgb(255, 0, 0));
  EXPECT_EQ(imagecore::PixelColor(r24, r24.Row(0), 1), imagecore::MakeRgb(0, 0, 0));
  imagecore::Image p32;
  ASSERT_TRUE(imagecore::Allocate(p32, 1, 1, 32));
  p32.Row(0)[0] = 7; p32.Row(0)[1] = 8; p32.Row(0)[2] = 9;
  imagecore::Image b24 = Converted(p32);
  ASSERT_EQ(b24.bits, 24);
  EXPECT_EQ(imagecore::PixelColor(b24, b24.Row(0), 0), imagecore::MakeRgb(9, 8, 7));
}

TEST(ConvertPageDepth, RefusesWhatItCannotRead) {
  imagecore::Image page;
  ASSERT_TRUE(imagecore::Allocate(page, 4, 4, 24));
  std::vector<uint8_t> dib(imagecore::DibBlockSize(page));
  imagecore::WriteDib(page, dib.data());
  std::vector<uint8_t> out = {1};
  EXPECT_FALSE(ConvertPageDepth(dib.data(), dib.size(), &out));  // already a writer's depth
  EXPECT_FALSE(ConvertPageDepth(dib.data(), 20, &out));          // cut short
  dib[14] = 48;
  EXPECT_FALSE(ConvertPageDepth(dib.data(), dib.size(), &out));
  EXPECT_EQ(out, std::vector<uint8_t>{1});
}

}  // namespace
}  // namespace tarnwick
