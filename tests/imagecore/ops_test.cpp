// Rotation, mirroring, inversion, scaling, gray scaling, colour changes and skew measurement.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "codecs.h"
#include "convert.h"
#include "ops.h"
#include "test_images.h"

namespace imagecore {
namespace {

Rgb At(const Image& im, uint32_t x, uint32_t y) { return PixelColor(im, im.Row(y), x); }

TEST(Rotate, QuarterTurnsMovePixelsExactly) {
  for (uint16_t bits : {1, 4, 8, 24}) {
    Image im = test::Pattern(bits, 9, 5);
    Image r90, r180, r270, back;
    ASSERT_EQ(Rotate(im, 90, Rgb{}, r90), kOk);
    ASSERT_EQ(Rotate(im, 180, Rgb{}, r180), kOk);
    ASSERT_EQ(Rotate(im, -90, Rgb{}, r270), kOk);
    EXPECT_EQ(r90.width, 5u);
    EXPECT_EQ(r90.height, 9u);
    EXPECT_EQ(At(r90, 4, 0), At(im, 0, 0)) << "top left goes to top right, clockwise";
    EXPECT_EQ(At(r180, 8, 4), At(im, 0, 0));
    EXPECT_EQ(At(r270, 0, 8), At(im, 0, 0));
    EXPECT_EQ(r90.xPelsPerMeter, im.yPelsPerMeter);
    ASSERT_EQ(Rotate(r90, 270, Rgb{}, back), kOk);
    EXPECT_EQ(test::DifferentPixels(im, back), 0u) << bits;
  }
}

TEST(Rotate, AnyAngleGrowsTheImageAndFillsTheCorners) {
  Image im;
  Allocate(im, 100, 50, 24);
  std::fill(im.pixels.begin(), im.pixels.end(), 0x40);
  for (Rgb fill : {MakeRgb(255, 255, 255), MakeRgb(0, 0, 0)}) {
    Image r;
    ASSERT_EQ(Rotate(im, 30, fill, r), kOk);
    EXPECT_EQ(r.width, uint32_t(std::ceil(100 * std::cos(M_PI / 6) + 50 * std::sin(M_PI / 6) - 1e-6)));
    EXPECT_EQ(At(r, 0, 0), fill);
    EXPECT_EQ(At(r, r.width / 2, r.height / 2), MakeRgb(0x40, 0x40, 0x40));
  }
  Image bilevel = test::Pattern(1, 30, 30, test::Kind::kGray), r;
  ASSERT_EQ(Rotate(bilevel, 7.5, MakeRgb(255, 255, 255), r), kOk);
  EXPECT_EQ(r.bits, 1);
  EXPECT_EQ(At(r, 0, 0), MakeRgb(255, 255, 255));
}

TEST(Mirror, FlipsRowsAndColumns) {
  Image im = test::Pattern(4, 7, 3), m = im;
  Mirror(m, false, true);
  EXPECT_EQ(At(m, 0, 1), At(im, 6, 1));
  Mirror(m, true, false);
  EXPECT_EQ(At(m, 0, 0), At(im, 6, 2));
  Mirror(m, true, true);
  EXPECT_EQ(test::DifferentPixels(m, im), 0u);
}

TEST(Invert, NegativeOfEachKind) {
  Image gray = test::Pattern(8, 5, 5, test::Kind::kGray), g = gray;
  Invert(g);
  Rgb a = At(gray, 2, 3), b = At(g, 2, 3);
  EXPECT_EQ(b.red, 255 - a.red);
  Image pal = test::Pattern(8, 5, 5), p = pal;
  Invert(p);
  EXPECT_EQ(At(p, 1, 1).green, 255 - At(pal, 1, 1).green);
  Image bw = test::Pattern(1, 9, 2, test::Kind::kGray), w = bw;
  Invert(w);
  EXPECT_EQ(At(w, 3, 1).red, 255 - At(bw, 3, 1).red);
  Image rgb = test::Pattern(24, 4, 4), r = rgb;
  Invert(r);
  EXPECT_EQ(At(r, 3, 3).blue, 255 - At(rgb, 3, 3).blue);
}

TEST(Scale, AveragesTrueColourAndSamplesPalettes) {
  Image im;
  Allocate(im, 4, 2, 24);
  for (uint32_t x = 0; x < 4; ++x) std::fill(im.Row(0) + 3 * x, im.Row(0) + 3 * x + 3, x % 2 ? 200 : 100);
  std::copy(im.Row(0), im.Row(0) + 12, im.Row(1));
  Image s;
  ASSERT_EQ(Scale(im, 2, 1, s), kOk);
  EXPECT_EQ(At(s, 0, 0), MakeRgb(150, 150, 150));
  Image p = test::Pattern(4, 10, 10), ps;
  ASSERT_EQ(Scale(p, 20, 5, ps), kOk);
  EXPECT_EQ(ps.bits, 4);
  EXPECT_EQ(At(ps, 2, 0), At(p, 1, 0));
  EXPECT_EQ(Scale(p, 0, 5, ps), kBadArgument);
}

TEST(ScaleToGray, ModesGiveTheirDepths) {
  Image page = test::Pattern(1, 200, 100, test::Kind::kGray);
  const uint16_t depth[8] = {1, 4, 4, 4, 4, 8, 4, 8};
  for (int mode = 0; mode < 8; ++mode) {
    Image g;
    ASSERT_EQ(ScaleToGray(page, mode, 10, 5, g), kOk) << mode;
    EXPECT_EQ(g.bits, depth[mode]) << mode;
    EXPECT_EQ(g.width, 10u);
    EXPECT_TRUE(IsGrayPalette(g.palette));
  }
  Image g;
  EXPECT_EQ(ScaleToGray(page, 8, 10, 5, g), kBadArgument);
}

// Pages of the same colours give the same gray copy whatever their depth: the bilevel, 4-bit and
// palette pages read eight, two and one pixels a byte, odd widths ending mid-byte.
TEST(ScaleToGray, EveryDepthGivesTheSameGrayForTheSameColours) {
  for (uint16_t from : {1, 4}) {
    for (auto [w, h] : {std::pair{13u, 7u}, {21u, 4u}}) {
      Image page = test::Pattern(from, w, h);
      std::vector<Image> depths(1, page);
      for (uint16_t to : {8, 24}) {
        if (to <= from) continue;
        Image up;
        ASSERT_EQ(IncreaseDepth(page, to, up), kOk);
        depths.push_back(up);
      }
      for (auto [gw, gh] : {std::pair{w, h}, {5u, 3u}}) {
        Image want;
        ASSERT_EQ(ScaleToGray(depths.back(), 5, gw, gh, want), kOk);
        for (const Image& d : depths) {
          Image got;
          ASSERT_EQ(ScaleToGray(d, 5, gw, gh, got), kOk);
          EXPECT_EQ(test::DifferentPixels(got, want), 0u) << d.bits << "-bit " << w << "x" << h << " to " << gw;
        }
      }
    }
  }
}

TEST(Convert, IncreaseKeepsColoursAndReduceGivesGrayRampForGray) {
  for (auto [from, to] : {std::pair{1, 4}, {1, 8}, {1, 24}, {4, 8}, {4, 24}, {8, 24}}) {
    Image im = test::Pattern(uint16_t(from), 11, 6), up;
    ASSERT_EQ(IncreaseDepth(im, uint16_t(to), up), kOk);
    EXPECT_EQ(up.bits, to);
    EXPECT_EQ(test::DifferentPixels(im, up), 0u) << from << "->" << to;
  }
  Image gray = test::Pattern(8, 16, 16, test::Kind::kGray), rgb, reduced;
  ASSERT_EQ(IncreaseDepth(gray, 24, rgb), kOk);
  ASSERT_EQ(ReduceDepth(rgb, 4, false, reduced), kOk);
  EXPECT_EQ(reduced.palette, GrayRamp(4));
  Image few = test::Pattern(4, 16, 16), fewRgb, back;
  ASSERT_EQ(IncreaseDepth(few, 24, fewRgb), kOk);
  ASSERT_EQ(ReduceDepth(fewRgb, 8, false, back), kOk);
  EXPECT_EQ(test::DifferentPixels(few, back), 0u) << "16 colours fit 8 bits exactly";
}

// Text-like lines: dark bars on white, drawn with the given clockwise slope.
Image Lines(double degrees) {
  Image im;
  Allocate(im, 400, 300, 8);
  std::fill(im.pixels.begin(), im.pixels.end(), 255);
  double t = std::tan(degrees * M_PI / 180);
  for (int line = 40; line < 280; line += 30)
    for (uint32_t x = 20; x < 380; ++x)
      for (int k = 0; k < 4; ++k) {
        int y = int(std::lround(line + k + x * t));
        if (y >= 0 && y < 300) im.Row(uint32_t(y))[x] = 0;
      }
  return im;
}

TEST(MeasureSkew, FindsTheSlopeThatRotationUndoes) {
  for (double skew : {-3.0, -1.2, 0.0, 0.8, 2.5}) {
    double measured = 99;
    ASSERT_EQ(MeasureSkew(Lines(skew), 1, 5, 0.1, 1, 128, measured), kOk);
    EXPECT_NEAR(measured, skew, 0.11) << skew;
  }
  // Undoing the measured angle leaves straight lines.
  Image skewed = Lines(2.0), straight;
  double a = 0, after = 99;
  ASSERT_EQ(MeasureSkew(skewed, 2, 5, 0.1, 1, 128, a), kOk);
  ASSERT_EQ(Rotate(skewed, -a, MakeRgb(255, 255, 255), straight), kOk);
  ASSERT_EQ(MeasureSkew(straight, 2, 5, 0.1, 1, 128, after), kOk);
  EXPECT_NEAR(after, 0.0, 0.11);
}

// A Photo CD image pack with the three small images of one colour.
std::vector<uint8_t> PcdFile(uint8_t y, uint8_t c1, uint8_t c2) {
  std::vector<uint8_t> f(0x30000 + 768 * 512 * 3 / 2, 0);
  std::memcpy(&f[0x800], "PCD_IPI", 7);
  struct { size_t at; uint32_t w, h; } levels[] = {{0x2000, 192, 128}, {0xB800, 384, 256}, {0x30000, 768, 512}};
  for (auto& l : levels)
    for (uint32_t row = 0; row < l.h; row += 2) {
      uint8_t* p = &f[l.at + size_t(row / 2) * l.w * 3];
      std::fill(p, p + 2 * l.w, y);
      std::fill(p + 2 * l.w, p + 2 * l.w + l.w / 2, c1);
      std::fill(p + 2 * l.w + l.w / 2, p + 3 * l.w, c2);
    }
  return f;
}

TEST(Pcd, ReadsEachResolutionStep) {
  auto f = PcdFile(100, 156, 137);  // neutral chroma: gray of 1.3584 x 100
  const uint32_t widths[] = {192, 384, 768};
  for (int step = 1; step <= 3; ++step) {
    ReadOnlyMemory m(f.data(), f.size());
    Image im;
    ASSERT_EQ(ReadPcd(m.AsStream(), step, im), kOk);
    EXPECT_EQ(im.width, widths[step - 1]);
    EXPECT_EQ(At(im, 5, 5), MakeRgb(135, 135, 135));
  }
  ReadOnlyMemory cut(f.data(), 0x30000);
  Image im;
  EXPECT_EQ(ReadPcd(cut.AsStream(), 3, im), kTruncated);
  FileInfo info;
  ReadOnlyMemory probe(f.data(), f.size());
  ASSERT_EQ(ProbeFile(probe.AsStream(), info), kOk);
  EXPECT_EQ(info.name, "PCD");
}

}  // namespace
}  // namespace imagecore
