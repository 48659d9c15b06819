#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "page_dib.h"
#include "page_format.h"

namespace {

uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

PageFormat Format(int16_t type, int32_t bits, int32_t width, int32_t length, int16_t samples = 1) {
  PageFormat f;
  f.XResolution = 300;
  f.YResolution = 200;
  f.ImageWidth = width;
  f.ImageLength = length;
  f.BitsPerPixel = bits;
  f.SamplesPerPixel = samples;
  f.PixelType = type;
  return f;
}

struct LayoutCase {
  int16_t type;
  int32_t bits;
  int16_t samples;
  int32_t width;
  uint32_t rowLength, stride, colours, header;
};

class PageDibLayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(PageDibLayoutTest, SizesFollowTheRowsAndTheTableWritten) {
  const LayoutCase& c = GetParam();
  PageDibLayout l;
  ASSERT_EQ(PageDibLayoutFor(Format(c.type, c.bits, c.width, 7, c.samples), &l), PageDibRefusal::None);
  EXPECT_EQ(l.RowLength, c.rowLength);
  EXPECT_EQ(l.RowStride, c.stride);
  EXPECT_EQ(l.ColourCount, c.colours);
  EXPECT_EQ(l.HeaderSize, c.header);
  EXPECT_EQ(l.ImageSize, c.stride * 7);
  EXPECT_EQ(l.BlockSize, c.header + c.stride * 7);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, PageDibLayoutTest,
    testing::Values(
        // Odd black-and-white widths keep their last partial byte.
        LayoutCase{kPixelBlackWhite, 1, 1, 1, 1, 4, 2, 48},
        LayoutCase{kPixelBlackWhite, 1, 1, 9, 2, 4, 2, 48},
        LayoutCase{kPixelBlackWhite, 1, 1, 33, 5, 8, 2, 48},
        LayoutCase{kPixelBlackWhite, 1, 1, 2550, 319, 320, 2, 48},
        LayoutCase{kPixelBlackWhite, 4, 1, 3, 2, 4, 16, 104},
        LayoutCase{kPixelGray, 8, 1, 10, 10, 12, 256, 1064},
        LayoutCase{kPixelGray, 16, 1, 10, 20, 20, 0, 40},
        LayoutCase{kPixelRgb, 24, 3, 10, 30, 32, 0, 40},
        LayoutCase{kPixelRgb, 48, 3, 3, 18, 20, 0, 40},
        // A palette page reported with three samples still gets the table it is given.
        LayoutCase{kPixelRgb, 8, 3, 5, 5, 8, 256, 1064},
        LayoutCase{kPixelGray, 8, 3, 4, 4, 4, 256, 1064}));

struct RefusalCase {
  PageFormat format;
  PageDibRefusal refusal;
};

class PageDibRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(PageDibRefusalTest, PagesNoDibCarriesAreRefused) {
  PageDibLayout l;
  EXPECT_EQ(PageDibLayoutFor(GetParam().format, &l), GetParam().refusal);
  EXPECT_EQ(l.BlockSize, 0u);
}

PageFormat WithRes(PageFormat f, int32_t x) {
  f.XResolution = x;
  return f;
}

INSTANTIATE_TEST_SUITE_P(
    Pages, PageDibRefusalTest,
    testing::Values(RefusalCase{Format(kPixelGray, 4, 10, 10), PageDibRefusal::UnsupportedKind},
                    RefusalCase{Format(kPixelGray, 1, 10, 10), PageDibRefusal::UnsupportedKind},
                    RefusalCase{Format(kPixelRgb, 16, 10, 10), PageDibRefusal::UnsupportedKind},
                    RefusalCase{Format(kPixelRgb, 32, 10, 10), PageDibRefusal::UnsupportedKind},
                    RefusalCase{Format(kPixelBlackWhite, 2, 10, 10), PageDibRefusal::UnsupportedKind},
                    RefusalCase{Format(kPixelBlackWhite, 0, 10, 10), PageDibRefusal::UnsupportedKind},
                    RefusalCase{Format(3, 8, 10, 10), PageDibRefusal::UnsupportedKind},
                    RefusalCase{Format(kPixelGray, 8, 0, 10), PageDibRefusal::BadDimensions},
                    RefusalCase{Format(kPixelGray, 8, 10, -1), PageDibRefusal::BadDimensions},
                    RefusalCase{WithRes(Format(kPixelGray, 8, 10, 10), 0), PageDibRefusal::BadDimensions},
                    RefusalCase{Format(kPixelRgb, 48, 100000, 100000), PageDibRefusal::TooLarge}));

TEST(PixelsPerMetre, DotsPerInchTimesInchesPerMetreRounded) {
  const std::pair<int32_t, int32_t> cases[] = {{300, 11811}, {200, 7874}, {72, 2835}, {600, 23622}, {1, 39}};
  for (auto [dpi, ppm] : cases) EXPECT_EQ(PixelsPerMetre(dpi), ppm) << dpi;
}

std::vector<uint8_t> Built(const PageFormat& f, PageDibLayout* l) {
  EXPECT_EQ(PageDibLayoutFor(f, l), PageDibRefusal::None);
  std::vector<uint8_t> block(l->BlockSize, 0xAB);
  EXPECT_TRUE(BuildDibHeader(block.data(), block.size(), f, *l));
  return block;
}

TEST(BuildDibHeader, HeaderFieldsDescribeThePage) {
  PageDibLayout l;
  const auto b = Built(Format(kPixelGray, 8, 10, 7), &l);
  EXPECT_EQ(Read32(b, 0), 40u);
  EXPECT_EQ(Read32(b, 4), 10u);
  EXPECT_EQ(Read32(b, 8), 7u);
  EXPECT_EQ(b[12] | (b[13] << 8), 1);
  EXPECT_EQ(b[14] | (b[15] << 8), 8);
  EXPECT_EQ(Read32(b, 16), 0u);
  EXPECT_EQ(Read32(b, 20), 84u);
  EXPECT_EQ(Read32(b, 24), 11811u);
  EXPECT_EQ(Read32(b, 28), 7874u);
  EXPECT_EQ(Read32(b, 32), 256u);
  EXPECT_EQ(Read32(b, 36), 256u);
  for (uint32_t i = 0; i < 256; ++i) {
    ASSERT_EQ(Read32(b, 40 + 4 * i), i | (i << 8) | (i << 16)) << i;
  }
  EXPECT_EQ(b[1064], 0xAB) << "pixels untouched";
}

TEST(BuildDibHeader, BlackAndWhiteTableIsBlackThenWhite) {
  PageDibLayout l;
  const auto b = Built(Format(kPixelBlackWhite, 1, 9, 3), &l);
  EXPECT_EQ(Read32(b, 32), 2u);
  EXPECT_EQ(Read32(b, 40), 0u);
  EXPECT_EQ(Read32(b, 44), 0x00FFFFFFu);
}

TEST(BuildDibHeader, PaletteRgbIsAColourCube) {
  PageDibLayout l;
  const auto b = Built(Format(kPixelRgb, 8, 5, 2, 3), &l);
  auto entry = [&](uint32_t i) { return Read32(b, 40 + 4 * i); };  // blue, green, red, 0
  auto bgr = [](uint32_t r, uint32_t g, uint32_t bl) { return bl | (g << 8) | (r << 16); };
  EXPECT_EQ(entry(0), bgr(31, 31, 63));
  EXPECT_EQ(entry(7), bgr(255, 31, 63));
  EXPECT_EQ(entry(8), bgr(31, 63, 63));
  EXPECT_EQ(entry(64), bgr(31, 31, 127));
  EXPECT_EQ(entry(255), bgr(255, 255, 255));
  EXPECT_EQ(l.HeaderSize, 1064u);
}

TEST(BuildDibHeader, TrueColourHasNoTable) {
  PageDibLayout l;
  const auto b = Built(Format(kPixelRgb, 24, 4, 2, 3), &l);
  EXPECT_EQ(Read32(b, 32), 0u);
  EXPECT_EQ(l.HeaderSize, 40u);
}

TEST(BuildDibHeader, RefusesABlockTooShortForThePage) {
  PageFormat f = Format(kPixelRgb, 8, 5, 2, 3);
  PageDibLayout l;
  ASSERT_EQ(PageDibLayoutFor(f, &l), PageDibRefusal::None);
  std::vector<uint8_t> block(l.BlockSize - 1, 0xAB);
  EXPECT_FALSE(BuildDibHeader(block.data(), block.size(), f, l));
  EXPECT_EQ(block[0], 0xAB);
}

struct CopyCase {
  const char* name;
  PageFormat format;
  std::vector<uint8_t> row;       // one received row
  std::vector<uint8_t> dibRow;    // as stored, padding included
};

class CopyRowsTest : public testing::TestWithParam<CopyCase> {};

TEST_P(CopyRowsTest, RowsLandBottomUpInDibOrderWithWhitePadding) {
  const CopyCase& c = GetParam();
  PageDibLayout l;
  ASSERT_EQ(PageDibLayoutFor(c.format, &l), PageDibRefusal::None);
  ASSERT_EQ(c.row.size(), l.RowLength);
  ASSERT_EQ(c.dibRow.size(), l.RowStride);
  // Two rows: the second is the first with every byte inverted, so their order shows.
  std::vector<uint8_t> rows(c.row);
  for (uint8_t v : c.row) rows.push_back(static_cast<uint8_t>(~v));
  std::vector<uint8_t> pixels(l.ImageSize, 0);
  uint32_t left = l.ImageSize;
  EXPECT_EQ(CopyRowsToDib(pixels.data(), rows.data(), 2, &left, c.format, l), 2u);
  EXPECT_EQ(left, l.ImageSize - 2 * l.RowStride);
  std::vector<uint8_t> top(pixels.end() - l.RowStride, pixels.end());
  EXPECT_EQ(top, c.dibRow);
  std::vector<uint8_t> second(pixels.end() - 2 * l.RowStride, pixels.end() - l.RowStride);
  for (uint32_t i = 0; i < l.RowLength; ++i) EXPECT_EQ(second[i], static_cast<uint8_t>(~c.dibRow[i]) & 0xFF);
  EXPECT_EQ(pixels[0], 0) << "rows not received stay as they were";
}

INSTANTIATE_TEST_SUITE_P(
    Pages, CopyRowsTest,
    testing::Values(
        CopyCase{"bw9", Format(kPixelBlackWhite, 1, 9, 3), {0x5A, 0x80}, {0x5A, 0x80, 0xFF, 0xFF}},
        CopyCase{"gray10", Format(kPixelGray, 8, 10, 3), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
                 {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0xFF, 0xFF}},
        CopyCase{"gray16", Format(kPixelGray, 16, 1, 3), {0x34, 0x12}, {0x34, 0x12, 0xFF, 0xFF}},
        CopyCase{"rgb24", Format(kPixelRgb, 24, 2, 3, 3), {1, 2, 3, 4, 5, 6},
                 {3, 2, 1, 6, 5, 4, 0xFF, 0xFF}},
        CopyCase{"rgb48", Format(kPixelRgb, 48, 1, 3, 3), {1, 2, 3, 4, 5, 6}, {5, 6, 3, 4, 1, 2, 0xFF, 0xFF}},
        CopyCase{"palette", Format(kPixelRgb, 8, 3, 3, 3), {7, 8, 9}, {7, 8, 9, 0xFF}}),
    [](const testing::TestParamInfo<CopyCase>& i) { return std::string(i.param.name); });

TEST(CopyRowsToDib, RowsPastThePageEndAreDropped) {
  PageFormat f = Format(kPixelGray, 8, 4, 2);
  PageDibLayout l;
  ASSERT_EQ(PageDibLayoutFor(f, &l), PageDibRefusal::None);
  std::vector<uint8_t> rows(3 * 4, 0x11), pixels(l.ImageSize, 0);
  uint32_t left = l.ImageSize;
  EXPECT_EQ(CopyRowsToDib(pixels.data(), rows.data(), 3, &left, f, l), 2u);
  EXPECT_EQ(left, 0u);
}

std::vector<uint8_t> DibBlock(uint32_t biSize, int32_t width, int32_t height, uint16_t bits,
                              uint32_t compression, uint32_t clrUsed, size_t total) {
  std::vector<uint8_t> b(total, 0);
  auto put = [&](size_t at, uint32_t v) { std::memcpy(&b[at], &v, 4); };  // tests run little-endian
  put(0, biSize);
  put(4, static_cast<uint32_t>(width));
  put(8, static_cast<uint32_t>(height));
  b[12] = 1;
  b[14] = static_cast<uint8_t>(bits);
  b[15] = static_cast<uint8_t>(bits >> 8);
  put(16, compression);
  put(32, clrUsed);
  return b;
}

struct LocateCase {
  const char* name;
  uint32_t biSize;
  int32_t width, height;
  uint16_t bits;
  uint32_t compression, clrUsed;
  size_t total;
  bool found;
  uint32_t offset, stride, rows;
};

class LocateDibPixelsTest : public testing::TestWithParam<LocateCase> {};

TEST_P(LocateDibPixelsTest, OffsetFromHeaderSizeAndColoursWithinTheBlock) {
  const LocateCase& c = GetParam();
  const auto b = DibBlock(c.biSize, c.width, c.height, c.bits, c.compression, c.clrUsed, c.total);
  DibPixelSpan s;
  ASSERT_EQ(LocateDibPixels(b.data(), b.size(), &s), c.found);
  if (!c.found) return;
  EXPECT_EQ(s.Offset, c.offset);
  EXPECT_EQ(s.RowStride, c.stride);
  EXPECT_EQ(s.Rows, c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Dibs, LocateDibPixelsTest,
    testing::Values(
        LocateCase{"gray_full_table", 40, 10, 2, 8, 0, 0, 40 + 1024 + 24, true, 1064, 12, 2},
        LocateCase{"v5_header_short_table", 124, 10, 2, 8, 0, 16, 124 + 64 + 24, true, 188, 12, 2},
        LocateCase{"bitfields_masks", 40, 2, 2, 16, 3, 0, 52 + 8, true, 52, 4, 2},
        LocateCase{"top_down", 40, 2, -3, 24, 0, 0, 40 + 24, true, 40, 8, 3},
        LocateCase{"one_byte_short", 40, 10, 2, 8, 0, 0, 40 + 1024 + 23, false, 0, 0, 0},
        LocateCase{"too_many_colours", 40, 10, 2, 8, 0, 300, 4000, false, 0, 0, 0},
        LocateCase{"header_past_block", 4000, 1, 1, 8, 0, 0, 100, false, 0, 0, 0},
        LocateCase{"header_too_small", 12, 1, 1, 8, 0, 0, 100, false, 0, 0, 0},
        LocateCase{"compressed", 40, 1, 1, 8, 1, 0, 2000, false, 0, 0, 0},
        LocateCase{"huge_colour_count", 40, 1, 1, 24, 0, 0x40000000, 2000, false, 0, 0, 0}),
    [](const testing::TestParamInfo<LocateCase>& i) { return std::string(i.param.name); });

}  // namespace
