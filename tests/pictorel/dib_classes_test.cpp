// QmTDib and QmDocuDib: header questions as tables, blank DIBs, ownership and palettes.
#include <gtest/gtest.h>

#include "dib_blocks.h"
#include "dib_handle.h"
#include "error_invalid.h"
#include "qm_docu_dib.h"
#include "qm_tdib.h"

using namespace pictorel_test;

namespace {

BITMAPINFOHEADER* Lock(HGLOBAL h) { return static_cast<BITMAPINFOHEADER*>(GlobalLock(h)); }

struct HeaderCase {
  uint16_t bits;
  uint32_t clrUsed;
  uint32_t compression;
  uint32_t colors;
  uint32_t headerSize;
};

TEST(DibHeader, ColorCountHeaderSizeAndBitsFollowTheHeader) {
  const HeaderCase cases[] = {
      {24, 0, BI_RGB, 0, 40}, {8, 17, BI_RGB, 17, 108}, {8, 0, BI_RGB, 256, 1064},
      {1, 0, BI_RGB, 2, 48}, {4, 0, BI_RGB, 16, 104}, {4, 3, BI_RGB, 3, 52},
      {8, 5000, BI_RGB, 256, 1064},  // more than 2^bits: capped
      {1, 7, BI_RGB, 2, 48}, {16, 0, BI_RGB, 0, 40}, {32, 0, BI_BITFIELDS, 0, 52},
      {16, 0, BI_BITFIELDS, 0, 52}};
  for (const auto& c : cases) {
    HGLOBAL h = RawDib(4, 2, c.bits, c.clrUsed, 8192, c.compression);
    QmTDib d;
    d.SetDib(Lock(h));
    EXPECT_EQ(d.ColorCount(), c.colors) << c.bits << "/" << c.clrUsed;
    EXPECT_EQ(d.HeaderSize(), c.headerSize) << c.bits << "/" << c.clrUsed;
    EXPECT_EQ(d.Bits(), reinterpret_cast<uint8_t*>(d.Dib()) + c.headerSize);
  }
}

TEST(DibHeader, TrueColourHasNoPalette) {
  QmTDib d;
  ASSERT_TRUE(d.CreateBlankDib(nullptr, 4, 4, 24));
  EXPECT_EQ(d.ColorCount(), 0u);
  EXPECT_EQ(d.HeaderSize(), 40u);
  EXPECT_EQ(d.PaletteHandle(), nullptr);
  QmTDib eight;
  ASSERT_TRUE(eight.CreateBlankDib(nullptr, 4, 4, 8));
  EXPECT_NE(eight.PaletteHandle(), nullptr);
}

TEST(DibHeader, BitsIsNullWhenRowsLeaveTheBlock) {
  HGLOBAL h = RawDib(100, 100, 24, 0, 40 + 300 * 99);  // one row short
  QmTDib d;
  d.SetDib(Lock(h));
  EXPECT_EQ(d.Bits(), nullptr);
  HGLOBAL ok = RawDib(100, -100, 24, 0, 40 + 300 * 100);
  QmTDib top;
  top.SetDib(Lock(ok));
  EXPECT_NE(top.Bits(), nullptr);
}

TEST(DibHeader, EmptyObjectsAnswerZero) {
  QmTDib t;
  QmDocuDib d;
  EXPECT_EQ(t.BitCount() + t.Width() + t.Height() + int(t.ColorCount() + t.HeaderSize()), 0);
  EXPECT_EQ(t.Bits(), nullptr);
  EXPECT_EQ(t.PaletteHandle(), nullptr);
  EXPECT_EQ(d.DibSize(), 0u);
  EXPECT_EQ(d.CopyToHandle(), nullptr);
  EXPECT_EQ(QmTDib::ColorsForBitCount(4), 16);
  EXPECT_EQ(QmTDib::ColorsForBitCount(24), 0);
}

struct BlankCase {
  int bitCount;
  int width;
  SIZE_T block;
  int headerBits;
  uint32_t colors;
};

TEST(CreateBlankDib, BlockAndHeaderBytes) {
  const BlankCase cases[] = {{1, 10, 4 * 5 + 48, 1, 2},     {2, 20, 8 * 5 + 48, 1, 2},
                             {4, 10, 8 * 5 + 104, 4, 16},   {8, 10, 12 * 5 + 1064, 8, 256},
                             {16, 10, 20 * 5 + 40, 16, 0},  {24, 3, 12 * 5 + 40, 24, 0},
                             {32, 10, 40 * 5 + 40, 32, 0}};
  for (const auto& c : cases) {
    QmTDib d;
    ASSERT_TRUE(d.CreateBlankDib(nullptr, c.width, 5, c.bitCount));
    EXPECT_EQ(GlobalSize(GlobalHandle(d.Dib())), c.block) << c.bitCount;
    EXPECT_EQ(d.BitCount(), c.headerBits);
    EXPECT_EQ(d.Dib()->biClrUsed, c.colors);
    EXPECT_EQ(d.Dib()->biClrImportant, c.colors);
    EXPECT_EQ(d.Dib()->biXPelsPerMeter, 2953);
    EXPECT_EQ(d.Dib()->biSizeImage, c.block - 40 - 4 * c.colors);
  }
  QmTDib d;
  EXPECT_FALSE(d.CreateBlankDib(nullptr, 10, 5, 3));
  EXPECT_EQ(d.Dib(), nullptr);
}

TEST(CreateBlankDib, CopiesThePaletteIntoTheTable) {
  struct { WORD version, count; PALETTEENTRY entries[2]; } lp = {0x300, 2, {{10, 20, 30, 0}, {200, 100, 50, 0}}};
  HPALETTE pal = CreatePalette(reinterpret_cast<LOGPALETTE*>(&lp));
  QmTDib d;
  ASSERT_TRUE(d.CreateBlankDib(pal, 8, 8, 1));
  auto* table = reinterpret_cast<RGBQUAD*>(d.Dib() + 1);
  EXPECT_EQ(table[1].rgbRed, 200);
  EXPECT_EQ(table[0].rgbBlue, 30);
  DeleteObject(pal);
}

TEST(QmTDib, SetDibOfTheHeldPointerKeepsTheBlock) {
  QmTDib d;
  ASSERT_TRUE(d.CreateBlankDib(nullptr, 8, 8, 8));
  BITMAPINFOHEADER* p = d.Dib();
  HPALETTE pal = d.PaletteHandle();
  d.SetDib(p);
  EXPECT_EQ(d.Dib(), p);
  EXPECT_NE(GlobalHandle(p), nullptr);
  EXPECT_EQ(GlobalSize(GlobalHandle(p)), SIZE_T(8 * 8 + 1064));
  EXPECT_EQ(d.PaletteHandle(), pal);
}

TEST(QmTDib, NotOwnedLeavesTheBlockAlone) {
  HGLOBAL h = ToBlock(Pattern(8, 4, 4));
  {
    QmTDib d;
    d.SetDib(Lock(h));
    d.Owned = false;
  }
  EXPECT_EQ(GlobalSize(h), SIZE_T(40 + 1024 + 16));
  FreeDibHandle(h);
}

TEST(QmDocuDib, SetDibDropsThePaletteOfTheOldImage) {
  QmDocuDib d;
  HGLOBAL a = ToBlock(Pattern(8, 4, 4));
  d.SetDib(Lock(a));
  HPALETTE first = d.PaletteHandle();
  ASSERT_NE(first, nullptr);
  d.SetDib(d.Dib());  // the same pointer: nothing changes
  EXPECT_EQ(d.PaletteHandle(), first);
  EXPECT_NE(GlobalSize(a), SIZE_T(0));
  imagecore::Image gray = Pattern(8, 4, 4, true);
  HGLOBAL b = ToBlock(gray);
  d.SetDib(Lock(b));
  HPALETTE second = d.PaletteHandle();
  PALETTEENTRY e{};
  ASSERT_EQ(GetPaletteEntries(second, 255, 1, &e), 1u);
  EXPECT_EQ(e.peRed, 255);  // the gray ramp of the new image, not the old colours
}

TEST(QmDocuDib, DibSizeOfTopDownDibUsesTheAbsoluteHeight) {
  HGLOBAL h = RawDib(10, -6, 24, 0, 40 + 32 * 6);
  QmDocuDib d;
  d.SetDib(Lock(h));
  EXPECT_EQ(d.DibSize(), 40u + 32 * 6);
  EXPECT_EQ(d.Dib()->biSizeImage, 32u * 6);
}

TEST(QmDocuDib, CopyToHandleCopiesTheBlock) {
  QmDocuDib d;
  d.SetDib(Lock(ToBlock(Pattern(4, 9, 3))));
  HGLOBAL copy = d.CopyToHandle();
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(GlobalFlags(copy) & GMEM_LOCKCOUNT, 0u);
  EXPECT_EQ(DifferentPixels(FromBlock(copy), Pattern(4, 9, 3)), 0u);
  FreeDibHandle(copy);
}

TEST(FreeDibHandle, FreesLockedBlocksAndLeavesTinyOnes) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 100);
  GlobalLock(h);
  GlobalLock(h);
  FreeDibHandle(h);
  EXPECT_EQ(GlobalSize(h), SIZE_T(0));
  HGLOBAL tiny = GlobalAlloc(GMEM_MOVEABLE, 1);
  FreeDibHandle(tiny);
  EXPECT_EQ(GlobalSize(tiny), SIZE_T(1));
  GlobalFree(tiny);
  FreeDibHandle(nullptr);
}

}  // namespace
