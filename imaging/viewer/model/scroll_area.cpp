#include "scroll_area.h"

#include <algorithm>
#include <cstdint>

namespace qm {

QmScrollArea::QmScrollArea(ScrollPort& port)
    : port_(port), horz_(*this, TScrollBarKind::sbHorizontal),
      vert_(*this, TScrollBarKind::sbVertical) {}

void QmScrollArea::SetAutoScroll(bool value) {
  if (autoScroll_ == value) return;
  autoScroll_ = value;
  if (value) CalcAutoRange();
  else {
    horz_.DoSetRange(0);
    vert_.DoSetRange(0);
  }
}

int32_t QmScrollArea::ChildReach(TScrollBarKind kind) const {
  bool horizontal = kind == TScrollBarKind::sbHorizontal;
  int32_t position = Bar(kind).Position();
  int64_t reach = 0, sum = 0;
  for (const ChildExtent& c : port_.Children()) {
    if (!c.visible) continue;
    if (horizontal) {
      if (c.align == TAlign::alNone || c.align == TAlign::alLeft)
        reach = std::max<int64_t>(reach, int64_t(position) + c.left + c.width);
      else if (c.align == TAlign::alRight) sum += c.width;
    } else {
      if (c.align == TAlign::alNone || c.align == TAlign::alTop)
        reach = std::max<int64_t>(reach, int64_t(position) + c.top + c.height);
      else if (c.align == TAlign::alBottom) sum += c.height;
    }
  }
  int64_t total = reach + sum + Bar(kind).Margin();
  return static_cast<int32_t>(std::clamp<int64_t>(total, 0, INT32_MAX));
}

void QmScrollArea::CalcAutoRange() {
  if (autoRangeLock_ > 0 || !autoScroll_) return;
  bool enabled = port_.AutoScrollEnabled();
  horz_.DoSetRange(enabled ? ChildReach(TScrollBarKind::sbHorizontal) : 0);
  vert_.DoSetRange(enabled ? ChildReach(TScrollBarKind::sbVertical) : 0);
}

void QmScrollArea::UpdateScrollBars() {
  if (updating_ || !port_.WindowExists()) return;
  updating_ = true;
  struct Clear {
    bool& flag;
    ~Clear() { flag = false; }
  } clear{updating_};
  if (vert_.NeedsToBeShown()) {
    horz_.Update(false, true);
    vert_.Update(true, false);
  } else if (horz_.NeedsToBeShown()) {
    vert_.Update(false, true);
    horz_.Update(true, false);
  } else {
    vert_.Update(false, false);
    horz_.Update(true, false);
  }
}

void QmScrollArea::ChangeScale(int m, int d) {
  if (m != d && d != 0) {
    if (!port_.Loading()) {
      horz_.SetScaled(true);
      vert_.SetScaled(true);
    }
    horz_.SetPosition(0);
    vert_.SetPosition(0);
    if (!autoScroll_) {
      for (TQmControlScrollBar* bar : {&horz_, &vert_})
        if (bar->Scaled())
          bar->DoSetRange(static_cast<int32_t>(int64_t(bar->Range()) * m / d));
    }
  }
  horz_.SetScaled(false);
  vert_.SetScaled(false);
}

QmRect QmScrollArea::ClientRectForChildren() const {
  int32_t left = -horz_.Position(), top = -vert_.Position();
  int32_t width = std::max(horz_.Range(), port_.ClientWidth());
  int32_t height = std::max(vert_.Range(), port_.ClientHeight());
  return QmRect{left, top, left + width, top + height};
}

}  // namespace qm
