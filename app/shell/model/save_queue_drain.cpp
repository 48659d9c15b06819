#include "save_queue_drain.h"

namespace tarnwick {

DrainResult DrainSaveQueue(PendingSaves& queue, std::chrono::milliseconds bound) {
  DrainResult result;
  result.idle = queue.WaitIdle(bound);
  result.notWritten = queue.Failed() + (result.idle ? 0 : queue.Waiting());
  return result;
}

}  // namespace tarnwick
