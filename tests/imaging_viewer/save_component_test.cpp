// The save queue component over global memory blocks and a stand-in dispatcher.
#include <windows.h>

#include <gtest/gtest.h>

#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "qm_save_image_thrd.h"

using namespace qm;

namespace {

std::mutex gMutex;
std::vector<std::string> gWritten;
std::vector<uint8_t> gKinds;

void FakeSaveImageFile(const std::string& fileName, HGLOBAL dib, uint8_t, uint8_t fileKind,
                       uint8_t, uint8_t, int32_t, int32_t, int32_t, int16_t, void* sender,
                       SaveProgressProc progress) {
  if (!dib || GlobalSize(dib) < 10) throw std::runtime_error("Input image is empty");
  if (progress && progress(100, sender) == 0) throw std::runtime_error("Could not write Image");
  Sleep(1);
  std::lock_guard<std::mutex> lock(gMutex);
  gWritten.push_back(fileName);
  gKinds.push_back(fileKind);
}

HGLOBAL Block(size_t size) { return GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size); }

}  // namespace

TEST(SaveComponent, WritesInOrderAndDrainsWhenDestroyed) {
  gWritten.clear();
  {
    QmSaveImageThrd queue(nullptr, &FakeSaveImageFile);
    EXPECT_EQ(queue.ThreadIdealProcessor(), 1);
    for (int i = 0; i < 40; ++i)
      queue.AddSaveJob("page" + std::to_string(i), Block(100), 6, 9, 0, 0, 0, 75, 0, 0);
    EXPECT_LE(queue.Count(), 40);
  }
  ASSERT_EQ(gWritten.size(), 40u);
  for (int i = 0; i < 40; ++i) EXPECT_EQ(gWritten[i], "page" + std::to_string(i));
}

TEST(SaveComponent, EmptyImageFailsAndTheNextIsWritten) {
  gWritten.clear();
  QmSaveImageThrd queue(nullptr, &FakeSaveImageFile);
  queue.AddSaveJob("good1", Block(100), 6, 2, 0, 0, 0, 0, 0, 0);
  queue.AddSaveJob("empty", nullptr, 6, 2, 0, 0, 0, 0, 0, 0);
  queue.AddSaveJob("tiny", Block(5), 6, 2, 0, 0, 0, 0, 0, 0);
  queue.AddSaveJob("good2", Block(100), 6, 2, 0, 0, 0, 0, 0, 0);
  ASSERT_TRUE(queue.WaitIdle(std::chrono::seconds(20)));
  EXPECT_EQ(gWritten, (std::vector<std::string>{"good1", "good2"}));
  EXPECT_EQ(queue.FailedCount(), 2);
}

TEST(SaveComponent, ProgressHandlerCancelsAWrite) {
  gWritten.clear();
  QmSaveImageThrd queue(nullptr, &FakeSaveImageFile);
  queue.SetThreadProgress([&](TSaveImages* sender, int16_t, int32_t, bool& cancel) {
    EXPECT_EQ(sender, &queue.Worker());
    cancel = true;
  });
  EXPECT_TRUE(queue.ThreadProgress());
  queue.AddSaveJob("cancelled", Block(100), 6, 2, 0, 0, 0, 0, 0, 0);
  ASSERT_TRUE(queue.WaitIdle(std::chrono::seconds(20)));
  EXPECT_TRUE(gWritten.empty());
  EXPECT_EQ(queue.FailedCount(), 1);
}

TEST(SaveComponent, ReleasePageBlockUnlocksFully) {
  HGLOBAL h = Block(64);
  GlobalLock(h);
  GlobalLock(h);
  EXPECT_EQ(GlobalFlags(h) & GMEM_LOCKCOUNT, 2u);
  ReleasePageBlock(h);  // must not leave it locked and leaked
  ReleasePageBlock(nullptr);
  HGLOBAL one = Block(1);
  ReleasePageBlock(one);  // a one-byte block is not a page: left alone
  EXPECT_EQ(GlobalSize(one), 1u);
  GlobalFree(one);
}
