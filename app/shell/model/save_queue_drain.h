// Closing the main window with pages still waiting in the background save queue: the window
// waits for the queue to empty before freeing it, for a bounded time, and tells the operator
// how many pages were not written.
#pragma once
#include <chrono>
#include <cstdint>

namespace tarnwick {

class PendingSaves {
 public:
  virtual ~PendingSaves() = default;
  virtual bool WaitIdle(std::chrono::milliseconds timeout) = 0;
  virtual int32_t Waiting() = 0;  // jobs not yet written
  virtual int32_t Failed() = 0;   // jobs whose write failed
};

struct DrainResult {
  bool idle = false;        // every queued page was handled within the bound
  int32_t notWritten = 0;   // still waiting after the bound, or failed
};

DrainResult DrainSaveQueue(PendingSaves& queue, std::chrono::milliseconds bound);

}  // namespace tarnwick
