// Which file of the batch a page step shows: first, last, prior or next of the current index
// over the file list as it is now, however it shrank since.
#pragma once

namespace tarnwick {

enum class PageStep { Prior = 0, Next = 1, First = 2, Last = 3 };

// The file-list index to show, or -1 when the list is empty. The current index is brought
// into the list first; prior stops at the first file and next at the last.
int PickBatchPage(PageStep step, int current, int count);

}  // namespace tarnwick
