// The depth step of each writer and the conversion of the depths the writers do not take.
#include "page_depth.h"

#include <gtest/gtest.h>

#include "dib_layout.h"
#include "page_target.h"

namespace tarnwick {
namespace {

// Both editions alike: each writer takes its own depths as they are, the depths a DIB can hold
// otherwise (4, 16, 32, and a scanner's 48) are converted, and what nothing reads is refused.
TEST(DepthStep, EachWriterConvertsTheDepthsItDoesNotTakeAndRefusesWhatNothingReads) {
  struct Row { int bits; DepthStep pdfOrQueue; DepthStep bitmapFile; } rows[] = {
      {1, DepthStep::AsIs, DepthStep::AsIs},        {8, DepthStep::AsIs, DepthStep::AsIs},
      {24, DepthStep::AsIs, DepthStep::AsIs},       {4, DepthStep::Convert, DepthStep::AsIs},
      {32, DepthStep::Convert, DepthStep::AsIs},    {16, DepthStep::Convert, DepthStep::Convert},
      {48, DepthStep::Convert, DepthStep::Convert}, {2, DepthStep::Refuse, DepthStep::Refuse},
      {0, DepthStep::Refuse, DepthStep::Refuse},    {64, DepthStep::Refuse, DepthStep::Refuse}};
  for (Edition e : {Edition::kFirst, Edition::kSecond})
    for (const Row& r : rows) {
      SCOPED_TRACE(testing::Message() << "edition " << int(e) << " bits " << r.bits);
      EXPECT_EQ(DepthStepFor(e, SaveBranch::PdfPage, r.bits), r.pdfOrQueue);
      EXPECT_EQ(DepthStepFor(e, SaveBranch::Queue, r.bits), r.pdfOrQueue);
      EXPECT_EQ(DepthStepFor(e, SaveBranch::BitmapFile, r.bits), r.bitmapFile);
      EXPECT_EQ(DepthStepFor(e, SaveBranch::NotSaved, r.bits), DepthStep::AsIs);
    }
}

TEST(SaveBranchByEdition, EveryDepthGoesDownItsFormatsBranchInBothEditions) {
  for (Edition e : {Edition::kFirst, Edition::kSecond})
    for (int bits : {2, 4, 16, 32, 48}) {
      EXPECT_EQ(ChooseSaveBranch({true, false, kKindTiff, bits, e}), SaveBranch::PdfPage);
      EXPECT_EQ(ChooseSaveBranch({false, false, 2, bits, e}), SaveBranch::Queue);
      EXPECT_EQ(ChooseSaveBranch({false, false, kKindTiff, bits, e}), SaveBranch::BitmapFile);
      EXPECT_EQ(ChooseSaveBranch({false, false, kKindJpeg, bits, e}), SaveBranch::BitmapFile);
    }
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

// A scanner's 48-bit page (16-bit samples, blue first, bottom row first) keeps the high byte
// of each sample, its size and its resolution.
TEST(ConvertPageDepth, DeepColourKeepsTheHighByteOfEachSample) {
  const int w = 3, h = 2, stride = (w * 48 + 31) / 32 * 4;
  std::vector<uint8_t> dib(40 + size_t(stride) * h);
  dib[0] = 40;
  dib[4] = w;
  dib[8] = h;
  dib[12] = 1;
  dib[14] = 48;
  dib[24] = dib[28] = 0x23;  // 0x2E23: 300 dpi
  dib[25] = dib[29] = 0x2E;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      for (int c = 0; c < 3; ++c) {
        uint8_t* sample = dib.data() + 40 + size_t(y) * stride + 6 * x + 2 * c;
        sample[0] = 0xEE;  // the low byte is dropped
        sample[1] = uint8_t(10 * (y * w + x) + c);
      }
  std::vector<uint8_t> out;
  ASSERT_TRUE(ConvertPageDepth(dib.data(), dib.size(), &out));
  imagecore::Image back;
  ASSERT_EQ(imagecore::DibToImage(out.data(), out.size(), back), imagecore::kOk);
  ASSERT_EQ(back.bits, 24);
  EXPECT_EQ(back.width, 3u);
  EXPECT_EQ(back.height, 2u);
  EXPECT_EQ(back.xPelsPerMeter, 0x2E23u);
  // Image rows run from the top: the DIB's last row first.
  EXPECT_EQ(imagecore::PixelColor(back, back.Row(0), 2), imagecore::MakeRgb(52, 51, 50));
  EXPECT_EQ(imagecore::PixelColor(back, back.Row(1), 0), imagecore::MakeRgb(2, 1, 0));
  // Rows past the block's end are refused.
  EXPECT_FALSE(ConvertPageDepth(dib.data(), dib.size() - 1, &out));
}

TEST(ConvertPageDepth, RefusesWhatItCannotRead) {
  imagecore::Image page;
  ASSERT_TRUE(imagecore::Allocate(page, 4, 4, 24));
  std::vector<uint8_t> dib(imagecore::DibBlockSize(page));
  imagecore::WriteDib(page, dib.data());
  std::vector<uint8_t> out = {1};
  EXPECT_FALSE(ConvertPageDepth(dib.data(), dib.size(), &out));  // already a writer's depth
  EXPECT_FALSE(ConvertPageDepth(dib.data(), 20, &out));          // cut short
  dib[14] = 48;  // a 48-bit header over rows of 24 bits: too short
  EXPECT_FALSE(ConvertPageDepth(dib.data(), dib.size(), &out));
  dib[14] = 2;
  EXPECT_FALSE(ConvertPageDepth(dib.data(), dib.size(), &out));
  EXPECT_EQ(out, std::vector<uint8_t>{1});
}

}  // namespace
}  // namespace tarnwick
