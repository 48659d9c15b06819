#include "qm_control.h"

#include <windowsx.h>

#include <algorithm>

#include "qm_screen_cursors.h"

namespace qm {

namespace {
constexpr const char* kChildClass = "QmControl";
constexpr const char* kFrameClass = "QmFrame";
}  // namespace

COLORREF ColorToRgb(TColor color) {
  if (color < 0) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color);
}

int KeyboardShiftState() {
  int shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  return shift;
}

TQmControl::TQmControl() { RegisterClasses(); }

TQmControl::~TQmControl() {
  for (TQmControl* child : children_) child->parent_ = nullptr;
  if (parent_) parent_->RemoveControl(this);
  if (handle_) {
    SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
  }
  if (brush_) DeleteObject(brush_);
}

void TQmControl::RegisterClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  WNDCLASSA wc{};
  // No CS_HREDRAW / CS_VREDRAW: a resize repaints only what it uncovers.
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &TQmControl::StaticWndProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.lpszClassName = kChildClass;
  RegisterClassA(&wc);
  wc.lpszClassName = kFrameClass;
  RegisterClassA(&wc);
}

void TQmControl::CreateParams(TQmCreateParams& params) {
  if (!parent_) params.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  if (visible_) params.style |= WS_VISIBLE;
  if (tabStop_) params.style |= WS_TABSTOP;
  params.caption = name_;
}

void TQmControl::CreateHandle(HWND parentWindow) {
  if (handle_) return;
  TQmCreateParams params;
  CreateParams(params);
  const char* cls = parentWindow ? kChildClass : kFrameClass;
  handle_ = CreateWindowExA(params.exStyle, cls, params.caption.c_str(), params.style, left_, top_,
                            width_, height_, parentWindow, nullptr, GetModuleHandleA(nullptr), this);
  if (!handle_) return;
  PlaceWindow();
  CreateWnd();
  for (TQmControl* child : children_) child->CreateHandle(handle_);
  Realign();
}

void TQmControl::CreateWnd() {}

void TQmControl::InsertControl(TQmControl* child) {
  if (child->parent_ == this) return;
  if (child->parent_) child->parent_->RemoveControl(child);
  child->parent_ = this;
  children_.push_back(child);
  if (handle_) child->CreateHandle(handle_);
  Realign();
}

void TQmControl::RemoveControl(TQmControl* child) {
  children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
  child->parent_ = nullptr;
}

void TQmControl::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  bool changed = left != left_ || top != top_ || width != width_ || height != height_;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (handle_ && changed) PlaceWindow();
  if (changed && parent_ && !parent_->aligning_) parent_->Realign();
}

void TQmControl::SetClippedToParent(bool value) {
  clipped_ = value;
  PlaceWindow();
}

void TQmControl::PlaceWindow() {
  if (!handle_) return;
  if (!clipped_ || !parent_ || !parent_->handle_) {
    originX_ = originY_ = 0;
    SetWindowPos(handle_, nullptr, left_, top_, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  RECT client;
  GetClientRect(parent_->handle_, &client);
  int64_t l = std::max<int64_t>(left_, client.left), t = std::max<int64_t>(top_, client.top);
  int64_t r = std::min<int64_t>(int64_t(left_) + width_, client.right);
  int64_t b = std::min<int64_t>(int64_t(top_) + height_, client.bottom);
  if (r <= l || b <= t) {
    l = t = 0;
    r = b = 0;
  }
  int32_t ox = static_cast<int32_t>(left_ - l), oy = static_cast<int32_t>(top_ - t);
  bool shifted = ox != originX_ || oy != originY_;
  originX_ = ox;
  originY_ = oy;
  SetWindowPos(handle_, nullptr, int(l), int(t), int(r - l), int(b - t), SWP_NOZORDER | SWP_NOACTIVATE);
  // The window may stay where it is while the control under it moves.
  if (shifted) InvalidateRect(handle_, nullptr, FALSE);
}

int32_t TQmControl::ClientWidthNow() const {
  RECT r{};
  if (handle_) GetClientRect(handle_, &r);
  return handle_ ? r.right - r.left : width_;
}

int32_t TQmControl::ClientHeightNow() const {
  RECT r{};
  if (handle_) GetClientRect(handle_, &r);
  return handle_ ? r.bottom - r.top : height_;
}

void TQmControl::SetAlign(TAlign align) {
  align_ = align;
  if (parent_) parent_->Realign();
}

void TQmControl::SetVisible(bool visible) {
  visible_ = visible;
  if (handle_) ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE);
  if (parent_) parent_->Realign();
}

void TQmControl::SetColor(TColor color) {
  color_ = color;
  if (brush_) DeleteObject(brush_);
  brush_ = nullptr;
  Invalidate();
}

HBRUSH TQmControl::BackgroundBrush() {
  if (!brush_) brush_ = CreateSolidBrush(ColorToRgb(color_));
  return brush_;
}

void TQmControl::Invalidate(bool erase) {
  if (handle_) InvalidateRect(handle_, nullptr, erase ? TRUE : FALSE);
}

void TQmControl::Repaint() {
  if (!handle_) return;
  RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

HDC TQmControl::GetCanvas() {
  if (!handle_) return nullptr;
  HDC dc = GetDC(handle_);
  if (dc) SetViewportOrgEx(dc, originX_, originY_, nullptr);
  return dc;
}

void TQmControl::ReleaseCanvas(HDC dc) {
  if (dc) ReleaseDC(handle_, dc);
}

RECT TQmControl::AlignArea() {
  RECT r{0, 0, ClientWidthNow(), ClientHeightNow()};
  return r;
}

void TQmControl::Realign() {
  if (!handle_ || aligning_) return;
  AlignControls(AlignArea());
}

void TQmControl::AlignControls(RECT area) {
  aligning_ = true;
  for (TQmControl* c : children_) {
    if (!c->visible_ || c->align_ == TAlign::alNone) continue;
    int32_t w = c->width_, h = c->height_;
    switch (c->align_) {
      case TAlign::alTop: c->SetBounds(area.left, area.top, area.right - area.left, h); area.top += h; break;
      case TAlign::alBottom: area.bottom -= h; c->SetBounds(area.left, area.bottom, area.right - area.left, h); break;
      case TAlign::alLeft: c->SetBounds(area.left, area.top, w, area.bottom - area.top); area.left += w; break;
      case TAlign::alRight: area.right -= w; c->SetBounds(area.right, area.top, w, area.bottom - area.top); break;
      case TAlign::alClient: c->SetBounds(area.left, area.top, area.right - area.left, area.bottom - area.top); break;
      default: break;
    }
  }
  aligning_ = false;
}

void TQmControl::Resized() {
  for (TQmControl* c : children_)
    if (c->clipped_) c->PlaceWindow();
  Realign();
  OnResize(this);
}

LRESULT TQmControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(handle_, &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, BackgroundBrush());
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(handle_, &ps);
      SetViewportOrgEx(dc, originX_, originY_, nullptr);
      Paint(dc);
      EndPaint(handle_, &ps);
      return 0;
    }
    case WM_SIZE: {
      // A frame is sized by the user; a child keeps the size it was given, which its window
      // may not be able to hold.
      if (!parent_) {
        RECT w;
        GetWindowRect(handle_, &w);
        width_ = w.right - w.left;
        height_ = w.bottom - w.top;
      }
      Resized();
    }
      return 0;
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: {
      int button = msg == WM_LBUTTONDOWN ? 0 : msg == WM_RBUTTONDOWN ? 1 : 2;
      if (button == 0 && tabStop_) SetFocus(handle_);
      // A drag goes on outside the window: its release comes here too.
      SetCapture(handle_);
      MouseDown(button, wParam, GET_X_LPARAM(lParam) - originX_, GET_Y_LPARAM(lParam) - originY_);
      return 0;
    }
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP: {
      int button = msg == WM_LBUTTONUP ? 0 : msg == WM_RBUTTONUP ? 1 : 2;
      HWND self = handle_;
      MouseUp(button, wParam, GET_X_LPARAM(lParam) - originX_, GET_Y_LPARAM(lParam) - originY_);
      if ((wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0 && GetCapture() == self)
        ReleaseCapture();
      if (button == 0) OnClick(this);
      return 0;
    }
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && cursor_ != 0) {
        if (HCURSOR c = ScreenCursor(cursor_)) {
          ::SetCursor(c);
          return TRUE;
        }
      }
      return DefWindowProcA(handle_, msg, wParam, lParam);
    case WM_KEYDOWN: {
      WORD key = static_cast<WORD>(wParam);
      KeyDown(key, KeyboardShiftState());
      return 0;
    }
    case WM_KEYUP: {
      WORD key = static_cast<WORD>(wParam);
      OnKeyUp(this, key, KeyboardShiftState());
      return 0;
    }
    case WM_CHAR: {
      char key = static_cast<char>(wParam);
      KeyPress(key);
      return 0;
    }
    case WM_LBUTTONDBLCLK:
      OnDblClick(this);
      return 0;
    case WM_MOUSEMOVE:
      MouseMove(wParam, GET_X_LPARAM(lParam) - originX_, GET_Y_LPARAM(lParam) - originY_);
      return 0;
    default:
      return DefWindowProcA(handle_, msg, wParam, lParam);
  }
}

LRESULT CALLBACK TQmControl::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* self = static_cast<TQmControl*>(cs->lpCreateParams);
    self->handle_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TQmControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->handle_ = nullptr;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  return self->WndProc(msg, wParam, lParam);
}

}  // namespace qm
