// The pixel routines: threshold, gray to bilevel, colour to gray, row copy and inversion.
#include <gtest/gtest.h>

#include <vector>

#include "pixel_routines.h"

using namespace pixels;

namespace {

ImageInfo Info(int bits, int width) {
  ImageInfo i{};
  i.BitsPerPixel = bits;
  i.ImageWidth = width;
  i.SamplesPerPixel = bits >= 24 ? 3 : 1;
  i.PixelType = bits >= 24 ? kPixelColour : kPixelGray;
  return i;
}

bool Bit(const std::vector<uint8_t>& rows, uint32_t stride, uint32_t x, uint32_t y) {
  return rows[y * stride + x / 8] & (0x80 >> (x % 8));
}

TEST(GrayThreshold, FollowsTheValleysBetweenThePeaks) {
  struct Case {
    const char* name;
    std::vector<uint8_t> pixels;
    int32_t expected;
  };
  std::vector<uint8_t> twoLevels(100, 255);
  for (int i = 0; i < 30; ++i) twoLevels[i] = 0;  // mean 178: (1 + 178) / 2
  std::vector<uint8_t> dark(100, 40);              // one value: both valleys at the mean
  std::vector<uint8_t> bimodal;
  for (int v = 0; v < 256; ++v) {
    const int n = v < 60 ? 3 + (v == 20) * 40 : v > 180 ? 5 + (v == 230) * 60 : (v == 90 ? 0 : 1);
    for (int k = 0; k < n; ++k) bimodal.push_back(uint8_t(v));
  }
  const Case cases[] = {
      {"black and white only", twoLevels, (1 + 178) / 2},
      {"one value", dark, 40},
      {"empty light valley wins", bimodal, -1},
  };
  for (const Case& c : cases) {
    const PageRegion r{0, 0, int32_t(c.pixels.size()), 1, 0};
    const int32_t t = GrayThreshold(c.pixels.data(), uint32_t(c.pixels.size()), 0, 255, r);
    if (c.expected >= 0) EXPECT_EQ(t, c.expected) << c.name;
    else EXPECT_TRUE(t > 20 && t < 230) << c.name << " " << t;
  }
}

TEST(GrayThreshold, AnEmptyRegionOrRangeAnswers128) {
  const uint8_t px[4] = {10, 20, 30, 40};
  EXPECT_EQ(GrayThreshold(px, 4, 0, 255, PageRegion{0, 0, 0, 0, 0}), 128);
  EXPECT_EQ(GrayThreshold(px, 4, 100, 200, PageRegion{0, 0, 4, 1, 4}), 128);
}

TEST(GrayToBilevel, KeepsEveryPixelOfAnOddWidthAndPadsWithPaper) {
  // 2550 gray pixels, black at the last 3: they must come out as ink; the padding is paper.
  const uint32_t width = 2550, lines = 3;
  std::vector<uint8_t> gray(width * lines, 250);
  for (uint32_t y = 0; y < lines; ++y)
    for (uint32_t x = width - 3; x < width; ++x) gray[y * width + x] = 0;
  for (uint32_t y = 0; y < lines; ++y) gray[y * width + 100] = 0;
  const uint32_t stride = BilevelStride(width);
  std::vector<uint8_t> out(stride * lines, 0xAA);
  PageRegion region{0, 0, int32_t(width), int32_t(lines), int32_t(width)};
  ImageInfo info = Info(8, width);
  ASSERT_TRUE(GrayToBilevel(out.data(), region, gray.data(), info, width));
  EXPECT_EQ(region.BytesPerLine, 320);
  EXPECT_EQ(info.ImageWidth, 2550);
  EXPECT_EQ(info.BitsPerPixel, 1);
  EXPECT_EQ(info.PixelType, kPixelBilevel);
  for (uint32_t y = 0; y < lines; ++y) {
    EXPECT_TRUE(Bit(out, stride, 100, y));
    EXPECT_FALSE(Bit(out, stride, 101, y));
    for (uint32_t x = width - 3; x < width; ++x) EXPECT_TRUE(Bit(out, stride, x, y)) << x;
    for (uint32_t x = width; x < stride * 8; ++x) EXPECT_FALSE(Bit(out, stride, x, y)) << x;
  }
}

TEST(GrayToBilevel, SixteenBitLinesArePaddedToFourBytes) {
  for (uint32_t width : {8u, 16u, 24u, 32u, 33u, 57u}) {
    std::vector<uint8_t> gray(width * 2 * 2, 0xFF);
    for (uint32_t y = 0; y < 2; ++y)
      for (uint32_t x = 0; x < width; x += 2) gray[y * width * 2 + 2 * x + 1] = 0x10;  // top bit 0
    const uint32_t stride = BilevelStride(width);
    std::vector<uint8_t> out(stride * 2 + 8, 0xEE);
    PageRegion region{0, 0, int32_t(width), 2, 0};
    ImageInfo info = Info(16, width);
    ASSERT_TRUE(GrayToBilevel(out.data(), region, gray.data(), info, width * 2));
    EXPECT_EQ(uint32_t(region.BytesPerLine), stride) << width;
    EXPECT_EQ(out[stride * 2], 0xEE) << width;  // nothing written past the lines
    for (uint32_t x = 0; x < width; ++x) EXPECT_EQ(Bit(out, stride, x, 1), x % 2 == 0) << width;
  }
}

TEST(ColorToGray, WalksPaddedLinesPixelByPixel) {
  // 2550 colour pixels make 7650 bytes, padded to 7652: no shear between lines.
  const uint32_t width = 2550, stride = 7652, lines = 4;
  std::vector<uint8_t> rgb(stride * lines, 0x77);
  for (uint32_t y = 0; y < lines; ++y)
    for (uint32_t x = 0; x < width; ++x) {
      uint8_t* p = &rgb[y * stride + 3 * x];
      p[0] = uint8_t(10 * y);
      p[1] = uint8_t(x);
      p[2] = 200;
    }
  std::vector<uint8_t> gray(width * lines + 1, 0x5A);
  PageRegion region{0, 0, int32_t(width), int32_t(lines), int32_t(stride)};
  ImageInfo info = Info(24, width);
  ASSERT_TRUE(ColorToGray(gray.data(), region, rgb.data(), info, stride));
  EXPECT_EQ(region.BytesPerLine, int32_t(width));
  EXPECT_EQ(info.BitsPerPixel, 8);
  EXPECT_EQ(gray[width * lines], 0x5A);
  for (uint32_t y = 0; y < lines; ++y)
    for (uint32_t x : {0u, 1u, 1000u, width - 1})
      EXPECT_EQ(gray[y * width + x], (3 * (10 * y) + 6 * (x & 0xFF) + 200) / 10) << x << "," << y;
}

TEST(CopyRows, CopiesARegionFromAnyBitAndClearsBitsPastItsWidth) {
  const uint32_t srcStride = 8;
  std::vector<uint8_t> src(srcStride * 2);
  for (uint32_t i = 0; i < src.size(); ++i) src[i] = uint8_t(0xB5 ^ i);
  const PageRegion region{3, 0, 21, 2, 0};
  std::vector<uint8_t> out(8, 0xFF);
  CopyRows(out.data(), region, src.data(), srcStride, 3);
  for (uint32_t y = 0; y < 2; ++y)
    for (uint32_t x = 0; x < 32; ++x) {
      const uint32_t s = 3 + x;
      const bool want = x < 21 && (src[y * srcStride + s / 8] & (0x80 >> (s % 8)));
      EXPECT_EQ(Bit(out, 4, x, y), want) << x;
    }
}

TEST(InvertRows, ComplementsBytesOrWords) {
  const uint8_t src[6] = {0x00, 0xFF, 0x0F, 0xF0, 0x55, 0xAA};
  uint8_t out[6] = {};
  InvertRows(out, src, 2, 3, 1);
  EXPECT_EQ(out[0], 0xFF);
  EXPECT_EQ(out[5], 0x55);
  uint8_t words[6] = {};
  InvertRows(words, src, 1, 6, 0);
  EXPECT_EQ(words[2], 0xF0);
  EXPECT_EQ(words[3], 0x0F);
}

}  // namespace
