// The offset rule for DIB blocks: colour counts, header sizes and bounds.
#include <gtest/gtest.h>

#include "bytes.h"
#include "codecs.h"
#include "dib_layout.h"
#include "test_images.h"

namespace imagecore {
namespace {

struct CountCase {
  uint16_t bits;
  uint32_t clrUsed;
  uint32_t colors;
};

TEST(DibColorCount, FollowsBitsAndClrUsed) {
  const CountCase cases[] = {
      {1, 0, 2}, {1, 2, 2}, {1, 1, 1}, {1, 300, 2}, {4, 0, 16}, {4, 5, 5}, {4, 17, 16},
      {8, 0, 256}, {8, 17, 17}, {8, 256, 256}, {8, 100000, 256}, {16, 0, 0}, {24, 0, 0},
      {32, 0, 0}, {24, 3, 3}};
  for (const auto& c : cases)
    EXPECT_EQ(DibColorCount(c.bits, c.clrUsed), c.colors) << c.bits << " bits, " << c.clrUsed;
}

std::vector<uint8_t> Header(uint32_t biSize, int32_t w, int32_t h, uint16_t bits, uint32_t comp,
                            uint32_t clrUsed, size_t total) {
  std::vector<uint8_t> b(total, 0);
  PutLe32(&b[0], biSize);
  PutLe32(&b[4], uint32_t(w));
  PutLe32(&b[8], uint32_t(h));
  PutLe16(&b[12], 1);
  PutLe16(&b[14], bits);
  PutLe32(&b[16], comp);
  PutLe32(&b[32], clrUsed);
  return b;
}

struct LayoutCase {
  uint32_t biSize;
  uint16_t bits;
  uint32_t comp;
  uint32_t clrUsed;
  uint32_t bitsOffset;
};

TEST(DibLayout, BitsOffsetHonoursHeaderSizeMasksAndTable) {
  const LayoutCase cases[] = {
      {40, 24, kBiRgb, 0, 40}, {40, 8, kBiRgb, 17, 108}, {40, 8, kBiRgb, 0, 1064},
      {40, 1, kBiRgb, 0, 48}, {40, 4, kBiRgb, 0, 104}, {40, 8, kBiRgb, 999, 1064},
      {40, 16, kBiBitfields, 0, 52}, {40, 32, kBiBitfields, 0, 52}, {124, 32, kBiBitfields, 0, 124},
      {108, 8, kBiRgb, 2, 116}, {56, 16, kBiBitfields, 0, 56}};
  for (const auto& c : cases) {
    auto b = Header(c.biSize, 4, 3, c.bits, c.comp, c.clrUsed, 4096);
    DibLayout l;
    ASSERT_EQ(ParseDibLayout(b.data(), b.size(), l), kOk) << c.biSize << "/" << c.bits;
    EXPECT_EQ(l.bitsOffset, c.bitsOffset) << c.biSize << "/" << c.bits;
  }
}

TEST(DibLayout, TopDownDibsUseTheAbsoluteHeight) {
  auto b = Header(40, 5, -7, 24, kBiRgb, 0, 40 + 16 * 7);
  DibLayout l;
  ASSERT_EQ(ParseDibLayout(b.data(), b.size(), l), kOk);
  EXPECT_EQ(l.imageBytes, 16u * 7);
  Image im;
  ASSERT_EQ(DibToImage(b.data(), b.size(), im), kOk);
  EXPECT_EQ(im.height, 7u);
}

TEST(DibLayout, RefusesEveryPartOutsideTheBlock) {
  DibLayout l;
  auto ok = Header(40, 5, 3, 8, kBiRgb, 0, 1064 + 8 * 3);
  EXPECT_EQ(ParseDibLayout(ok.data(), ok.size(), l), kOk);
  EXPECT_EQ(ParseDibLayout(ok.data(), ok.size() - 1, l), kBadDib);   // last row short
  EXPECT_EQ(ParseDibLayout(ok.data(), 1000, l), kBadDib);            // table short
  for (size_t n : {0u, 10u, 39u}) EXPECT_EQ(ParseDibLayout(ok.data(), n, l), kBadDib) << n;
  auto huge = Header(5000, 5, 3, 24, kBiRgb, 0, 100);
  EXPECT_EQ(ParseDibLayout(huge.data(), huge.size(), l), kBadDib);
  auto badBits = Header(40, 5, 3, 7, kBiRgb, 0, 4096);
  EXPECT_EQ(ParseDibLayout(badBits.data(), badBits.size(), l), kBadDib);
  auto wide = Header(40, 70000, 1, 24, kBiRgb, 0, 4096);
  EXPECT_EQ(ParseDibLayout(wide.data(), wide.size(), l), kTooLarge);
  auto zero = Header(40, 0, 3, 24, kBiRgb, 0, 4096);
  EXPECT_EQ(ParseDibLayout(zero.data(), zero.size(), l), kBadDib);
  auto masksCut = Header(40, 1, 1, 16, kBiBitfields, 0, 48);
  EXPECT_EQ(ParseDibLayout(masksCut.data(), masksCut.size(), l), kBadDib);
}

TEST(DibLayout, WrittenBlocksReadBack) {
  for (uint16_t bits : {1, 4, 8, 24}) {
    Image im = test::Pattern(bits, 13, 9);
    std::vector<uint8_t> block(DibBlockSize(im));
    WriteDib(im, block.data());
    Image back;
    ASSERT_EQ(DibToImage(block.data(), block.size(), back), kOk);
    EXPECT_EQ(test::DifferentPixels(im, back), 0u) << bits;
    EXPECT_EQ(back.xPelsPerMeter, im.xPelsPerMeter);
  }
}

TEST(PixelColor, IndexPastThePaletteIsBlack) {
  Image im;
  Allocate(im, 2, 1, 8);
  im.palette = {MakeRgb(10, 20, 30)};
  im.Row(0)[1] = 200;
  EXPECT_EQ(PixelColor(im, im.Row(0), 0), MakeRgb(10, 20, 30));
  EXPECT_EQ(PixelColor(im, im.Row(0), 1), MakeRgb(0, 0, 0));
}

}  // namespace
}  // namespace imagecore

namespace imagecore {
namespace {

// A 4 x 3 run-length coded bitmap, built by hand.
std::vector<uint8_t> RleBmp(uint32_t compression, std::vector<uint8_t> codes) {
  uint16_t bits = compression == 1 ? 8 : 4;
  uint32_t colors = 1u << bits;
  std::vector<uint8_t> f(14 + 40 + 4 * colors, 0);
  f[0] = 'B'; f[1] = 'M';
  PutLe32(&f[10], uint32_t(f.size()));
  PutLe32(&f[14], 40); PutLe32(&f[18], 4); PutLe32(&f[22], 3); PutLe16(&f[26], 1);
  PutLe16(&f[28], bits); PutLe32(&f[30], compression);
  for (uint32_t i = 0; i < colors; ++i) f[54 + 4 * i] = f[55 + 4 * i] = f[56 + 4 * i] = uint8_t(i);
  f.insert(f.end(), codes.begin(), codes.end());
  return f;
}

Status ReadBmpBytes(const std::vector<uint8_t>& f, Image& im) {
  ReadOnlyMemory m(f.data(), f.size());
  return ReadBmp(m.AsStream(), im);
}

TEST(BmpRle, DecodesRunsAbsoluteRunsDeltasAndEnds) {
  // bottom row: run of 4 x 7; middle: absolute 1 2 3 then end of line; top: delta to x 2, run 2 x 9
  Image im;
  ASSERT_EQ(ReadBmpBytes(RleBmp(1, {4, 7, 0, 0, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 2, 0, 2, 9, 0, 1}), im), kOk);
  EXPECT_EQ(im.Row(2)[0], 7);
  EXPECT_EQ(im.Row(2)[3], 7);
  EXPECT_EQ(im.Row(1)[2], 3);
  EXPECT_EQ(im.Row(0)[2], 9);
  EXPECT_EQ(im.Row(0)[0], 0);
  ASSERT_EQ(ReadBmpBytes(RleBmp(2, {4, 0x5A, 0, 0, 0, 3, 0x12, 0x30, 0, 1}), im), kOk);
  EXPECT_EQ(IndexAt(im.Row(2), 0, 4), 5);
  EXPECT_EQ(IndexAt(im.Row(2), 1, 4), 10);
  EXPECT_EQ(IndexAt(im.Row(1), 2, 4), 3);
  EXPECT_EQ(ReadBmpBytes(RleBmp(1, {4, 7, 0, 0, 0, 9, 1}), im), kTruncated);
  EXPECT_EQ(ReadBmpBytes(RleBmp(1, {255, 7, 0, 2, 255, 255, 255, 1, 0, 1}), im), kOk);  // clipped
}

}  // namespace
}  // namespace imagecore
