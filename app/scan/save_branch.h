// The one way each scanned page is saved. A page goes down exactly one branch, so a page the
// PDF writer or the save queue has taken is never also freed here, and no page is left held.
#pragma once

#include "edition.h"

namespace tarnwick {

enum class SaveBranch {
  PdfPage,      // handed to the PDF writer, which frees it
  NotSaved,     // "DontSaveImage": freed, the counter stays
  BitmapFile,   // converted, freed, and written now (TIFF and JPEG)
  Queue,        // handed to the background save queue, which frees it
};

struct PageSaveInput {
  bool PdfMode = false;
  bool DontSaveImage = false;
  int Kind = 0;  // the save queue's file kind of the page's format
  int BitCount = 0;  // not a choice: every depth goes down its format's branch (page_depth.h)
  Edition ForEdition = kBuiltEdition;
};

SaveBranch ChooseSaveBranch(const PageSaveInput& in);

// Depths each writer takes.
bool PdfOrQueueDepth(int bitCount);
bool BitmapFileDepth(int bitCount);

}  // namespace tarnwick
