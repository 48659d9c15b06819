// A page DIB's header and rows, wherever they lie, as the bitmap libraries read them: the real
// colour count, masks and resolution; a header of no image refused without reading past it.
#include <gtest/gtest.h>

#include "bitmap_image.h"
#include "dib_fixtures.h"

using namespace imagecore;
using namespace ltbitmap;

namespace {

struct PartsCase {
  const char* name;
  DibSpec spec;
  size_t colors;
};

class DibParts : public ::testing::TestWithParam<PartsCase> {};

TEST_P(DibParts, ReadsTheRowsWhereTheHeaderSays) {
  const PartsCase& c = GetParam();
  size_t offset = 0;
  std::vector<uint8_t> dib = MakeDib(c.spec, &offset);
  // The rows handed over apart from the header, as a caller that located them does.
  std::vector<uint8_t> header(dib.begin(), dib.begin() + ptrdiff_t(offset));
  std::vector<uint8_t> rows(dib.begin() + ptrdiff_t(offset), dib.end());
  Image image;
  bool bottomUp = false;
  ASSERT_EQ(DibPartsToImage(header.data(), rows.data(), image, bottomUp), kOk);
  EXPECT_EQ(bottomUp, c.spec.height > 0);
  EXPECT_EQ(image.palette.size(), c.colors);
  EXPECT_EQ(PelsPerMeterToDpi(image.xPelsPerMeter), c.spec.dpi);
  EXPECT_EQ(image.Row(0)[0], TopRowByte(c.spec.bits));
  if (c.spec.bits == 16) {
    EXPECT_EQ(image.masks[0], 0xF800u);
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, DibParts, ::testing::Values(
    PartsCase{"ShortColourTable", {9, 3, 8, 40, 3, false, 200}, 3},
    PartsCase{"TopDown", {33, -5, 1, 40, 0, false, 300}, 2},
    PartsCase{"LargerHeader", {5, 3, 24, 124, 0, false, 600}, 0},
    PartsCase{"BitMasks", {6, 2, 16, 40, 0, true, 300}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DibParts, RefusesHeadersOfNoImage) {
  for (DibSpec bad : {DibSpec{8, 4, 7}, DibSpec{0, 4, 8}, DibSpec{8, 0, 8}, DibSpec{8, 4, 8, 12},
                      DibSpec{70000, 4, 8}}) {
    std::vector<uint8_t> dib = MakeDib(bad);
    Image image;
    bool bottomUp = false;
    EXPECT_NE(DibPartsToImage(dib.data(), dib.data() + 40, image, bottomUp), kOk) << bad.width;
  }
  Image image;
  bool bottomUp = false;
  EXPECT_EQ(DibPartsToImage(nullptr, nullptr, image, bottomUp), kBadArgument);
}

}  // namespace
