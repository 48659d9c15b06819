#include "image_reader.h"

#include <gtest/gtest.h>

#include "codecs.h"
#include "session_helpers.h"
#include "whole_file_save.h"

namespace fileplugins {
namespace {

using K = PageKind;

std::vector<uint8_t> Written(FileKind format, K kind, int pages) {
  MemoryTarget target;
  LineSession session(RuleFor(format), target);
  for (int p = 0; p < pages; ++p) {
    EXPECT_EQ(testpages::SendPage(session, "f", kind, 37, 29, p, format == FileKind::kTiff ? kModeLzw : 0),
              kPluginOk);
    EXPECT_EQ(session.Close(p + 1 < pages ? 1 : 0), kPluginOk);
  }
  return target.files["f"];
}

// Every cut-off length and a spread of damaged bytes: an answer each time, no read outside.
TEST(ImageFileReader, DamagedAndCutFilesGiveAnErrorOrAnImage) {
  const FileKind formats[] = {FileKind::kTiff, FileKind::kBmp, FileKind::kJpeg, FileKind::kPcx, FileKind::kTga};
  for (FileKind format : formats) {
    const std::vector<uint8_t> whole = Written(format, format == FileKind::kTiff ? K::kRgb24 : K::kGray8,
                                               format == FileKind::kTiff ? 2 : 1);
    ASSERT_FALSE(whole.empty());
    const size_t step = std::max<size_t>(1, whole.size() / 300);
    for (size_t n = 0; n < whole.size(); n += step) {
      ImageFileReader reader;
      std::vector<uint8_t> cut(whole.begin(), whole.begin() + n);
      if (reader.Open(cut, format) != kPluginOk) continue;
      for (uint32_t i = 0; i < reader.Pages(); ++i) {
        imagecore::Image image;
        reader.ReadPage(i, image);
      }
    }
    for (size_t at = 0; at < whole.size(); at += step) {
      std::vector<uint8_t> bad = whole;
      bad[at] ^= 0xA5;
      if (at + 1 < bad.size()) bad[at + 1] = 0xFF;
      ImageFileReader reader;
      if (reader.Open(bad, format) != kPluginOk) continue;
      for (uint32_t i = 0; i < reader.Pages(); ++i) {
        imagecore::Image image;
        reader.ReadPage(i, image);
      }
    }
  }
}

TEST(ImageFileReader, RefusesFilesOfAnotherFormatAndEmptyOnes) {
  const std::vector<uint8_t> bmp = Written(FileKind::kBmp, K::kGray8, 1);
  ImageFileReader reader;
  EXPECT_EQ(reader.Open(bmp, FileKind::kTiff), kPluginBadFile);
  EXPECT_EQ(reader.Open(bmp, FileKind::kJpeg), kPluginBadFile);
  EXPECT_EQ(reader.Open({}, FileKind::kBmp), kPluginBadFile);
  EXPECT_EQ(reader.Open(bmp, FileKind::kPdf), kPluginCannotRead);
  imagecore::Image image;
  EXPECT_EQ(reader.ReadPage(0, image), kPluginNoImageOpen);
}

TEST(ImageFileReader, PagesAreCountedAndIndexedFromZero) {
  ImageFileReader reader;
  ASSERT_EQ(reader.Open(Written(FileKind::kTiff, K::kGray8, 3), FileKind::kTiff), kPluginOk);
  EXPECT_EQ(reader.Pages(), 3u);
  imagecore::Image image;
  for (uint32_t i = 0; i < 3; ++i) {
    ASSERT_EQ(reader.ReadPage(i, image), kPluginOk);
    EXPECT_EQ(testpages::Mismatches(image, K::kGray8, int(i), 0), 0) << i;
  }
  EXPECT_EQ(reader.ReadPage(3, image), kPluginBadPageIndex);
}

TEST(ImageFileReader, BlackAndWhiteReadsWithBlackFirst) {
  ImageFileReader reader;
  ASSERT_EQ(reader.Open(Written(FileKind::kTiff, K::kBlackWhite, 1), FileKind::kTiff), kPluginOk);
  imagecore::Image image;
  ASSERT_EQ(reader.ReadPage(0, image), kPluginOk);
  ASSERT_EQ(image.bits, 1);
  EXPECT_EQ(image.palette[0], imagecore::MakeRgb(0, 0, 0));
  EXPECT_EQ(testpages::Mismatches(image, K::kBlackWhite, 0, 0), 0);
}

TEST(ReadAllPages, ConvertsEveryPageOfAMultipageSource) {
  std::vector<imagecore::Image> pages;
  ASSERT_EQ(ReadAllPages(Written(FileKind::kTiff, K::kRgb24, 3), "src.tif", pages), kPluginOk);
  ASSERT_EQ(pages.size(), 3u);
  std::vector<RawPage> raw(3);
  for (int i = 0; i < 3; ++i) ASSERT_EQ(PageFromImage(pages[i], raw[i]), kPluginOk);
  MemoryTarget target;
  ASSERT_EQ(SaveWholeDocument(RuleFor(FileKind::kTiff), raw, kModeDeflate, 11, "all.tif", target), kPluginOk);
  const std::vector<imagecore::Image> back = testpages::ReadBack(target.files["all.tif"], FileKind::kTiff);
  ASSERT_EQ(back.size(), 3u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(testpages::Mismatches(back[i], K::kRgb24, i, 0), 0);
  // A one-page format takes no three pages; PDF and DjVu sources are not read here.
  EXPECT_EQ(SaveWholeDocument(RuleFor(FileKind::kBmp), raw, kModeNone, 11, "all.bmp", target), kPluginOnePageOnly);
  EXPECT_EQ(ReadAllPages({'%', 'P', 'D', 'F'}, "x.pdf", pages), kPluginCannotRead);
  EXPECT_EQ(ReadAllPages({1, 2, 3}, "x.bin", pages), kPluginBadFile);
}

TEST(PageFromImage, TwoColourImagesStayBlackAndWhiteWhateverTheirOrder) {
  imagecore::Image image;
  ASSERT_TRUE(imagecore::Allocate(image, 16, 2, 1));
  image.palette = {imagecore::MakeRgb(255, 255, 255), imagecore::MakeRgb(0, 0, 0)};
  image.Row(0)[0] = 0xF0;  // first four pixels index 1: black
  RawPage page;
  ASSERT_EQ(PageFromImage(image, page), kPluginOk);
  EXPECT_EQ(page.kind, K::kBlackWhite);
  EXPECT_EQ(page.Row(0)[0], 0x0F) << "a clear bit is black in a page";
  image.palette = {imagecore::MakeRgb(255, 0, 0), imagecore::MakeRgb(0, 0, 255)};
  ASSERT_EQ(PageFromImage(image, page), kPluginOk);
  EXPECT_EQ(page.kind, K::kRgb24);
  EXPECT_EQ(page.Row(0)[2], 255) << "blue in R,G,B order";
}

}  // namespace
}  // namespace fileplugins
