// TSaveImages: the save queue's worker. One thread takes the jobs in the order they were queued
// and writes each; the job list and the progress handler are guarded by one mutex, and the work
// and stop events are flags under that mutex with one condition variable, so a job added while
// the worker decides to sleep is never missed. Stopping first writes every job still waiting.
#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "save_job.h"

namespace qm {

// Raised on the worker thread inside a write; it must not touch user-interface objects.
using TQmThreadProgress =
    std::function<void(TSaveImages* Sender, int16_t Progress, int32_t Count, bool& CancelProcess)>;

class TSaveImages {
 public:
  explicit TSaveImages(SaveJobWriter& writer);
  ~TSaveImages();  // stops (after draining) when Stop was not called
  TSaveImages(const TSaveImages&) = delete;
  TSaveImages& operator=(const TSaveImages&) = delete;

  // Takes the job over; a null job only wakes the worker.
  void PushJob(std::unique_ptr<TSaveImageJob> job);
  void SignalStop();
  // Signals stop and waits until the worker has written the waiting jobs and ended.
  void Stop();
  int32_t JobCount();

  void SetProgressHandler(TQmThreadProgress handler);
  TQmThreadProgress ProgressHandler();

  // For callers that must know the disk has caught up: every queued job done, or time-out.
  bool WaitIdle(std::chrono::milliseconds timeout);
  int32_t WrittenCount();
  int32_t FailedCount();

  // The callback handed to the writers with the worker as data.
  static int16_t QM_CDECL ProgressProc(int16_t progress, void* data);

 private:
  void Execute();
  void WriteJob(TSaveImageJob& job);
  int16_t Progress(int16_t value);

  SaveJobWriter& writer_;
  std::mutex mutex_;
  std::condition_variable signal_;
  std::condition_variable idle_;
  std::deque<std::unique_ptr<TSaveImageJob>> jobs_;
  bool workEvent_ = false;
  bool stopEvent_ = false;
  bool writing_ = false;
  int32_t written_ = 0;
  int32_t failed_ = 0;
  TQmThreadProgress progressHandler_;
  std::thread thread_;
};

}  // namespace qm
