// AddPdfPage's page sizes and the page-number padding.
#include <gtest/gtest.h>

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

}  // namespace
