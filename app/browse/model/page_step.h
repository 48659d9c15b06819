// Which file of the batch a page step shows: first, last, prior or next of the current index
// over the file list as it is now, however it shrank since; and where a page step goes.
#pragma once

#include "edition.h"

namespace tarnwick {

enum class PageStep { Prior = 0, Next = 1, First = 2, Last = 3 };

// The file-list index to show, or -1 when the list is empty. The current index is brought
// into the list first; prior stops at the first file and next at the last.
int PickBatchPage(PageStep step, int current, int count);

enum class PageStepRoute {
  None,      // nothing happens
  FileList,  // the next file of the file list, the strip hidden
  Strip,     // the strip's selection moves (raising its click), then it is arranged
};
// Nothing while "DontSaveImage" is on. The first edition steps through the file list while
// "ThumnailShow" has hidden the strip and moves only an enabled strip; the second always moves
// the strip.
PageStepRoute PageStepRouteOf(Edition edition, bool dontSaveImage, bool thumbnailShow,
                              bool stripVisible, bool stripEnabled);

// Opening a batch makes a hidden strip visible (the second edition leaves it hidden).
bool OpenBatchShowsStrip(Edition edition);

}  // namespace tarnwick
