#include "line_session.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "session_helpers.h"
#include "tiff_codec.h"
#include "whole_file_save.h"

namespace fileplugins {
namespace {

using testpages::ReadBack;
using testpages::SendPage;
using K = PageKind;

struct KindCase {
  FileKind format;
  K kind;
  int16_t mode;
  int tolerance;  // per channel; JPEG is lossy
};

class EveryKind : public ::testing::TestWithParam<KindCase> {};

TEST_P(EveryKind, RowsReadBackAsSent) {
  const KindCase c = GetParam();
  MemoryTarget target;
  LineSession session(RuleFor(c.format), target);
  ASSERT_EQ(SendPage(session, "page", c.kind, 77, 50, 3, c.mode, 7, 20), kPluginOk);
  ASSERT_EQ(session.Close(0), kPluginOk);
  ASSERT_EQ(target.files.count("page"), 1u);
  const std::vector<imagecore::Image> pages = ReadBack(target.files["page"], c.format);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].width, 77u);
  EXPECT_EQ(pages[0].height, 50u);
  const int bad = testpages::Mismatches(pages[0], c.kind, 3, c.tolerance);
  // JPEG smooths colour across block edges: a few pixels there may stray further.
  EXPECT_LE(bad, c.tolerance ? 77 * 50 * 8 / 100 : 0);
  // TGA and JPEG have no 1-bit pages and keep black and white as gray.
  if (c.kind == K::kBlackWhite)
    EXPECT_EQ(pages[0].bits, c.format == FileKind::kTga || c.format == FileKind::kJpeg ? 8 : 1);
}

INSTANTIATE_TEST_SUITE_P(Formats, EveryKind, ::testing::Values(
    KindCase{FileKind::kTiff, K::kBlackWhite, kModeNone, 0},
    KindCase{FileKind::kTiff, K::kBlackWhite, kModeGroup4, 0},
    KindCase{FileKind::kTiff, K::kBlackWhite, kModeGroup3, 0},
    KindCase{FileKind::kTiff, K::kBlackWhite, kModePackBits, 0},
    KindCase{FileKind::kTiff, K::kGray8, kModeLzw, 0},
    KindCase{FileKind::kTiff, K::kGray8, kModeDeflate, 0},
    KindCase{FileKind::kTiff, K::kGray8, kModeJpeg, 12},
    KindCase{FileKind::kTiff, K::kGray16, kModeLzw, 1},
    KindCase{FileKind::kTiff, K::kRgb24, kModeNone, 0},
    KindCase{FileKind::kTiff, K::kRgb24, kModeJpeg, 24},
    KindCase{FileKind::kTiff, K::kRgb48, kModeDeflate, 1},
    KindCase{FileKind::kBmp, K::kBlackWhite, kModeNone, 0},
    KindCase{FileKind::kBmp, K::kGray8, kModeNone, 0},
    KindCase{FileKind::kBmp, K::kRgb24, kModeNone, 0},
    KindCase{FileKind::kPcx, K::kBlackWhite, kModeNone, 0},
    KindCase{FileKind::kPcx, K::kGray8, kModeNone, 0},
    KindCase{FileKind::kPcx, K::kRgb24, kModeNone, 0},
    KindCase{FileKind::kTga, K::kBlackWhite, kModeNone, 0},
    KindCase{FileKind::kTga, K::kGray8, kModeNone, 0},
    KindCase{FileKind::kTga, K::kRgb24, kModeNone, 0},
    KindCase{FileKind::kJpeg, K::kBlackWhite, kModeNone, 12},
    KindCase{FileKind::kJpeg, K::kGray8, kModeNone, 12},
    KindCase{FileKind::kJpeg, K::kRgb24, kModeNone, 24}));

TEST(LineSession, KeptOpenFileTakesPagesInOrder) {
  MemoryTarget target;
  LineSession session(RuleFor(FileKind::kTiff), target);
  const K kinds[] = {K::kBlackWhite, K::kGray8, K::kRgb24, K::kBlackWhite};
  for (int p = 0; p < 4; ++p) {
    ASSERT_EQ(SendPage(session, "doc.tif", kinds[p], 40 + p, 30, p, kModeGroup4), kPluginOk);
    ASSERT_EQ(session.Close(p < 3 ? 1 : 0), kPluginOk);
    EXPECT_EQ(target.files.count("doc.tif"), p < 3 ? 0u : 1u) << "the file appears once complete";
  }
  EXPECT_EQ(target.opens, 1);
  const std::vector<imagecore::Image> pages = ReadBack(target.files["doc.tif"], FileKind::kTiff);
  ASSERT_EQ(pages.size(), 4u);
  for (int p = 0; p < 4; ++p) {
    EXPECT_EQ(pages[p].width, uint32_t(40 + p));
    EXPECT_EQ(testpages::Mismatches(pages[p], kinds[p], p, 0), 0) << "page " << p;
  }
}

TEST(LineSession, PdfKeptOpenHoldsEveryPage) {
  MemoryTarget target;
  LineSession session(RuleFor(FileKind::kPdf), target);
  for (int p = 0; p < 3; ++p) {
    ASSERT_EQ(SendPage(session, "doc.pdf", p == 0 ? K::kBlackWhite : p == 1 ? K::kGray8 : K::kRgb24, 64, 48, p),
              kPluginOk);
    ASSERT_EQ(session.Close(p < 2 ? 1 : 0), kPluginOk);
  }
  const std::string pdf(target.files["doc.pdf"].begin(), target.files["doc.pdf"].end());
  EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
  EXPECT_NE(pdf.find("/Count 3"), std::string::npos);
}

TEST(LineSession, NewNameFinishesTheFileKeptOpen) {
  MemoryTarget target;
  LineSession session(RuleFor(FileKind::kTiff), target);
  ASSERT_EQ(SendPage(session, "a.tif", K::kGray8, 20, 20, 1), kPluginOk);
  ASSERT_EQ(session.Close(1), kPluginOk);
  ASSERT_EQ(SendPage(session, "b.tif", K::kGray8, 20, 20, 2), kPluginOk);
  EXPECT_EQ(target.files.count("a.tif"), 1u);
  ASSERT_EQ(session.Close(0), kPluginOk);
  EXPECT_EQ(imagecore::TiffPageCount(target.files["a.tif"].data(), target.files["a.tif"].size()), 1u);
  EXPECT_EQ(imagecore::TiffPageCount(target.files["b.tif"].data(), target.files["b.tif"].size()), 1u);
}

TEST(LineSession, ShortPageIsWrittenWholeWithWhiteRows) {
  MemoryTarget target;
  LineSession session(RuleFor(FileKind::kTiff), target);
  ScanPageInfo info = testpages::Info(K::kGray8, 30, 40);
  ASSERT_EQ(session.Create("short.tif", &info, 11), kPluginOk);
  for (uint32_t y = 0; y < 10; ++y)
    ASSERT_EQ(session.Save(testpages::Row(K::kGray8, 30, y, 5).data(), 30, 1, 1), kPluginOk);
  // Padding rows say they are padding: white whatever the block holds.
  std::vector<uint8_t> junk(30 * 5, 0x11);
  ASSERT_EQ(session.Save(junk.data(), 30, 5, 0), kPluginOk);
  ASSERT_EQ(session.Close(0), kPluginOk);  // 25 rows never came
  const std::vector<imagecore::Image> pages = ReadBack(target.files["short.tif"], FileKind::kTiff);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].height, 40u);
  EXPECT_EQ(testpages::Mismatches(pages[0], K::kGray8, 5, 0, 10), 0);
}

// A JPEG page's rows go to the coder as each block brings them. However the blocks are cut, with
// padding blocks and rows that never came, the file is the one the whole page (white where no
// row came) codes to.
TEST(LineSession, JpegRowsInAnyBlocksCodeTheWholePage) {
  struct Plan {
    const char* what;
    std::vector<uint32_t> blocks;  // rows per block, sent in turn; what is left never comes
    uint32_t padFrom;              // blocks from this row on are padding, their bytes junk
  };
  const uint32_t width = 83, length = 61;
  const Plan plans[] = {
      {"one block", {61}, 61},
      {"a row at a time", std::vector<uint32_t>(61, 1), 61},
      {"uneven blocks", {1, 2, 3, 5, 8, 13, 21, 8}, 61},
      {"blocks larger than the coder's batch", {17, 40, 4}, 61},
      {"short page padded white", {9, 9, 9, 9, 9, 9, 7}, 27},
      {"closed early", {5, 11, 3}, 61},
      {"nothing sent", {}, 61},
  };
  for (K kind : {K::kRgb24, K::kGray8, K::kBlackWhite}) {
    for (const Plan& plan : plans) {
      SCOPED_TRACE(std::string(plan.what) + " kind " + std::to_string(int(kind)));
      const size_t line = RowBytesOf(width, kind);
      RawPage whole;
      ASSERT_EQ(AllocateWhitePage(whole, width, length, kind), kPluginOk);
      whole.xDpi = whole.yDpi = 200;
      MemoryTarget target;
      LineSession session(RuleFor(FileKind::kJpeg), target);
      ScanPageInfo info = testpages::Info(kind, int32_t(width), int32_t(length));
      ASSERT_EQ(session.Create("page.jpg", &info, 15), kPluginOk);
      uint32_t y = 0;
      for (uint32_t n : plan.blocks) {
        const bool padding = y >= plan.padFrom;
        std::vector<uint8_t> block(n * line, 0x3C);
        for (uint32_t r = 0; r < n && !padding; ++r) {
          const std::vector<uint8_t> row = testpages::Row(kind, width, y + r, 4);
          std::copy(row.begin(), row.end(), block.begin() + r * line);
          std::copy(row.begin(), row.end(), whole.Row(y + r));
        }
        ASSERT_EQ(session.Save(block.data(), int32_t(line), int32_t(n), padding ? 0 : 1), kPluginOk);
        y += n;
      }
      EXPECT_FALSE(target.IsOpen() && target.files.count("page.jpg")) << "no file before the page closes";
      ASSERT_EQ(session.Close(0), kPluginOk);
      ASSERT_EQ(target.files.count("page.jpg"), 1u);

      MemoryTarget reference;
      ASSERT_EQ(SaveWholeDocument(RuleFor(FileKind::kJpeg), {whole}, kModeNone, 15, "whole.jpg", reference),
                kPluginOk);
      EXPECT_EQ(target.files["page.jpg"], reference.files["whole.jpg"]);
    }
  }
}

// Rows that come a little short are made up white, as on a page held whole; a stride wider than
// the row is followed.
TEST(LineSession, JpegRowsShortOrWideOfTheLineCodeAsTheHeldPage) {
  const uint32_t width = 83, length = 20;  // black and white: 10 whole bytes a row, 11 in all
  for (int32_t rowBytes : {10, 11, 16}) {
    SCOPED_TRACE(rowBytes);
    RawPage held;
    ASSERT_EQ(AllocateWhitePage(held, width, length, K::kBlackWhite), kPluginOk);
    held.xDpi = held.yDpi = 200;
    std::vector<uint8_t> block(size_t(rowBytes) * length, 0x00);
    for (uint32_t y = 0; y < length; ++y) {
      const std::vector<uint8_t> row = testpages::Row(K::kBlackWhite, width, y, 2);
      const size_t take = std::min<size_t>(row.size(), size_t(rowBytes));
      std::copy_n(row.begin(), take, block.begin() + y * rowBytes);
      std::copy_n(row.begin(), take, held.Row(y));
    }
    MemoryTarget target;
    LineSession session(RuleFor(FileKind::kJpeg), target);
    ScanPageInfo info = testpages::Info(K::kBlackWhite, int32_t(width), int32_t(length));
    ASSERT_EQ(session.Create("p", &info, 11), kPluginOk);
    ASSERT_EQ(session.Save(block.data(), rowBytes, int32_t(length), 1), kPluginOk);
    ASSERT_EQ(session.Close(0), kPluginOk);
    MemoryTarget reference;
    ASSERT_EQ(SaveWholeDocument(RuleFor(FileKind::kJpeg), {held}, kModeNone, 11, "r", reference), kPluginOk);
    EXPECT_EQ(target.files["p"], reference.files["r"]);
  }
}

// A write that fails while rows are still coming is answered at once; the rest of the page is
// refused, nothing is made of it, and the next page is written.
TEST(LineSession, JpegWriteFailingMidPageIsAnsweredAtOnce) {
  // Busy rows, so the coded page outgrows the coder's output buffer long before its end.
  const uint32_t width = 640, length = 480;
  std::mt19937 random(3);
  std::vector<uint8_t> rows(size_t(width) * 3 * length);
  for (uint8_t& b : rows) b = uint8_t(random());
  MemoryTarget target;
  target.failAfter = 1000;
  LineSession session(RuleFor(FileKind::kJpeg), target);
  ScanPageInfo info = testpages::Info(K::kRgb24, int32_t(width), int32_t(length));
  ASSERT_EQ(session.Create("full.jpg", &info, 20), kPluginOk);
  PluginStatus first = kPluginOk;
  uint32_t y = 0;
  for (; y < length && first == kPluginOk; y += 16)
    first = session.Save(rows.data() + size_t(y) * width * 3, int32_t(width * 3), 16, 1);
  EXPECT_EQ(first, kPluginWriteFailed);
  EXPECT_LT(y, length) << "the failure is answered while rows still come";
  EXPECT_EQ(session.Save(rows.data(), int32_t(width * 3), 16, 1), kPluginWriteFailed);
  EXPECT_EQ(session.Close(0), kPluginWriteFailed);
  EXPECT_TRUE(target.files.empty());
  EXPECT_FALSE(target.IsOpen());
  EXPECT_FALSE(session.FileOpen());

  target.failAfter = SIZE_MAX;
  ASSERT_EQ(session.Create("full.jpg", &info, 20), kPluginOk);
  ASSERT_EQ(session.Save(rows.data(), int32_t(width * 3), int32_t(length), 1), kPluginOk);
  ASSERT_EQ(session.Close(0), kPluginOk);
  const std::vector<imagecore::Image> pages = ReadBack(target.files["full.jpg"], FileKind::kJpeg);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].width, width);
}

// A page wider than the JPEG coder takes is refused at its end, as before it was ever coded row
// by row: no file, and the plug-in goes on.
TEST(LineSession, JpegPageTooWideForTheCoderIsRefusedWithoutAFile) {
  MemoryTarget target;
  LineSession session(RuleFor(FileKind::kJpeg), target);
  ScanPageInfo info = testpages::Info(K::kGray8, 65501, 2);
  ASSERT_EQ(session.Create("wide.jpg", &info, 11), kPluginOk);
  std::vector<uint8_t> row(65501, 0x80);
  EXPECT_EQ(session.Save(row.data(), 65501, 1, 1), kPluginOk);
  EXPECT_EQ(session.Close(0), kPluginPageUnsupported);
  EXPECT_TRUE(target.files.empty());
  EXPECT_FALSE(target.IsOpen());
  EXPECT_EQ(SendPage(session, "next.jpg", K::kGray8, 16, 16, 1), kPluginOk);
  EXPECT_EQ(session.Close(0), kPluginOk);
  EXPECT_EQ(target.files.count("next.jpg"), 1u);
}

TEST(LineSession, RowsShortOfAWholeLastByteLeaveItsBitsWhite) {
  MemoryTarget target;
  LineSession session(RuleFor(FileKind::kBmp), target);
  ScanPageInfo info = testpages::Info(K::kBlackWhite, 13, 2);
  ASSERT_EQ(session.Create("narrow.bmp", &info, 11), kPluginOk);
  const uint8_t rows[2] = {0x00, 0x00};  // 13 x 1 / 8 = 1 byte per row, as the library counts
  ASSERT_EQ(session.Save(rows, 1, 2, 1), kPluginOk);
  ASSERT_EQ(session.Close(0), kPluginOk);
  const std::vector<imagecore::Image> pages = ReadBack(target.files["narrow.bmp"], FileKind::kBmp);
  ASSERT_EQ(pages.size(), 1u);
  for (uint32_t x = 0; x < 13; ++x)
    EXPECT_EQ(imagecore::PixelColor(pages[0], pages[0].Row(0), x).red, x < 8 ? 0 : 255) << x;
}

TEST(LineSession, CallsOutOfOrderAreRefusedAndLeaveNoFile) {
  MemoryTarget target;
  LineSession session(RuleFor(FileKind::kTiff), target);
  const uint8_t row[64] = {};
  EXPECT_EQ(session.Save(row, 8, 1, 1), kPluginNoPage);
  EXPECT_EQ(session.Close(0), kPluginOk) << "closing nothing is no failure";
  EXPECT_EQ(target.opens, 0);

  ScanPageInfo info = testpages::Info(K::kGray8, 8, 2);
  ASSERT_EQ(session.Create("one.tif", &info, 11), kPluginOk);
  ScanPageInfo other = testpages::Info(K::kRgb24, 9, 9);
  EXPECT_EQ(session.Create("two.tif", &other, 11), kPluginPageOpen);
  // The page begun first goes on unharmed.
  EXPECT_EQ(session.Save(row, 8, 2, 1), kPluginOk);
  EXPECT_EQ(session.Save(row, 8, 1, 1), kPluginBadRows) << "more rows than the page holds";
  EXPECT_EQ(session.Save(row, 7, 1, 1), kPluginBadRows);
  EXPECT_EQ(session.Save(nullptr, 8, 1, 1), kPluginBadArgument);
  EXPECT_EQ(session.Save(row, 8, -1, 1), kPluginBadArgument);
  EXPECT_EQ(session.Save(row, -8, 1, 1), kPluginBadArgument);
  ASSERT_EQ(session.Close(0), kPluginOk);
  EXPECT_EQ(target.opens, 1);
  EXPECT_EQ(target.files.size(), 1u);
  EXPECT_EQ(target.files.count("one.tif"), 1u);
}

TEST(LineSession, PagesAndNamesThatDoNotFitAreRefusedBeforeAnyFile) {
  struct Case {
    FileKind format;
    const char* name;
    ScanPageInfo info;
    PluginStatus expected;
  };
  const std::string longName(kMaxFileName + 1, 'a');
  const std::string longestName(kMaxFileName, 'a');
  ScanPageInfo palette = testpages::Info(K::kRgb24, 8, 8);
  palette.BitsPerPixel = 8;
  ScanPageInfo noWidth = testpages::Info(K::kGray8, 0, 8);
  ScanPageInfo huge = testpages::Info(K::kRgb48, 65535, 65535);
  ScanPageInfo tooWide = testpages::Info(K::kGray8, 70000, 2);
  const Case cases[] = {
      {FileKind::kTiff, nullptr, testpages::Info(K::kGray8, 8, 8), kPluginBadName},
      {FileKind::kTiff, "", testpages::Info(K::kGray8, 8, 8), kPluginBadName},
      {FileKind::kTiff, longName.c_str(), testpages::Info(K::kGray8, 8, 8), kPluginBadName},
      {FileKind::kJpeg, "p.jpg", testpages::Info(K::kGray16, 8, 8), kPluginPageUnsupported},
      {FileKind::kBmp, "p.bmp", testpages::Info(K::kGray16, 8, 8), kPluginPageUnsupported},
      {FileKind::kPdf, "p.pdf", testpages::Info(K::kRgb48, 8, 8), kPluginPageUnsupported},
      {FileKind::kTiff, "p.tif", palette, kPluginPageUnsupported},
      {FileKind::kTiff, "p.tif", noWidth, kPluginPageUnsupported},
      {FileKind::kTiff, "p.tif", huge, kPluginPageUnsupported},
      {FileKind::kTiff, "p.tif", tooWide, kPluginPageUnsupported},
      {FileKind::kTiff, "p.tif", testpages::Info(K::kGray8, 8, 8, 6), kPluginCompressionUnsupported},
      {FileKind::kBmp, "p.bmp", testpages::Info(K::kGray8, 8, 8, kModeGroup4), kPluginCompressionUnsupported},
  };
  for (const Case& c : cases) {
    MemoryTarget target;
    LineSession session(RuleFor(c.format), target);
    ScanPageInfo info = c.info;
    EXPECT_EQ(session.Create(c.name, &info, 11), c.expected) << (c.name ? c.name : "(null)");
    EXPECT_EQ(target.opens, 0);
    EXPECT_FALSE(session.PageOpen());
  }
  MemoryTarget target;
  LineSession session(RuleFor(FileKind::kTiff), target);
  EXPECT_EQ(session.Create("p.tif", nullptr, 11), kPluginBadArgument);
  ScanPageInfo info = testpages::Info(K::kGray8, 8, 8);
  EXPECT_EQ(session.Create(longestName.c_str(), &info, 11), kPluginOk);
}

TEST(LineSession, FailedWriteLeavesNoFileAndTheNextScanWorks) {
  for (FileKind format : {FileKind::kTiff, FileKind::kPdf, FileKind::kBmp, FileKind::kJpeg}) {
    MemoryTarget target;
    target.failAfter = 100;
    LineSession session(RuleFor(format), target);
    ASSERT_EQ(SendPage(session, "fail", K::kRgb24, 64, 64, 1), kPluginOk);
    EXPECT_EQ(session.Close(0), kPluginWriteFailed) << RuleFor(format).extension;
    EXPECT_TRUE(target.files.empty());
    EXPECT_FALSE(target.IsOpen());
    target.failAfter = SIZE_MAX;
    ASSERT_EQ(SendPage(session, "again", K::kRgb24, 64, 64, 1), kPluginOk);
    EXPECT_EQ(session.Close(0), kPluginOk);
    EXPECT_EQ(target.files.count("again"), 1u);
  }
}

TEST(LineSession, FailedPageOfAKeptOpenFileDropsTheUnfinishedFile) {
  MemoryTarget target;
  LineSession session(RuleFor(FileKind::kTiff), target);
  ASSERT_EQ(SendPage(session, "doc.tif", K::kGray8, 64, 64, 1), kPluginOk);
  ASSERT_EQ(session.Close(1), kPluginOk);
  target.failAfter = 0;
  ASSERT_EQ(SendPage(session, "doc.tif", K::kGray8, 64, 64, 2), kPluginOk);
  EXPECT_EQ(session.Close(1), kPluginWriteFailed);
  EXPECT_FALSE(session.FileOpen());
  EXPECT_TRUE(target.files.empty());
  EXPECT_GE(target.discards, 1);
}

TEST(LineSession, SinglePageFormatRefusesASecondPageInOneFile) {
  MemoryTarget target;
  LineSession session(RuleFor(FileKind::kBmp), target);
  ASSERT_EQ(SendPage(session, "one.bmp", K::kGray8, 16, 16, 1), kPluginOk);
  ASSERT_EQ(session.Close(1), kPluginOk);
  EXPECT_EQ(target.files.count("one.bmp"), 1u) << "a one-page file is complete at once";
  const std::vector<uint8_t> first = target.files["one.bmp"];
  ScanPageInfo info = testpages::Info(K::kGray8, 16, 16);
  EXPECT_EQ(session.Create("ONE.bmp", &info, 11), kPluginOnePageOnly);
  EXPECT_EQ(target.files["one.bmp"], first);
  EXPECT_EQ(session.Create("two.bmp", &info, 11), kPluginOk);
}

TEST(LineSession, FormatWithoutAWriterHereIsRefusedBeforeAnyFile) {
  // The DjVu writer lives with its codec in the Windows plug-in; without it nothing is made.
  MemoryTarget target;
  LineSession session(RuleFor(FileKind::kDjvu), target);
  ScanPageInfo info = testpages::Info(K::kGray8, 8, 8);
  EXPECT_EQ(session.Create("p.djvu", &info, 11), kPluginNoWriter);
  EXPECT_EQ(target.opens, 0);
  EXPECT_FALSE(session.PageOpen());
}

// Calls in any order with any arguments, as a misbehaving host might make them: every one
// answers, nothing is read or written outside the blocks, and whatever file is finished reads.
TEST(LineSession, CallsInAnyOrderNeverHarm) {
  std::mt19937 random(1234);
  auto pick = [&](int n) { return int(random() % uint32_t(n)); };
  const K kinds[] = {K::kBlackWhite, K::kGray8, K::kGray16, K::kRgb24, K::kRgb48};
  const FileKind formats[] = {FileKind::kTiff, FileKind::kPdf, FileKind::kBmp, FileKind::kJpeg,
                              FileKind::kPcx, FileKind::kTga};
  for (FileKind format : formats) {
    MemoryTarget target;
    LineSession session(RuleFor(format), target);
    std::vector<uint8_t> block(4096, 0x5A);
    for (int step = 0; step < 600; ++step) {
      switch (pick(3)) {
        case 0: {
          ScanPageInfo info = testpages::Info(kinds[pick(5)], 1 + pick(40), 1 + pick(40),
                                              int16_t(pick(3) == 0 ? pick(16) : 0));
          const char* names[] = {"a", "b", "A"};
          session.Create(names[pick(3)], &info, pick(25) - 2);
          break;
        }
        case 1: {
          const int32_t rowBytes = pick(10) == 0 ? -1 : pick(300);
          const int32_t rows = pick(10) == 0 ? -1 : pick(8);
          if (int64_t(rowBytes) * rows <= int64_t(block.size()))
            session.Save(block.data(), rowBytes, rows, pick(2));
          break;
        }
        default:
          session.Close(pick(3) - 1);
      }
    }
    session.Close(0);
    EXPECT_FALSE(target.IsOpen());
    EXPECT_FALSE(target.files.empty()) << "some of the calls make whole files";
    for (const auto& [name, bytes] : target.files) {
      if (format == FileKind::kPdf) {
        EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 5), "%PDF-") << name;
        continue;
      }
      ImageFileReader reader;
      EXPECT_EQ(reader.Open(bytes, format), kPluginOk) << RuleFor(format).extension << " " << name;
    }
  }
}

TEST(LineSession, CompressQualityTradesSizeForFidelity) {
  struct Case {
    FileKind format;
    int16_t mode;
  };
  for (const Case c : {Case{FileKind::kJpeg, kModeNone}, Case{FileKind::kTiff, kModeJpeg},
                       Case{FileKind::kPdf, kModeJpeg}}) {
    // Busy rows: flat ones code to next to nothing at any quality.
    std::mt19937 random(7);
    std::vector<uint8_t> rows(96 * 96 * 3);
    for (size_t i = 0; i < rows.size(); ++i) rows[i] = uint8_t((i / 3 % 96) * 2 + random() % 64);
    size_t previous = 0;
    for (int32_t quality : {0, 11, 20}) {
      MemoryTarget target;
      LineSession session(RuleFor(c.format), target);
      ScanPageInfo info = testpages::Info(K::kRgb24, 96, 96, c.mode);
      ASSERT_EQ(session.Create("q", &info, quality), kPluginOk);
      ASSERT_EQ(session.Save(rows.data(), 96 * 3, 96, 1), kPluginOk);
      ASSERT_EQ(session.Close(0), kPluginOk);
      const size_t size = target.files["q"].size();
      EXPECT_GT(size, previous) << RuleFor(c.format).extension << " quality " << quality;
      previous = size;
    }
  }
}

}  // namespace
}  // namespace fileplugins
