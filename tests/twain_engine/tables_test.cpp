// The engine's tables: result codes, the capability table, item and container sizes, and the
// arithmetic of the transfers.
#include <gtest/gtest.h>

#include "cap_table.h"
#include "container_size.h"
#include "result_codes.h"
#include "transfer_math.h"

namespace {

TEST(ResultCodes, ReturnCodes) {
  const int32_t expected[] = {0, -4, -8, -5, 0, -6, 1, -6, -6, -8, -1000, -1000};
  for (uint16_t rc = 1; rc < 12; ++rc) EXPECT_EQ(ReturnCodeResult(rc), expected[rc]) << rc;
  EXPECT_EQ(ReturnCodeResult(0xFFFF), -1000);
}

TEST(ResultCodes, ConditionCodes) {
  const int32_t expected[] = {0,  -4, -9, -10, -2, -4,  -8,  -1000, -1000, -6, -8, -3, -6,
                              -7, -6, -3, -4,  -6, -11, -6, -12,   -14,   -15, -13, -1000};
  for (uint16_t cc = 1; cc < 25; ++cc) EXPECT_EQ(ConditionCodeResult(cc), expected[cc]) << cc;
  EXPECT_EQ(ConditionCodeResult(500), -1000);
}

TEST(CapTable, HasNinetyEightRowsAndATerminator) {
  EXPECT_EQ(CapDef[kCapDefRows].id, 0);
  EXPECT_EQ(CapDef[kCapDefRows].itemType, 0);
  for (size_t i = 0; i < kCapDefRows; ++i) EXPECT_NE(CapDef[i].id, 0) << i;
  EXPECT_EQ(CapDef[0].id, 0x1000);
  EXPECT_EQ(CapDef[97].id, 0x9200);
}

TEST(CapTable, Lookup) {
  struct { uint16_t id, type; size_t row; } cases[] = {
      {0x0001, 1, 29},  {0x0100, 4, 39},  {0x0101, 4, 69},  {0x0103, 4, 79},
      {0x1005, 4, 25},  {0x1114, 8, 47},  {0x1118, 7, 81},  {0x1119, 7, 84},
      {0x1213, 9, 89},  {0x1216, 9, 93},  {0x9219, 4, 94},  {0x9050, 0, 98},
      {0x4242, 0, 98},
  };
  for (auto c : cases) {
    const CapDefRow& row = CapIndex(c.id);
    EXPECT_EQ(row.itemType, c.type) << std::hex << c.id;
    EXPECT_EQ(&row - CapDef, static_cast<ptrdiff_t>(c.row)) << std::hex << c.id;
  }
}

TEST(CapTable, ItemTypeSizes) {
  struct { uint16_t type; int size; } cases[] = {
      {0, 1},      {1, 2},       {2, 4},       {3, 1},       {4, 2},      {5, 4},
      {6, 2},      {7, 4},       {8, 16},      {9, 34},      {10, 66},    {11, 130},
      {12, 256},   {0x8010, 2},  {0x8011, 4},  {0x8012, 4},  {0x8013, 2}, {0x8014, 33},
      {0x8015, 65}, {0x8016, 129}, {0x8017, 256}, {0x7777, 2},
  };
  for (auto c : cases) EXPECT_EQ(ItemTypeSize(c.type), c.size) << std::hex << c.type;
}

TEST(ContainerSizes, ByType) {
  EXPECT_EQ(ContainerBytes(3, 4, 2), 14u);
  EXPECT_EQ(ContainerBytes(4, 3, 2), 20u);
  EXPECT_EQ(ContainerBytes(5, 0, 34), 40u);
  EXPECT_EQ(ContainerBytes(5, 0, 1), 7u);
  EXPECT_EQ(ContainerBytes(6, 0, 256), 22u);
  EXPECT_EQ(ContainerBytes(7, 1, 2), 0u);
}

TEST(ContainerSizes, CopyTakesTheLargerLayoutAndNeverReadsPastTheSource) {
  // caller 4-byte items, source 2-byte: block for 4-byte items, copy of the source's 20 bytes
  ContainerCopy a = PlanContainerCopy(4, 3, 4, 2, 20);
  EXPECT_EQ(a.blockSize, 26u);
  EXPECT_EQ(a.copyBytes, 20u);
  // caller 2-byte items, source 4-byte: the source layout decides both
  ContainerCopy b = PlanContainerCopy(4, 3, 2, 4, 26);
  EXPECT_EQ(b.blockSize, 26u);
  EXPECT_EQ(b.copyBytes, 26u);
  // a source block shorter than its own header says
  ContainerCopy c = PlanContainerCopy(4, 1000, 2, 2, 30);
  EXPECT_EQ(c.copyBytes, 30u);
}

TEST(TransferMath, Fix32TruncatesTowardZero) {
  EXPECT_EQ(Fix32ToInt(300, 0), 300);
  EXPECT_EQ(Fix32ToInt(299, 0xFFFF), 299);
  EXPECT_EQ(Fix32ToInt(-2, 0x8000), -1);
  EXPECT_EQ(Fix32ToInt(0, 0x8000), 0);
}

TEST(TransferMath, MemoryLength) {
  struct { uint32_t wanted, preferred, max, length; } cases[] = {
      {0, 65536, 131072, 0},        {4096, 65536, 131072, 4096},
      {200000, 65536, 131072, 131072}, {200000, 262144, 131072, 200000},
      {100000, 65536, 0, 65536},
  };
  for (auto c : cases) EXPECT_EQ(MemoryLength(c.wanted, c.preferred, c.max), c.length) << c.wanted;
}

TEST(TransferMath, PageFileNames) {
  const char* duplex[] = {"000001A.bmp", "000001B.bmp", "000002A.bmp", "000002B.bmp"};
  for (uint32_t n = 1; n <= 4; ++n) EXPECT_EQ(PageFileSuffix(n, true, true), duplex[n - 1]);
  EXPECT_EQ(PageFileSuffix(1, false, true), "000001.bmp");
  EXPECT_EQ(PageFileSuffix(2, false, true), "000002.bmp");
  EXPECT_EQ(PageFileSuffix(5, false, false), ".bmp");
  EXPECT_EQ(PageFileBase("C:\\scan\\page.tif"), "C:\\scan\\page");
  EXPECT_EQ(PageFileBase("C:\\scan\\page.tif").size(), 12u);
  EXPECT_EQ(PageFileBase("C:\\scan\\page"), "C:\\scan\\page");
}

TEST(TransferMath, ImageBytesRoundsRowsUpAndRefusesUnknownSizes) {
  EXPECT_EQ(ImageBytes(2480, 8, 3508), 8699840u);
  EXPECT_EQ(ImageBytes(10, 1, 4), 8u);
  EXPECT_EQ(ImageBytes(0, 8, 100), 0u);
  EXPECT_EQ(ImageBytes(100, 8, -1), 0u);
  EXPECT_EQ(ImageBytes(100, 0, 100), 0u);
}

TEST(TransferMath, BatchBufferSizes) {
  const uint64_t MiB = 1024 * 1024;
  struct { uint64_t avail; uint32_t size; } cases[] = {
      {4096 * MiB, 32 * MiB}, {32 * MiB + 1, 32 * MiB}, {32 * MiB, 16 * MiB},
      {3 * MiB, 2 * MiB},     {MiB, 512 * 1024},        {512 * 1024, 1 * MiB},
      {0, 1 * MiB},
  };
  for (auto c : cases) EXPECT_EQ(BatchBufferSize(c.avail), c.size) << c.avail;
}

TEST(TransferMath, RingSlots) {
  EXPECT_EQ(RingSlots(32u << 20, 8699840), 3u);
  EXPECT_EQ(RingSlots(1u << 20, 8699840), 2u);
  EXPECT_EQ(RingSlots(32u << 20, 1000), 10u);
}

}  // namespace
