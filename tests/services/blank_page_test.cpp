// ZebBlankPage through pavlot.dll: pages of the simulated scanner as DIBs and as the G4 files
// FileTiff writes of them, kinds and files it refuses, and a long file read page by page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "page_services_fixture.h"
#include "test_dibs.h"

namespace {

constexpr int16_t kDib = 1, kFile = 2;

class BlankPage : public PageServicesTest {
 protected:
  void Start(const std::string& ini) {
    ASSERT_NO_FATAL_FAILURE(LoadOver(ini));
    ASSERT_NO_FATAL_FAILURE(StartScans(0));
  }
  int32_t OfDib(HGLOBAL h) { return pavlot.ZebBlankPage(&h, &kDib); }
  int32_t OfFile(const std::string& name) { return pavlot.ZebBlankPage(name.c_str(), &kFile); }
};

TEST_F(BlankPage, WhiteAndTextPagesOfTheScannerAsDibsAndAsG4Files) {
  Start("[Feeder]\nSheets=2\nBlank=1\n");
  pages = ScanPages(pavlot);
  ASSERT_EQ(pages.size(), 2u);
  const int32_t expected[2] = {-26, 0};
  for (size_t i = 0; i < 2; ++i) {
    const std::vector<uint8_t> before = BytesOf(pages[i]);
    EXPECT_EQ(OfDib(pages[i]), expected[i]) << "page " << i;
    EXPECT_EQ(BytesOf(pages[i]), before) << "the caller's page changed: " << i;
    const std::string file = OutputFolder() + "scanned_" + std::to_string(i + 1) + ".tif";
    ASSERT_EQ(pavlot.ZebSaveAs(pages[i], file.c_str(), 0, 0), 0);
    EXPECT_EQ(OfFile(file), expected[i]) << file;
  }
}

TEST_F(BlankPage, AnswersForKindsFilesAndPagesItCannotTest) {
  Start("[Feeder]\nSheets=1\n");
  const auto gray = testdibs::Gray(64, 64, [](int, int) { return 200; });
  auto noRows = testdibs::Bilevel(64, 8, [](int, int) { return false; });
  testdibs::Put32(&noRows[8], 0);
  auto lyingSize = testdibs::Bilevel(2550, 100, [](int, int) { return false; });
  testdibs::Put32(&lyingSize[20], 0x40000000);
  auto noSize = lyingSize;
  testdibs::Put32(&noSize[20], 0);
  struct DibCase {
    const char* name;
    std::vector<uint8_t> dib;
    int32_t expected;
  };
  const DibCase dibs[] = {{"8-bit", gray, -29}, {"no rows", noRows, -29},
                          {"image size past the block", lyingSize, -26}, {"no image size", noSize, -26}};
  for (const DibCase& c : dibs) {
    HGLOBAL h = BlockOf(c.dib);
    EXPECT_EQ(OfDib(h), c.expected) << c.name;
    EXPECT_EQ(BytesOf(h), c.dib) << c.name;
    FreeBlock(h);
  }
  const int16_t other = 3;
  const std::string name = OutputFolder() + "nothing.tif";
  EXPECT_EQ(pavlot.ZebBlankPage(name.c_str(), &other), -4);
  EXPECT_EQ(OfFile(OutputFolder() + "page.xyz"), -4);
  EXPECT_EQ(OfFile(OutputFolder() + "no_extension"), -4);
  EXPECT_EQ(OfFile(OutputFolder() + "missing.tif"), 0);
  // The plug-in is chosen by the first three letters of the extension.
  HGLOBAL white = BlockOf(testdibs::Bilevel(2550, 3300, [](int, int) { return false; }));
  const std::string tiff = OutputFolder() + "white.tiff";
  ASSERT_EQ(pavlot.ZebSaveAs(white, (OutputFolder() + "white.tif").c_str(), 0, 0), 0);
  ASSERT_TRUE(CopyFileA((OutputFolder() + "white.tif").c_str(), tiff.c_str(), FALSE));
  EXPECT_EQ(OfFile(tiff), -26);
  FreeBlock(white);
}

TEST_F(BlankPage, ALongFileIsReadPageByPageAndJudgedByItsLastPage) {
  Start("[Feeder]\nSheets=1\n");
  // 49 text pages and a white one, written through the TIFF plug-in as one G4 file.
  const std::string file = OutputFolder() + "fifty.tif";
  HGLOBAL probe = BlockOf(testdibs::Bilevel(8, 8, [](int, int) { return false; }));
  ASSERT_EQ(pavlot.ZebSaveAs(probe, file.c_str(), 0, 0), 0);  // makes FileTiff current
  FreeBlock(probe);
  const int width = 2550, length = 3300, rowBytes = (width + 7) / 8;
  std::vector<uint8_t> rows(size_t(rowBytes) * length);
  for (int page = 0; page < 50; ++page) {
    for (int y = 0; y < length; ++y)
      for (int x = 0; x < rowBytes * 8; ++x) {
        const bool ink = page < 49 && x < width && testdibs::TextInk(x, y);
        uint8_t& b = rows[size_t(y) * rowBytes + x / 8];
        if (ink) b &= uint8_t(~(0x80 >> (x % 8)));  // 0 = black for the plug-in
        else b |= uint8_t(0x80 >> (x % 8));
      }
    ScanPageInfo info{300, 300, width, length, 1, 0, 1, {1}, 0, 0};
    info.Compression = 5;
    ASSERT_EQ(pavlot.ZebFileCreate(file.c_str(), &info, 0), 0) << page;
    ASSERT_EQ(pavlot.ZebFileSave(rows.data(), rowBytes, length, 1, 0), 0) << page;
    ASSERT_EQ(pavlot.ZebFileClose(page < 49 ? 1 : 0), 0) << page;
  }
  EXPECT_EQ(OfFile(file), -26);  // warm-up: the reader's own caches
  const uint64_t before = HeapBusyBytes();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(OfFile(file), -26);
  const uint64_t after = HeapBusyBytes();
  // Each page DIB is about 1 MB: keeping 49 of them would show as tens of megabytes.
  EXPECT_LT(after, before + 8 * 1024 * 1024) << before << " -> " << after;
}

}  // namespace
