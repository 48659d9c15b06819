#include "save_images.h"

#include <exception>

namespace qm {

TSaveImages::TSaveImages(SaveJobWriter& writer) : writer_(writer) {
  thread_ = std::thread([this] { Execute(); });
}

TSaveImages::~TSaveImages() {
  Stop();
  // Only reached with jobs when the worker never ran them; their blocks are still ours.
  std::lock_guard<std::mutex> lock(mutex_);
  while (!jobs_.empty()) {
    writer_.FreeDib(jobs_.back()->Dib);
    jobs_.pop_back();
  }
}

void TSaveImages::PushJob(std::unique_ptr<TSaveImageJob> job) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (job) jobs_.push_back(std::move(job));
    workEvent_ = true;
  }
  signal_.notify_one();
}

void TSaveImages::SignalStop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopEvent_ = true;
  }
  signal_.notify_one();
}

void TSaveImages::Stop() {
  SignalStop();
  if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

int32_t TSaveImages::JobCount() {
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<int32_t>(jobs_.size());
}

void TSaveImages::SetProgressHandler(TQmThreadProgress handler) {
  std::lock_guard<std::mutex> lock(mutex_);
  progressHandler_ = std::move(handler);
}

TQmThreadProgress TSaveImages::ProgressHandler() {
  std::lock_guard<std::mutex> lock(mutex_);
  return progressHandler_;
}

bool TSaveImages::WaitIdle(std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(mutex_);
  return idle_.wait_for(lock, timeout, [this] { return jobs_.empty() && !writing_; });
}

int32_t TSaveImages::WrittenCount() {
  std::lock_guard<std::mutex> lock(mutex_);
  return written_;
}

int32_t TSaveImages::FailedCount() {
  std::lock_guard<std::mutex> lock(mutex_);
  return failed_;
}

void TSaveImages::Execute() {
  for (;;) {
    std::unique_ptr<TSaveImageJob> job;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      signal_.wait(lock, [this] { return stopEvent_ || workEvent_; });
      if (jobs_.empty()) {
        workEvent_ = false;
        idle_.notify_all();
        if (stopEvent_) return;
        continue;
      }
      // Stop only after the waiting pages are on disk: the operator has already seen them.
      job = std::move(jobs_.front());
      jobs_.pop_front();
      writing_ = true;
    }
    WriteJob(*job);
    job.reset();
    {
      std::lock_guard<std::mutex> lock(mutex_);
      writing_ = false;
    }
    idle_.notify_all();
  }
}

void TSaveImages::WriteJob(TSaveImageJob& job) {
  bool ok = false;
  std::string message;
  try {
    writer_.Write(job);
    ok = true;
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
    message = "unknown error";
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (ok) ++written_;
    else ++failed_;
  }
  if (!ok) {
    try {
      writer_.ReportFailure(job, message);
    } catch (...) {
      // Reporting must never end the worker.
    }
  }
  // The block is released whether or not the write succeeded.
  writer_.FreeDib(job.Dib);
  job.Dib = 0;
}

int16_t TSaveImages::Progress(int16_t value) {
  TQmThreadProgress handler;
  int32_t count;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    handler = progressHandler_;
    count = static_cast<int32_t>(jobs_.size());
  }
  bool cancel = false;
  // Called outside the lock, so a handler may read Count. Nothing is pumped here: this is the
  // worker thread, and it never waits on the user-interface thread.
  if (handler) handler(this, value, count, cancel);
  return cancel ? 0 : 1;
}

int16_t QM_CDECL TSaveImages::ProgressProc(int16_t progress, void* data) {
  auto* self = static_cast<TSaveImages*>(data);
  return self ? self->Progress(progress) : 1;
}

}  // namespace qm
