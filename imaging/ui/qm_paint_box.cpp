#include "qm_paint_box.h"

namespace qm {

LRESULT TQmPaintBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  // The picture covers the whole box: erasing first would only make it flicker.
  if (msg == WM_ERASEBKGND) return 1;
  return TQmControl::WndProc(msg, wParam, lParam);
}

void TQmPaintBox::MouseDown(int button, WPARAM keys, int x, int y) {
  TQmControl::MouseDown(button, keys, x, y);
  OwnerMouseDown(MouseOwner ? MouseOwner : this, button, keys, x, y);
}

void TQmPaintBox::MouseMove(WPARAM keys, int x, int y) {
  TQmControl::MouseMove(keys, x, y);
  OwnerMouseMove(MouseOwner ? MouseOwner : this, 0, keys, x, y);
}

void TQmPaintBox::MouseUp(int button, WPARAM keys, int x, int y) {
  TQmControl::MouseUp(button, keys, x, y);
  OwnerMouseUp(MouseOwner ? MouseOwner : this, button, keys, x, y);
}

}  // namespace qm
