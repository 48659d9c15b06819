// The "More" dialog's rules, without a window.
#include <gtest/gtest.h>

#include "dialog_test_texts.h"
#include "more_dialog.h"
#include "tag_ids.h"

namespace {

MoreSnapshot Gray() {
  MoreSnapshot s;
  s.imageType = 1;
  s.sharpen = ListOf({0, 1, 2}, 0);
  s.descreen = ListOf({0, 1}, 0);
  return s;
}

TEST(MoreDialog, OkWritesEveryValueInItsOrder) {
  MoreModel m(Gray());
  m.SetChannel(1);
  m.SetBackground(1);
  m.ToggleLamp();
  m.ToggleInvert();
  m.ToggleSharpen();
  m.SetSharpenLevel(7);
  std::vector<std::pair<uint16_t, int32_t>> got;
  for (const TagWrite& w : m.OkWrites()) got.push_back({w.tag, w.number});
  const std::vector<std::pair<uint16_t, int32_t>> expected = {
      {kTagFilter, 1}, {kTagBackground, 1}, {kTagEnergySaving, 1}, {kTagInvert, 1},
      {kTagDeskew, 0}, {kTagMirror, 0}, {kTagSharpen, 2}, {kTagDescreen, 0}};
  EXPECT_EQ(got, expected);
  m.ToggleLamp();
  EXPECT_EQ(m.energy(), 0);
}

TEST(MoreDialog, LevelSliders) {
  struct Case {
    TagChoices tag;
    int32_t imageType;
    bool boxEnabled, on;
    int32_t min, max, level;
  } cases[] = {
      {ListOf({0, 1, 2, 3, 4}, 9), 1, true, true, 1, 4, 4},
      {ListOf({0, 1, 2}, 0), 2, true, false, 1, 2, 1},
      {ListOf({0, 1, 2}, 256), 1, true, false, 1, 2, 2},  // low byte 0: off
      {ListOf({0, 1, 2}, 2), 0, false, false, 1, 2, 2},   // black-and-white
      // Fewer than two choices: level 1 on a one-position slider, the box by the value.
      {ListOf({0}, 0), 1, true, false, 1, 1, 1},
      {ListOf({0}, 4), 1, true, true, 1, 1, 1},
      {RangeOf(0, 10, 1, 3), 1, true, true, 1, 1, 1},
      {RangeOf(0, 10, 1, 3), 0, false, false, 1, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.tag.count << " " << c.tag.current << " type " << c.imageType);
    const LevelOption o = LevelOptionFor(c.tag, c.imageType);
    EXPECT_EQ(o.boxEnabled, c.boxEnabled);
    EXPECT_EQ(o.on, c.on);
    EXPECT_EQ(o.level, c.level);
    EXPECT_EQ(o.min, c.min);
    EXPECT_EQ(o.max, c.max);
  }
}

TEST(MoreDialog, BlackAndWhiteStoresNoSharpenOrDescreen) {
  MoreSnapshot s = Gray();
  s.imageType = 0;
  s.sharpen.current = 2;
  s.descreen.current = 1;
  MoreModel m(s);
  m.ToggleSharpen();
  EXPECT_FALSE(m.sharpen().on);
  const std::vector<TagWrite> w = m.OkWrites();
  ASSERT_EQ(w.size(), 8u);
  EXPECT_EQ(w[6].number, 0);
  EXPECT_EQ(w[7].number, 0);
}

// With fewer than two choices OK still writes both tags: the level (1) when the box is checked,
// 0 when it is not.
TEST(MoreDialog, TooFewChoicesStillWriteTheLevelOrZero) {
  MoreSnapshot s = Gray();
  s.sharpen = ListOf({0}, 0);
  s.descreen = TagChoices{};  // not supported
  s.descreen.current = 5;
  MoreModel m(s);
  m.ToggleSharpen();
  m.SetDescreenLevel(3);
  std::vector<std::pair<uint16_t, int32_t>> levels;
  for (const TagWrite& w : m.OkWrites())
    if (w.tag == kTagSharpen || w.tag == kTagDescreen) levels.push_back({w.tag, w.number});
  EXPECT_EQ(levels, (std::vector<std::pair<uint16_t, int32_t>>{{kTagSharpen, 1}, {kTagDescreen, 1}}));
  m.ToggleDescreen();
  EXPECT_EQ(m.OkWrites().back().number, 0);
  EXPECT_EQ(m.OkWrites().back().tag, kTagDescreen);
}

TEST(MoreDialog, OneBackgroundChoiceDisablesBoth) {
  MoreSnapshot s = Gray();
  s.backgroundChoices = 1;
  MoreModel m(s);
  EXPECT_FALSE(m.backgroundEnabled());
  m.SetBackground(1);
  EXPECT_EQ(m.background(), 0);
  s.backgroundChoices = 2;
  EXPECT_TRUE(MoreModel(s).backgroundEnabled());
}

}  // namespace
