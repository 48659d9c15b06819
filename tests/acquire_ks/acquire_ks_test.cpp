// Scans through pavlot.dll, loaded by name as the application loads it, from the simulated
// maker's scanner (zebdrv.dll): page DIBs and memory blocks against the pages the scanner made,
// faults, cancels and the feeder.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "page_checks.h"
#include "pavlot_scan_client.h"

namespace {

constexpr uint16_t kScanType = 0x9100, kFeederType = 0x9101, kTransferMode = 0x9102;
constexpr uint16_t kXRes = 0x9200, kYRes = 0x9201, kPixelType = 0x9202, kMinBuffer = 0x9052;
constexpr uint16_t kDeskew = 0x9307;
constexpr int kFeeder = 1, kFlatbed = 2;

class AcquireKs : public ::testing::Test {
 protected:
  void SetUp() override { ForgetStoredSettings(); }
  void TearDown() override {
    if (pavlot.ZebFree) pavlot.ZebFree();
    pavlot.Unload();
    ForgetScanner();
    ForgetStoredSettings();
    Record(nullptr);
  }
  // Starts the library over a scanner with these settings, for DIB scans at `dpi`.
  void Start(const std::string& ini, int pixelType, int dpi, int scanType, int transferMode = 1) {
    UseScanner(ini);
    ASSERT_TRUE(pavlot.Load());
    ASSERT_EQ(pavlot.ZebLoad(nullptr), 0);
    ASSERT_EQ(pavlot.Set16(kPixelType, pixelType), 0);
    ASSERT_EQ(pavlot.Set32(kXRes, dpi), 0);
    ASSERT_EQ(pavlot.Set32(kYRes, dpi), 0);
    ASSERT_EQ(pavlot.Set16(kScanType, scanType), 0);
    ASSERT_EQ(pavlot.Set16(kTransferMode, transferMode), 0);
  }
  int32_t Scan(PageCallbackProc callback = RecordPage) {
    Record(&scan);
    return pavlot.ZebAcquire(callback);
  }
  static zebsim::PageFormat Format(int pixelType, int dpi) {
    zebsim::PageFormat f;
    f.kind = static_cast<zebsim::PixelKind>(pixelType);
    f.xResolution = f.yResolution = dpi;
    f.paper = zebsim::Paper::Letter;
    return f;
  }
  void ExpectPages(int pixelType, int dpi, const std::vector<int>& numbers) {
    ASSERT_EQ(scan.dibs.size(), numbers.size());
    ASSERT_GE(scan.infos.size(), numbers.size());
    for (size_t i = 0; i < numbers.size(); ++i) {
      EXPECT_TRUE(scan.dibsUnlocked[i]) << "page " << i;
      EXPECT_TRUE(scan.dibsFreed[i]) << "page " << i;
      EXPECT_EQ(scan.infos[i].XResolution, dpi);
      EXPECT_EQ(scan.infos[i].PixelType, pixelType);
      EXPECT_EQ(DibPageNumber(scan.dibs[i]), numbers[i]) << "page " << i;
      EXPECT_EQ(CompareDib(scan.dibs[i], {Format(pixelType, dpi), numbers[i]}), "") << "page " << i;
    }
  }

  PavlotScan pavlot;
  ReceivedScan scan;
};

struct DibCase {
  const char* name;
  const char* ini;
  int pixelType, dpi, scanType, feederType;
  std::vector<int> pages;
};

class AcquireKsDib : public AcquireKs, public ::testing::WithParamInterface<DibCase> {};

TEST_P(AcquireKsDib, PagesArriveAsDibsOfThePagesTheScannerMade) {
  const DibCase& c = GetParam();
  Start(c.ini, c.pixelType, c.dpi, c.scanType);
  ASSERT_EQ(pavlot.Set16(kFeederType, c.feederType), 0);
  ASSERT_EQ(Scan(), 0);
  ExpectPages(c.pixelType, c.dpi, c.pages);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, AcquireKsDib,
    ::testing::Values(
        DibCase{"bw_feeder_simplex", "[Feeder]\nSheets=3\n", 0, 150, kFeeder, 0, {1, 2, 3}},
        DibCase{"gray_feeder_duplex", "[Feeder]\nSheets=2\nDuplex=1\n", 1, 100, kFeeder, 1, {1, 2, 3, 4}},
        DibCase{"colour_feeder_simplex", "[Feeder]\nSheets=2\n", 2, 75, kFeeder, 0, {1, 2}},
        DibCase{"bw_flatbed_odd_width", "[Feeder]\nFlatbed=1\n", 0, 75, kFlatbed, 0, {1}},
        DibCase{"gray_flatbed", "[Feeder]\nFlatbed=1\n", 1, 200, kFlatbed, 0, {1}},
        DibCase{"colour_flatbed", "[Feeder]\nFlatbed=1\n", 2, 100, kFlatbed, 0, {1}}),
    [](const ::testing::TestParamInfo<DibCase>& i) { return std::string(i.param.name); });

TEST_F(AcquireKs, MemoryModeGivesBlocksOfWholeRowsThatFitTheBuffer) {
  Start("[Feeder]\nSheets=2\n", 1, 100, kFeeder, 0);
  ASSERT_EQ(pavlot.Set32(kMinBuffer, 40000), 0);
  ASSERT_EQ(Scan(RecordBlock), 0);
  ASSERT_EQ(scan.infos.size(), 2u);
  const uint32_t row = 850, block = row * (40000 / row);
  std::vector<uint8_t> expected;
  size_t k = 0;
  for (int page = 1; page <= 2; ++page) {
    const std::vector<uint8_t> rows = zebsim::RenderPage(Format(1, 100), page);
    expected.insert(expected.end(), rows.begin(), rows.end());
    uint32_t sum = 0;
    for (; k < scan.blocks.size(); ++k) {
      const auto [code, bytes] = scan.blocks[k];
      sum += bytes;
      ASSERT_EQ(bytes % row, 0u);
      if (code == 1) break;
      ASSERT_EQ(code, 0);
      ASSERT_EQ(bytes, block);
    }
    ASSERT_LT(k, scan.blocks.size());
    EXPECT_EQ(sum, row * 1100) << "page " << page;
    ++k;
  }
  EXPECT_EQ(k, scan.blocks.size());
  EXPECT_TRUE(scan.memoryRows == expected);
}

TEST_F(AcquireKs, JamDeliversTheEarlierPagesWholeAndAnswersItsCode) {
  Start("[Feeder]\nSheets=4\n[Fault]\nKind=jam\nPage=3\n", 1, 75, kFeeder);
  EXPECT_EQ(Scan(), -12);
  ExpectPages(1, 75, {1, 2});
  EXPECT_EQ(scan.infos.size(), 3u) << "the jammed page was announced";
  // The jammed page stays in the feeder for the next scan.
  scan = ReceivedScan{};
  EXPECT_EQ(Scan(), 0);
  ExpectPages(1, 75, {3, 4});
}

TEST_F(AcquireKs, NegativeAnswerStopsAfterThatPage) {
  Start("[Feeder]\nSheets=3\n", 0, 100, kFeeder);
  scan.stopAtPage = 2;
  scan.stopAnswer = -1;
  EXPECT_EQ(Scan(), -1);
  ExpectPages(0, 100, {1, 2});  // the refused page is the application's all the same
  scan = ReceivedScan{};
  EXPECT_EQ(Scan(), 0);
  ExpectPages(0, 100, {3});
}

// XFERCOUNT holds on the maker's kind too: three pages of eight, the rest left in the feeder.
TEST_F(AcquireKs, TheTransferCountHolds) {
  Start("[Feeder]\nSheets=8\n", 1, 75, kFeeder);
  ASSERT_EQ(pavlot.Set16(0x9600, 3), 0);
  EXPECT_EQ(Scan(), 0);
  ExpectPages(1, 75, {1, 2, 3});
  scan = ReceivedScan{};
  EXPECT_EQ(Scan(), 0);
  ExpectPages(1, 75, {4, 5, 6});
}

TEST_F(AcquireKs, PageInformationAnswersNeverStopTheScan) {
  Start("[Feeder]\nSheets=2\n", 0, 75, kFeeder);
  scan.infoAnswer = -5;
  EXPECT_EQ(Scan(), 0);
  ExpectPages(0, 75, {1, 2});
}

TEST_F(AcquireKs, DeskewHidesTheSizeFromThePageInformation) {
  Start("[Feeder]\nSheets=1\n", 0, 75, kFeeder);
  ASSERT_EQ(pavlot.Set16(kDeskew, 1), 0);
  EXPECT_EQ(Scan(), 0);
  ASSERT_GE(scan.infos.size(), 1u);
  EXPECT_EQ(scan.infos[0].ImageWidth, -1);
  EXPECT_EQ(scan.infos[0].ImageLength, -1);
  // A page with no plate around it has no edges to straighten or cut to: it comes as scanned
  // (announced again at its size when the deskew library is there).
  ASSERT_EQ(scan.dibs.size(), 1u);
  EXPECT_EQ(CompareDib(scan.dibs[0], {Format(0, 75), 1}), "");
}

TEST_F(AcquireKs, EmptyFeederAnswersNoPaper) {
  Start("[Feeder]\nSheets=0\n", 1, 75, kFeeder);
  EXPECT_EQ(Scan(), -16);
  EXPECT_TRUE(scan.infos.empty());
  EXPECT_TRUE(scan.dibs.empty());
}

TEST_F(AcquireKs, AutomaticScanTypeTakesTheFeederWhenItHoldsPaperElseTheGlass) {
  Start("[Feeder]\nSheets=2\n", 0, 75, 0);
  EXPECT_EQ(Scan(), 0);
  ExpectPages(0, 75, {1, 2});
  scan = ReceivedScan{};
  EXPECT_EQ(Scan(), 0) << "an empty feeder: the page on the glass";
  ExpectPages(0, 75, {1});
}

TEST_F(AcquireKs, NoCallbackScansAndKeepsNothing) {
  Start("[Feeder]\nSheets=2\n", 1, 75, kFeeder);
  EXPECT_EQ(pavlot.ZebAcquire(nullptr), 0);
  Record(&scan);
  EXPECT_EQ(Scan(), -16) << "both sheets were scanned";
}

TEST_F(AcquireKs, SettingsOnlyAnswersWithoutScanning) {
  Start("[Feeder]\nSheets=2\n", 1, 75, kFeeder);
  // The library's settings dialog shows; the operator closes it.
  bool shown = false;
  std::thread op([&shown] {
    for (int i = 0; i < 200 && !shown; ++i) {
      HWND dlg = FindWindowA("#32770", "ZS-3000 - Scanner Settings");
      if (dlg && IsWindowVisible(dlg)) {
        shown = true;
        PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
      }
      Sleep(50);
    }
  });
  EXPECT_EQ(pavlot.ZebAcquireUIOnly(0), 0);
  op.join();
  EXPECT_TRUE(shown);
  EXPECT_EQ(Scan(), 0);
  ExpectPages(1, 75, {1, 2});
}

TEST_F(AcquireKs, AcquireBeforeLoadAnswersNotStarted) {
  UseScanner("");
  ASSERT_TRUE(pavlot.Load());
  Record(&scan);
  EXPECT_EQ(pavlot.ZebAcquire(RecordPage), -3);
  EXPECT_EQ(pavlot.ZebAcquireUIOnly(0), -3);
}

}  // namespace
