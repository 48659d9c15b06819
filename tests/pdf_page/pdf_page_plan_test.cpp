// AddPdfPage's page sizes and the page-number padding.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "bilevel_padding.h"
#include "pdf_page_plan.h"
#include "zero_pad.h"

using namespace tarnwick;

namespace {

struct PlanCase {
  const char* name;
  int32_t width, height, bits, dpi;
  int32_t outWidth, outHeight, outDpi, code;
  bool byRule;
};

class PlanPdfPageTable : public ::testing::TestWithParam<PlanCase> {};

TEST_P(PlanPdfPageTable, SizesThePage) {
  const PlanCase& c = GetParam();
  PdfPagePlan p = PlanPdfPage(c.width, c.height, c.bits, c.dpi);
  EXPECT_EQ(p.width, c.outWidth);
  EXPECT_EQ(p.height, c.outHeight);
  EXPECT_EQ(p.resolution, c.outDpi);
  EXPECT_EQ(p.colourCode, c.code);
  EXPECT_EQ(p.invert, c.bits == 1);
  EXPECT_EQ(p.resizeByRule, c.byRule);
}

INSTANTIATE_TEST_SUITE_P(Pages, PlanPdfPageTable, ::testing::Values(
    PlanCase{"LetterLandscape", 3300, 2550, 1, 300, 4400, 3400, 400, 0, true},
    PlanCase{"A3", 3508, 4961, 1, 300, 2472, 3510, 300, 0, true},
    PlanCase{"LedgerLandscape", 3600, 2550, 1, 300, 4680, 3296, 400, 0, true},
    PlanCase{"LetterPortrait", 2550, 3300, 1, 300, 2552, 3300, 300, 0, false},
    PlanCase{"WholeBytes", 2490, 3300, 1, 300, 2496, 3300, 300, 0, false},
    PlanCase{"LetterAt200", 1696, 2100, 1, 200, 1696, 2200, 200, 0, false},
    PlanCase{"LongerThanLetterAt200", 1696, 2400, 1, 200, 1696, 2400, 200, 0, false},
    PlanCase{"A4At200", 1654, 2339, 1, 200, 1656, 2339, 200, 0, false},
    PlanCase{"LandscapeAt200", 2200, 1700, 1, 200, 2200, 1700, 200, 0, false},
    // Halves go to even: 8.5 inches counts as 8, 10.5 as 10 (no rule).
    PlanCase{"HalfToEven", 3150, 5100, 1, 300, 3152, 5100, 300, 0, false},
    PlanCase{"GrayUnchanged", 3300, 2550, 8, 300, 3300, 2550, 300, 1, false},
    PlanCase{"FourBitGray", 1001, 3, 4, 300, 1001, 3, 300, 1, false},
    PlanCase{"Colour", 3300, 2550, 24, 300, 3300, 2550, 300, 2, false},
    // No resolution: no rule, no division.
    PlanCase{"NoResolution", 3300, 2550, 1, 0, 3304, 2550, 0, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

// The second edition keeps the A3 rule only: landscape pages keep their size and resolution,
// widened to whole bytes; everything else is sized as in the first edition.
TEST(PlanPdfPageSecondEdition, HasOnlyTheA3Rule) {
  struct Case {
    int32_t width, height, bits, dpi, outWidth, outHeight, outDpi;
    bool byRule;
  } cases[] = {{3300, 2550, 1, 300, 3304, 2550, 300, false},   // Letter landscape
               {3600, 2550, 1, 300, 3600, 2550, 300, false},   // Ledger landscape
               {3601, 2450, 1, 300, 3608, 2450, 300, false},
               {3508, 4961, 1, 300, 2472, 3510, 300, true},    // A3
               {1696, 2100, 1, 200, 1696, 2200, 200, false},
               {3300, 2550, 24, 300, 3300, 2550, 300, false}};
  for (const Case& c : cases) {
    const PdfPagePlan p = PlanPdfPage(c.width, c.height, c.bits, c.dpi, Edition::kSecond);
    EXPECT_EQ(p.width, c.outWidth) << c.width << "x" << c.height;
    EXPECT_EQ(p.height, c.outHeight) << c.width << "x" << c.height;
    EXPECT_EQ(p.resolution, c.outDpi) << c.width << "x" << c.height;
    EXPECT_EQ(p.resizeByRule, c.byRule) << c.width << "x" << c.height;
  }
  // The first edition turns the same landscape pages by its rules.
  EXPECT_TRUE(PlanPdfPage(3300, 2550, 1, 300, Edition::kFirst).resizeByRule);
  EXPECT_TRUE(PlanPdfPage(3600, 2550, 1, 300, Edition::kFirst).resizeByRule);
}

TEST(RoundHalfEven, GoesToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(8.5), 8);
  EXPECT_EQ(RoundHalfEven(9.5), 10);
  EXPECT_EQ(RoundHalfEven(11.69), 12);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
}

TEST(ZeroPad, PadsToTheWidthAndLeavesLongerTexts) {
  EXPECT_EQ(ZeroPad("42", 6), "000042");
  EXPECT_EQ(ZeroPad("", 3), "000");
  EXPECT_EQ(ZeroPad("123456", 6), "123456");
  EXPECT_EQ(ZeroPad("1234567", 6), "1234567");
  EXPECT_EQ(ZeroPad("7", 0), "7");
  EXPECT_EQ(ZeroPad("7", -2), "7");
}

// A 1-bit bitmap record over `rows` (top row first, `stride` bytes a row).
LtBitmapHandle BilevelBitmap(std::vector<uint8_t>& rows, int32_t w, int32_t h, int32_t stride,
                             bool whiteFirst) {
  LtBitmapHandle b{};
  b.StructSize = sizeof b;
  b.Width = w;
  b.Height = h;
  b.BitsPerPixel = 1;
  b.BytesPerLine = stride;
  b.XResolution = b.YResolution = 200;
  b.ViewPerspective = kLtTopLeft;
  b.ColorCount = 2;
  b.Palette[whiteFirst ? 0 : 1] = {255, 255, 255, 0};
  b.Palette[whiteFirst ? 1 : 0] = {0, 0, 0, 0};
  b.DataSize = uint32_t(rows.size());
  b.Data = rows.data();
  return b;
}

bool PixelAt(const std::vector<uint8_t>& dib, int32_t width, int x, int y) {
  const size_t stride = (size_t(width) + 31) / 32 * 4;
  return (dib[48 + size_t(y) * stride + size_t(x) / 8] >> (7 - x % 8)) & 1;
}

// The page's own pixels stay where they were, including garbage bits after its last pixel in
// the row's bytes, which become white; the rest is white in the palette's own sense.
TEST(PaddedBilevelDib, KeepsEveryPixelAndAddsWhiteRightAndBelow) {
  for (bool whiteFirst : {false, true}) {
    SCOPED_TRACE(whiteFirst ? "white is entry 0" : "white is entry 1");
    const int32_t w = 13, h = 3, stride = 4;
    std::vector<uint8_t> rows(size_t(stride) * h);
    for (size_t i = 0; i < rows.size(); ++i) rows[i] = uint8_t(0x5A ^ (i * 37));
    const LtBitmapHandle b = BilevelBitmap(rows, w, h, stride, whiteFirst);
    EXPECT_EQ(WhiteIndexOf(b), whiteFirst ? 0 : 1);
    const std::vector<uint8_t> dib = PaddedBilevelDib(b, 40, 5);
    ASSERT_EQ(dib.size(), 48u + 8 * 5);
    int32_t height = 0;
    std::memcpy(&height, dib.data() + 8, 4);
    EXPECT_EQ(height, -5);
    EXPECT_EQ(dib[40 + (whiteFirst ? 0 : 4)], 255);  // the palette as it was
    const bool white = !whiteFirst;
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 40; ++x) {
        const bool own = x < w && y < h;
        const bool expected = own ? (rows[size_t(y) * stride + size_t(x) / 8] >> (7 - x % 8)) & 1 : white;
        ASSERT_EQ(PixelAt(dib, 40, x, y), expected) << x << "," << y;
      }
  }
}

TEST(PaddedBilevelDib, RefusesWhatIsNoTopDownBilevelPageOrWouldShrink) {
  std::vector<uint8_t> rows(16);
  LtBitmapHandle b = BilevelBitmap(rows, 16, 4, 4, false);
  EXPECT_FALSE(PaddedBilevelDib(b, 16, 4).empty());
  EXPECT_TRUE(PaddedBilevelDib(b, 8, 4).empty());
  EXPECT_TRUE(PaddedBilevelDib(b, 16, 3).empty());
  b.ViewPerspective = kLtBottomLeft;
  EXPECT_TRUE(PaddedBilevelDib(b, 24, 4).empty());
  b.ViewPerspective = kLtTopLeft;
  b.BitsPerPixel = 8;
  EXPECT_TRUE(PaddedBilevelDib(b, 24, 4).empty());
  b.BitsPerPixel = 1;
  b.DataSize = 8;  // fewer bytes than the rows need
  EXPECT_TRUE(PaddedBilevelDib(b, 24, 4).empty());
}

}  // namespace
