// The progress bar an export shows on the status bar: over panel 0, from 1 to the number of
// files, gone when the object is.
#pragma once
#include <windows.h>

namespace tarnwick {

class StatusProgress {
 public:
  StatusProgress(HWND statusBar, int maximum);
  ~StatusProgress();
  StatusProgress(const StatusProgress&) = delete;
  StatusProgress& operator=(const StatusProgress&) = delete;
  void Step();
  HWND Handle() const { return bar_; }

 private:
  HWND bar_ = nullptr;
};

}  // namespace tarnwick
