// The paper finder on pages the simulated scanner lays skewed on its black or white plate: the
// page comes back upright, cut to the paper, with no plate along its edges; a page whose edges
// cannot be told from the plate comes back as it was.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "image.h"
#include "ops.h"
#include "paper_finder.h"
#include "plate_page.h"

namespace {

using cropdeskew::RawImage;

RawImage Scan(zebsim::PixelKind kind, int dpi, double skew, bool black) {
  zebsim::PageFormat f;
  f.kind = kind;
  f.xResolution = f.yResolution = dpi;
  f.paper = zebsim::Paper::Letter;
  zebsim::PlateSetup plate;
  plate.on = true;
  plate.skewDegrees = skew;
  zebsim::PlatePage page(f, 1, plate, black);
  RawImage raw;
  raw.width = page.Frame().width;
  raw.length = page.Frame().length;
  raw.samples = kind == zebsim::PixelKind::Color ? 3 : 1;
  raw.pixels.resize(size_t(page.Frame().bytesPerRow) * raw.length);
  for (int y = 0; y < raw.length; ++y) page.Row(y, raw.pixels.data() + size_t(y) * page.Frame().bytesPerRow);
  return raw;
}

uint8_t Luma(const RawImage& im, int x, int y) {
  const uint8_t* p = &im.pixels[(size_t(y) * im.width + x) * im.samples];
  return im.samples == 1 ? p[0] : uint8_t((299 * p[0] + 587 * p[1] + 114 * p[2] + 500) / 1000);
}

// The share of an edge row or column that shows the plate (its level, or the shadow of a white
// plate's paper edge).
double PlateShare(const RawImage& im, bool row, int at, bool blackPlate) {
  const int n = row ? im.width : im.length;
  int plate = 0;
  for (int i = 0; i < n; ++i) {
    const uint8_t v = row ? Luma(im, i, at) : Luma(im, at, i);
    plate += blackPlate ? v < 64 : v < 192;
  }
  return double(plate) / n;
}

// The skew of the text lines left in a page, by the codec library's own measurement.
double TextSkew(const RawImage& im) {
  imagecore::Image core;
  imagecore::Allocate(core, im.width, im.length, im.samples == 3 ? 24 : 8);
  for (int y = 0; y < im.length; ++y)
    std::memcpy(core.Row(y), &im.pixels[size_t(y) * im.width * im.samples], size_t(im.width) * im.samples);
  double degrees = 99;
  EXPECT_EQ(imagecore::MeasureSkew(core, 1, 5.0, 0.05, 1.0, 128, degrees), imagecore::kOk);
  return degrees;
}

struct Case {
  zebsim::PixelKind kind;
  double skew;
  bool black;
};

class PaperFinder : public ::testing::TestWithParam<Case> {};

TEST_P(PaperFinder, StraightensAndCutsToThePaper) {
  const Case c = GetParam();
  const int dpi = 100;
  const RawImage scan = Scan(c.kind, dpi, c.skew, c.black);
  const uint8_t plate = c.black ? zebsim::kBlackPlateLevel : zebsim::kWhitePlateLevel;
  const RawImage out = cropdeskew::DeskewAndCrop(scan, plate, dpi);
  EXPECT_NEAR(out.width / double(dpi), 8.5, 0.05);
  EXPECT_NEAR(out.length / double(dpi), 11.0, 0.05);
  EXPECT_LT(std::fabs(TextSkew(out)), 0.3);
  for (bool row : {true, false}) {
    const int last = (row ? out.length : out.width) - 1;
    EXPECT_LT(PlateShare(out, row, 0, c.black), 0.01) << (row ? "top row" : "left column");
    EXPECT_LT(PlateShare(out, row, last, c.black), 0.01) << (row ? "bottom row" : "right column");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Plates, PaperFinder,
    ::testing::Values(Case{zebsim::PixelKind::Gray, 3.0, true}, Case{zebsim::PixelKind::Color, -2.0, true},
                      Case{zebsim::PixelKind::Gray, 3.0, false}, Case{zebsim::PixelKind::Gray, 0.0, true}));

TEST(PaperFinderEdges, TiltOfBothEdgesIsTheSkew) {
  const RawImage scan = Scan(zebsim::PixelKind::Gray, 100, 4.0, true);
  const cropdeskew::EdgeFit top = cropdeskew::TopEdge(scan, zebsim::kBlackPlateLevel);
  const cropdeskew::EdgeFit left = cropdeskew::LeftEdge(scan, zebsim::kBlackPlateLevel);
  ASSERT_TRUE(top.seen);
  ASSERT_TRUE(left.seen);
  EXPECT_NEAR(top.degrees, 4.0, 0.1);
  EXPECT_NEAR(left.degrees, 4.0, 0.1);
}

TEST(PaperFinderEdges, PageWithoutPlateComesBackUnchanged) {
  zebsim::PageFormat f;
  f.kind = zebsim::PixelKind::Gray;
  f.xResolution = f.yResolution = 75;
  const std::vector<uint8_t> page = zebsim::RenderPage(f, 1);
  RawImage raw;
  raw.width = zebsim::GeometryOf(f).width;
  raw.length = zebsim::GeometryOf(f).length;
  raw.pixels = page;
  for (uint8_t plate : {zebsim::kWhitePlateLevel, zebsim::kBlackPlateLevel}) {
    const RawImage out = cropdeskew::DeskewAndCrop(raw, plate, 75);
    EXPECT_EQ(out.width, raw.width);
    EXPECT_EQ(out.length, raw.length);
    EXPECT_TRUE(out.pixels == raw.pixels) << "plate " << int(plate);
  }
}

TEST(PaperFinderEdges, PlateLevelIsTheBackgroundsMedian) {
  std::vector<uint8_t> lines(300, 0x10);
  lines[5] = 0xFF;  // a speck of dust
  EXPECT_EQ(cropdeskew::PlateLevel(lines.data(), 100, 3, 1), 0x10);
  EXPECT_EQ(cropdeskew::PlateLevel(lines.data(), 100, 1, 3), 0x10);
  EXPECT_EQ(cropdeskew::PlateLevel(nullptr, 100, 3, 1), 0);
}

}  // namespace
