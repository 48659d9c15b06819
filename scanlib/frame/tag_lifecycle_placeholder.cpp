// Stands in for the tag records until the tag code is linked in: a started driver is ready at
// once and there is nothing to free.
#include "library_state.h"
#include "tag_lifecycle.h"

int32_t ZebInitTag() {
  gLib.state = kStateReady;
  return kZebOk;
}

void ZebFreeTag() {
  if (gLib.state > kStateDriverStarted) gLib.state = kStateDriverStarted;
}
