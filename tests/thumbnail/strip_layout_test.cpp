// The strip's arithmetic: thumbnail sizes, rows, and the pages the controls show.
#include <gtest/gtest.h>

#include "strip_layout.h"

using namespace tarnwick;

namespace {

TEST(FitThumbSize, KeepsProportionsWithinTheLargestThumbnail) {
  struct { int32_t w, h, max, outW, outH; } cases[] = {
      {124, 175, 60, 43, 60},     // the gray copy of a 2480 x 3508 page
      {124, 175, 150, 106, 150},
      {3508, 2480, 150, 150, 106},
      {100, 100, 60, 60, 60},
      {30, 20, 60, 30, 20},       // smaller than a thumbnail: as it is
      {1, 5000, 150, 1, 150},     // never narrower than a pixel
  };
  for (const auto& c : cases) {
    ThumbSize s = FitThumbSize(c.w, c.h, c.max, c.max);
    EXPECT_EQ(s.width, c.outW) << c.w << "x" << c.h;
    EXPECT_EQ(s.height, c.outH) << c.w << "x" << c.h;
  }
  for (auto [w, h] : {std::pair{0, 100}, {100, 0}, {-3, 10}}) EXPECT_TRUE(FitThumbSize(w, h, 60, 60).Empty());
  EXPECT_TRUE(FitThumbSize(100, 100, 0, 60).Empty());
}

TEST(GrayCopySize, IsATwentiethAndNeverEmpty) {
  ThumbSize s = GrayCopySize(2480, 3508);
  EXPECT_EQ(s.width, 124);
  EXPECT_EQ(s.height, 175);
  s = GrayCopySize(19, 9);
  EXPECT_EQ(s.width, 1);
  EXPECT_EQ(s.height, 1);
}

// Thumbnails 106 wide in a 313-pixel strip: two to a row; rows 189 pixels apart; no room once
// the next row would not fit.
TEST(StripLayout, FillsRowsAndRunsOutOfRoom) {
  StripGeometry g{313, 500, 16, 150, 150};
  StripLayout l;
  l.PlacedThumb(106, 1, g);
  EXPECT_EQ(l.NextLeft, 146);
  EXPECT_TRUE(l.FirstRowOpen);
  l.PlacedThumb(106, 2, g);
  EXPECT_EQ(l.NextLeft, 5);
  EXPECT_EQ(l.NextTop, 194);
  EXPECT_EQ(l.PagesPerRow, 2);
  EXPECT_TRUE(l.RoomLeft);
  EXPECT_EQ(l.ExtraHeight, 0);
  l.PlacedThumb(106, 3, g);
  l.PlacedThumb(106, 4, g);  // next row at 383: 383 + 189 is past 500
  EXPECT_EQ(l.NextTop, 383);
  EXPECT_TRUE(l.RoomLeft);
  EXPECT_EQ(l.ExtraHeight, 189);
  l.PlacedThumb(106, 5, g);
  l.PlacedThumb(106, 6, g);  // row at 572: below the client area
  EXPECT_FALSE(l.RoomLeft);
  EXPECT_EQ(l.ExtraHeight, 3 * 189);
  // Pages without a control advance by one and a half widths: 5 + 159 leaves no room.
  l.SkippedThumb(106, 7, g);
  EXPECT_EQ(l.NextLeft, 5);
  EXPECT_EQ(l.NextTop, 761);
  EXPECT_EQ(l.ExtraHeight, 4 * 189);
  EXPECT_EQ(l.PagesPerRow, 2);
  EXPECT_FALSE(l.AtBatchStart());
  StripLayout fresh;
  EXPECT_TRUE(fresh.AtBatchStart());
}

// The second edition keeps room while NextTop is above the client height, without looking one
// row ahead, and adds the row that leaves no room to ExtraHeight.
TEST(StripLayout, SecondEditionRunsOutOfRoomOnlyBelowTheClientArea) {
  StripGeometry g{313, 500, 16, 150, 150};
  StripLayout l;
  l.ForEdition = Edition::kSecond;
  for (int page = 1; page <= 4; ++page) l.PlacedThumb(106, page, g);
  EXPECT_EQ(l.NextTop, 383);  // the first edition has an extra row here already
  EXPECT_TRUE(l.RoomLeft);
  EXPECT_EQ(l.ExtraHeight, 0);
  l.PlacedThumb(106, 5, g);
  l.PlacedThumb(106, 6, g);  // row at 572
  EXPECT_FALSE(l.RoomLeft);
  EXPECT_EQ(l.ExtraHeight, 189);
}

// On demand, a thumbnail that ends below the client area adds a row to ExtraHeight and makes it
// the range in the second edition; the first edition leaves both.
TEST(StripLayout, OnDemandRowBelowTheClientAreaSetsTheRangeInTheSecondEdition) {
  StripGeometry g{313, 400, 16, 150, 150};  // one thumbnail to a row on demand
  for (Edition e : {Edition::kFirst, Edition::kSecond}) {
    StripLayout l;
    l.ForEdition = e;
    int32_t range = -1;
    EXPECT_TRUE(l.PlacedOnDemand(106, 1, g, &range));  // next row at 194
    EXPECT_EQ(l.NextLeft, 12);
    EXPECT_TRUE(l.PlacedOnDemand(106, 2, g, &range));  // at 383
    EXPECT_EQ(range, -1);
    EXPECT_EQ(l.ExtraHeight, 0);
    EXPECT_FALSE(l.PlacedOnDemand(106, 3, g, &range));  // at 572, below 400
    EXPECT_EQ(l.ExtraHeight, e == Edition::kSecond ? 189 : 0);
    EXPECT_EQ(range, e == Edition::kSecond ? 189 : -1);
  }
}

TEST(LastPageOffset, ShowsTheLastPageWhateverTheCount) {
  EXPECT_EQ(LastPageOffset(12, 4), 8);
  EXPECT_EQ(LastPageOffset(13, 4), 12);
  EXPECT_EQ(LastPageOffset(12, 12), 0);  // a multiple of the controls: not 12, which hides all
  EXPECT_EQ(LastPageOffset(40, 8), 32);
  EXPECT_EQ(LastPageOffset(0, 8), 0);
  EXPECT_EQ(LastPageOffset(5, 0), 0);
}

struct ScrollCase {
  const char* name;
  ScrollInput in;
  bool refill;
  int32_t offset, position;
};

class ScrollPagesTable : public ::testing::TestWithParam<ScrollCase> {};

TEST_P(ScrollPagesTable, MovesTheOffsetWithinThePages) {
  const ScrollCase& c = GetParam();
  ScrollResult r = ScrollPages(c.in);
  EXPECT_EQ(r.refill, c.refill);
  EXPECT_EQ(r.offset, c.offset);
  EXPECT_EQ(r.position, c.position);
}

// 40 pages, 3 to a row, 9 controls.
INSTANTIATE_TEST_SUITE_P(Codes, ScrollPagesTable, ::testing::Values(
    ScrollCase{"LineDown", {1, 0, 99, 0, 3, 9, -1, 40}, true, 3, -1},
    ScrollCase{"LineUpAtTop", {0, 0, 99, 0, 3, 9, -1, 40}, false, 0, -1},
    ScrollCase{"LineUp", {0, 0, 99, 6, 3, 9, -1, 40}, true, 3, -1},
    ScrollCase{"LineDownAtLastRow", {1, 0, 99, 39, 3, 9, -1, 40}, false, 39, -1},
    ScrollCase{"PageDown", {3, 0, 99, 0, 3, 9, -1, 40}, true, 9, -1},
    ScrollCase{"PageDownToFirstHidden", {3, 0, 99, 30, 3, 9, 6, 40}, true, 36, -1},
    ScrollCase{"PageDownPastTheEnd", {3, 0, 99, 36, 3, 9, -1, 40}, true, 39, -1},
    ScrollCase{"PageUp", {2, 0, 99, 4, 3, 9, -1, 40}, true, 0, -1},
    ScrollCase{"Thumb", {4, 250, 99, 0, 3, 9, -1, 40}, true, 9, 297},
    ScrollCase{"ThumbPastTheEnd", {4, 9000, 99, 0, 3, 9, -1, 40}, true, 39, 9009},
    ScrollCase{"OtherCode", {8, 0, 99, 6, 3, 9, -1, 40}, false, 6, -1},
    ScrollCase{"NoRowsYet", {1, 0, 99, 0, 0, 2, -1, 2}, true, 1, -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ManyPagesRange, NeedsAStripWidth) {
  EXPECT_EQ(ManyPagesRange(40, 600, 313), 77 * 25);
  EXPECT_EQ(ManyPagesRange(40, 600, 0), 0);
}

}  // namespace
