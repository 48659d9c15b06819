#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

#include "page_assembly.h"

namespace {

PageFormat Gray(int32_t width, int32_t length) {
  PageFormat f;
  f.XResolution = f.YResolution = 100;
  f.ImageWidth = width;
  f.ImageLength = length;
  f.BitsPerPixel = 8;
  f.SamplesPerPixel = 1;
  f.PixelType = 1;
  return f;
}

TEST(PageBlockSize, WholeRowsThatFitTheTransferBuffer) {
  EXPECT_EQ(PageBlockSize(2550, 65536), 63750u);
  EXPECT_EQ(PageBlockSize(10, 10), 10u);
  EXPECT_EQ(PageBlockSize(2550, 2549), 0u) << "not one row fits";
  EXPECT_EQ(PageBlockSize(0, 65536), 0u);
}

struct Block {
  uint32_t rows;
  int32_t code;
  PageStep step;
};

struct AssemblyCase {
  const char* name;
  std::vector<Block> blocks;
  uint32_t rowsStored;  // received rows in the DIB when it is delivered
};

class PageAssemblyTest : public testing::TestWithParam<AssemblyCase> {};

// A 4 x 5 gray page; received row r holds the value r + 1 in each pixel.
TEST_P(PageAssemblyTest, CodesDecideDeliveryAndMissingRowsReadWhite) {
  const AssemblyCase& c = GetParam();
  PageAssembly page;
  ASSERT_EQ(page.Begin(Gray(4, 5)), PageDibRefusal::None);
  std::vector<uint8_t> dib(page.Layout().BlockSize, 0);
  ASSERT_TRUE(page.Attach(dib.data(), dib.size()));
  uint32_t sent = 0;
  PageStep last = PageStep::More;
  for (const Block& b : c.blocks) {
    std::vector<uint8_t> data;
    for (uint32_t r = 0; r < b.rows; ++r) data.insert(data.end(), 4, static_cast<uint8_t>(++sent));
    last = page.Receive(data.data(), static_cast<uint32_t>(data.size()), b.code);
    ASSERT_EQ(last, b.step) << "code " << b.code;
  }
  if (last != PageStep::Deliver) return;
  EXPECT_EQ(page.RowsStored(), c.rowsStored);
  EXPECT_EQ(page.BytesLeft(), 0u);
  const uint8_t* pixels = dib.data() + page.Layout().HeaderSize;
  for (uint32_t r = 0; r < 5; ++r) {
    const uint8_t* row = pixels + (4 - r) * page.Layout().RowStride;  // top row last in memory
    const uint8_t want = r < c.rowsStored ? static_cast<uint8_t>(r + 1) : 0xFF;
    for (int x = 0; x < 4; ++x) ASSERT_EQ(row[x], want) << "row " << r;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Codes, PageAssemblyTest,
    testing::Values(
        AssemblyCase{"code1", {{2, 0, PageStep::More}, {3, 1, PageStep::Deliver}}, 5},
        AssemblyCase{"code3", {{5, 3, PageStep::Deliver}}, 5},
        AssemblyCase{"code5_short", {{2, 0, PageStep::More}, {0, 5, PageStep::Deliver}}, 2},
        AssemblyCase{"code5_in_last_block", {{1, 0, PageStep::More}, {2, 5, PageStep::Deliver}}, 3},
        AssemblyCase{"code1_overlong", {{4, 0, PageStep::More}, {3, 1, PageStep::Deliver}}, 5},
        AssemblyCase{"negative_midway",
                     {{2, 0, PageStep::More}, {0, -4, PageStep::Discard}, {3, 1, PageStep::Discard}}, 0},
        AssemblyCase{"negative_first", {{0, -1, PageStep::Discard}}, 0}),
    [](const testing::TestParamInfo<AssemblyCase>& i) { return std::string(i.param.name); });

// A transfer buffer under one row: the driver sends each row in pieces of any length.
TEST(PageAssembly, RowsSplitAcrossBlocksAreJoined) {
  for (uint32_t piece : {1u, 3u, 5u, 7u, 19u}) {
    PageAssembly page;
    ASSERT_EQ(page.Begin(Gray(4, 5)), PageDibRefusal::None);
    std::vector<uint8_t> dib(page.Layout().BlockSize), data(20);
    ASSERT_TRUE(page.Attach(dib.data(), dib.size()));
    std::iota(data.begin(), data.end(), 1);
    PageStep step = PageStep::More;
    for (uint32_t at = 0; at < data.size(); at += piece) {
      const uint32_t n = std::min<uint32_t>(piece, static_cast<uint32_t>(data.size()) - at);
      step = page.Receive(data.data() + at, n, at + n == data.size() ? 1 : 0);
    }
    ASSERT_EQ(step, PageStep::Deliver) << piece;
    EXPECT_EQ(page.RowsStored(), 5u) << piece;
    const uint8_t* pixels = dib.data() + page.Layout().HeaderSize;
    for (uint32_t r = 0; r < 5; ++r)
      for (uint32_t x = 0; x < 4; ++x)
        ASSERT_EQ(pixels[(4 - r) * page.Layout().RowStride + x], data[4 * r + x]) << piece;
  }
}

TEST(PageAssembly, RowLeftUnfinishedAtThePageEndReadsWhite) {
  PageAssembly page;
  ASSERT_EQ(page.Begin(Gray(4, 2)), PageDibRefusal::None);
  std::vector<uint8_t> dib(page.Layout().BlockSize), data(6, 7);
  ASSERT_TRUE(page.Attach(dib.data(), dib.size()));
  EXPECT_EQ(page.Receive(data.data(), 6, 1), PageStep::Deliver);
  EXPECT_EQ(page.RowsStored(), 1u);
  const uint8_t* pixels = dib.data() + page.Layout().HeaderSize;
  EXPECT_EQ(pixels[page.Layout().RowStride], 7);
  EXPECT_EQ(pixels[0], 0xFF);
}

TEST(DriverBlockSize, WholeRowsOrTheWholeBufferWhenNoRowFits) {
  EXPECT_EQ(DriverBlockSize(2550, 65536), 63750u);
  EXPECT_EQ(DriverBlockSize(40000, 32767), 32767u);
  EXPECT_EQ(DriverBlockSize(0, 32767), 32767u);
}

TEST(PageAssembly, NothingIsStoredWithoutABlock) {
  PageAssembly page;
  ASSERT_EQ(page.Begin(Gray(4, 5)), PageDibRefusal::None);
  std::vector<uint8_t> data(4, 1);
  EXPECT_EQ(page.Receive(data.data(), 4, 1), PageStep::Discard);
  std::vector<uint8_t> small(page.Layout().BlockSize - 1);
  EXPECT_FALSE(page.Attach(small.data(), small.size()));
  EXPECT_EQ(page.Receive(data.data(), 4, 1), PageStep::Discard);
}

TEST(PageAssembly, ADeliveredPageTakesNoMoreRows) {
  PageAssembly page;
  ASSERT_EQ(page.Begin(Gray(4, 1)), PageDibRefusal::None);
  std::vector<uint8_t> dib(page.Layout().BlockSize), data(4, 1);
  ASSERT_TRUE(page.Attach(dib.data(), dib.size()));
  EXPECT_EQ(page.Receive(data.data(), 4, 1), PageStep::Deliver);
  EXPECT_EQ(page.Receive(data.data(), 4, 0), PageStep::Discard);
}

TEST(PageAssembly, RefusedPageHasNoBlockSize) {
  PageAssembly page;
  PageFormat f = Gray(4, 5);
  f.BitsPerPixel = 4;
  EXPECT_EQ(page.Begin(f), PageDibRefusal::UnsupportedKind);
  EXPECT_EQ(page.Layout().BlockSize, 0u);
  std::vector<uint8_t> dib(1000);
  EXPECT_FALSE(page.Attach(dib.data(), dib.size()));
}

struct PaddingCase {
  const char* name;
  uint32_t received, length, rowLength, blockBytes;
  std::vector<uint32_t> calls;  // rows of each white write, in order
};

class ShortPagePaddingTest : public testing::TestWithParam<PaddingCase> {};

TEST_P(ShortPagePaddingTest, WritesWhiteRowsUntilThePageIsWhole) {
  const PaddingCase& c = GetParam();
  ShortPagePadding pad(c.received, c.length, c.rowLength, c.blockBytes);
  std::vector<uint32_t> calls;
  for (uint32_t rows; (rows = pad.Next()) != 0;) {
    ASSERT_LE(rows * c.rowLength, pad.BufferBytes());
    calls.push_back(rows);
    ASSERT_LT(calls.size(), 10000u) << "padding does not end";
  }
  EXPECT_EQ(calls, c.calls);
}

std::vector<uint32_t> Repeat(uint32_t rows, size_t times) { return std::vector<uint32_t>(times, rows); }

INSTANTIATE_TEST_SUITE_P(
    Pages, ShortPagePaddingTest,
    testing::Values(
        PaddingCase{"a4_page", 100, 3300, 2550, 63750, Repeat(25, 128)},
        PaddingCase{"last_call_shortened", 10, 33, 4, 20, {5, 5, 5, 5, 3}},
        // A block under one row used to pad nothing per call, for ever.
        PaddingCase{"block_under_a_row", 3, 6, 2550, 100, {1, 1, 1}},
        PaddingCase{"nothing_received", 0, 3300, 2550, 63750, {}},
        PaddingCase{"page_already_whole", 3300, 3300, 2550, 63750, {}}),
    [](const testing::TestParamInfo<PaddingCase>& i) { return std::string(i.param.name); });

TEST(ShortPagePadding, BufferHoldsAtLeastOneRow) {
  ShortPagePadding pad(1, 5, 2550, 100);
  EXPECT_EQ(pad.BufferBytes(), 2550u);
}

}  // namespace
