#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "sim_scanner.h"

using namespace zebsim;

namespace {

ImageView ViewOf(const PageFormat& f, const std::vector<uint8_t>& page) {
  PageGeometry g = GeometryOf(f);
  ImageView v;
  v.data = page.data();
  v.width = g.width;
  v.length = g.length;
  v.stride = g.bytesPerRow;
  v.bitsPerPixel = g.bitsPerPixel;
  v.xResolution = f.xResolution;
  v.yResolution = f.yResolution;
  return v;
}

int GrayOf(const PageFormat& f, const std::vector<uint8_t>& page, double xInch, double yInch) {
  PageGeometry g = GeometryOf(f);
  int x = int(xInch * f.xResolution), y = int(yInch * f.yResolution);
  const uint8_t* row = page.data() + size_t(y) * g.bytesPerRow;
  if (g.bitsPerPixel == 1) return (row[x / 8] & (0x80 >> (x % 8))) ? 255 : 0;
  if (g.bitsPerPixel == 8) return row[x];
  return (row[3 * x] + row[3 * x + 1] + row[3 * x + 2]) / 3;
}

}  // namespace

TEST(SimPageGeometry, SizesFollowPaperAndResolution) {
  struct Case {
    Paper paper;
    PixelKind kind;
    int xRes, yRes;
    int width, length, bits, bytes;
  } cases[] = {
      {Paper::Letter, PixelKind::BlackWhite, 300, 300, 2550, 3300, 1, 319},
      {Paper::Letter, PixelKind::Gray, 200, 100, 1700, 1100, 8, 1700},
      {Paper::A4, PixelKind::Color, 200, 200, 1654, 2339, 24, 4962},
      {Paper::Legal, PixelKind::Gray, 150, 150, 1275, 2100, 8, 1275},
      {Paper::A4, PixelKind::BlackWhite, 600, 600, 4961, 7016, 1, 621},
  };
  for (const Case& c : cases) {
    PageFormat f{c.kind, c.xRes, c.yRes, c.paper};
    PageGeometry g = GeometryOf(f);
    EXPECT_EQ(g.width, c.width) << PaperSizeOf(c.paper).name << " " << c.xRes;
    EXPECT_EQ(g.length, c.length) << PaperSizeOf(c.paper).name << " " << c.yRes;
    EXPECT_EQ(g.bitsPerPixel, c.bits);
    EXPECT_EQ(g.bytesPerRow, c.bytes);
  }
}

TEST(SimPageGeometry, PaperNamesAreFound) {
  Paper p;
  ASSERT_TRUE(PaperByName("legal", &p));
  EXPECT_EQ(p, Paper::Legal);
  ASSERT_TRUE(PaperByName("A4", &p));
  EXPECT_EQ(p, Paper::A4);
  EXPECT_FALSE(PaperByName("B5", &p));
}

TEST(SimPageImage, EveryFormatCarriesItsPageNumber) {
  for (PixelKind kind : {PixelKind::BlackWhite, PixelKind::Gray, PixelKind::Color})
    for (Paper paper : {Paper::Letter, Paper::A4, Paper::Legal})
      for (int res : {60, 200}) {
        PageFormat f{kind, res, res, paper};
        for (int number : {1, 7, 42, 2026}) {
          if (res > 100 && number != 42) continue;  // the large pages once each
          std::vector<uint8_t> page = RenderPage(f, number);
          EXPECT_EQ(ReadPageNumber(ViewOf(f, page)), number)
              << int(kind) << " " << PaperSizeOf(paper).name << " " << res;
        }
      }
}

TEST(SimPageImage, UnequalResolutionsStillRead) {
  PageFormat f{PixelKind::Gray, 200, 100, Paper::Letter};
  EXPECT_EQ(ReadPageNumber(ViewOf(f, RenderPage(f, 90))), 90);
}

TEST(SimPageImage, RotatedOrMirroredPagesAreNotRead) {
  PageFormat f{PixelKind::Gray, 100, 100, Paper::Letter};
  PageGeometry g = GeometryOf(f);
  std::vector<uint8_t> page = RenderPage(f, 5);
  std::vector<uint8_t> turned(page.rbegin(), page.rend());  // 180 degrees
  EXPECT_EQ(ReadPageNumber(ViewOf(f, turned)), -1);
  std::vector<uint8_t> mirrored = page;
  for (int y = 0; y < g.length; ++y)
    std::reverse(mirrored.begin() + size_t(y) * g.width, mirrored.begin() + size_t(y + 1) * g.width);
  EXPECT_EQ(ReadPageNumber(ViewOf(f, mirrored)), -1);
}

TEST(SimPageImage, BottomUpBgrStorageReads) {
  PageFormat f{PixelKind::Color, 100, 100, Paper::A4};
  PageGeometry g = GeometryOf(f);
  std::vector<uint8_t> page = RenderPage(f, 12);
  int stride = (g.bytesPerRow + 3) / 4 * 4;  // as a DIB stores it
  std::vector<uint8_t> dib(size_t(stride) * g.length, 0xFF);
  for (int y = 0; y < g.length; ++y)
    for (int x = 0; x < g.width; ++x) {
      const uint8_t* s = &page[size_t(y) * g.bytesPerRow + 3 * x];
      uint8_t* d = &dib[size_t(g.length - 1 - y) * stride + 3 * x];
      d[0] = s[2], d[1] = s[1], d[2] = s[0];
    }
  ImageView v = ViewOf(f, page);
  v.data = dib.data();
  v.stride = stride;
  v.bottomUp = true;
  v.bgr = true;
  EXPECT_EQ(ReadPageNumber(v), 12);
}

TEST(SimPageImage, RampBarsAndTextLieWhereExpected) {
  PageFormat f{PixelKind::Color, 100, 100, Paper::Letter};
  std::vector<uint8_t> page = RenderPage(f, 3);
  // The ramp runs from black at the left to white at the right.
  EXPECT_LT(GrayOf(f, page, 0.55, 1.5), 20);
  EXPECT_GT(GrayOf(f, page, 7.95, 1.5), 235);
  int last = -1;
  for (double x = 0.6; x < 7.9; x += 0.5) {
    int v = GrayOf(f, page, x, 1.5);
    EXPECT_GT(v, last);
    last = v;
  }
  // Bar 5 (red) in the colour bars.
  PageGeometry g = GeometryOf(f);
  double bar = 7.5 / 8;
  int x = int((0.5 + 5.5 * bar) * 100), y = int(2.2 * 100);
  const uint8_t* p = &page[size_t(y) * g.bytesPerRow + 3 * x];
  EXPECT_EQ(p[0], 255);
  EXPECT_EQ(p[1], 0);
  EXPECT_EQ(p[2], 0);
  // The first text line begins with a word at the left margin.
  EXPECT_EQ(GrayOf(f, page, 0.8, 2.95), 0);
  EXPECT_EQ(GrayOf(f, page, 0.6, 2.95), 255);
}

TEST(SimPageImage, PagesAreDeterministicAndDiffer) {
  PageFormat f{PixelKind::BlackWhite, 150, 150, Paper::A4};
  EXPECT_EQ(RenderPage(f, 4), RenderPage(f, 4));
  std::vector<uint8_t> a = RenderPage(f, 4), b = RenderPage(f, 5);
  PageGeometry g = GeometryOf(f);
  // The text below the number differs too, not only the digits.
  size_t textStart = size_t(3 * 150) * g.bytesPerRow;
  EXPECT_FALSE(std::equal(a.begin() + textStart, a.end(), b.begin() + textStart));
}

TEST(SimPageImage, RowsMatchThePage) {
  PageFormat f{PixelKind::Gray, 120, 120, Paper::Legal};
  PageGeometry g = GeometryOf(f);
  std::vector<uint8_t> page = RenderPage(f, 2);
  std::vector<uint8_t> row(g.bytesPerRow);
  for (int y : {0, 50, 1000, g.length - 1}) {
    RenderRow(f, 2, y, row.data());
    EXPECT_TRUE(std::equal(row.begin(), row.end(), page.begin() + size_t(y) * g.bytesPerRow)) << y;
  }
}
