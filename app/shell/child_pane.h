// TChildPane: a control of our control layer made as a child window of a plain window (the
// main window is not itself a control of that layer).
#pragma once
#include "qm_control.h"

namespace tarnwick {

class TChildPane : public qm::TQmControl {
 protected:
  void CreateParams(qm::TQmCreateParams& params) override {
    qm::TQmControl::CreateParams(params);
    params.style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (Visible() ? WS_VISIBLE : 0);
  }
};

}  // namespace tarnwick
