// The deskew/crop step as the deskew service will plug it in: while it is active the page
// output waits for the processed page, which the application hears of with its new size.
#include "acquire_memory.h"
#include "delivery_fixture.h"
#include "deskew_crop_hooks.h"
#include "page_callback.h"
#include "tag_state.h"
#include "tag_table.h"

namespace {

bool gBound = true;
int gStarts = 0;
int gEnds = 0;
std::vector<uint8_t> gCollected, gProcessed;

bool Bound() { return gBound; }
int32_t Start(int32_t) { return ++gStarts, 0; }
// Collects the page, then "crops" it to its left half.
int32_t Page(void* data, uint32_t* size, int32_t code, int32_t, ScanPageInfo* record, void** current) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  gCollected.insert(gCollected.end(), bytes, bytes + *size);
  if (code == 0) return 0;
  const int32_t width = record->ImageWidth / 2;
  gProcessed.clear();
  for (int32_t r = 0; r < record->ImageLength; ++r)
    gProcessed.insert(gProcessed.end(), gCollected.begin() + r * record->ImageWidth,
                      gCollected.begin() + r * record->ImageWidth + width);
  record->ImageWidth = width;
  *current = gProcessed.data();
  *size = static_cast<uint32_t>(gProcessed.size());
  return 1;
}
void End() { ++gEnds; }
const DeskewCropStep kStep{Bound, Start, Page, End};

class DeskewCropTest : public DeliveryTest {
 protected:
  void SetUp() override {
    DeliveryTest::SetUp();
    InstallDeskewCropStep(&kStep);
    gBound = true;
    gStarts = gEnds = 0;
    gCollected.clear();
    SetCurrentInt(kRowBackgroundLines, 4);
    SetCurrentInt(kRowDeskew, 1);
  }
  void TearDown() override {
    InstallDeskewCropStep(nullptr);
    DeliveryTest::TearDown();
  }
};

TEST_F(DeskewCropTest, ProcessedPageIsAnnouncedAgainAndDeliveredAtItsNewSize) {
  Prepare(kTransferDib);
  ASSERT_TRUE(DeskewCropActive());
  ASSERT_EQ(Info(Page(1, 8, 8, 2)), 0);
  EXPECT_EQ(gStarts, 1);
  EXPECT_EQ(AcquireBlocksHeld(), 0) << "no DIB before the step has the page";
  EXPECT_EQ(Block(Rows(0, 1, 8), 0), 0);
  EXPECT_EQ(Block(Rows(1, 1, 8), 1), 0);
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0].info.ImageWidth, -1) << "size unknown before deskew";
  EXPECT_EQ(events[1].event, 2);
  EXPECT_EQ(events[1].info.ImageWidth, 4) << "then the real, new size";
  EXPECT_EQ(events[1].info.ImageLength, 2);
  ASSERT_EQ(events[2].event, 1);
  const std::vector<uint8_t>& dib = events[2].dib;
  ASSERT_EQ(dib.size(), 40u + 1024 + 8);
  EXPECT_EQ(dib[40 + 1024 + 4], 1) << "top row";
  EXPECT_EQ(dib[40 + 1024], 2);
  DeskewCropEnd();
  EXPECT_EQ(gEnds, 1);
}

TEST_F(DeskewCropTest, InactiveWithoutItsLibraryOrItsTags) {
  gBound = false;
  EXPECT_FALSE(DeskewCropActive());
  gBound = true;
  SetCurrentInt(kRowBackgroundLines, 0);
  EXPECT_FALSE(DeskewCropActive());
  SetCurrentInt(kRowBackgroundLines, 4);
  SetCurrentInt(kRowDeskew, 0);
  EXPECT_FALSE(DeskewCropActive());
  SetCurrentInt(kRowAutoCrop, 1);
  EXPECT_TRUE(DeskewCropActive());
}

}  // namespace
