// TWAIN scans end to end: pavlot.dll, wexlo.dll, Wine's source manager and the simulated source.
// Every page must be the page the simulated scanner made, whole, in the form asked for.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "scan_prop_rec.h"
#include "twain_scan_fixture.h"

namespace {

class AcquireTwain : public ::testing::Test {
 protected:
  void TearDown() override { scanner.Stop(); }

  // Starts over a source with these settings and scans once with `s`.
  int32_t Scan(const std::string& sim, const ScanSettings& s, TwainScan* scan) {
    scanner.Stop();
    EXPECT_TRUE(scanner.Start(sim));
    EXPECT_TRUE(scanner.Apply(s));
    scan->transferMode = s.transferMode;
    return scanner.Acquire(scan);
  }

  // Each page whole and equal to the scanner's pages first, first + 1, ...
  void ExpectPages(const TwainScan& scan, const ScanSettings& s, int count, int first,
                   const std::string& label) {
    ASSERT_EQ(scan.Complete(), count) << label;
    const zebsim::PageFormat format = FormatFor(s);
    const zebsim::PageGeometry g = zebsim::GeometryOf(format);
    for (int i = 0; i < count; ++i) {
      const ReceivedPage& p = scan.pages[static_cast<size_t>(i)];
      EXPECT_EQ(p.info.ImageWidth, g.width) << label;
      EXPECT_EQ(p.info.ImageLength, g.length) << label;
      EXPECT_EQ(p.info.BitsPerPixel, g.bitsPerPixel) << label;
      EXPECT_EQ(p.info.XResolution, s.dpi) << label;
      const std::string diff = s.transferMode == 0 ? CompareRowPage(p.data, format, first + i)
                                                   : CompareDibPage(p.data, format, first + i);
      EXPECT_EQ(diff, "") << label << " page " << i + 1;
    }
  }

  // Every paper path with every pixel type in one transfer mode; `simExtra` is added to each
  // path's source settings.
  void ScanEveryPathAndType(int32_t transferMode, const std::string& simExtra);

  TwainScanner scanner;
};

struct PathCase {
  const char* name;
  const char* sim;
  int16_t scanType, duplex;
  int pages;
};
const PathCase kPaths[] = {
    {"feeder", "[Feeder]\nSheets=3\n", 1, 0, 3},
    {"duplex", "[Feeder]\nSheets=2\nDuplex=1\n", 1, 1, 4},
    {"flatbed", "[Feeder]\nFlatbed=1\n", 2, 0, 1},
};
const int16_t kPixelTypes[] = {0, 1, 2};

void AcquireTwain::ScanEveryPathAndType(int32_t transferMode, const std::string& simExtra) {
  for (const PathCase& path : kPaths)
    for (int16_t pixel : kPixelTypes) {
      ScanSettings s;
      s.transferMode = transferMode;
      s.pixelType = pixel;
      s.scanType = path.scanType;
      s.duplex = path.duplex;
      TwainScan scan;
      const std::string label = std::string(path.name) + " pixel " + std::to_string(pixel);
      EXPECT_EQ(Scan(std::string(path.sim) + simExtra, s, &scan), 0) << label;
      ExpectPages(scan, s, path.pages, 1, label);
    }
}

TEST_F(AcquireTwain, NativePageDibsAreTheScannersPages) { ScanEveryPathAndType(1, ""); }

TEST_F(AcquireTwain, MemoryBlocksCarryTheScannersRows) { ScanEveryPathAndType(0, ""); }

TEST_F(AcquireTwain, PagesAreAssembledWhenTheSourceRefusesNativeTransfer) {
  ScanEveryPathAndType(1, "[Twain]\nRefuseValue=0x0103:0\n");
}

// The engine reading a batch ahead hands the same pages on, in memory blocks and as page DIBs the
// library assembles.
TEST_F(AcquireTwain, BatchReadAheadDeliversTheSamePages) {
  scanner.batchReading = true;
  struct Case {
    int16_t transferMode;
    const char* extra;
  };
  const Case cases[] = {{0, ""}, {1, "[Twain]\nRefuseValue=0x0103:0\n"}};
  for (const Case& c : cases)
    for (int16_t pixel : kPixelTypes) {
      ScanSettings s;
      s.transferMode = c.transferMode;
      s.pixelType = pixel;
      s.duplex = 1;
      TwainScan scan;
      const std::string label = "batch " + std::to_string(c.transferMode) + " pixel " + std::to_string(pixel);
      EXPECT_EQ(Scan(std::string("[Feeder]\nSheets=2\nDuplex=1\n") + c.extra, s, &scan), 0) << label;
      ExpectPages(scan, s, 4, 1, label);
    }
}

TEST_F(AcquireTwain, TheSourcesOwnSettingsShowWithoutScanning) {
  ScanSettings s;
  TwainScan scan;
  ASSERT_TRUE(scanner.Start("[Feeder]\nSheets=2\n"));
  EXPECT_EQ(scanner.AcquireUIOnly(), 0);
  // The source is still there for a scan.
  ASSERT_TRUE(scanner.Apply(s));
  scan.transferMode = s.transferMode;
  EXPECT_EQ(scanner.Acquire(&scan), 0);
  ExpectPages(scan, s, 2, 1, "after the settings");
}

// The frame the source got, asked through the engine the library has loaded: the default area,
// a Letter page in the library's 300-per-inch pixels, is a Letter page at the scan's resolution.
TEST_F(AcquireTwain, TheSourceGetsTheAreaAtTheScansResolution) {
  for (int32_t dpi : {100, 300}) {
    ScanSettings s;
    s.dpi = dpi;
    TwainScan scan;
    EXPECT_EQ(Scan("[Feeder]\nSheets=1\n", s, &scan), 0);
    HMODULE wexlo = GetModuleHandleA("wexlo.dll");
    ASSERT_NE(wexlo, nullptr);
    auto getValue = reinterpret_cast<int32_t(__stdcall*)(uint32_t, uint32_t, void**)>(
        reinterpret_cast<void*>(GetProcAddress(wexlo, "TWAINGetValue")));
    ASSERT_NE(getValue, nullptr);
    void* block = nullptr;
    ASSERT_EQ(getValue(0x1114, 8, &block), 5);  // a one-value TW_FRAME
    int16_t whole[4];
    for (int k = 0; k < 4; ++k) std::memcpy(&whole[k], static_cast<uint8_t*>(block) + 2 + 4 * k, 2);
    HGLOBAL h = GlobalHandle(block);
    GlobalUnlock(h);
    GlobalFree(h);
    EXPECT_EQ(whole[0], 0) << dpi;
    EXPECT_EQ(whole[1], 0) << dpi;
    EXPECT_NEAR(whole[2], dpi * 17 / 2, 1) << dpi;
    EXPECT_NEAR(whole[3], dpi * 11, 1) << dpi;
  }
}

// Black and white with a halftone the source offers goes through; one it refuses stops the push.
TEST_F(AcquireTwain, AHalftoneIsSentByNameForBlackAndWhite) {
  struct Case {
    const char* sim;
    int32_t result;
    int pages;
  };
  const Case cases[] = {{"[Feeder]\nSheets=1\n", 0, 1},
                        {"[Feeder]\nSheets=1\n[Twain]\nRefuse=0x1109\n", -8, 0}};
  for (const Case& c : cases) {
    ScanSettings s;
    s.pixelType = 0;
    scanner.Stop();
    ASSERT_TRUE(scanner.Start(c.sim));
    ASSERT_TRUE(scanner.Apply(s));
    char dither[33] = "Diffusion";
    ASSERT_EQ(scanner.ZebSetValue(0x9211, dither), 0);
    TwainScan scan;
    scan.transferMode = s.transferMode;
    EXPECT_EQ(scanner.Acquire(&scan), c.result) << c.sim;
    ExpectPages(scan, s, c.pages, 1, c.sim);
  }
}

TEST_F(AcquireTwain, AFeederScanWithNoPaperAnswersNoPaper) {
  for (int16_t mode : {0, 1}) {
    ScanSettings s;
    s.transferMode = mode;
    TwainScan scan;
    EXPECT_EQ(Scan("[Feeder]\nSheets=0\n", s, &scan), -16) << mode;
    EXPECT_TRUE(scan.pages.empty()) << mode;
  }
}

TEST_F(AcquireTwain, ScanType0TakesTheFeederWhenLoadedElseTheGlass) {
  ScanSettings s;
  s.scanType = 0;
  s.duplex = 1;
  TwainScan fromFeeder;
  EXPECT_EQ(Scan("[Feeder]\nSheets=2\nDuplex=1\n", s, &fromFeeder), 0);
  ExpectPages(fromFeeder, s, 4, 1, "loaded feeder");
  // An empty feeder: one page from the glass, and simplex from then on.
  TwainScan fromGlass;
  EXPECT_EQ(Scan("[Feeder]\nSheets=0\n", s, &fromGlass), 0);
  ExpectPages(fromGlass, s, 1, 1, "glass");
  int16_t feederType = -1;
  ASSERT_EQ(scanner.ZebGetValue(0x9101, &feederType), 0);
  EXPECT_EQ(feederType, 0);
}

TEST_F(AcquireTwain, AJamDeliversThePagesBeforeItWholeAndAnswersAnError) {
  struct Case {
    int16_t transferMode;
    const char* extra;
  };
  const Case cases[] = {{1, ""}, {0, ""}, {1, "[Twain]\nRefuseValue=0x0103:0\n"}};
  for (const Case& c : cases) {
    ScanSettings s;
    s.transferMode = c.transferMode;
    TwainScan scan;
    const std::string sim = std::string("[Feeder]\nSheets=4\n[Fault]\nKind=jam\nPage=3\n") + c.extra;
    const std::string label = std::to_string(c.transferMode) + c.extra;
    EXPECT_LT(Scan(sim, s, &scan), 0) << label;
    ExpectPages(scan, s, 2, 1, label);
  }
}

TEST_F(AcquireTwain, ACancelFromTheCallbackStopsCleanly) {
  for (int16_t mode : {0, 1}) {
    ScanSettings s;
    s.transferMode = mode;
    TwainScan scan;
    scan.stopAfter = 2;
    EXPECT_NE(Scan("[Feeder]\nSheets=5\n", s, &scan), 0) << mode;
    ExpectPages(scan, s, 2, 1, "cancelled " + std::to_string(mode));
    // The library and the source are ready for the next scan, which takes the pages left.
    TwainScan next;
    next.transferMode = mode;
    EXPECT_EQ(scanner.Acquire(&next), 0) << mode;
    ExpectPages(next, s, 3, 3, "after the cancel " + std::to_string(mode));
  }
}

TEST_F(AcquireTwain, AdjustedAndIgnoredRefusalsKeepEveryPushedValue) {
  ScanSettings s;
  s.pixelType = 2;
  s.dpi = 150;
  TwainScan scan;
  // The source adjusts the resolutions and brightness and knows no highlight or light path; had
  // the engine reopened the source for it, the pages would come in its default gray at 300 dpi.
  EXPECT_EQ(Scan("[Feeder]\nSheets=2\n[Twain]\nAdjust=0x1118,0x1119,0x1101\nRefuse=0x110a,0x111e\n",
                 s, &scan), 0);
  ExpectPages(scan, s, 2, 1, "adjusted");
  // Nothing the push ignored blocks the tag exports afterwards.
  int16_t pixel = -1;
  EXPECT_EQ(scanner.ZebGetValue(0x9202, &pixel), 0);
  EXPECT_EQ(pixel, 2);
  int32_t flag = 0;
  EXPECT_EQ(scanner.ZebGetTagFlag(0x9202, &flag), 0);
}

TEST_F(AcquireTwain, AFlatbedScanWhoseLightPathIsRefusedLeavesTheTagsUsable) {
  ScanSettings s;
  s.scanType = 2;
  TwainScan scan;
  EXPECT_EQ(Scan("[Feeder]\nFlatbed=1\n[Twain]\nRefuse=0x111e\n", s, &scan), 0);
  ExpectPages(scan, s, 1, 1, "flatbed");
  int32_t flag = 0;
  EXPECT_EQ(scanner.ZebGetTagFlag(0x9200, &flag), 0);
  int32_t dpi = 0;
  EXPECT_EQ(scanner.ZebGetValue(0x9200, &dpi), 0);
  EXPECT_EQ(dpi, 100);
}

// A target no plug-in writes: the source writes the page files itself, named by the engine.
TEST_F(AcquireTwain, TheSourceWritesPageFilesWhenNoPlugInTakesTheName) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string base = std::string(folder) + "twain_pages";
  struct Case {
    const PathCase& path;
    std::vector<std::string> suffixes;
  };
  const Case cases[] = {
      {kPaths[0], {"000001.bmp", "000002.bmp", "000003.bmp"}},
      {kPaths[1], {"000001A.bmp", "000001B.bmp", "000002A.bmp", "000002B.bmp"}},
      {kPaths[2], {".bmp"}},
  };
  for (const Case& c : cases) {
    for (const std::string& suffix : c.suffixes) DeleteFileA((base + suffix).c_str());
    ScanSettings s;
    s.transferMode = 2;
    s.pixelType = 2;
    s.scanType = c.path.scanType;
    s.duplex = c.path.duplex;
    scanner.Stop();
    ASSERT_TRUE(scanner.Start(c.path.sim));
    ASSERT_TRUE(scanner.Apply(s));
    char name[129] = {};
    std::snprintf(name, sizeof name, "%s.tw", base.c_str());
    ASSERT_EQ(scanner.ZebSetValue(0x9302, name), 0);
    TwainScan scan;
    scan.transferMode = 2;
    EXPECT_EQ(scanner.Acquire(&scan), 0) << c.path.name;
    EXPECT_EQ(scan.Complete(), static_cast<int32_t>(c.suffixes.size())) << c.path.name;
    int page = 1;
    for (const std::string& suffix : c.suffixes) {
      const std::vector<uint8_t> dib = ReadBmpDib(base + suffix);
      EXPECT_EQ(CompareDibPage(dib, FormatFor(s), page), "") << base + suffix;
      DeleteFileA((base + suffix).c_str());
      ++page;
    }
  }
}

TEST_F(AcquireTwain, ARefusedCompressionIsTheLibrarysJobOnlyForTheMakersOwnSource) {
  ScanSettings s;
  TwainScan own;
  // The maker's source (it names its product) scans on; the library assembles the pages.
  EXPECT_EQ(Scan("[Feeder]\nSheets=1\n[Twain]\nRefuse=0x0100\n", s, &own), 0);
  ExpectPages(own, s, 1, 1, "own source");
  // Another source, started without unloading the library, must not inherit that standing.
  ASSERT_TRUE(scanner.Restart("[Feeder]\nSheets=1\n[Twain]\nRefuse=0x0100\nUnsupported=0x1213\n"));
  TwainScan other;
  other.transferMode = s.transferMode;
  EXPECT_EQ(scanner.Acquire(&other), -7);
  EXPECT_TRUE(other.pages.empty());
}

// Failed scans keep no page DIB: the library frees the page it was assembling. Each restart of
// the library costs the same whatever the scan did, so jammed scans are measured against
// scans that end well.
TEST_F(AcquireTwain, FailedScansKeepNoPageDib) {
  auto committed = []() {
    PROCESS_MEMORY_COUNTERS m{};
    m.cb = sizeof m;
    GetProcessMemoryInfo(GetCurrentProcess(), &m, sizeof m);
    return static_cast<double>(m.PagefileUsage);
  };
  ScanSettings s;
  s.dpi = 200;  // a 3.7 MB gray page
  const std::string assembled = "[Twain]\nRefuseValue=0x0103:0\n";
  auto growth = [&](const std::string& sim, bool jams) {
    TwainScan warmUp;
    Scan(sim, s, &warmUp);
    const double before = committed();
    for (int i = 0; i < 3; ++i) {
      TwainScan scan;
      const int32_t rc = Scan(sim, s, &scan);
      EXPECT_EQ(rc < 0, jams) << sim;
      EXPECT_EQ(scan.Complete(), jams ? 0 : 1) << sim;
    }
    return committed() - before;
  };
  const double good = growth("[Feeder]\nSheets=1\n" + assembled, false);
  const double jammed = growth("[Feeder]\nSheets=2\n[Fault]\nKind=jam\nPage=1\n" + assembled, true);
  EXPECT_LT(jammed - good, 3.0 * 1024 * 1024);
}

// Sources as they are found in the field: each behaviour on its own, from a fresh registry, in
// every pixel type. Every page must still be the scanner's page.
TEST_F(AcquireTwain, SourcesAsTheyAreScanEveryPixelType) {
  struct Case {
    const char* what;
    const char* sim;
    int16_t transferMode, scanType;
    int pages;
  };
  const char* assembled = "RefuseValue=0x0103:0\n";
  const Case cases[] = {
      {"no light path, feeder", "[Feeder]\nSheets=6\n[Twain]\nUnsupported=0x111e\n", 1, 1, 2},
      {"no light path, glass", "[Feeder]\nSheets=6\n[Twain]\nUnsupported=0x111e\n", 1, 2, 1},
      {"depths of the pixel type", "[Feeder]\nSheets=6\n[Twain]\nDepthsOfPixelType=1\n", 1, 1, 2},
      {"starts in pixels", "[Feeder]\nSheets=6\n[Twain]\nPixelUnits=1\n", 1, 1, 2},
      {"sequence-error refusal", "[Feeder]\nSheets=6\n[Twain]\nRefuse=0x1106\nRefuseCondition=11\n", 1, 1, 2},
      {"large least block, memory", "[Feeder]\nSheets=6\n[Twain]\nMinBufSize=400000\n", 0, 1, 2},
      {"padded rows, memory", "[Feeder]\nSheets=6\n[Twain]\nRowPadding=8\n", 0, 1, 2},
      {"padded rows, assembled", "[Feeder]\nSheets=6\n[Twain]\nRowPadding=8\nMinBufSize=400000\n", 1, 1, 2},
  };
  for (const Case& c : cases) {
    std::string sim = c.sim;
    if (std::string(c.what).find("assembled") != std::string::npos) sim += assembled;
    // One start from a fresh registry per source; each pixel type then scans the next sheets.
    scanner.Stop();
    ASSERT_TRUE(scanner.Start(sim)) << c.what;
    int first = 1;
    for (int16_t pixel : kPixelTypes) {
      ScanSettings s;
      s.transferMode = c.transferMode;
      s.pixelType = pixel;
      s.scanType = c.scanType;
      const std::string label = std::string(c.what) + " pixel " + std::to_string(pixel);
      ASSERT_TRUE(scanner.Apply(s)) << label;
      int16_t count = static_cast<int16_t>(c.pages);
      ASSERT_EQ(scanner.ZebSetValue(0x9600, &count), 0) << label;
      TwainScan scan;
      scan.transferMode = s.transferMode;
      EXPECT_EQ(scanner.Acquire(&scan), 0) << label;
      ExpectPages(scan, s, c.pages, first, label);
      first += c.pages;
    }
  }
}

// A source that refuses MSG_ENDXFER, and then the reset and the disable: the scan ends with an
// error instead of waiting for ever, and once the source is sound again the next scan works.
TEST_F(AcquireTwain, ARefusedEndOfTransferEndsTheScan) {
  for (int16_t mode : {0, 1}) {
    ScanSettings s;
    s.transferMode = mode;
    TwainScan scan;
    EXPECT_LT(Scan("[Feeder]\nSheets=3\n[Twain]\nFailAt=endxfer\nFailPage=2\n", s, &scan), 0) << mode;
    EXPECT_EQ(scan.Complete(), 2) << mode;
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    FILE* f = std::fopen((std::string(folder) + "acquire_twain_sim.ini").c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("[Feeder]\nSheets=3\n", f);
    std::fclose(f);
    TwainScan next;
    next.transferMode = mode;
    EXPECT_EQ(scanner.Acquire(&next), 0) << mode;
    ExpectPages(next, s, 3, 1, "after the refused end " + std::to_string(mode));
  }
}

// XFERCOUNT holds whether or not the source counts: three pages of eight, then the next three.
TEST_F(AcquireTwain, TheTransferCountHolds) {
  for (int16_t mode : {0, 1}) {
    ScanSettings s;
    s.transferMode = mode;
    TwainScan scan;
    scanner.Stop();
    ASSERT_TRUE(scanner.Start("[Feeder]\nSheets=8\n"));
    ASSERT_TRUE(scanner.Apply(s));
    int16_t count = 3;
    ASSERT_EQ(scanner.ZebSetValue(0x9600, &count), 0);
    scan.transferMode = mode;
    EXPECT_EQ(scanner.Acquire(&scan), 0) << mode;
    ExpectPages(scan, s, 3, 1, "first three " + std::to_string(mode));
    TwainScan next;
    next.transferMode = mode;
    EXPECT_EQ(scanner.Acquire(&next), 0) << mode;
    ExpectPages(next, s, 3, 4, "next three " + std::to_string(mode));
  }
}

// A paper size asked by name is the page the source scans.
TEST_F(AcquireTwain, APaperAskedThroughTheScanSettingsIsThePageScanned) {
  ASSERT_TRUE(scanner.Start("[Feeder]\nSheets=1\n"));
  HMODULE pavlot = GetModuleHandleA("pavlot.dll");
  ASSERT_NE(pavlot, nullptr);
  auto setProp = reinterpret_cast<int32_t(__stdcall*)(TScanPropRec)>(
      reinterpret_cast<void*>(GetProcAddress(pavlot, "ZebSetProp")));
  ASSERT_NE(setProp, nullptr);
  TScanPropRec prop{};
  prop.TransMode = 1;
  prop.PixelType = 1;
  prop.ScanMethod = 1;
  prop.XRes = prop.YRes = 300;
  prop.BitsPerPixel = 8;
  prop.Size.DefPaper = 5;  // A4
  prop.Size.Unit = 0;
  ASSERT_EQ(setProp(prop), 0);
  TwainScan scan;
  scan.transferMode = 1;
  EXPECT_EQ(scanner.Acquire(&scan), 0);
  ASSERT_EQ(scan.Complete(), 1);
  EXPECT_EQ(scan.pages[0].info.ImageWidth, 2480);
  EXPECT_EQ(scan.pages[0].info.ImageLength, 3508);
}

}  // namespace
