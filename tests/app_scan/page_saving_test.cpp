#include <gtest/gtest.h>

#include <vector>

#include "held_page.h"
#include "page_target.h"
#include "save_branch.h"

using namespace tarnwick;

TEST(PageTarget, SaveFormatGivesExtensionKindAndCode) {
  struct Row { int format; const char* ext; int kind; int code; };
  const Row rows[] = {{0, ".bmp", 9, 0},  {1, ".png", 2, 0},  {2, ".gif", 5, 0},
                      {3, ".pcx", 8, 0},  {4, ".jpg", 0, 10}, {5, ".tga", 6, 0},
                      {6, ".tif", 3, 3},  {7, ".tif", 3, 25}, {8, ".tif", 3, 27},
                      {9, ".tif", 3, 29}, {10, ".tif", 3, 29}, {11, ".tif", 3, 29},
                      {12, ".bmp", 9, 0}, {-1, ".bmp", 9, 0}};
  for (const Row& r : rows) {
    const PageTarget t = PageTargetOf(r.format, false, "c:\\b\\20240307-110509", 1, "");
    EXPECT_EQ(t.FileName, std::string("c:\\b\\20240307-110509\\000001") + r.ext) << r.format;
    EXPECT_EQ(t.Kind, r.kind) << r.format;
    EXPECT_EQ(t.FormatCode, r.code) << r.format;
  }
}

TEST(PageTarget, PageNumbersAreSixDigitsAndLongerOnesStay) {
  EXPECT_EQ(PageNumberText(42), "000042");
  EXPECT_EQ(PageNumberText(999999), "999999");
  EXPECT_EQ(PageNumberText(1234567), "1234567");
}

TEST(PageTarget, MultipageModeWritesEveryPageAsTiffIntoTheDocument) {
  struct Row { int format; int code; };
  // G4 for the image formats and the multipage setting, the chosen TIFF coding otherwise.
  const Row rows[] = {{0, 29}, {1, 29}, {4, 29}, {5, 29}, {6, 3}, {7, 25}, {9, 29}, {10, 29}};
  for (const Row& r : rows) {
    const PageTarget t = PageTargetOf(r.format, true, "c:\\b", 7, "c:\\out\\doc.tif");
    EXPECT_EQ(t.FileName, "c:\\out\\doc.tif");
    EXPECT_EQ(t.Kind, kKindTiff);
    EXPECT_EQ(t.FormatCode, r.code) << r.format;
  }
}

// The branch is the format's whatever the depth; the depth step converts or refuses (page_depth).
TEST(SaveBranch, EachPageTakesExactlyOneBranchWhateverItsDepth) {
  struct Row { bool pdf; bool dont; int kind; int bits; SaveBranch branch; };
  const Row rows[] = {
      {true, false, kKindTiff, 1, SaveBranch::PdfPage},
      {true, false, kKindTiff, 8, SaveBranch::PdfPage},
      {true, false, kKindTiff, 24, SaveBranch::PdfPage},
      {true, false, kKindTiff, 4, SaveBranch::PdfPage},
      {true, false, kKindTiff, 16, SaveBranch::PdfPage},
      {true, true, kKindTiff, 1, SaveBranch::NotSaved},
      {false, true, kKindPng, 16, SaveBranch::NotSaved},
      {false, false, kKindTiff, 1, SaveBranch::BitmapFile},
      {false, false, kKindTiff, 4, SaveBranch::BitmapFile},
      {false, false, kKindJpeg, 8, SaveBranch::BitmapFile},
      {false, false, kKindJpeg, 32, SaveBranch::BitmapFile},
      {false, false, kKindTiff, 16, SaveBranch::BitmapFile},
      {false, false, kKindTiff, 48, SaveBranch::BitmapFile},
      {false, false, kKindJpeg, 2, SaveBranch::BitmapFile},
      {false, false, kKindPng, 1, SaveBranch::Queue},
      {false, false, kKindBmp, 8, SaveBranch::Queue},
      {false, false, kKindGif, 24, SaveBranch::Queue},
      {false, false, kKindPcx, 4, SaveBranch::Queue},
      {false, false, kKindTga, 32, SaveBranch::Queue},
      {false, false, kKindPng, 0, SaveBranch::Queue},
  };
  for (const Row& r : rows)
    EXPECT_EQ(ChooseSaveBranch({r.pdf, r.dont, r.kind, r.bits}), r.branch)
        << r.pdf << r.dont << " kind " << r.kind << " bits " << r.bits;
}

namespace {
std::vector<std::uintptr_t> freed;
void RecordFree(std::uintptr_t b) { freed.push_back(b); }
}  // namespace

TEST(HeldPage, FreesOnEveryPathThatDoesNotHandTheBlockOn) {
  freed.clear();
  { HeldPage p(11, RecordFree); }
  {
    HeldPage p(12, RecordFree);
    EXPECT_EQ(p.HandOn(), 12u);
  }
  {
    HeldPage p(13, RecordFree);
    p.Free();
    p.Free();
  }
  try {
    HeldPage p(14, RecordFree);
    throw 1;
  } catch (int) {
  }
  { HeldPage p(0, RecordFree); }
  EXPECT_EQ(freed, (std::vector<std::uintptr_t>{11, 13, 14}));
}
