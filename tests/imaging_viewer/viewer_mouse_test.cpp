// The mouse modes' decisions and geometry: zoom-band proportions in every direction, the
// magnifier's source rectangle, pan positions, which press starts what, and mode cursors.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "viewer_mouse.h"

using namespace qm;

TEST(ViewerMouse, ZoomBandKeepsTheBoxProportionsInEveryDirection) {
  const QmPoint start{100, 100};
  const QmSize box{400, 200};  // twice as wide as high
  struct Case {
    QmPoint pointer;
    int quadrant;
    int sx, sy;  // signs of the band's width and height
  } cases[] = {
      {{160, 70}, 1, +1, -1},  {{40, 70}, 2, -1, -1},   {{40, 130}, 3, -1, +1},
      {{160, 130}, 4, +1, +1}, {{100, 40}, 2, -1, -1},  {{30, 100}, 3, -1, +1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.pointer.x << "," << c.pointer.y);
    EXPECT_EQ(BandQuadrant(c.pointer.x - start.x, c.pointer.y - start.y), c.quadrant);
    auto end = ZoomBandEnd(start, c.pointer, box);
    ASSERT_TRUE(end);
    int w = end->x - start.x, h = end->y - start.y;
    EXPECT_EQ(w > 0 ? 1 : -1, c.sx);
    EXPECT_EQ(h > 0 ? 1 : -1, c.sy);
    EXPECT_LE(std::abs(std::abs(w) - 2 * std::abs(h)), 2);
    // The diagonal is as long as the pointer's distance from the start.
    double dx = c.pointer.x - start.x, dy = c.pointer.y - start.y;
    EXPECT_NEAR(std::hypot(double(w), double(h)), std::hypot(dx, dy), 1.5);
  }
}

TEST(ViewerMouse, ZoomBandUpAndLeftFromAHundredEndsBelowAHundredOnBothAxes) {
  auto end = ZoomBandEnd({100, 100}, {40, 70}, {600, 300});
  ASSERT_TRUE(end);
  EXPECT_LT(end->x, 100);
  EXPECT_LT(end->y, 100);
  EXPECT_NEAR(100 - end->x, 60, 1);
  EXPECT_NEAR(100 - end->y, 30, 1);
}

TEST(ViewerMouse, ZoomBandWithoutABoxDoesNothing) {
  EXPECT_FALSE(ZoomBandEnd({10, 10}, {50, 50}, {0, 0}));
  EXPECT_FALSE(ZoomBandEnd({10, 10}, {50, 50}, {0, 300}));
  EXPECT_FALSE(ZoomBandEnd({10, 10}, {50, 50}, {300, 0}));
  ViewerMouse mouse;
  mouse.MouseDown(TControlMode::cmZoomRubberBand, TMouseButton::mbLeft, kButtonLeft, {10, 10});
  ASSERT_TRUE(mouse.MoveBand(TControlMode::cmZoomRubberBand, {50, 30}, {200, 100}));
  QmBand before = mouse.Band();
  // The image was cleared while the band was drawn: the band stays as it was drawn last.
  EXPECT_FALSE(mouse.MoveBand(TControlMode::cmZoomRubberBand, {90, 60}, {0, 0}));
  EXPECT_EQ(mouse.Band(), before);
  auto reported = mouse.MouseUp(TControlMode::cmZoomRubberBand, kButtonLeft, {90, 60});
  ASSERT_TRUE(reported);
  EXPECT_EQ(*reported, before);
}

TEST(ViewerMouse, MagnifierSourceForTheGrayCopyAndForTheDib) {
  MagnifierSettings m;  // 200 x 100 at 200 %, offsets 2, 2
  // Gray copy at display scale: paint-box pixels, rows from the bottom of a 400-pixel box.
  EXPECT_EQ(MagnifierSource({102, 52}, m, true, 50.0f, 400), (SourceRect{100, 300, 100, 50}));
  // The DIB itself at 50 %: the same rectangle in image pixels.
  EXPECT_EQ(MagnifierSource({102, 52}, m, false, 50.0f, 400), (SourceRect{200, 600, 200, 100}));
  // At 100 % the DIB and the display agree.
  EXPECT_EQ(MagnifierSource({12, 12}, m, false, 100.0f, 300), (SourceRect{10, 240, 100, 50}));
  m.scale = 400;
  EXPECT_EQ(MagnifierSource({12, 12}, m, false, 100.0f, 300), (SourceRect{10, 265, 50, 25}));
}

TEST(ViewerMouse, MagnifierOutsideTheImageAndItsClientRectangle) {
  EXPECT_FALSE(MagnifierOutside({300, 200}, {300, 200}));
  EXPECT_TRUE(MagnifierOutside({301, 10}, {300, 200}));
  EXPECT_TRUE(MagnifierOutside({10, 201}, {300, 200}));
  MagnifierSettings m;
  // A paint box scrolled by (40, 25) stands at (-40, -25) in the viewer.
  EXPECT_EQ(MagnifierClientRect({100, 60}, m, {-40, -25}), (ClientRect{60, 35, 260, 135}));
}

TEST(ViewerMouse, PanKeepsTheGrabbedPointUnderThePointer) {
  ViewerMouse mouse;
  // Scrolled to (120, 80): the press at client (200, 150) grabs paint-box point (320, 230).
  auto press = mouse.MouseDown(TControlMode::cmPanning, TMouseButton::mbLeft, kButtonLeft, {320, 230});
  EXPECT_EQ(press.action, ViewerMouse::PressAction::kPan);
  auto pos = mouse.MovePan({150, 120}, {120, 80});  // the pointer moved by (-50, -30)
  ASSERT_TRUE(pos);
  EXPECT_EQ(*pos, (ScrollPositions{170, 110}));
  EXPECT_FALSE(mouse.MovePan({150, 120}, {-1, 80}));
  mouse.MouseUp(TControlMode::cmPanning, kButtonLeft, {0, 0});
  EXPECT_FALSE(mouse.MovePan({100, 100}, {120, 80}));
  // Only the left button grabs.
  mouse.MouseDown(TControlMode::cmPanning, TMouseButton::mbLeft, kButtonRight, {1, 1});
  EXPECT_FALSE(mouse.Panning());
}

TEST(ViewerMouse, WhichPressStartsABand) {
  struct Case {
    TControlMode mode;
    TMouseButton bandButton;
    int button;
    bool band;
  } cases[] = {
      {TControlMode::cmRubberBand, TMouseButton::mbLeft, kButtonLeft, true},
      {TControlMode::cmRubberBand, TMouseButton::mbLeft, kButtonRight, false},
      {TControlMode::cmRubberBand, TMouseButton::mbRight, kButtonLeft, false},
      {TControlMode::cmRubberBand, TMouseButton::mbRight, kButtonRight, true},
      {TControlMode::cmZoomRubberBand, TMouseButton::mbMiddle, kButtonMiddle, false},
      {TControlMode::cmZoomRubberBand, TMouseButton::mbLeft, kButtonLeft, true},
      {TControlMode::cmNone, TMouseButton::mbLeft, kButtonLeft, false},
      {TControlMode::cmMagnify, TMouseButton::mbLeft, kButtonLeft, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.mode) * 100 + int(c.bandButton) * 10 + c.button);
    ViewerMouse mouse;
    mouse.MouseDown(c.mode, c.bandButton, c.button, {5, 6});
    EXPECT_EQ(mouse.BandActive(), c.band);
    EXPECT_EQ(mouse.MoveBand(c.mode, {50, 60}, {100, 100}), c.band);
    auto reported = mouse.MouseUp(c.mode, c.button, {50, 60});
    EXPECT_EQ(reported.has_value(), c.band);
    if (reported) {
      EXPECT_EQ(reported->start, (QmPoint{5, 6}));
    }
    EXPECT_FALSE(mouse.BandActive());
  }
}

TEST(ViewerMouse, ABandEndsOnlyWithTheButtonThatStartedIt) {
  ViewerMouse mouse;
  mouse.MouseDown(TControlMode::cmRubberBand, TMouseButton::mbRight, kButtonRight, {5, 5});
  mouse.MoveBand(TControlMode::cmRubberBand, {40, 30}, {100, 100});
  EXPECT_FALSE(mouse.MouseUp(TControlMode::cmRubberBand, kButtonLeft, {40, 30}));
  EXPECT_TRUE(mouse.BandActive());
  auto band = mouse.MouseUp(TControlMode::cmRubberBand, kButtonRight, {40, 30});
  ASSERT_TRUE(band);
  EXPECT_EQ(*band, (QmBand{{5, 5}, {40, 30}}));
}

TEST(ViewerMouse, ZoomClicksAndAnnotationMessages) {
  ViewerMouse mouse;
  EXPECT_EQ(mouse.MouseDown(TControlMode::cmZoomIn, TMouseButton::mbLeft, kButtonLeft, {}).action,
            ViewerMouse::PressAction::kZoomIn);
  EXPECT_EQ(mouse.MouseDown(TControlMode::cmZoomOut, TMouseButton::mbLeft, kButtonLeft, {}).action,
            ViewerMouse::PressAction::kZoomOut);
  EXPECT_EQ(mouse.MouseDown(TControlMode::cmZoomIn, TMouseButton::mbLeft, kButtonRight, {}).action,
            ViewerMouse::PressAction::kNone);
  auto press = mouse.MouseDown(TControlMode::cmAnnotationEdit, TMouseButton::mbLeft, kButtonMiddle, {});
  EXPECT_EQ(press.action, ViewerMouse::PressAction::kAnnotation);
  EXPECT_EQ(press.annotationMessage, 0x201u);  // a middle press goes on as a left press
  EXPECT_EQ(ViewerMouse::AnnotationDownMessage(kButtonRight), 0x204u);
  EXPECT_EQ(ViewerMouse::AnnotationUpMessage(kButtonMiddle), 0x205u);  // its release as a right one
  EXPECT_EQ(ViewerMouse::AnnotationUpMessage(kButtonLeft), 0x202u);
}

TEST(ViewerMouse, ModeCursors) {
  struct Case {
    TControlMode mode;
    int cursor;
    bool bandOff;
  } cases[] = {
      {TControlMode::cmNone, 0, true},           {TControlMode::cmMagnify, 0, false},
      {TControlMode::cmPanning, 5, true},        {TControlMode::cmRubberBand, 6, true},
      {TControlMode::cmZoomRubberBand, 6, true}, {TControlMode::cmAnnotationEdit, 7, false},
      {TControlMode::cmZoomIn, 8, false},        {TControlMode::cmZoomOut, 9, false},
  };
  for (const Case& c : cases) {
    ModeCursor m = ModeCursorFor(c.mode);
    EXPECT_EQ(m.controlCursor, c.cursor) << int(c.mode);
    EXPECT_EQ(m.annotationBandOff, c.bandOff) << int(c.mode);
  }
  EXPECT_STREQ(CursorResourceName(5), "GRABHAND");
  EXPECT_STREQ(CursorResourceName(8), "ZOOMIN");
  EXPECT_STREQ(CursorResourceName(9), "ZOOMOUT");
  EXPECT_EQ(CursorResourceName(0), nullptr);
}
