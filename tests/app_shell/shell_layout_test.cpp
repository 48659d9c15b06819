// The main window's panes: Panel1 half the window it was made in and kept on resizes, the
// splitter between strip and panel, both sides at least a quarter, and the close sequence's
// wait for the background save queue.
#include <gtest/gtest.h>

#include "save_queue_drain.h"
#include "shell_layout.h"

using namespace tarnwick;

namespace {

TEST(ShellLayout, PanelIsHalfTheClientAndKeepsItsWidthWhenTheWindowGrows) {
  ShellLayout layout;
  layout.Start(780);
  PaneLayout p = layout.Arrange(780, 500, 26, 19);
  EXPECT_EQ(p.panel, (PaneRect{390, 26, 390, 455}));
  EXPECT_EQ(p.splitter, (PaneRect{387, 26, 3, 455}));
  EXPECT_EQ(p.strip, (PaneRect{0, 26, 387, 455}));
  p = layout.Arrange(1280, 980, 26, 19);
  EXPECT_EQ(p.panel.width, 390);
  EXPECT_EQ(p.panel.left + p.panel.width, 1280);
  EXPECT_EQ(p.strip.width, 1280 - 390 - 3);
  // Smaller than the panel: the strip and splitter shrink to nothing, never below.
  p = layout.Arrange(200, 100, 26, 19);
  EXPECT_EQ(p.panel, (PaneRect{0, 26, 200, 55}));
  EXPECT_EQ(p.strip.width, 0);
  EXPECT_EQ(p.splitter.width, 0);
  p = layout.Arrange(300, 30, 26, 19);
  EXPECT_EQ(p.panel.height, 0);
}

TEST(ShellLayout, TheSplitterKeepsBothSidesAtLeastAQuarter) {
  ShellLayout layout;
  layout.Start(800);  // minimum 200
  struct Case { int x; int panel; bool changed; };
  const Case cases[] = {
      {497, 300, true},   // dragged right: the panel narrows
      {497, 300, false},  // the same place again changes nothing
      {700, 200, true},   // past the minimum: held at a quarter
      {10, 597, true},    // left: the strip keeps its quarter
  };
  for (const Case& c : cases) {
    EXPECT_EQ(layout.MoveSplitter(c.x, 800), c.changed) << c.x;
    EXPECT_EQ(layout.PanelWidth(), c.panel) << c.x;
  }
}

TEST(ShellLayout, AScannedPageSplitsThreeQuartersWithTheStripHiddenElseHalf) {
  ShellLayout layout;
  layout.Start(801);
  layout.MoveSplitter(600, 801);  // the operator's split is given up for a scanned page
  EXPECT_TRUE(layout.SplitForScannedPage(801, true));
  EXPECT_EQ(layout.PanelWidth(), 600);  // 801 / 4 * 3
  EXPECT_FALSE(layout.SplitForScannedPage(801, true));  // the next page changes nothing
  EXPECT_TRUE(layout.SplitForScannedPage(801, false));
  EXPECT_EQ(layout.PanelWidth(), 400);
  PaneLayout p = layout.Arrange(801, 500, 26, 19);
  EXPECT_EQ(p.strip.width, 801 - 400 - 3);
}

class FakeQueue : public PendingSaves {
 public:
  bool idleWithin = true;
  int32_t waiting = 0, failed = 0;
  std::chrono::milliseconds askedFor{0};
  bool WaitIdle(std::chrono::milliseconds timeout) override {
    askedFor = timeout;
    return idleWithin;
  }
  int32_t Waiting() override { return waiting; }
  int32_t Failed() override { return failed; }
};

TEST(SaveQueueDrain, WaitsForTheQueueWithinItsBoundAndCountsPagesNotWritten) {
  FakeQueue done;
  DrainResult r = DrainSaveQueue(done, std::chrono::seconds(60));
  EXPECT_TRUE(r.idle);
  EXPECT_EQ(r.notWritten, 0);
  EXPECT_EQ(done.askedFor, std::chrono::seconds(60));

  FakeQueue failed;
  failed.failed = 2;
  EXPECT_EQ(DrainSaveQueue(failed, std::chrono::seconds(1)).notWritten, 2);

  FakeQueue stuck;
  stuck.idleWithin = false;
  stuck.waiting = 5;
  stuck.failed = 1;
  r = DrainSaveQueue(stuck, std::chrono::seconds(1));
  EXPECT_FALSE(r.idle);
  EXPECT_EQ(r.notWritten, 6);
}

}  // namespace
