// TQmControlScrollBar: the settings and behaviour of one of the container's two scroll bars.
// It holds no window; everything visible goes through the owner's ScrollPort.
#pragma once
#include <cstdint>

#include "scroll_types.h"

namespace qm {

class QmScrollArea;

class TQmControlScrollBar {
 public:
  TQmControlScrollBar(QmScrollArea& owner, TScrollBarKind kind);

  // Copies Visible, Range, Position and Increment, in that order, through the setters.
  void Assign(const TQmControlScrollBar& source);

  TScrollBarKind Kind() const { return kind_; }
  uint16_t Increment() const { return increment_; }
  void SetIncrement(uint16_t value);
  uint16_t PageIncrement() const { return pageIncrement_; }
  int32_t Position() const { return position_; }
  void SetPosition(int32_t value);
  int32_t Range() const { return range_; }
  void SetRange(int32_t value);  // a range set by hand ends the owner's auto-scrolling
  int32_t CalcRange() const { return calcRange_; }
  uint16_t Margin() const { return margin_; }
  void SetMargin(uint16_t value) { margin_ = value; }
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  bool Tracking() const { return tracking_; }
  void SetTracking(bool value) { tracking_ = value; }
  bool Smooth() const { return smooth_; }
  void SetSmooth(bool value) { smooth_ = value; }
  uint32_t Delay() const { return delay_; }
  void SetDelay(uint32_t ms) { delay_ = ms; }
  int32_t ButtonSize() const { return buttonSize_; }
  void SetButtonSize(int32_t value);
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);
  int32_t Size() const { return size_; }
  void SetSize(int32_t value);
  TScrollBarStyle Style() const { return style_; }
  void SetStyle(TScrollBarStyle value);
  int32_t ThumbSize() const { return thumbSize_; }
  void SetThumbSize(int32_t value);
  bool Scaled() const { return scaled_; }
  void SetScaled(bool value) { scaled_ = value; }
  bool UpdateNeeded() const { return updateNeeded_; }

  // The owner's client extent along this bar, corrected for the other bar (see the flags).
  int32_t VisibleSize(bool ownOnly, bool assumeShown) const;
  bool NeedsToBeShown() const;
  // Calculated range, scroll information, flat-bar properties and page increment.
  void Update(bool ownOnly, bool assumeShown);
  // WM_HSCROLL / WM_VSCROLL for this bar: the code and the 16-bit position of the message.
  void ScrollMessage(int code, int pos16);

  // Internal range change from the owner's auto-range: keeps auto-scrolling on.
  void DoSetRange(int32_t value);

 private:
  void PushFlatProperties();
  void SmoothScroll(int code);
  void MoveBy(int32_t delta) { SetPosition(position_ + delta); }
  int32_t ThumbValue(int pos16);

  QmScrollArea& owner_;
  uint16_t increment_ = 8;
  uint16_t pageIncrement_ = 80;
  int32_t position_ = 0;
  int32_t range_ = 0;
  int32_t calcRange_ = 0;
  TScrollBarKind kind_;
  uint16_t margin_ = 0;
  bool visible_ = true;
  bool tracking_ = false;
  bool scaled_ = false;
  bool smooth_ = false;
  uint32_t delay_ = 10;
  int32_t buttonSize_ = 0;
  TColor color_ = clBtnHighlight;
  bool parentColor_ = true;
  int32_t size_ = 0;
  TScrollBarStyle style_ = TScrollBarStyle::ssRegular;
  int32_t thumbSize_ = 0;
  int32_t pageDiv_ = 12;
  int32_t lineDiv_ = 4;
  bool updateNeeded_ = true;
};

}  // namespace qm
