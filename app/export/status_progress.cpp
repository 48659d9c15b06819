#include "status_progress.h"

#include <commctrl.h>

namespace tarnwick {

StatusProgress::StatusProgress(HWND statusBar, int maximum) {
  if (!statusBar) return;
  RECT panel{};
  SendMessageW(statusBar, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&panel));
  bar_ = CreateWindowExW(0, PROGRESS_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, panel.left, panel.top,
                         panel.right - panel.left, panel.bottom - panel.top, statusBar, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
  if (!bar_) return;
  SendMessageW(bar_, PBM_SETRANGE32, 1, maximum > 1 ? maximum : 1);
  SendMessageW(bar_, PBM_SETSTEP, 1, 0);
  SendMessageW(bar_, PBM_SETPOS, 1, 0);
  UpdateWindow(bar_);
}

StatusProgress::~StatusProgress() {
  if (!bar_) return;
  SendMessageW(bar_, PBM_SETPOS, 0, 0);
  DestroyWindow(bar_);
}

void StatusProgress::Step() {
  if (!bar_) return;
  SendMessageW(bar_, PBM_STEPIT, 0, 0);
  UpdateWindow(bar_);
}

}  // namespace tarnwick
