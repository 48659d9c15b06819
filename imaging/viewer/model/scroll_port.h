// What the scroll logic needs from the window that holds it: sizes, style bits, system metrics,
// the flat scroll bar calls, moving the content, and a clock. The container window implements it
// with user32 and comctl32; tests implement it with a fake window and a fake clock.
#pragma once
#include <cstdint>
#include <vector>

#include "scroll_types.h"

namespace qm {

class ScrollPort {
 public:
  virtual ~ScrollPort() = default;
  virtual bool WindowExists() const = 0;
  virtual bool Loading() const = 0;  // properties are being read from a stored form
  virtual int32_t ClientWidth() const = 0;
  virtual int32_t ClientHeight() const = 0;
  virtual bool HasBorderOrThickFrame() const = 0;    // WS_BORDER or WS_THICKFRAME
  virtual bool BarShown(TScrollBarKind kind) const = 0;  // WS_HSCROLL / WS_VSCROLL
  virtual int32_t SystemMetric(int index) const = 0;
  virtual bool AutoScrollEnabled() const = 0;  // False with AutoSize or a docking manager
  virtual std::vector<ChildExtent> Children() const = 0;
  virtual uint32_t ColorToRgb(TColor color) const = 0;

  virtual void SetScrollInfo(TScrollBarKind kind, const QmScrollInfo& info, bool redraw) = 0;
  virtual bool GetTrackPos(TScrollBarKind kind, int32_t& pos) = 0;
  virtual int32_t GetScrollPos(TScrollBarKind kind) = 0;
  virtual void SetScrollPos(TScrollBarKind kind, int32_t pos, bool redraw) = 0;
  virtual void SetScrollProp(uint32_t prop, intptr_t value, bool redraw) = 0;

  // Moves every child and the window image by (dx, dy).
  virtual void ScrollBy(int32_t dx, int32_t dy) = 0;
  virtual void RepaintNow() = 0;

  virtual uint32_t TickCount() = 0;
  virtual void SleepMs(uint32_t ms) = 0;
};

}  // namespace qm
