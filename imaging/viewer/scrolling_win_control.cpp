#include "scrolling_win_control.h"

#include "flat_scroll_bars.h"

namespace qm {

namespace {
int Bar(TScrollBarKind kind) { return kind == TScrollBarKind::sbHorizontal ? SB_HORZ : SB_VERT; }
}  // namespace

TQmSScrollingWinControl::TQmSScrollingWinControl() : area_(*this) {
  SetBounds(0, 0, 185, 41);
}

TQmSScrollingWinControl::~TQmSScrollingWinControl() = default;

void TQmSScrollingWinControl::SetBorderStyle(TBorderStyle value) {
  if (value == borderStyle_) return;
  borderStyle_ = value;
  if (HandleAllocated()) {
    // The border lives in the window's styles: make them again.
    TQmCreateParams params;
    CreateParams(params);
    SetWindowLongA(Handle(), GWL_STYLE, params.style);
    SetWindowLongA(Handle(), GWL_EXSTYLE, params.exStyle);
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    area_.UpdateScrollBars();
  }
}

void TQmSScrollingWinControl::CreateParams(TQmCreateParams& params) {
  TQmControl::CreateParams(params);
  // With the 3D look a single border is the sunken client edge rather than a line.
  if (borderStyle_ == TBorderStyle::bsSingle) params.exStyle |= WS_EX_CLIENTEDGE;
}

void TQmSScrollingWinControl::CreateWnd() {
  if (!GetSystemMetrics(SM_MIDEASTENABLED)) QmInitializeFlatSB(Handle());
  area_.UpdateScrollBars();
}

bool TQmSScrollingWinControl::HasBorderOrThickFrame() const {
  return (GetWindowLongA(Handle(), GWL_STYLE) & (WS_BORDER | WS_THICKFRAME)) != 0;
}

bool TQmSScrollingWinControl::BarShown(TScrollBarKind kind) const {
  LONG style = GetWindowLongA(Handle(), GWL_STYLE);
  return (style & (kind == TScrollBarKind::sbHorizontal ? WS_HSCROLL : WS_VSCROLL)) != 0;
}

std::vector<ChildExtent> TQmSScrollingWinControl::Children() const {
  std::vector<ChildExtent> out;
  for (TQmControl* c : Controls())
    out.push_back({c->Left(), c->Top(), c->Width(), c->Height(), c->Align(), c->Visible()});
  return out;
}

void TQmSScrollingWinControl::SetScrollInfo(TScrollBarKind kind, const QmScrollInfo& info,
                                            bool redraw) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = info.mask;
  si.nMin = info.min;
  si.nMax = info.max;
  si.nPage = info.page;
  si.nPos = info.pos;
  si.nTrackPos = info.trackPos;
  QmFlatSB_SetScrollInfo(Handle(), Bar(kind), &si, redraw);
}

bool TQmSScrollingWinControl::GetTrackPos(TScrollBarKind kind, int32_t& pos) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_TRACKPOS;
  if (!QmFlatSB_GetScrollInfo(Handle(), Bar(kind), &si)) return false;
  pos = si.nTrackPos;
  return true;
}

int32_t TQmSScrollingWinControl::GetScrollPos(TScrollBarKind kind) {
  return QmFlatSB_GetScrollPos(Handle(), Bar(kind));
}

void TQmSScrollingWinControl::SetScrollPos(TScrollBarKind kind, int32_t pos, bool redraw) {
  QmFlatSB_SetScrollPos(Handle(), Bar(kind), pos, redraw);
}

void TQmSScrollingWinControl::SetScrollProp(uint32_t prop, intptr_t value, bool redraw) {
  QmFlatSB_SetScrollProp(Handle(), prop, value, redraw);
}

void TQmSScrollingWinControl::ScrollBy(int32_t dx, int32_t dy) {
  for (TQmControl* c : Controls()) c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
  Invalidate();
}

void TQmSScrollingWinControl::Resized() {
  area_.Resized([this] { TQmControl::Resized(); });
}

RECT TQmSScrollingWinControl::AlignArea() {
  QmRect r = area_.ClientRectForChildren();
  return RECT{r.left, r.top, r.right, r.bottom};
}

void TQmSScrollingWinControl::AlignControls(RECT area) {
  area_.CalcAutoRange();
  TQmControl::AlignControls(area);
}

LRESULT TQmSScrollingWinControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if ((msg == WM_HSCROLL || msg == WM_VSCROLL) && lParam == 0) {
    TScrollBarKind kind = msg == WM_HSCROLL ? TScrollBarKind::sbHorizontal : TScrollBarKind::sbVertical;
    area_.Bar(kind).ScrollMessage(LOWORD(wParam), HIWORD(wParam));
    ScrollMessageHandled(kind);
    return 0;
  }
  return TQmControl::WndProc(msg, wParam, lParam);
}

}  // namespace qm
