#include <gtest/gtest.h>

#include "fake_scroll_port.h"
#include "scroll_area.h"

using namespace qm;
using qm_test::FakeScrollPort;

namespace {

struct Rig {
  FakeScrollPort port;
  QmScrollArea area{port};
  TQmControlScrollBar& H() { return area.HorzScrollBar(); }
  TQmControlScrollBar& V() { return area.VertScrollBar(); }
  void Child(int32_t w, int32_t h, TAlign align = TAlign::alNone, int32_t left = 0) {
    port.children.push_back({left, 0, w, h, align, true});
    area.CalcAutoRange();
  }
};

}  // namespace

TEST(ScrollModel, PositionIsClampedToTheCalculatedRange) {
  struct Case { int32_t asked, expected; };
  const Case cases[] = {{-5, 0}, {0, 0}, {400, 400}, {800, 800}, {801, 800}, {5000, 800}};
  for (const Case& c : cases) {
    Rig r;
    r.Child(100, 1000);  // client 200 high: 800 left to scroll
    ASSERT_EQ(r.V().CalcRange(), 800);
    r.V().SetPosition(c.asked);
    EXPECT_EQ(r.V().Position(), c.expected) << c.asked;
    EXPECT_EQ(r.port.thumb[1], c.expected);
    if (c.expected > 0) {
      EXPECT_EQ(r.port.scrolls.back(), std::make_pair(0, -c.expected));
    }
  }
}

TEST(ScrollModel, SamePositionScrollsNothingButResyncsTheThumb) {
  Rig r;
  r.Child(100, 1000);
  r.V().SetPosition(300);
  size_t scrolls = r.port.scrolls.size();
  r.port.thumb[1] = 12;  // the thumb drifted
  r.V().SetPosition(300);
  EXPECT_EQ(r.port.scrolls.size(), scrolls);
  EXPECT_EQ(r.port.thumb[1], 300);
}

TEST(ScrollModel, OneBarCanMakeTheOtherNecessary) {
  // Window 300 x 200 without border, bars 17 pixels thick.
  struct Case { int32_t w, h; bool horz, vert; };
  const Case cases[] = {
      {100, 100, false, false}, {250, 400, false, true}, {290, 400, true, true},
      {400, 150, true, false},  {400, 190, true, true},  {300, 200, false, false},
  };
  for (const Case& c : cases) {
    Rig r;
    r.Child(c.w, c.h);
    EXPECT_EQ(r.port.shown[0], c.horz) << c.w << "x" << c.h;
    EXPECT_EQ(r.port.shown[1], c.vert) << c.w << "x" << c.h;
    int32_t clientW = 300 - (c.vert ? 17 : 0), clientH = 200 - (c.horz ? 17 : 0);
    EXPECT_EQ(r.H().CalcRange(), std::max(0, c.w - clientW));
    EXPECT_EQ(r.V().CalcRange(), std::max(0, c.h - clientH));
  }
}

TEST(ScrollModel, ScrollInformationCarriesRangeAndPage) {
  Rig r;
  r.Child(100, 1000);
  const QmScrollInfo& v = r.port.lastInfo[1];
  EXPECT_EQ(v.mask, kSifAll);
  EXPECT_EQ(v.min, 0);
  EXPECT_EQ(v.max, 1000);
  EXPECT_EQ(v.page, 201u);
  const QmScrollInfo& h = r.port.lastInfo[0];
  EXPECT_EQ(h.max, 0);  // nothing to scroll sideways
  EXPECT_EQ(r.V().PageIncrement(), 180);
}

TEST(ScrollModel, BorderCountsAgainstTheOtherBar) {
  Rig r;
  r.port.border = true;  // client 298 x 198
  r.Child(100, 1000);
  // The vertical bar is shown: the horizontal bar's size without it is 281 + (17 - 1).
  EXPECT_EQ(r.H().VisibleSize(false, false), 281 + 16);
  EXPECT_EQ(r.V().VisibleSize(false, true), 198 - 16);
}

TEST(ScrollModel, ChildReachFollowsAlignment) {
  Rig r;
  r.port.children = {{0, 0, 500, 10, TAlign::alNone, true},
                     {50, 0, 20, 10, TAlign::alNone, true},   // lies left: no shrink
                     {0, 0, 70, 10, TAlign::alRight, true},   // always adds its width
                     {0, 0, 900, 10, TAlign::alNone, false}};  // invisible
  r.area.CalcAutoRange();
  EXPECT_EQ(r.H().Range(), 570);
  r.H().SetMargin(5);
  r.area.CalcAutoRange();
  EXPECT_EQ(r.H().Range(), 575);
}

TEST(ScrollModel, RangeSetByHandEndsAutoScroll) {
  Rig r;
  r.V().SetRange(5000);
  EXPECT_FALSE(r.area.AutoScroll());
  r.port.children.push_back({0, 0, 10, 10, TAlign::alNone, true});
  r.area.CalcAutoRange();
  EXPECT_EQ(r.V().Range(), 5000);
  r.area.SetAutoScroll(true);
  EXPECT_EQ(r.V().Range(), 10);
}

TEST(ScrollModel, SmoothStepsWaitTheirDelayBetweenMoves) {
  struct Case { uint16_t increment; std::vector<int32_t> positions; };
  const Case cases[] = {{8, {2, 4, 6, 8}}, {10, {2, 4, 6, 8, 10}}, {3, {0, 0, 0, 0, 3}}};
  for (const Case& c : cases) {
    Rig r;
    r.Child(100, 1000);
    r.V().SetSmooth(true);
    r.V().SetIncrement(c.increment);
    std::vector<int32_t> seen;
    size_t before = r.port.scrolls.size();
    r.V().ScrollMessage(kSbLineDown, 0);
    int32_t pos = 0;
    for (size_t i = before; i < r.port.scrolls.size(); ++i) seen.push_back(pos -= r.port.scrolls[i].second);
    // Steps of 0 move nothing, so only the real moves are recorded.
    std::vector<int32_t> expected;
    for (int32_t p : c.positions)
      if (expected.empty() ? p != 0 : p != expected.back()) expected.push_back(p);
    EXPECT_EQ(seen, expected) << c.increment;
    EXPECT_EQ(r.V().Position(), c.positions.back());
    EXPECT_EQ(r.port.sleeps, std::vector<uint32_t>(4, 10u));
    EXPECT_EQ(r.port.repaints, 4);
  }
}

TEST(ScrollModel, SmoothPageStepUpGoesBackwards) {
  Rig r;
  r.Child(100, 1000);
  r.V().SetPosition(500);
  r.V().SetSmooth(true);
  r.V().ScrollMessage(kSbPageUp, 0);  // page increment 180: 12 x 15
  EXPECT_EQ(r.V().Position(), 320);
  EXPECT_EQ(r.port.sleeps.size(), 12u);
}

TEST(ScrollModel, SmoothIncrementIsAtLeastOne) {
  Rig r;
  r.port.outerHeight = 11;  // page increment 9: a tenth of it is 0
  r.V().SetSmooth(true);
  r.Child(10, 100);
  EXPECT_EQ(r.V().PageIncrement(), 9);
  EXPECT_EQ(r.V().Increment(), 1);
  r.V().ScrollMessage(kSbLineDown, 0);
  EXPECT_EQ(r.V().Position(), 1);
}

TEST(ScrollModel, ThumbPositionsPastTheSixteenBitLimit) {
  struct Case { int32_t range; int32_t pos16; bool trackWorks; int32_t track; int32_t expected; };
  const Case cases[] = {
      {1000, 300, true, 999, 300},                     // small range: the message's value
      {100000, 70000 & 0xFFFF, true, 70000, 70000},    // large: read back the 32-bit value
      {100000, 4464, false, 70000, 4464},              // read-back failed: the 16-bit value
  };
  for (const Case& c : cases) {
    Rig r;
    r.Child(100, c.range + 200);
    r.port.trackPosWorks = c.trackWorks;
    r.port.trackPos = c.track;
    r.V().ScrollMessage(kSbThumbPosition, c.pos16);
    EXPECT_EQ(r.V().Position(), c.expected) << c.range;
  }
}

TEST(ScrollModel, ThumbTrackingOnlyWhenTracking) {
  Rig r;
  r.Child(100, 1000);
  r.V().ScrollMessage(kSbThumbTrack, 250);
  EXPECT_EQ(r.V().Position(), 0);
  r.V().SetTracking(true);
  r.V().ScrollMessage(kSbThumbTrack, 250);
  EXPECT_EQ(r.V().Position(), 250);
  r.V().SetTracking(false);
  r.V().ScrollMessage(kSbThumbPosition, 100);
  EXPECT_EQ(r.V().Position(), 100);
}

TEST(ScrollModel, PlainStepsAndEnds) {
  struct Case { int code; int32_t start, expected; };
  const Case cases[] = {{kSbLineDown, 100, 108}, {kSbLineUp, 100, 92}, {kSbPageDown, 100, 300},
                        {kSbPageUp, 100, 0},     {kSbTop, 500, 0},     {kSbBottom, 0, 800},
                        {kSbEndScroll, 40, 40}};
  for (const Case& c : cases) {
    Rig r;
    r.Child(100, 1000);
    r.V().SetPosition(c.start);
    r.V().ScrollMessage(c.code, 0);
    EXPECT_EQ(r.V().Position(), c.expected) << c.code;
  }
}

TEST(ScrollModel, FlatPropertiesArePushedOnceUntilChanged) {
  Rig r;
  r.Child(100, 1000);
  auto has = [&](uint32_t prop) {
    for (auto& p : r.port.props) if (p.first == prop) return true;
    return false;
  };
  EXPECT_TRUE(has(kWsbPropVStyle));
  EXPECT_TRUE(has(kWsbPropHStyle));
  EXPECT_FALSE(has(kWsbPropCyVThumb));  // 0: the system's own
  r.port.props.clear();
  r.area.UpdateScrollBars();
  EXPECT_TRUE(r.port.props.empty());
  r.V().SetStyle(TScrollBarStyle::ssHotTrack);
  ASSERT_FALSE(r.port.props.empty());
  EXPECT_EQ(r.port.props.front(), std::make_pair(kWsbPropVStyle, intptr_t(kFsbFlatMode)));
  r.V().SetSize(0);  // 0 stores the system metric
  EXPECT_EQ(r.V().Size(), 17);
}

TEST(ScrollModel, ResizeKeepsRangeUntilItIsDone) {
  Rig r;
  r.Child(100, 1000);
  r.area.Resized([&] {
    r.port.outerHeight = 600;
    r.port.children[0].height = 50;  // ignored while resizing
    r.area.CalcAutoRange();
    EXPECT_EQ(r.V().Range(), 1000);
  });
  EXPECT_EQ(r.V().Range(), 50);
}

TEST(ScrollModel, ScalingResetsPositionsAndScalesHandSetRanges) {
  Rig r;
  r.V().SetRange(1000);
  r.V().SetPosition(300);
  r.area.ChangeScale(3, 2);
  EXPECT_EQ(r.V().Position(), 0);
  EXPECT_EQ(r.V().Range(), 1500);
  EXPECT_FALSE(r.V().Scaled());
}

TEST(ScrollModel, ClientRectangleForChildren) {
  Rig r;
  r.Child(400, 1000);
  r.V().SetPosition(50);
  QmRect rc = r.area.ClientRectForChildren();
  EXPECT_EQ(rc.left, -r.H().Position());
  EXPECT_EQ(rc.top, -50);
  EXPECT_EQ(rc.bottom - rc.top, 1000);
  EXPECT_EQ(rc.right - rc.left, 400);
}
