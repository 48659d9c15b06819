// Multipage TIFF maintenance on a file held in memory.
#include <gtest/gtest.h>

#include "test_images.h"
#include "tiff_codec.h"

namespace imagecore {
namespace {

// A page told apart by its width.
Image PageOfWidth(uint32_t w, uint16_t bits = 8) { return test::Pattern(bits, w, 11); }

std::vector<uint32_t> Widths(const std::vector<uint8_t>& file) {
  std::vector<uint32_t> widths;
  for (uint32_t i = 0; i < TiffPageCount(file.data(), file.size()); ++i) {
    ReadOnlyMemory m(file.data(), file.size());
    Image im;
    EXPECT_EQ(ReadTiffPage(m.AsStream(), i, im), kOk);
    widths.push_back(im.width);
  }
  return widths;
}

std::vector<uint8_t> ThreePages() {
  std::vector<uint8_t> file;
  EXPECT_EQ(TiffAppendPage(file, PageOfWidth(10), kTiffLzw), kOk);
  EXPECT_EQ(TiffAppendPage(file, PageOfWidth(20, 1), kTiffG4), kOk);
  EXPECT_EQ(TiffAppendPage(file, PageOfWidth(30, 24), kTiffJpeg), kOk);
  return file;
}

TEST(TiffPages, AppendAddsPagesInOrder) {
  EXPECT_EQ(Widths(ThreePages()), (std::vector<uint32_t>{10, 20, 30}));
}

TEST(TiffPages, InsertPutsThePageBeforeTheOneAtItsIndex) {
  auto file = ThreePages();
  ASSERT_EQ(TiffInsertPage(file, PageOfWidth(15), kTiffPackBits, 1), kOk);
  EXPECT_EQ(Widths(file), (std::vector<uint32_t>{10, 15, 20, 30}));
  ASSERT_EQ(TiffInsertPage(file, PageOfWidth(5), kTiffNone, 0), kOk);
  ASSERT_EQ(TiffInsertPage(file, PageOfWidth(99), kTiffNone, 77), kOk);
  EXPECT_EQ(Widths(file), (std::vector<uint32_t>{5, 10, 15, 20, 30, 99}));
}

Image PageAt(const std::vector<uint8_t>& file, uint32_t page) {
  Image im;
  ReadOnlyMemory m(file.data(), file.size());
  EXPECT_EQ(ReadTiffPage(m.AsStream(), page, im), kOk);
  return im;
}

TEST(TiffPages, ReplaceChangesOnePageOnly) {
  auto file = ThreePages();
  Image bilevel = PageAt(file, 1), photo = PageAt(file, 2);
  ASSERT_EQ(TiffReplacePage(file, PageOfWidth(42), kTiffLzw, 0), kOk);
  EXPECT_EQ(Widths(file), (std::vector<uint32_t>{42, 20, 30}));
  // Kept pages are copied as stored: even the JPEG page decodes to the same pixels.
  EXPECT_EQ(test::DifferentPixels(bilevel, PageAt(file, 1)), 0u);
  EXPECT_EQ(test::DifferentPixels(photo, PageAt(file, 2)), 0u);
  EXPECT_EQ(TiffReplacePage(file, PageOfWidth(1), kTiffLzw, 3), kBadPage);
}

TEST(TiffPages, DeleteRemovesThePageButNeverTheLast) {
  auto file = ThreePages();
  ASSERT_EQ(TiffDeletePage(file, 0), kOk);
  EXPECT_EQ(Widths(file), (std::vector<uint32_t>{20, 30}));
  EXPECT_EQ(TiffDeletePage(file, 2), kBadPage);
  ASSERT_EQ(TiffDeletePage(file, 1), kOk);
  auto one = file;
  EXPECT_EQ(TiffDeletePage(file, 0), kBadPage);
  EXPECT_EQ(file, one);
}

TEST(TiffPages, PackDropsUnusedSpaceAndKeepsThePages) {
  auto file = ThreePages();
  size_t packedSize = file.size();
  ASSERT_EQ(TiffPack(file), kOk);
  packedSize = file.size();
  file.resize(file.size() + 5000, 0xAB);  // space nothing refers to
  ASSERT_EQ(TiffPack(file), kOk);
  EXPECT_EQ(file.size(), packedSize);
  EXPECT_EQ(Widths(file), (std::vector<uint32_t>{10, 20, 30}));
}

TEST(TiffPages, FailuresLeaveTheBytesAlone) {
  std::vector<uint8_t> junk(100, 7);
  auto copy = junk;
  EXPECT_NE(TiffAppendPage(junk, PageOfWidth(3), kTiffLzw), kOk);
  EXPECT_NE(TiffPack(junk), kOk);
  EXPECT_EQ(junk, copy);
  auto file = ThreePages();
  auto before = file;
  EXPECT_EQ(TiffAppendPage(file, PageOfWidth(3), 12345), kUnsupported);
  EXPECT_EQ(file, before);
}

TEST(TiffTags, ReadsNumbersRationalsAndTexts) {
  std::vector<uint8_t> file;
  Image im = test::Pattern(8, 12, 7);
  ASSERT_EQ(TiffAppendPage(file, im, kTiffLzw), kOk);
  TiffTag t;
  ASSERT_EQ(ReadTiffTag(file.data(), file.size(), 0, 256, t), kOk);
  EXPECT_EQ(t.value, 12);
  EXPECT_LT(t.length, 5u);
  ASSERT_EQ(ReadTiffTag(file.data(), file.size(), 0, 282, t), kOk);
  EXPECT_EQ(t.length, 8u);
  EXPECT_EQ(t.text, "300/1");
  ASSERT_EQ(ReadTiffTag(file.data(), file.size(), 0, 259, t), kOk);
  EXPECT_EQ(t.value, kTiffLzw);
  EXPECT_EQ(ReadTiffTag(file.data(), file.size(), 1, 256, t), kBadPage);
  EXPECT_EQ(ReadTiffTag(file.data(), file.size(), 0, 999, t), kBadArgument);
  std::vector<TiffTag> all;
  ASSERT_EQ(ReadTiffTags(file.data(), file.size(), 0, all), kOk);
  EXPECT_GE(all.size(), 10u);
}

TEST(TiffTags, DirectoryLoopsAndCutsAreRefused) {
  // II*\0, first directory at 8 with one entry, next-directory pointer back at itself.
  std::vector<uint8_t> loop = {'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0, 0, 1, 3, 0, 1, 0, 0, 0, 5, 0, 0, 0, 8, 0, 0, 0};
  std::vector<TiffTag> tags;
  EXPECT_EQ(ReadTiffTags(loop.data(), loop.size(), 0, tags), kOk);
  EXPECT_EQ(ReadTiffTags(loop.data(), loop.size(), 1, tags), kBadPage);
  for (size_t n = 0; n < loop.size(); ++n) EXPECT_NE(ReadTiffTags(loop.data(), n, 0, tags), kOk) << n;
}

}  // namespace
}  // namespace imagecore
