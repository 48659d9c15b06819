// What AutoMode and Scale2Gray make of a page: the colour count, the text page's bilevel DIB and
// the gray DIB of a bilevel page, always from a page that is only read.
#include <gtest/gtest.h>

#include "page_images.h"
#include "test_dibs.h"

using namespace pixels;

namespace {

DibView View(const std::vector<uint8_t>& d) {
  DibView v;
  EXPECT_EQ(ReadDibView(d.data(), d.size(), &v), DibCheck::kOk);
  return v;
}

TEST(ColouredPixels, UnderOnePercentIsATextPage) {
  // 200 x 100 pixels: 100 coloured (0.5 %) is text, 200 (1 %) is not.
  for (int coloured : {0, 100, 199, 200, 400}) {
    const auto d = testdibs::Colour(200, 100, [&](int x, int y) -> uint32_t {
      return y * 200 + x < coloured ? 0xFF2020 : 0x808080;
    });
    const DibView v = View(d);
    const uint64_t n = CountColouredPixels(v, 25);
    EXPECT_EQ(n, uint64_t(coloured));
    EXPECT_EQ(IsTextPage(n, v), coloured < 200) << coloured;
  }
}

TEST(ColouredPixels, PaddingIsNotAPixelAndLargePagesDoNotOverflow) {
  // 2550 pixels a row pad to 7652 bytes; padding bytes that differ do not count.
  auto d = testdibs::Colour(2550, 4, [](int, int) -> uint32_t { return 0xF0F0F0; });
  for (int y = 0; y < 4; ++y) d[40 + y * 7652 + 7650] = 0xFF, d[40 + y * 7652 + 7651] = 0x00;
  EXPECT_EQ(CountColouredPixels(View(d), 25), 0u);
  // 60 Mpx with 0.5 % coloured: 32-bit arithmetic would wrap count x 100.
  DibView big;
  big.width = 10000;
  big.rows = 6000;
  big.bitCount = 24;
  EXPECT_TRUE(IsTextPage(300000, big));
  EXPECT_FALSE(IsTextPage(600000, big));
  DibView gray;
  gray.bitCount = 8;
  EXPECT_EQ(CountColouredPixels(gray, 25), kNotColour);
}

TEST(TextPageDib, IsAOneBitPageAtTheSourceWidthWithItsOwnPalette) {
  // A gray page in an RGB DIB of an odd width: dark text on white.
  const auto src = testdibs::Colour(2550, 60, [](int x, int y) -> uint32_t {
    return testdibs::TextInk(x, y + 10) || x == 2549 ? 0x101010 : 0xF8F8F8;
  });
  const auto before = src;
  const DibView sv = View(src);
  const auto out = TextPageDib(sv);
  EXPECT_EQ(src, before);
  const DibView ov = View(out);
  EXPECT_EQ(ov.bitCount, 1);
  EXPECT_EQ(ov.width, 2550);
  EXPECT_EQ(ov.height, 60);
  EXPECT_EQ(ov.stride, 320u);
  EXPECT_EQ(ov.colorCount, 2u);
  EXPECT_EQ(testdibs::Le32(ov.ColorTable()), 0xFFFFFFu);  // 0 paper
  EXPECT_EQ(testdibs::Le32(ov.ColorTable() + 4), 0u);     // 1 ink
  EXPECT_EQ(ov.xPelsPerMeter, sv.xPelsPerMeter);
  for (uint32_t y = 0; y < ov.rows; ++y) {
    const uint8_t* in = sv.Row(y);
    const uint8_t* row = ov.Row(y);
    for (int x = 0; x < 2550; ++x) {
      const bool ink = in[3 * x] < 0x80;
      EXPECT_EQ(bool(row[x / 8] & (0x80 >> (x % 8))), ink) << x << "," << y;
    }
    EXPECT_EQ(row[319] & 0x03, 0);  // the padding is paper
  }
}

TEST(GrayDibOfBilevel, PaperStaysWhiteWhateverThePalette) {
  for (bool inkIsOne : {false, true}) {
    const auto src = testdibs::Bilevel(100, 20, [](int x, int y) { return x >= 40 && x < 60 && y > 5; },
                                       200, inkIsOne);
    const auto before = src;
    const auto out = GrayDibOfBilevel(View(src));
    EXPECT_EQ(src, before);
    const DibView g = View(out);
    ASSERT_EQ(g.bitCount, 8);
    EXPECT_EQ(g.width, 100);
    // Top row (stored last) is paper; inside the ink block the gray is dark.
    const uint8_t* top = g.Row(g.rows - 1);
    for (int x = 0; x < 100; ++x) EXPECT_GE(top[x], 250) << x << " inkIsOne " << inkIsOne;
    const uint8_t* inked = g.Row(2);
    EXPECT_LT(inked[55], 10) << inkIsOne;
    EXPECT_GE(inked[20], 250) << inkIsOne;
  }
  EXPECT_TRUE(GrayDibOfBilevel(View(testdibs::Gray(8, 8, [](int, int) { return 0; }))).empty());
}

}  // namespace
