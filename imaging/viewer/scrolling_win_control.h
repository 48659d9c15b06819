// TQmSScrollingWinControl: a windowed container whose children scroll under two flat scroll
// bars. The scrolling decisions are QmScrollArea's; this class is the window they act on.
#pragma once
#include <windows.h>

#include "qm_control.h"
#include "scroll_area.h"

namespace qm {

enum class TBorderStyle { bsNone, bsSingle };

class TQmSScrollingWinControl : public TQmControl, protected ScrollPort {
 public:
  TQmSScrollingWinControl();
  ~TQmSScrollingWinControl() override;

  TQmControlScrollBar& HorzScrollBar() { return area_.HorzScrollBar(); }
  TQmControlScrollBar& VertScrollBar() { return area_.VertScrollBar(); }
  void SetHorzScrollBar(const TQmControlScrollBar& bar) { area_.HorzScrollBar().Assign(bar); }
  void SetVertScrollBar(const TQmControlScrollBar& bar) { area_.VertScrollBar().Assign(bar); }
  bool AutoScroll() const { return area_.AutoScroll(); }
  void SetAutoScroll(bool value) { area_.SetAutoScroll(value); }
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  bool AutoSizeOn() const { return autoSize_; }
  void SetAutoSizeOn(bool value) { autoSize_ = value; }

  // Recomputes the range from the children and updates the bars.
  void UpdateScrollRange() { area_.CalcAutoRange(); }
  void UpdateScrollBars() { area_.UpdateScrollBars(); }

 protected:
  void CreateParams(TQmCreateParams& params) override;
  void CreateWnd() override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void Resized() override;
  void AlignControls(RECT area) override;
  RECT AlignArea() override;
  QmScrollArea& Area() { return area_; }
  // After a scroll message of the container's own bar has been handled, whatever its code.
  virtual void ScrollMessageHandled(TScrollBarKind kind) {}

  // ScrollPort over this window.
  bool WindowExists() const override { return HandleAllocated(); }
  bool Loading() const override { return false; }
  int32_t ClientWidth() const override { return ClientWidthNow(); }
  int32_t ClientHeight() const override { return ClientHeightNow(); }
  bool HasBorderOrThickFrame() const override;
  bool BarShown(TScrollBarKind kind) const override;
  int32_t SystemMetric(int index) const override { return GetSystemMetrics(index); }
  bool AutoScrollEnabled() const override { return !autoSize_; }
  std::vector<ChildExtent> Children() const override;
  uint32_t ColorToRgb(TColor color) const override { return qm::ColorToRgb(color); }
  void SetScrollInfo(TScrollBarKind kind, const QmScrollInfo& info, bool redraw) override;
  bool GetTrackPos(TScrollBarKind kind, int32_t& pos) override;
  int32_t GetScrollPos(TScrollBarKind kind) override;
  void SetScrollPos(TScrollBarKind kind, int32_t pos, bool redraw) override;
  void SetScrollProp(uint32_t prop, intptr_t value, bool redraw) override;
  void ScrollBy(int32_t dx, int32_t dy) override;
  void RepaintNow() override { Repaint(); }
  uint32_t TickCount() override { return GetTickCount(); }
  void SleepMs(uint32_t ms) override { Sleep(ms); }

 private:
  QmScrollArea area_;
  TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
  bool autoSize_ = false;
};

}  // namespace qm
