// AddPdfPage over the imaging libraries and pdf.dll: one document per name, finished by a
// different name or the end call, nothing left behind, and every failure raised with the page
// block freed.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "add_pdf_page.h"
#include "page_dibs.h"
#include "pdf_dll.h"
#include "test_files.h"

using tarnwick::AddPdfPage;
using tarnwick::PdfPageError;

namespace {

std::string Text(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Everything in the folder but . and ..
std::vector<std::string> Files(const std::string& folder) {
  std::vector<std::string> out;
  WIN32_FIND_DATAA f;
  HANDLE h = FindFirstFileA((folder + "*").c_str(), &f);
  if (h == INVALID_HANDLE_VALUE) return out;
  do {
    std::string n = f.cFileName;
    if (n != "." && n != "..") out.push_back(n);
  } while (FindNextFileA(h, &f));
  FindClose(h);
  std::sort(out.begin(), out.end());
  return out;
}

bool Freed(HGLOBAL block) { return GlobalFlags(block) == GMEM_INVALID_HANDLE; }

class AddPdfPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    _pdfEndFile();
    folder_ = FolderOfThisProgram() + "add_pdf_page_test\\";
    DeleteFolder(folder_);
    CreateDirectoryA(folder_.c_str(), nullptr);
  }
  void TearDown() override { _pdfEndFile(); }
  std::string folder_;
};

// Pages for one name go into one document; another name finishes it; the end call finishes the
// last without making a file of its own name; no temporary file stays.
TEST_F(AddPdfPageTest, OneDocumentPerNameFinishedByTheNextOrTheEndCall) {
  std::string a = folder_ + "a.pdf", b = folder_ + "b.pdf";
  AddPdfPage(a, 1, MakeTextPage(400, 300, 1, 300), 300, 0);
  AddPdfPage(folder_ + "A.PDF", 2, MakeTextPage(400, 300, 8, 300), 300, 0);
  EXPECT_FALSE(Exists(a)) << "a document appears only when it is finished";
  AddPdfPage(b, 1, MakeTextPage(200, 100, 24, 100), 100, 0);
  EXPECT_NE(Text(a).find("/Count 2"), std::string::npos);
  EXPECT_FALSE(Exists(b));
  EXPECT_EQ(_makepdf("c:\\\\df", 1, 1, 1, 0, 0, 0, 0, nullptr), kPdfOk);
  EXPECT_NE(Text(b).find("/Count 1"), std::string::npos);
  EXPECT_FALSE(Exists("c:\\df"));
  EXPECT_EQ(Files(folder_), (std::vector<std::string>{"a.pdf", "b.pdf"}));
}

TEST_F(AddPdfPageTest, NoPageMakesNoFile) {
  EXPECT_EQ(_makepdf("c:\\\\df", 1, 1, 1, 0, 0, 0, 0, nullptr), kPdfOk);
  EXPECT_EQ(_pdfEndFile(), kPdfOk);
  EXPECT_THROW(AddPdfPage(folder_ + "bad.pdf", 1, nullptr, 300, 0), PdfPageError);
  EXPECT_EQ(_pdfEndFile(), kPdfOk);
  EXPECT_TRUE(Files(folder_).empty());
  EXPECT_FALSE(Exists("c:\\df"));
}

// A page that cannot be made raises, and its block is freed all the same; the pages before it
// stay in the document.
TEST_F(AddPdfPageTest, AFailedPageRaisesAndFreesItsBlock) {
  std::string doc = folder_ + "doc.pdf";
  AddPdfPage(doc, 1, MakeTextPage(400, 300, 1, 300), 300, 0);
  HGLOBAL malformed = MakeTextPage(64, 64, 8, 300);
  static_cast<BITMAPINFOHEADER*>(GlobalLock(malformed))->biBitCount = 7;
  GlobalUnlock(malformed);
  EXPECT_THROW(AddPdfPage(doc, 2, malformed, 300, 0), PdfPageError);
  EXPECT_TRUE(Freed(malformed));
  HGLOBAL cut = MakeTextPage(64, 64, 24, 300);
  cut = GlobalReAlloc(cut, 40 + 64 * 3 * 10, 0);  // rows missing: the block is too small
  EXPECT_THROW(AddPdfPage(doc, 2, cut, 300, 0), PdfPageError);
  EXPECT_TRUE(Freed(cut));
  HGLOBAL deep = MakeTextPage(64, 64, 24, 300);
  auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(deep));
  header->biBitCount = 16;  // a depth pdf.dll does not take
  GlobalUnlock(deep);
  try {
    AddPdfPage(doc, 2, deep, 300, 0);
    ADD_FAILURE() << "a 16-bit page was taken";
  } catch (const PdfPageError& e) {
    EXPECT_NE(std::string(e.what()).find("-2"), std::string::npos) << e.what();
  }
  EXPECT_TRUE(Freed(deep));
  HGLOBAL good = MakeTextPage(400, 300, 8, 300);
  AddPdfPage(doc, 2, good, 300, 0);
  EXPECT_TRUE(Freed(good));
  ASSERT_EQ(_pdfEndFile(), kPdfOk);
  EXPECT_NE(Text(doc).find("/Count 2"), std::string::npos);
}

// Without a scan resolution the page's own is used; with neither the page is sized at 72 dpi
// and the size rules are left out.
TEST_F(AddPdfPageTest, ZeroResolutionTakesTheDibsOwn) {
  std::string doc = folder_ + "dpi.pdf";
  AddPdfPage(doc, 1, MakeTextPage(1700, 2200, 8, 200), 0, 0);
  AddPdfPage(doc, 2, MakeTextPage(3300, 2550, 1, 0), 0, 0);
  ASSERT_EQ(_pdfEndFile(), kPdfOk);
  std::string pdf = Text(doc);
  EXPECT_NE(pdf.find("/MediaBox [0 0 612 792]"), std::string::npos);
  EXPECT_NE(pdf.find("/MediaBox [0 0 3304 2550]"), std::string::npos);
}
}  // namespace

namespace {

// A 300-dpi black-and-white Letter page lying landscape is turned into 4400 x 3400 at 400 dpi
// by the first edition's rule; the second edition has no landscape rules and keeps its pixels.
TEST_F(AddPdfPageTest, LandscapeRuleIsTheFirstEditionsOnly) {
  const std::string first = folder_ + "first.pdf", second = folder_ + "second.pdf";
  AddPdfPage(first, 1, MakeTextPage(3300, 2550, 1, 300), 300, 0, tarnwick::Edition::kFirst);
  AddPdfPage(second, 1, MakeTextPage(3300, 2550, 1, 300), 300, 0, tarnwick::Edition::kSecond);
  ASSERT_EQ(_pdfEndFile(), kPdfOk);
  EXPECT_NE(Text(first).find("/Width 4400"), std::string::npos);
  EXPECT_NE(Text(second).find("/Width 3304"), std::string::npos);
  EXPECT_EQ(Text(second).find("/Width 4400"), std::string::npos);
}

}  // namespace
