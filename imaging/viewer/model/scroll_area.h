// The scrolling logic of TQmSScrollingWinControl: the two bars, the range taken from the visible
// children, updating both bars in the right order, resizing and scaling. Window-free.
#pragma once
#include <cstdint>

#include "control_scroll_bar.h"
#include "scroll_port.h"

namespace qm {

class QmScrollArea {
 public:
  explicit QmScrollArea(ScrollPort& port);

  ScrollPort& Port() { return port_; }
  const ScrollPort& Port() const { return port_; }
  TQmControlScrollBar& HorzScrollBar() { return horz_; }
  TQmControlScrollBar& VertScrollBar() { return vert_; }
  TQmControlScrollBar& Bar(TScrollBarKind kind) {
    return kind == TScrollBarKind::sbHorizontal ? horz_ : vert_;
  }
  const TQmControlScrollBar& Bar(TScrollBarKind kind) const {
    return kind == TScrollBarKind::sbHorizontal ? horz_ : vert_;
  }

  bool AutoScroll() const { return autoScroll_; }
  void SetAutoScroll(bool value);
  void ClearAutoScrollField() { autoScroll_ = false; }  // a bar's range was set by hand

  void CalcAutoRange();
  void UpdateScrollBars();
  // The framework's resize handling runs inside; the ranges stay put while it does.
  template <class F> void Resized(F&& frameworkResize) {
    ++autoRangeLock_;
    frameworkResize();
    --autoRangeLock_;
    if (horz_.Visible() || vert_.Visible()) UpdateScrollBars();
    CalcAutoRange();
  }
  void ChangeScale(int m, int d);
  // The rectangle offered to aligned children.
  QmRect ClientRectForChildren() const;

 private:
  int32_t ChildReach(TScrollBarKind kind) const;

  ScrollPort& port_;
  TQmControlScrollBar horz_;
  TQmControlScrollBar vert_;
  bool autoScroll_ = true;
  int autoRangeLock_ = 0;
  bool updating_ = false;
};

}  // namespace qm
