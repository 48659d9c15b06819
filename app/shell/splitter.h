// TSplitter: the bar between the thumbnail strip and Panel1; dragging it asks the owner to move
// the panes (OnMoved with the bar's new left edge in the parent's client coordinates).
#pragma once
#include <functional>

#include "child_pane.h"

namespace tarnwick {

class TSplitter : public TChildPane {
 public:
  std::function<void(int32_t left)> OnMoved;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void MouseDown(int button, WPARAM keys, int x, int y) override;
  void MouseMove(WPARAM keys, int x, int y) override;
  void MouseUp(int button, WPARAM keys, int x, int y) override;

 private:
  bool dragging_ = false;
  int32_t grabX_ = 0;
};

}  // namespace tarnwick
