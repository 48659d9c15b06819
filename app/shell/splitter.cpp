#include "splitter.h"

namespace tarnwick {

LRESULT TSplitter::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETCURSOR) {
    SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_SIZEWE)));
    return TRUE;
  }
  if (msg == WM_CAPTURECHANGED && reinterpret_cast<HWND>(lParam) != Handle()) dragging_ = false;
  return TChildPane::WndProc(msg, wParam, lParam);
}

void TSplitter::MouseDown(int button, WPARAM keys, int x, int y) {
  if (button != 0) return;
  dragging_ = true;
  grabX_ = x;
  if (GetCapture() != Handle()) SetCapture(Handle());
}

void TSplitter::MouseMove(WPARAM keys, int x, int y) {
  if (dragging_ && OnMoved) OnMoved(Left() + x - grabX_);
}

void TSplitter::MouseUp(int button, WPARAM keys, int x, int y) {
  if (!dragging_) return;
  dragging_ = false;
  if (GetCapture() == Handle()) ReleaseCapture();
  if (OnMoved) OnMoved(Left() + x - grabX_);
}

}  // namespace tarnwick
