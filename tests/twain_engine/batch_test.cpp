// The batch read-ahead (BATCHSCAN on): every byte once and in order over several ring laps,
// cancel and a second batch, read errors, and images whose size is not known.
#include <cstring>
#include <vector>

#include "engine_fixture.h"
#include "settings_store.h"

namespace {

struct Batch {
  std::vector<std::vector<uint8_t>> pages;
  std::vector<TWImageInfoRec> infos;
  std::vector<std::vector<int32_t>> codes;  // per page
  int cancelAtPage = -1;                    // answer non-zero to the second piece of this page
  int errors = 0;
  bool freeDuringTransfer = false;  // the callback calls TWAINFree while the batch runs
};
Batch* g_batch = nullptr;

int32_t __stdcall BatchCallback(void* p, uint32_t* q, int32_t code) {
  Batch& b = *g_batch;
  if (code == 2) {
    b.infos.push_back(*static_cast<TWImageInfoRec*>(p));
    b.pages.emplace_back();
    b.codes.emplace_back();
    *q = 1 << 20;
    return 0;
  }
  b.codes.back().push_back(code);
  if (b.freeDuringTransfer) {
    b.freeDuringTransfer = false;
    TWAINFree();
  }
  if (code < 0) {
    ++b.errors;
    return 0;
  }
  const uint8_t* data = static_cast<const uint8_t*>(p);
  b.pages.back().insert(b.pages.back().end(), data, data + *q);
  if (static_cast<int>(b.pages.size()) - 1 == b.cancelAtPage && b.codes.back().size() == 2) return -1;
  return 0;
}

class BatchTest : public ScriptedEngineTest {
 protected:
  void SetUp() override {
    ScriptedEngineTest::SetUp();
    WriteSettingInt(kScanDataKey, "BATCHSCAN", 1);
    g_batch = &batch_;
    ScriptMemLimits(4096, 1 << 20, 256 * 1024);
  }
  int32_t Acquire() {
    if (nState < 4) OpenSource();
    uint32_t memory = TWSX_MEMORY;
    TWAINSetValue(ICAP_XFERMECH, TWON_ONEVALUE, &memory);
    ScriptQueueEvent(MSG_XFERREADY);
    PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
    buffer_.resize(1 << 20);  // used only when the image goes strip by strip
    return TWAINAcquire(BatchCallback, buffer_.data());
  }
  void ExpectPages(const std::vector<uint32_t>& sizes, uint32_t firstIndex = 0) {
    ASSERT_EQ(batch_.pages.size(), sizes.size());
    for (size_t p = 0; p < sizes.size(); ++p) {
      ASSERT_EQ(batch_.pages[p].size(), sizes[p]) << "page " << p;
      for (uint32_t i = 0; i < sizes[p]; i += 997)
        ASSERT_EQ(batch_.pages[p][i], ScriptPageByte(firstIndex + p, i)) << p << ":" << i;
      ASSERT_EQ(batch_.pages[p].back(), ScriptPageByte(firstIndex + p, sizes[p] - 1));
      ASSERT_FALSE(batch_.codes[p].empty());
      EXPECT_EQ(batch_.codes[p].back(), 1) << "code 1 on the last piece only";
      for (size_t k = 0; k + 1 < batch_.codes[p].size(); ++k) EXPECT_EQ(batch_.codes[p][k], 0);
    }
  }
  Batch batch_;
  std::vector<uint8_t> buffer_;
};

// A first image of 11 MiB gives a ring of two slots in the 32 MiB buffer: five pages of
// different lengths go round it two and a half times.
const std::vector<uint32_t> kSizes = {4096 * 2816, 4096 * 1000, 4096 * 2816, 4096 * 10 + 0, 4096 * 500};

TEST_F(BatchTest, EveryByteOnceAndInOrderOverSeveralRingLaps) {
  TW_IMAGEINFO info = EightBitInfo(4096, 2816, TWPT_GRAY);
  ScriptPages(5, &info, 0);
  ScriptPageSizes(kSizes.data(), 5);
  EXPECT_EQ(Acquire(), 0);
  ExpectPages(kSizes);
  for (size_t p = 0; p < kSizes.size(); ++p)
    EXPECT_EQ(batch_.infos[p].ImageLength, static_cast<int32_t>(kSizes[p] / 4096)) << "per-slot information";
  EXPECT_EQ(nState, 4);
}

TEST_F(BatchTest, FreeDuringTheTransferLeavesTheRingAlone) {
  TW_IMAGEINFO info = EightBitInfo(4096, 2816, TWPT_GRAY);
  ScriptPages(3, &info, 0);
  ScriptPageSizes(kSizes.data(), 3);
  batch_.freeDuringTransfer = true;
  EXPECT_EQ(Acquire(), 0);
  ExpectPages({kSizes[0], kSizes[1], kSizes[2]});
}

TEST_F(BatchTest, CancelMidBatchThenASecondBatchWorks) {
  TW_IMAGEINFO info = EightBitInfo(4096, 2816, TWPT_GRAY);
  ScriptPages(5, &info, 0);
  ScriptPageSizes(kSizes.data(), 5);
  batch_.cancelAtPage = 1;
  EXPECT_EQ(Acquire(), -4);
  EXPECT_EQ(nState, 4);
  auto log = Requests();
  EXPECT_EQ(Count(log, DAT_PENDINGXFERS, MSG_RESET), 1);

  batch_ = Batch{};
  ScriptPages(3, &info, 0);
  ScriptPageSizes(kSizes.data(), 3);
  EXPECT_EQ(Acquire(), 0);
  ExpectPages({kSizes[0], kSizes[1], kSizes[2]});
}

TEST_F(BatchTest, ReadErrorMidBatchIsReported) {
  TW_IMAGEINFO info = EightBitInfo(4096, 2816, TWPT_GRAY);
  ScriptPages(5, &info, 0);
  ScriptPageSizes(kSizes.data(), 5);
  // 11 blocks of 1 MiB make the first page; the jam strikes inside the second.
  ScriptAnswerAfter(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, 13, TWRC_FAILURE, TWCC_PAPERJAM);
  EXPECT_EQ(Acquire(), -12);
  ASSERT_EQ(batch_.pages.size(), 2u);
  EXPECT_EQ(batch_.pages[0].size(), kSizes[0]);
  EXPECT_EQ(batch_.codes[1].back(), -12) << "the partial page is not delivered as complete";
  EXPECT_EQ(nState, 4);
}

TEST_F(BatchTest, ImageOfUnknownLengthGoesStripByStrip) {
  TW_IMAGEINFO info = EightBitInfo(100, -1, TWPT_GRAY);
  ScriptPages(2, &info, 5000);
  EXPECT_EQ(Acquire(), 0);
  ASSERT_EQ(batch_.pages.size(), 2u);
  EXPECT_EQ(batch_.pages[1].size(), 5000u);
}

TEST_F(BatchTest, ImageLargerThanTheBufferGetsTwoSlots) {
  // 40 MiB: the buffer grows to two images.
  TW_IMAGEINFO info = EightBitInfo(4096, 10240, TWPT_GRAY);
  std::vector<uint32_t> sizes = {4096u * 10240, 4096u * 10};
  ScriptPages(2, &info, 0);
  ScriptPageSizes(sizes.data(), 2);
  EXPECT_EQ(Acquire(), 0);
  ExpectPages(sizes);
}

DWORD WINAPI ReleaseWhenReached(void*) {
  // Held inside a block read: messages and a free request arrive meanwhile, then the read goes on.
  if (!ScriptGateWait(5000)) return 1;
  Sleep(100);
  ScriptGateRelease();
  return 0;
}

TEST_F(BatchTest, ReadHeldInsideTheSourceLosesNoByteAndEnds) {
  TW_IMAGEINFO info = EightBitInfo(4096, 2816, TWPT_GRAY);
  ScriptPages(3, &info, 0);
  ScriptPageSizes(kSizes.data(), 3);
  ScriptGate(DAT_IMAGEMEMXFER);
  HANDLE t = CreateThread(nullptr, 0, ReleaseWhenReached, nullptr, 0, nullptr);
  DWORD start = GetTickCount();
  EXPECT_EQ(Acquire(), 0);
  EXPECT_EQ(WaitForSingleObject(t, 5000), WAIT_OBJECT_0);
  DWORD code = 9;
  GetExitCodeThread(t, &code);
  CloseHandle(t);
  EXPECT_EQ(code, 0u) << "the gate was reached";
  EXPECT_LT(GetTickCount() - start, 9000u) << "no wait ran into its bound";
  ExpectPages({kSizes[0], kSizes[1], kSizes[2]});
}

}  // namespace
