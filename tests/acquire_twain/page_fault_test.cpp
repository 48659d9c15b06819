// Faults in the middle of a multipage document written by the library through the real TIFF and
// PDF plug-ins: the document keeps exactly the pages completed before the fault, and the failed
// sheet, fed again, starts the next scan's document.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "page_checks.h"
#include "test_files.h"
#include "twain_scan_fixture.h"

namespace {

// The page numbers the simulator stamped on each page of a TIFF file, read back through
// FileTiff's own reader; empty when the file cannot be read.
std::vector<int> TiffPageNumbers(const std::string& path) {
  std::vector<int> numbers;
  HMODULE tiff = LoadLibraryA("FileTiff.dll");
  if (!tiff) return numbers;
  auto open = reinterpret_cast<int32_t(__stdcall*)(const char*, int32_t*, intptr_t, intptr_t)>(
      reinterpret_cast<void*>(GetProcAddress(tiff, "OpenImageFile")));
  auto select = reinterpret_cast<int32_t(__stdcall*)(int32_t, intptr_t)>(
      reinterpret_cast<void*>(GetProcAddress(tiff, "SetPageIndex")));
  auto data = reinterpret_cast<int32_t(__stdcall*)(HGLOBAL*, ScanPageInfo*, intptr_t, intptr_t)>(
      reinterpret_cast<void*>(GetProcAddress(tiff, "GetImageData")));
  auto close = reinterpret_cast<int32_t(__stdcall*)()>(
      reinterpret_cast<void*>(GetProcAddress(tiff, "CloseImageFile")));
  int32_t count = 0;
  if (open && select && data && close && open(path.c_str(), &count, 0, 0) == 0) {
    for (int32_t i = 0; i < count; ++i) {
      HGLOBAL dib = nullptr;
      if (select(i, 0) != 0 || data(&dib, nullptr, 0, 0) != 0 || !dib) {
        numbers.push_back(-1);
        continue;
      }
      const auto* p = static_cast<const uint8_t*>(GlobalLock(dib));
      std::vector<uint8_t> bytes(p, p + GlobalSize(dib));
      GlobalUnlock(dib);
      GlobalFree(dib);
      numbers.push_back(DibPageNumber(bytes));
    }
    close();
  }
  FreeLibrary(tiff);
  return numbers;
}

// The page count a PDF file's page tree states; -1 without one.
int PdfPageCount(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const size_t pages = text.find("/Type /Pages");
  if (pages == std::string::npos || text.find("%%EOF") == std::string::npos) return -1;
  const size_t count = text.find("/Count ", pages);
  return count == std::string::npos ? -1 : std::atoi(text.c_str() + count + 7);
}

class PageFaults : public ::testing::Test {
 protected:
  void TearDown() override { scanner.Stop(); }

  // A file scan of a multipage document into `path`; the scan's answer.
  int32_t ScanInto(const std::string& path, int16_t fileFormat, TwainScan* scan) {
    DeleteFileA(path.c_str());
    EXPECT_EQ(scanner.ZebSetValue(0x9301, &fileFormat), 0);
    int16_t multiPage = 1;
    EXPECT_EQ(scanner.ZebSetValue(0x9306, &multiPage), 0);
    char name[129] = {};
    std::snprintf(name, sizeof name, "%s", path.c_str());
    EXPECT_EQ(scanner.ZebSetValue(0x9302, name), 0);
    scan->transferMode = 2;
    return scanner.Acquire(scan);
  }

  TwainScanner scanner;
};

TEST_F(PageFaults, AFaultMidDocumentKeepsExactlyTheWholePages) {
  const char* faults[] = {"jam", "device", "cancel"};
  struct Format {
    const char* ext;
    int16_t code;
  };
  const Format formats[] = {{"tif", 0}, {"pdf", 3}};
  for (const Format& f : formats)
    for (const char* fault : faults) {
      const std::string label = std::string(f.ext) + " " + fault;
      scanner.Stop();
      ASSERT_TRUE(scanner.Start(std::string("[Feeder]\nSheets=5\n[Fault]\nKind=") + fault +
                                "\nPage=3\n")) << label;
      ScanSettings s;
      s.transferMode = 2;
      ASSERT_TRUE(scanner.Apply(s)) << label;
      const std::string first = TempPath(std::string("fault_first.") + f.ext);
      const std::string second = TempPath(std::string("fault_second.") + f.ext);
      TwainScan scan;
      EXPECT_NE(ScanInto(first, f.code, &scan), 0) << label;
      // The callback hears of the document, and only of one that is there.
      ASSERT_EQ(scan.Complete(), 1) << label;
      EXPECT_EQ(scan.pages.back().fileName, first) << label;
      TwainScan next;
      EXPECT_EQ(ScanInto(second, f.code, &next), 0) << label;
      if (f.code == 0) {
        EXPECT_EQ(TiffPageNumbers(first), (std::vector<int>{1, 2})) << label;
        EXPECT_EQ(TiffPageNumbers(second), (std::vector<int>{3, 4, 5})) << label;
      } else {
        EXPECT_EQ(PdfPageCount(first), 2) << label;
        EXPECT_EQ(PdfPageCount(second), 3) << label;
      }
      DeleteFileA(first.c_str());
      DeleteFileA(second.c_str());
    }
}

// XFERCOUNT holds for a document the library writes too: three sheets of eight, then three more.
TEST_F(PageFaults, TheTransferCountHoldsForADocument) {
  ASSERT_TRUE(scanner.Start("[Feeder]\nSheets=8\n"));
  ScanSettings s;
  s.transferMode = 2;
  ASSERT_TRUE(scanner.Apply(s));
  int16_t count = 3;
  ASSERT_EQ(scanner.ZebSetValue(0x9600, &count), 0);
  const std::string first = TempPath("count_first.tif"), second = TempPath("count_second.tif");
  TwainScan scan, next;
  EXPECT_EQ(ScanInto(first, 0, &scan), 0);
  EXPECT_EQ(ScanInto(second, 0, &next), 0);
  EXPECT_EQ(TiffPageNumbers(first), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(TiffPageNumbers(second), (std::vector<int>{4, 5, 6}));
  DeleteFileA(first.c_str());
  DeleteFileA(second.c_str());
}

// A double-fed sheet is not a page done: it comes again in the next scan.
TEST_F(PageFaults, ADoubleFedSheetComesAgain) {
  ASSERT_TRUE(scanner.Start("[Feeder]\nSheets=5\n[Twain]\nDoubleFeed=3\n"));
  ScanSettings s;
  s.transferMode = 0;
  ASSERT_TRUE(scanner.Apply(s));
  TwainScan scan;
  scan.transferMode = 0;
  EXPECT_EQ(scanner.Acquire(&scan), -14);
  EXPECT_EQ(scan.Complete(), 2);
  TwainScan next;
  next.transferMode = 0;
  EXPECT_EQ(scanner.Acquire(&next), 0);
  ASSERT_EQ(next.Complete(), 3);
  const zebsim::PageFormat format = FormatFor(s);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(CompareRowPage(next.pages[static_cast<size_t>(i)].data, format, 3 + i), "") << i;
}

}  // namespace
