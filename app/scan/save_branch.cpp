#include "save_branch.h"

#include "page_target.h"

namespace tarnwick {

bool PdfOrQueueDepth(int bitCount) { return bitCount == 1 || bitCount == 8 || bitCount == 24; }

// The bitmap library converts palette pages and true-colour pages of 24 or 32 bits; 16- and
// 48-bit pages are converted before they reach it.
bool BitmapFileDepth(int bitCount) {
  return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24 || bitCount == 32;
}

SaveBranch ChooseSaveBranch(const PageSaveInput& in) {
  if (in.DontSaveImage) return SaveBranch::NotSaved;
  if (in.PdfMode) return SaveBranch::PdfPage;
  if (in.Kind == kKindTiff || in.Kind == kKindJpeg) return SaveBranch::BitmapFile;
  return SaveBranch::Queue;
}

}  // namespace tarnwick
