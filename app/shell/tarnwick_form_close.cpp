// FormClose: the settings written, the background save queue emptied before it goes, and a
// page block still held by the page callback given back.
#include <windows.h>

#include <string>

#include "resource_texts.h"
#include "save_queue_drain.h"
#include "tarnwick_form.h"
#include "win_ini_file.h"

namespace tarnwick {

namespace {

constexpr std::chrono::seconds kSaveQueueBound{60};
// "%d page(s) were not written." in the edition's language.
constexpr int kPagesNotWrittenText = 1037;

class QueueSaves : public PendingSaves {
 public:
  explicit QueueSaves(qm::QmSaveImageThrd& queue) : queue_(queue) {}
  bool WaitIdle(std::chrono::milliseconds timeout) override { return queue_.WaitIdle(timeout); }
  int32_t Waiting() override { return queue_.Count(); }
  int32_t Failed() override { return queue_.FailedCount(); }

 private:
  qm::QmSaveImageThrd& queue_;
};

}  // namespace

void TTarnwickForm::FormClose() {
  WinIniFile ini(settingsFile);
  SaveSettings(ini, settings, Utf8Of(userName));
  if (saveQueue) {
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
    QueueSaves pending(*saveQueue);
    DrainResult drained = DrainSaveQueue(pending, kSaveQueueBound);
    SetCursor(previous);
    if (drained.notWritten > 0) {
      std::wstring text = TextW(kPagesNotWrittenText);
      const size_t count = text.find(L"%d");
      if (count != std::wstring::npos) text.replace(count, 2, std::to_wstring(drained.notWritten));
      MessageBoxW(handle_, text.c_str(), kTitle, MB_OK | MB_ICONERROR);
    }
    saveQueue.reset();
  }
  if (pendingPage) {
    qm::ReleasePageBlock(pendingPage);
    pendingPage = nullptr;
  }
}

}  // namespace tarnwick
