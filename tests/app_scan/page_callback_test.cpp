// The page callback as the scan library calls it, with real page blocks: every block given to
// it is freed exactly once, by the callback or by the receiver it was handed to, whatever the
// branch, the depth or the failures on the way.
#include "page_callback.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <stdexcept>
#include <vector>

using namespace tarnwick;

namespace {

std::map<std::uintptr_t, int> g_frees;  // block -> times given back

void CountingFree(std::uintptr_t block) {
  ++g_frees[block];
  FreePageBlock(block);
}

HGLOBAL MakePage(int bits, int width = 16, int height = 4, int dpi = 200, bool grayPalette = true) {
  const int palette = bits <= 8 ? (1 << bits) : 0;
  const int stride = ((width * bits + 31) / 32) * 4;
  const SIZE_T bytes = sizeof(BITMAPINFOHEADER) + palette * 4 + stride * height;
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  auto* bih = static_cast<BITMAPINFOHEADER*>(GlobalLock(h));
  bih->biSize = sizeof(BITMAPINFOHEADER);
  bih->biWidth = width;
  bih->biHeight = height;
  bih->biPlanes = 1;
  bih->biBitCount = static_cast<WORD>(bits);
  bih->biXPelsPerMeter = bih->biYPelsPerMeter = LONG(dpi * 39.37 + 0.5);
  auto* colours = reinterpret_cast<RGBQUAD*>(bih + 1);
  for (int i = 0; i < palette; ++i) {
    const BYTE v = BYTE(i * 255 / (palette - 1));
    colours[i] = {v, v, grayPalette ? v : BYTE(255 - v), 0};
  }
  GlobalUnlock(h);
  return h;
}

enum Fail { kNone = 0, kStd = 1, kOther = 2 };

struct Receivers : PageReceivers {
  std::vector<std::string> log;
  std::vector<std::string> errors, fileList;
  int failWhat = kNone;        // how every receiver fails
  bool writeFails = false;     // the page writers raise PageWriteError, the disk being full
  void MaybeWrite(const std::string& file) {
    if (writeFails) throw PageWriteError(file, true, "no room");
  }
  DriverWindowSettings window{200, 0};
  void Maybe() {
    if (failWhat == kStd) throw std::runtime_error("receiver failed");
    if (failWhat == kOther) throw 42;
  }
  std::vector<int> handedBits;  // the depth of each page the PDF writer or the queue took
  void NoteBits(HGLOBAL page) {
    const auto* bih = static_cast<const BITMAPINFOHEADER*>(GlobalLock(page));
    handedBits.push_back(bih ? bih->biBitCount : -1);
    GlobalUnlock(page);
  }
  bool logWindow = false;
  DriverWindowSettings DriverWindow(int) override {
    if (logWindow) log.push_back("window");
    Maybe();
    return window;
  }
  void ShowPage(HGLOBAL) override { log.push_back("show"); Maybe(); }
  void Zoom(bool) override { Maybe(); }
  void LayOutStrip(bool) override { Maybe(); }
  void AddThumbnail(HGLOBAL, const std::string& name, int n) override {
    log.push_back("thumb " + std::to_string(n));
    Maybe();
  }
  void AddPdfPage(const std::string& doc, int n, HGLOBAL page, int dpi, int) override {
    log.push_back("pdf " + doc + " " + std::to_string(n) + " " + std::to_string(dpi));
    NoteBits(page);
    CountingFree(reinterpret_cast<std::uintptr_t>(page));
    MaybeWrite(doc);
    Maybe();
  }
  void WritePageFile(HGLOBAL, const PageTarget& t, bool jpeg, int dpi, int) override {
    log.push_back(std::string(jpeg ? "jpg " : "tif ") + t.FileName + " " +
                  std::to_string(t.FormatCode) + " " + std::to_string(dpi));
    MaybeWrite(t.FileName);
    Maybe();
  }
  void QueuePage(const std::string& name, HGLOBAL page, int kind, int, int) override {
    log.push_back("queue " + name + " " + std::to_string(kind));
    NoteBits(page);
    CountingFree(reinterpret_cast<std::uintptr_t>(page));
    Maybe();
  }
  void AddToFileList(const std::string& name) override { fileList.push_back(name); }
  void ShowError(const std::string& text) override { errors.push_back(text); }
};

struct PageCallbackTest : ::testing::Test {
  Receivers rx;
  PageRun run;
  PageSettings settings;
  Edition edition = Edition::kFirst;
  void SetUp() override {
    g_frees.clear();
    run.BatchFolder = "c:\\b\\20240307-110509";
    run.Dpi = 200;
  }
  int delivered = 0, badReturns = 0;
  // Delivers one page as the library does and answers the callback's result. The block must
  // have been given back exactly once when the callback returns (handles are reused afterwards);
  // `blocks` counts the page's converted copy as well.
  int32_t Deliver(HGLOBAL page, size_t blocks = 1) {
    g_frees.clear();
    ++delivered;
    PageCallback cb(rx, run, settings, CountingFree, edition);
    CurrentPageCallback current(cb);
    uint32_t size = 0;
    EXPECT_EQ(AcquirePageCallback(&page, &size, 2), 0);
    const int32_t answer = AcquirePageCallback(&page, &size, 1);
    const auto block = reinterpret_cast<std::uintptr_t>(page);
    if (g_frees.size() != blocks || g_frees[block] != 1) ++badReturns;
    EXPECT_EQ(g_frees.size(), blocks);
    for (const auto& f : g_frees) EXPECT_EQ(f.second, 1);
    EXPECT_EQ(g_frees[block], 1);
    return answer;
  }
  void ExpectEveryBlockGivenBackOnce() {
    EXPECT_GT(delivered, 0);
    EXPECT_EQ(badReturns, 0);
  }
};

}  // namespace

TEST_F(PageCallbackTest, G4TiffPagesAreNamedInTurnWrittenNowAndFreed) {
  settings.SaveFormat = 9;
  EXPECT_EQ(Deliver(MakePage(1)), 0);
  EXPECT_EQ(Deliver(MakePage(8)), 0);
  EXPECT_EQ(rx.log, (std::vector<std::string>{
                        "show", "tif c:\\b\\20240307-110509\\000001.tif 29 200", "thumb 1",
                        "show", "tif c:\\b\\20240307-110509\\000002.tif 29 200", "thumb 2"}));
  EXPECT_EQ(run.Counter, 2);
  EXPECT_EQ(run.LastFile, "c:\\b\\20240307-110509\\000002.tif");
  EXPECT_EQ(rx.fileList.size(), 2u);
  ExpectEveryBlockGivenBackOnce();
}

// Pages of depths their writer does not take are converted (one block more to give back) and
// saved, in both editions.
TEST_F(PageCallbackTest, EveryBranchAndDepthGivesEachBlockBackExactlyOnce) {
  struct Case { int format; bool pdf; bool dont; int bits; size_t blocks; const char* branch; };
  const Case cases[] = {
      {9, false, false, 1, 1, "tif"},   {4, false, false, 1, 1, "jpg"},
      {9, false, false, 16, 2, "tif"},  {6, false, false, 48, 2, "tif"},
      {4, false, false, 16, 2, "jpg"},  {9, false, false, 32, 1, "tif"},
      {1, false, false, 8, 1, "queue"}, {0, false, false, 24, 1, "queue"},
      {1, false, false, 4, 2, "queue"}, {2, false, false, 32, 2, "queue"},
      {11, true, false, 1, 1, "pdf"},   {11, true, false, 24, 1, "pdf"},
      {11, true, false, 4, 2, "pdf"},   {11, true, false, 16, 2, "pdf"},
      {1, false, true, 8, 1, ""},       {11, true, true, 1, 1, ""},
  };
  for (Edition e : {Edition::kFirst, Edition::kSecond})
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << "edition " << int(e) << " format " << c.format
                                      << " bits " << c.bits);
      edition = e;
      rx.log.clear();
      settings.SaveFormat = c.format;
      settings.DontSaveImage = c.dont;
      run.PdfMode = c.pdf;
      run.OutputDocument = "c:\\out\\doc.pdf";
      const int before = run.Counter;
      EXPECT_EQ(Deliver(MakePage(c.bits), c.blocks), 0);
      EXPECT_EQ(run.Counter - before, 1);
      int saves = 0;
      for (const std::string& line : rx.log)
        if (line.rfind("tif", 0) == 0 || line.rfind("jpg", 0) == 0 || line.rfind("queue", 0) == 0 ||
            line.rfind("pdf", 0) == 0) {
          ++saves;
          EXPECT_EQ(line.rfind(c.branch, 0), 0u) << line;
        }
      EXPECT_EQ(saves, *c.branch ? 1 : 0);
    }
  EXPECT_TRUE(rx.errors.empty());
  ExpectEveryBlockGivenBackOnce();
}

TEST_F(PageCallbackTest, EmptyAndBrokenPagesAreFreedAndRefused) {
  EXPECT_EQ(Deliver(GlobalAlloc(GMEM_MOVEABLE, 0)), -1);
  EXPECT_EQ(Deliver(GlobalAlloc(GMEM_MOVEABLE, 12)), -1);  // shorter than a header
  HGLOBAL cut = MakePage(1, 64, 64);  // rows beyond the block's end
  cut = GlobalReAlloc(cut, sizeof(BITMAPINFOHEADER) + 8 + 16, GMEM_MOVEABLE);
  EXPECT_EQ(Deliver(cut), -1);
  HGLOBAL null = nullptr;
  uint32_t size = 0;
  PageCallback cb(rx, run, settings, CountingFree);
  EXPECT_EQ(cb.OnEvent(&null, &size, 1), -1);
  EXPECT_EQ(cb.OnEvent(nullptr, &size, 1), -1);
  EXPECT_EQ(run.Counter, 0);
  ExpectEveryBlockGivenBackOnce();
  // No scan running: the page is given back all the same.
  HGLOBAL stray = MakePage(1);
  EXPECT_EQ(AcquirePageCallback(&stray, &size, 1), -1);
  EXPECT_EQ(GlobalSize(stray), 0u);
}

TEST_F(PageCallbackTest, FailingReceiversAreShownAndNothingIsThrownOrLeaked) {
  for (int fail : {kStd, kOther})
    for (int format : {9, 4, 1, 11}) {
      SCOPED_TRACE(testing::Message() << "fail " << fail << " format " << format);
      rx.failWhat = fail;
      rx.errors.clear();
      settings.SaveFormat = format;
      run.PdfMode = format == 11;
      EXPECT_EQ(Deliver(MakePage(8)), 0);
      if (fail == kStd) {
        EXPECT_FALSE(rx.errors.empty());
      }
    }
  ExpectEveryBlockGivenBackOnce();
}

// A page the disk does not take: not counted, no thumbnail, not listed, nothing shown while the
// scanner runs (the window tells the operator once it has stopped), and the scan is stopped so
// that no further sheet is fed.
TEST_F(PageCallbackTest, APageThatCannotBeWrittenIsNotCountedAndStopsTheScan) {
  struct Case { int format; bool pdf; bool multipage; const char* failed; };
  const Case cases[] = {
      {9, false, false, "c:\\b\\20240307-110509\\000003.tif"},
      {4, false, false, "c:\\b\\20240307-110509\\000003.jpg"},
      {10, false, true, "c:\\out\\doc.tif.part"},
      {11, true, false, "c:\\out\\doc.pdf"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "format " << c.format);
    rx = Receivers();
    run = PageRun();
    run.BatchFolder = "c:\\b\\20240307-110509";
    run.OutputDocument = c.pdf ? "c:\\out\\doc.pdf" : "c:\\out\\doc.tif.part";
    run.PdfMode = c.pdf;
    run.MultipageMode = c.multipage;
    settings.SaveFormat = c.format;
    EXPECT_EQ(Deliver(MakePage(1)), 0);
    EXPECT_EQ(Deliver(MakePage(1)), 0);
    const std::string lastWritten = run.LastFile;
    const size_t listed = rx.fileList.size();
    rx.writeFails = true;
    rx.log.clear();
    EXPECT_LT(Deliver(MakePage(1)), 0);
    EXPECT_EQ(run.Counter, 2);
    EXPECT_EQ(run.LastFile, lastWritten);
    EXPECT_TRUE(run.WriteFailed);
    EXPECT_TRUE(run.DiskFull);
    EXPECT_EQ(run.FailedFile, c.failed);
    EXPECT_EQ(rx.fileList.size(), listed);
    EXPECT_TRUE(rx.errors.empty());
    for (const std::string& line : rx.log) EXPECT_NE(line.rfind("thumb", 0), 0u) << line;
  }
  ExpectEveryBlockGivenBackOnce();
}

TEST_F(PageCallbackTest, PreviewOnlyBelow1200DpiAndNotColourAndPdfDpiCapped) {
  settings.SaveFormat = 11;
  run.PdfMode = true;
  run.OutputDocument = "d.pdf";
  settings.ImageType = 2;
  Deliver(MakePage(24));
  settings.ImageType = 1;
  run.Dpi = 2400;
  Deliver(MakePage(8));
  run.Dpi = 300;
  Deliver(MakePage(8));
  EXPECT_EQ(rx.log, (std::vector<std::string>{"pdf d.pdf 1 200", "pdf d.pdf 2 1200", "show",
                                              "pdf d.pdf 3 300"}));
  ExpectEveryBlockGivenBackOnce();
}

TEST_F(PageCallbackTest, DriverWindowSettingsDecidePreviewAndResolution) {
  settings.ShowUI = true;
  settings.SaveFormat = 9;
  rx.window = {1200, 1};
  Deliver(MakePage(1));
  EXPECT_EQ(rx.log, (std::vector<std::string>{"tif c:\\b\\20240307-110509\\000001.tif 29 1200",
                                              "thumb 1"}));
  ExpectEveryBlockGivenBackOnce();
}

TEST_F(PageCallbackTest, MultipageModeWritesEveryPageToTheDocumentListedOnceAndNoThumbnails) {
  settings.SaveFormat = 10;
  run.MultipageMode = true;
  run.OutputDocument = "c:\\out\\doc.tif";
  for (int i = 0; i < 3; ++i) Deliver(MakePage(1));
  EXPECT_EQ(rx.log, (std::vector<std::string>{"show", "tif c:\\out\\doc.tif 29 200", "show",
                                              "tif c:\\out\\doc.tif 29 200", "show",
                                              "tif c:\\out\\doc.tif 29 200"}));
  EXPECT_EQ(rx.fileList, (std::vector<std::string>{"c:\\out\\doc.tif"}));
  EXPECT_EQ(run.Counter, 3);
  ExpectEveryBlockGivenBackOnce();
}

// The second edition answers an empty page with 0 and frees it; the first refuses it with -1.
TEST_F(PageCallbackTest, EmptyPagesAreFreedAndAnsweredByEdition) {
  for (Edition e : {Edition::kFirst, Edition::kSecond}) {
    SCOPED_TRACE(e == Edition::kFirst ? "first" : "second");
    edition = e;
    const int32_t answer = e == Edition::kFirst ? -1 : 0;
    EXPECT_EQ(Deliver(GlobalAlloc(GMEM_MOVEABLE, 0)), answer);
    EXPECT_EQ(Deliver(GlobalAlloc(GMEM_MOVEABLE, 12)), answer);  // shorter than a header
    HGLOBAL null = nullptr;
    uint32_t size = 0;
    PageCallback cb(rx, run, settings, CountingFree, e);
    EXPECT_EQ(cb.OnEvent(&null, &size, 1), answer);
  }
  EXPECT_EQ(run.Counter, 0);
  EXPECT_TRUE(rx.log.empty());
  EXPECT_TRUE(rx.errors.empty());
  ExpectEveryBlockGivenBackOnce();
}

// Neither edition drops a page for its depth: what can be converted reaches the writer at a depth
// it takes (not a 4-, 16-, 32- or 48-bit block labelled as something else), and what cannot is
// refused with one message for the whole run.
TEST_F(PageCallbackTest, BothEditionsConvertOtherDepthsAndRefuseTheRestOnce) {
  for (Edition e : {Edition::kFirst, Edition::kSecond}) {
    SCOPED_TRACE(e == Edition::kFirst ? "first" : "second");
    edition = e;
    run = PageRun{};
    run.BatchFolder = "c:\\b";
    rx.errors.clear();
    struct Case { int bits; bool gray; int handed; } cases[] = {
        {1, true, 1}, {4, true, 8}, {4, false, 24}, {8, true, 8},
        {16, true, 24}, {24, true, 24}, {32, true, 24}, {48, true, 24}};
    for (bool pdf : {true, false}) {
      SCOPED_TRACE(pdf ? "pdf" : "png");
      settings.SaveFormat = pdf ? 11 : 1;
      run.PdfMode = pdf;
      run.OutputDocument = "c:\\out\\doc.pdf";
      rx.handedBits.clear();
      std::vector<int> want;
      for (const Case& c : cases) {
        const bool converted = c.handed != c.bits;
        EXPECT_EQ(Deliver(MakePage(c.bits, 16, 4, 200, c.gray), converted ? 2 : 1), 0) << c.bits;
        want.push_back(c.handed);
      }
      EXPECT_EQ(rx.handedBits, want);
    }
    EXPECT_EQ(run.Counter, 16);
    EXPECT_TRUE(rx.errors.empty());

    // Depths no DIB has, and a 48-bit page cut short: freed, not counted, said once a run.
    rx.handedBits.clear();
    HGLOBAL cut = MakePage(48, 16, 4);
    cut = GlobalReAlloc(cut, sizeof(BITMAPINFOHEADER) + 100, GMEM_MOVEABLE);
    EXPECT_EQ(Deliver(cut), 0);
    EXPECT_EQ(Deliver(MakePage(2)), 0);
    settings.SaveFormat = 9;
    run.PdfMode = false;
    HGLOBAL deep = MakePage(24, 16, 4);
    auto* bih = static_cast<BITMAPINFOHEADER*>(GlobalLock(deep));
    bih->biBitCount = 64;
    bih->biWidth = 4;
    GlobalUnlock(deep);
    EXPECT_EQ(Deliver(deep), 0);
    EXPECT_EQ(run.Counter, 16);
    EXPECT_TRUE(rx.handedBits.empty());
    ASSERT_EQ(rx.errors.size(), 1u);
    EXPECT_NE(rx.errors[0].find("(48)"), std::string::npos) << rx.errors[0];
  }
  ExpectEveryBlockGivenBackOnce();
}

// The second edition previews every page, reads the driver window's resolution only after the
// preview and the thumbnail, and lists no page file it saves.
TEST_F(PageCallbackTest, SecondEditionPreviewsEveryPageAndListsNoFiles) {
  edition = Edition::kSecond;
  rx.logWindow = true;
  settings.ShowUI = true;
  settings.ImageType = 2;
  settings.SaveFormat = 9;
  rx.window = {1200, 2};
  run.Dpi = 300;
  Deliver(MakePage(24));
  settings.SaveFormat = 1;
  Deliver(MakePage(8));
  EXPECT_EQ(rx.log, (std::vector<std::string>{
                        "show", "window",
                        "tif c:\\b\\20240307-110509\\000001.tif 29 1200", "thumb 1",
                        "show", "thumb 2", "window",
                        "queue c:\\b\\20240307-110509\\000002.png 2"}));
  EXPECT_TRUE(rx.fileList.empty());
  ExpectEveryBlockGivenBackOnce();

  // The first edition reads the window first and takes its image type: no colour preview.
  edition = Edition::kFirst;
  rx.log.clear();
  run.Dpi = 300;
  rx.window = {300, 2};
  settings.SaveFormat = 9;
  Deliver(MakePage(24));
  EXPECT_EQ(rx.log, (std::vector<std::string>{"window",
                                              "tif c:\\b\\20240307-110509\\000003.tif 29 300",
                                              "thumb 3"}));
  EXPECT_EQ(rx.fileList.size(), 1u);
}
