// TQmPaintBox: a child window whose painting is its OnPaint handler's, drawn on the given DC.
#pragma once
#include "qm_control.h"

namespace qm {

class TQmPaintBox : public TQmControl {
 public:
  using TPaintEvent = TQmEvent<TQmPaintBox, HDC>;
  TPaintEvent OnPaint;
  // The control whose mouse handling follows the box's own (the viewer for its paint box).
  TQmControl* MouseOwner = nullptr;
  TMouseEvent OwnerMouseDown, OwnerMouseMove, OwnerMouseUp;

 protected:
  void Paint(HDC dc) override { OnPaint(this, dc); }
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void MouseDown(int button, WPARAM keys, int x, int y) override;
  void MouseMove(WPARAM keys, int x, int y) override;
  void MouseUp(int button, WPARAM keys, int x, int y) override;
};

}  // namespace qm
