// DIB and memory mode: pages put together from the driver's blocks, native DIBs checked, and
// every block the library allocates either handed over or freed.
#include <cstring>

#include "acquire_memory.h"
#include "delivery_fixture.h"
#include "driver_flags.h"
#include "page_callback.h"
#include "status_codes.h"
#include "tag_state.h"
#include "tag_table.h"

namespace {

uint32_t Get32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}

// The gray 8-bit page of width 10: rows of 10 bytes, stride 12, a 256-step ramp.
TEST_F(DeliveryTest, PageIsDeliveredWholeOnceAndHandedOver) {
  Prepare(kTransferDib);
  uint32_t asked = 0;
  ASSERT_EQ(Info(Page(1, 8, 10, 3), &asked), 0);
  EXPECT_EQ(asked, 10u * (65536 / 10)) << "whole rows of the buffer";
  EXPECT_EQ(AcquireBlocksHeld(), 1);
  EXPECT_EQ(Block(Rows(0, 2, 10), 0), 0);
  EXPECT_EQ(Block(Rows(2, 1, 10), 1), 0);
  EXPECT_EQ(AcquireBlocksHeld(), 0) << "the application has it";
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].event, 2);
  EXPECT_EQ(events[1].event, 1);
  const std::vector<uint8_t>& dib = events[1].dib;
  ASSERT_GE(dib.size(), 40u + 1024 + 36);
  EXPECT_EQ(Get32(dib, 32), 256u);
  EXPECT_EQ(Get32(dib, 24), 11811u);
  EXPECT_EQ(dib[40 + 4 * 255], 255);
  const uint8_t* pixels = dib.data() + 40 + 1024;
  EXPECT_EQ(pixels[2 * 12], 1) << "first row received is the top row";
  EXPECT_EQ(pixels[0], 3);
  EXPECT_EQ(pixels[10], 0xFF) << "row padding is white";
  EXPECT_EQ(gAcq.pageDib, nullptr) << "a handed-over handle is not kept";
}

TEST_F(DeliveryTest, AllocationFailureAnswersOutOfMemoryAndKeepsNothing) {
  Prepare(kTransferDib);
  FailAcquireAllocAfter(0);
  EXPECT_EQ(Info(Page(1, 8, 10, 3)), kZebNoMemory);
  EXPECT_EQ(Block(Rows(0, 3, 10), 1), kZebNoMemory) << "blocks of a page that has no DIB";
  EXPECT_EQ(AcquireBlocksHeld(), 0);
  ASSERT_EQ(events.size(), 1u) << "only the page information";
}

TEST_F(DeliveryTest, PageFailingMidwayIsFreedNeverDelivered) {
  Prepare(kTransferDib);
  ASSERT_EQ(Info(Page(0, 1, 9, 4)), 0);
  EXPECT_EQ(Block(Rows(0, 2, 2), 0), 0);
  EXPECT_EQ(Block({}, -12), 0) << "the driver's own result ends the scan";
  EXPECT_EQ(AcquireBlocksHeld(), 0);
  EXPECT_EQ(Block(Rows(2, 2, 2), 1), kZebWrongState) << "no page to put them in";
  ASSERT_EQ(events.size(), 1u);
  // The next page is delivered as usual.
  ASSERT_EQ(Info(Page(0, 1, 9, 1)), 0);
  EXPECT_EQ(Block(Rows(0, 1, 2), 1), 0);
  EXPECT_EQ(events.back().event, 1);
}

TEST_F(DeliveryTest, APageTheDriverNeverEndedIsFreed) {
  Prepare(kTransferDib);
  ASSERT_EQ(Info(Page(1, 8, 10, 3)), 0);
  EXPECT_EQ(Block(Rows(0, 1, 10), 0), 0);
  ASSERT_EQ(Info(Page(1, 8, 10, 3)), 0);  // a new page without the end of the last
  EXPECT_EQ(AcquireBlocksHeld(), 1);
  DropOwnedPageDib();
  EXPECT_EQ(AcquireBlocksHeld(), 0);
}

TEST_F(DeliveryTest, RowsBeyondThePageAreDropped) {
  Prepare(kTransferDib);
  ASSERT_EQ(Info(Page(1, 8, 4, 3)), 0);
  EXPECT_EQ(Block(Rows(0, 5, 4), 1), 0);
  ASSERT_EQ(events.size(), 2u);
  const std::vector<uint8_t>& dib = events[1].dib;
  ASSERT_EQ(dib.size(), 40u + 1024 + 12);
  EXPECT_EQ(dib[40 + 1024 + 8], 1);
  EXPECT_EQ(dib[40 + 1024], 3);
}

TEST_F(DeliveryTest, BufferUnderOneRowStillGivesTheWholePage) {
  Prepare(kTransferDib, 7);
  uint32_t asked = 0;
  ASSERT_EQ(Info(Page(2, 24, 4, 2), &asked), 0);  // rows of 12 bytes
  EXPECT_EQ(asked, 7u) << "the whole buffer, since no row fits";
  const std::vector<uint8_t> rows = Rows(0, 2, 12);
  for (size_t at = 0; at < rows.size(); at += 7) {
    const size_t n = std::min<size_t>(7, rows.size() - at);
    EXPECT_EQ(Block(std::vector<uint8_t>(rows.begin() + at, rows.begin() + at + n), at + n == rows.size()), 0);
  }
  ASSERT_EQ(events.size(), 2u);
  const std::vector<uint8_t>& dib = events[1].dib;
  ASSERT_EQ(dib.size(), 40u + 24);
  EXPECT_EQ(dib[40 + 12], 1) << "top row, BGR of 1,1,1";
  EXPECT_EQ(dib[40], 2);
}

TEST_F(DeliveryTest, OddBilevelWidthKeepsItsLastBits) {
  Prepare(kTransferDib);
  uint32_t asked = 0;
  ASSERT_EQ(Info(Page(0, 1, 9, 2), &asked), 0);
  EXPECT_EQ(asked % 2, 0u) << "rows of 2 bytes";
  EXPECT_EQ(Block({0x12, 0x80, 0x34, 0x00}, 1), 0);
  const std::vector<uint8_t>& dib = events.back().dib;
  EXPECT_EQ(dib[48 + 4], 0x12);
  EXPECT_EQ(dib[48 + 5], 0x80);
}

TEST_F(DeliveryTest, DepthsNoPageDibCarriesAreRefused) {
  Prepare(kTransferDib);
  for (const ScanPageInfo& p : {Page(1, 4, 10, 3), Page(2, 16, 10, 3), Page(7, 8, 10, 3), Page(1, 8, 0, 3)}) {
    EXPECT_EQ(Info(p), kZebValueRefused);
    EXPECT_EQ(AcquireBlocksHeld(), 0);
  }
  EXPECT_EQ(Info(Page(1, 8, 100000, 100000)), kZebNoMemory) << "larger than a block can be";
}

TEST_F(DeliveryTest, WithoutACallbackPagesAreFreed) {
  Prepare(kTransferDib, 65536, false);
  ASSERT_EQ(Info(Page(1, 8, 10, 3)), 0);
  EXPECT_EQ(Block(Rows(0, 3, 10), 1), 0);
  EXPECT_EQ(AcquireBlocksHeld(), 0);
}

TEST_F(DeliveryTest, DeskewAndCropHideTheSizeOnlyWhileTheApplicationLooks) {
  for (int row : {kRowDeskew, kRowAutoCrop}) {
    Prepare(kTransferDib);
    events.clear();
    SetCurrentInt(row, 1);
    ASSERT_EQ(Info(Page(1, 8, 10, 3)), 0);
    EXPECT_EQ(events[0].info.ImageWidth, -1);
    EXPECT_EQ(events[0].info.ImageLength, -1);
    EXPECT_EQ(gAcq.page.ImageWidth, 10);
    EXPECT_EQ(Block(Rows(0, 3, 10), 1), 0) << "the page comes as scanned";
    EXPECT_EQ(events.back().event, 1);
    SetCurrentInt(row, 0);
  }
}

TEST_F(DeliveryTest, MemoryModePassesBlocksAndCodesThrough) {
  Prepare(kTransferMemory, 100);
  uint32_t asked = 0;
  ASSERT_EQ(Info(Page(1, 8, 30, 5), &asked), 0);
  EXPECT_EQ(asked, 90u);
  answerToPage = -3;
  EXPECT_EQ(Block(Rows(0, 3, 30), 0), 0);
  EXPECT_EQ(Block(Rows(3, 2, 30), 1), -3) << "the application's answer goes to the driver";
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[1].event, 0);
  EXPECT_EQ(events[1].size, 90u);
  EXPECT_EQ(events[2].event, 1);
  EXPECT_EQ(AcquireBlocksHeld(), 0);
}

// A DIB the driver made, as a TWAIN source may: a larger header, fewer colours than the depth.
HGLOBAL ForeignDib(uint32_t headerSize, uint32_t clrUsed, uint32_t pixelBytes) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, headerSize + 4 * clrUsed + pixelBytes);
  auto* p = static_cast<uint8_t*>(GlobalLock(h));
  auto put = [&](size_t at, uint32_t v) { std::memcpy(p + at, &v, 4); };
  put(0, headerSize);
  put(4, 10);
  put(8, 3);
  p[12] = 1;
  p[14] = 8;
  put(32, clrUsed);
  GlobalUnlock(h);
  return h;
}

TEST_F(DeliveryTest, DriverDibsAreHandedOverWhenTheirRowsLieInTheBlock) {
  Prepare(kTransferDib);
  DriverDelivers = 1;
  ASSERT_EQ(Info(Page(1, 8, 10, 3)), 0);
  EXPECT_EQ(AcquireBlocksHeld(), 0) << "nothing allocated for a driver's DIB";
  gAcq.pageDib = ForeignDib(124, 16, 36);
  EXPECT_EQ(Block({}, 1), 0);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[1].event, 1);
  EXPECT_EQ(Get32(events[1].dib, 0), 124u);
  // 256 colours claimed by a block that holds 16: refused, freed, never given out.
  ASSERT_EQ(Info(Page(1, 8, 10, 3)), 0);
  HGLOBAL bad = ForeignDib(40, 0, 36 + 64);
  gAcq.pageDib = bad;
  EXPECT_EQ(Block({}, 1), kZebValueRefused);
  EXPECT_EQ(events.size(), 3u);
  EXPECT_EQ(gAcq.pageDib, nullptr);
  EXPECT_EQ(Block({}, 1), kZebValueRefused) << "no handle: nothing handed twice";
}

}  // namespace
