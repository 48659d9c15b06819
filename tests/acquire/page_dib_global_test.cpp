#include <gtest/gtest.h>

#include <vector>

#include "page_dib_global.h"

namespace {

PageFormat Bilevel(int32_t width, int32_t length) {
  PageFormat f;
  f.XResolution = f.YResolution = 300;
  f.ImageWidth = width;
  f.ImageLength = length;
  f.BitsPerPixel = 1;
  f.SamplesPerPixel = 1;
  f.PixelType = 0;
  return f;
}

TEST(PageDibGlobal, PageAssembledInAMovableBlockAndHandedOverUnlocked) {
  PageAssembly page;
  ASSERT_EQ(page.Begin(Bilevel(9, 2)), PageDibRefusal::None);
  HGLOBAL dib = AllocPageDib(page);
  ASSERT_NE(dib, nullptr);
  EXPECT_GE(GlobalSize(dib), page.Layout().BlockSize);
  EXPECT_EQ(GlobalFlags(dib) & GMEM_LOCKCOUNT, 1u);
  std::vector<uint8_t> rows = {0x12, 0x80, 0x34, 0x00};
  EXPECT_EQ(page.Receive(rows.data(), 4, 1), PageStep::Deliver);
  UnlockPageDibFully(dib);
  EXPECT_EQ(GlobalFlags(dib) & GMEM_LOCKCOUNT, 0u);
  auto* block = static_cast<const uint8_t*>(GlobalLock(dib));
  ASSERT_NE(block, nullptr);
  auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(block);
  EXPECT_EQ(header->biSize, 40u);
  EXPECT_EQ(header->biWidth, 9);
  EXPECT_EQ(header->biHeight, 2);
  EXPECT_EQ(header->biBitCount, 1);
  EXPECT_EQ(header->biClrUsed, 2u);
  EXPECT_EQ(header->biXPelsPerMeter, 11811);
  const uint8_t* pixels = block + 48;
  EXPECT_EQ(pixels[4], 0x12) << "first row received is the top row";
  EXPECT_EQ(pixels[5], 0x80);
  EXPECT_EQ(pixels[0], 0x34);
  GlobalUnlock(dib);
  EXPECT_EQ(GlobalFree(dib), nullptr);
}

TEST(PageDibGlobal, RefusedOrImpossiblePagesAllocateNothing) {
  PageAssembly page;
  PageFormat f = Bilevel(9, 2);
  f.BitsPerPixel = 3;
  EXPECT_EQ(page.Begin(f), PageDibRefusal::UnsupportedKind);
  EXPECT_EQ(AllocPageDib(page), nullptr);
}

}  // namespace
