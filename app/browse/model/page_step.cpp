#include "page_step.h"

#include <algorithm>

namespace tarnwick {

int PickBatchPage(PageStep step, int current, int count) {
  if (count <= 0) return -1;
  const int last = count - 1;
  current = std::clamp(current, 0, last);
  switch (step) {
    case PageStep::First: return 0;
    case PageStep::Last: return last;
    case PageStep::Prior: return std::max(current - 1, 0);
    case PageStep::Next: return std::min(current + 1, last);
  }
  return current;
}

PageStepRoute PageStepRouteOf(Edition edition, bool dontSaveImage, bool thumbnailShow,
                              bool stripVisible, bool stripEnabled) {
  if (dontSaveImage) return PageStepRoute::None;
  if (edition == Edition::kSecond) return PageStepRoute::Strip;
  if (thumbnailShow && !stripVisible) return PageStepRoute::FileList;
  return stripEnabled ? PageStepRoute::Strip : PageStepRoute::None;
}

bool OpenBatchShowsStrip(Edition edition) { return edition != Edition::kSecond; }

}  // namespace tarnwick
