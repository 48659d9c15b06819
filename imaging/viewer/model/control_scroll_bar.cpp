#include "control_scroll_bar.h"

#include <algorithm>

#include "scroll_area.h"

namespace qm {

namespace {
bool IsHorizontal(TScrollBarKind kind) { return kind == TScrollBarKind::sbHorizontal; }

int FlatStyle(TScrollBarStyle style) {
  switch (style) {
    case TScrollBarStyle::ssFlat: return kFsbEncartaMode;
    case TScrollBarStyle::ssHotTrack: return kFsbFlatMode;
    default: return kFsbRegularMode;
  }
}
}  // namespace

TQmControlScrollBar::TQmControlScrollBar(QmScrollArea& owner, TScrollBarKind kind)
    : owner_(owner), kind_(kind) {}

void TQmControlScrollBar::Assign(const TQmControlScrollBar& source) {
  SetVisible(source.visible_);
  SetRange(source.range_);
  SetPosition(source.position_);
  SetIncrement(source.increment_);
}

void TQmControlScrollBar::SetIncrement(uint16_t value) {
  increment_ = static_cast<uint16_t>(std::clamp<int>(value, 1, 32767));
}

void TQmControlScrollBar::SetPosition(int32_t value) {
  ScrollPort& port = owner_.Port();
  if (port.Loading()) {
    position_ = value;
    return;
  }
  value = std::clamp(value, 0, calcRange_);
  if (value != position_) {
    int32_t old = position_;
    position_ = value;
    if (IsHorizontal(kind_)) port.ScrollBy(old - value, 0);
    else port.ScrollBy(0, old - value);
  }
  if (port.WindowExists() && port.GetScrollPos(kind_) != position_)
    port.SetScrollPos(kind_, position_, true);
}

void TQmControlScrollBar::SetRange(int32_t value) {
  owner_.ClearAutoScrollField();
  scaled_ = true;
  DoSetRange(value);
}

void TQmControlScrollBar::DoSetRange(int32_t value) {
  range_ = std::max(value, 0);
  owner_.UpdateScrollBars();
}

void TQmControlScrollBar::SetVisible(bool value) {
  visible_ = value;
  owner_.UpdateScrollBars();
}

void TQmControlScrollBar::SetButtonSize(int32_t value) {
  if (value == 0)
    value = owner_.Port().SystemMetric(IsHorizontal(kind_) ? kSmCxHScroll : kSmCxVScroll);
  buttonSize_ = value;
  updateNeeded_ = true;
  owner_.UpdateScrollBars();
}

void TQmControlScrollBar::SetSize(int32_t value) {
  if (value == 0)
    value = owner_.Port().SystemMetric(IsHorizontal(kind_) ? kSmCyHScroll : kSmCyVScroll);
  size_ = value;
  updateNeeded_ = true;
  owner_.UpdateScrollBars();
}

void TQmControlScrollBar::SetColor(TColor value) {
  color_ = value;
  parentColor_ = false;
  updateNeeded_ = true;
  owner_.UpdateScrollBars();
}

void TQmControlScrollBar::SetParentColor(bool value) {
  parentColor_ = value;
  if (value) color_ = clBtnHighlight;
  updateNeeded_ = true;
  owner_.UpdateScrollBars();
}

void TQmControlScrollBar::SetStyle(TScrollBarStyle value) {
  style_ = value;
  updateNeeded_ = true;
  owner_.UpdateScrollBars();
}

void TQmControlScrollBar::SetThumbSize(int32_t value) {
  thumbSize_ = value;
  updateNeeded_ = true;
  owner_.UpdateScrollBars();
}

int32_t TQmControlScrollBar::VisibleSize(bool ownOnly, bool assumeShown) const {
  const ScrollPort& port = owner_.Port();
  bool horizontal = IsHorizontal(kind_);
  int32_t size = horizontal ? port.ClientWidth() : port.ClientHeight();
  if (ownOnly) return size;
  int32_t b = port.HasBorderOrThickFrame() ? 1 : 0;
  int32_t m = port.SystemMetric(horizontal ? kSmCyVScroll : kSmCxHScroll);
  bool otherShown =
      port.BarShown(horizontal ? TScrollBarKind::sbVertical : TScrollBarKind::sbHorizontal);
  if (assumeShown && !otherShown) size -= m - b;
  else if (!assumeShown && otherShown) size += m - b;
  return size;
}

bool TQmControlScrollBar::NeedsToBeShown() const { return range_ > VisibleSize(false, false); }

void TQmControlScrollBar::PushFlatProperties() {
  ScrollPort& port = owner_.Port();
  bool horizontal = IsHorizontal(kind_);
  port.SetScrollProp(horizontal ? kWsbPropHStyle : kWsbPropVStyle, FlatStyle(style_), true);
  if (buttonSize_ > 0)
    port.SetScrollProp(horizontal ? kWsbPropCxHScroll : kWsbPropCyVScroll, buttonSize_, false);
  if (thumbSize_ > 0)
    port.SetScrollProp(horizontal ? kWsbPropCxHThumb : kWsbPropCyVThumb, thumbSize_, false);
  if (size_ > 0)
    port.SetScrollProp(horizontal ? kWsbPropCyHScroll : kWsbPropCxVScroll, size_, false);
  port.SetScrollProp(horizontal ? kWsbPropHBkgColor : kWsbPropVBkgColor,
                     static_cast<intptr_t>(port.ColorToRgb(color_)), false);
  updateNeeded_ = false;
}

void TQmControlScrollBar::Update(bool ownOnly, bool assumeShown) {
  ScrollPort& port = owner_.Port();
  int32_t visible = VisibleSize(ownOnly, assumeShown);
  calcRange_ = visible_ ? std::max(range_ - visible, 0) : 0;
  QmScrollInfo info;
  info.mask = kSifAll;
  info.min = 0;
  info.max = calcRange_ > 0 ? range_ : 0;
  info.page = static_cast<uint32_t>(std::max(visible + 1, 0));
  info.pos = position_;
  info.trackPos = position_;
  if (updateNeeded_) PushFlatProperties();
  port.SetScrollInfo(kind_, info, true);
  SetPosition(position_);
  pageIncrement_ = static_cast<uint16_t>(std::clamp(VisibleSize(true, false), 0, 65535) * 9 / 10);
  // Below about a dozen pixels a tenth of the page rounds to nothing; a line step is at least 1.
  if (smooth_) increment_ = static_cast<uint16_t>(std::max(pageIncrement_ / 10, 1));
}

int32_t TQmControlScrollBar::ThumbValue(int pos16) {
  if (calcRange_ < 32768) return pos16;
  int32_t track = 0;
  // The message carries only 16 bits; past 32767 the full position is read back.
  if (owner_.Port().GetTrackPos(kind_, track)) return track;
  return pos16;
}

void TQmControlScrollBar::SmoothScroll(int code) {
  ScrollPort& port = owner_.Port();
  bool line = code == kSbLineUp || code == kSbLineDown;
  bool backwards = code == kSbLineUp || code == kSbPageUp;
  int32_t n = line ? lineDiv_ : pageDiv_;
  int32_t amount = line ? increment_ : pageIncrement_;
  int32_t step = amount / n;
  int32_t rest = amount % n;
  int32_t sign = backwards ? -1 : 1;
  uint32_t last = port.TickCount();
  for (int32_t i = 0; i < n; ++i) {
    uint32_t passed = port.TickCount() - last;
    if (passed < delay_) port.SleepMs(delay_ - passed);
    last = port.TickCount();
    MoveBy(sign * step);
    port.RepaintNow();
  }
  if (rest >= 1) MoveBy(sign * rest);
}

void TQmControlScrollBar::ScrollMessage(int code, int pos16) {
  bool stepCode = code == kSbLineUp || code == kSbLineDown || code == kSbPageUp ||
                  code == kSbPageDown;
  if (smooth_ && stepCode) {
    SmoothScroll(code);
    return;
  }
  switch (code) {
    case kSbLineUp: MoveBy(-increment_); break;
    case kSbLineDown: MoveBy(increment_); break;
    case kSbPageUp: MoveBy(-VisibleSize(true, false)); break;
    case kSbPageDown: MoveBy(VisibleSize(true, false)); break;
    case kSbThumbPosition: SetPosition(ThumbValue(pos16)); break;
    case kSbThumbTrack:
      if (tracking_) SetPosition(ThumbValue(pos16));
      break;
    case kSbTop: SetPosition(0); break;
    case kSbBottom: SetPosition(calcRange_); break;
    default: break;
  }
}

}  // namespace qm
