// Scans through pavlot.dll with the ISIS driver kind, over the ISIS stand-in isisdrv.dll and the
// simulated scanner: the pages against the ones the scanner made, the values pushed before the
// scan as the driver recorded them, the choices a caller reads, faults and stops.
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <fstream>
#include <string>
#include <vector>

#include "page_checks.h"
#include "pavlot_scan_client.h"
#include "test_files.h"

namespace {

constexpr uint16_t kScanType = 0x9100, kFeederType = 0x9101, kTransferMode = 0x9102;
constexpr uint16_t kXRes = 0x9200, kYRes = 0x9201, kPixelType = 0x9202, kHighlight = 0x9206;
constexpr uint16_t kFileName = 0x9302, kXPosition = 0x9500, kYPosition = 0x9501;
constexpr uint16_t kImageLength = 0x9502, kImageWidth = 0x9503, kUnits = 0x9504, kPageSize = 0x9601;
constexpr int kAuto = 0, kFeeder = 1, kFlatbed = 2;

std::string TempFolder() {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return folder;
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

void StoreDriverKind(int kind) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quandrix", 0, nullptr, 0, KEY_WRITE,
                            nullptr, &key, nullptr), ERROR_SUCCESS);
  const DWORD value = static_cast<DWORD>(kind);
  RegSetValueExA(key, "SOURCE", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegSetValueExA(key, "SOURCENAME", 0, REG_SZ, reinterpret_cast<const BYTE*>("ZS-3000 Duplex"), 15);
  RegSetValueExA(key, "NANUFACTURER", 0, REG_SZ, reinterpret_cast<const BYTE*>("Quandrix"), 9);
  RegCloseKey(key);
}

std::vector<std::string> gFilesTold;
int32_t __stdcall RecordFile(void* data, uint32_t* size, int32_t code) {
  if (code == 1) gFilesTold.push_back(static_cast<const char*>(data));
  return 0;
}

class AcquireIsis : public ::testing::Test {
 protected:
  void SetUp() override {
    ForgetStoredSettings();
    record = TempFolder() + "isis_sent.txt";
    DeleteFileA(record.c_str());
  }
  void TearDown() override {
    if (pavlot.ZebFree) pavlot.ZebFree();
    pavlot.Unload();
    ForgetScanner();
    ForgetStoredSettings();
    Record(nullptr);
    DeleteFileA(record.c_str());
  }
  // Starts the library on the ISIS driver over a scanner with these settings.
  void Load(const std::string& ini, const std::string& isis = "") {
    UseScanner(ini + "\n[Isis]\nRecord=" + record + "\n" + isis);
    StoreDriverKind(2);
    ASSERT_TRUE(pavlot.Load());
    ASSERT_EQ(pavlot.ZebLoad(nullptr), 0);
    ASSERT_TRUE(Bind(pavlot.module, "ZebGetTagFlag", &getFlag));
    ASSERT_TRUE(Bind(pavlot.module, "ZebGetTagChoice", &getChoice));
  }
  void Start(const std::string& ini, int pixelType, int dpi, int scanType, int transferMode = 1,
             const std::string& isis = "") {
    Load(ini, isis);
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
  void ExpectPages(int pixelType, int dpi, const std::vector<int>& numbers) {
    ASSERT_EQ(scan.dibs.size(), numbers.size());
    for (size_t i = 0; i < numbers.size(); ++i) {
      EXPECT_TRUE(scan.dibsFreed[i]) << "page " << i;
      zebsim::PageFormat f;
      f.kind = static_cast<zebsim::PixelKind>(pixelType);
      f.xResolution = f.yResolution = dpi;
      f.paper = zebsim::Paper::Letter;
      EXPECT_EQ(CompareDib(scan.dibs[i], {f, numbers[i]}), "") << "page " << i;
    }
  }
  // A 16-bit list tag's items as a caller reads them.
  std::vector<int32_t> List16(uint16_t tag) {
    int32_t flag = 0;
    EXPECT_EQ(getFlag(tag, &flag), 0);
    EXPECT_EQ(flag, 0x8002) << std::hex << tag;
    std::vector<int32_t> items;
    int16_t v = 0;
    for (int i = 0; getChoice(tag, i, &v) == 0 && i < 64; ++i) items.push_back(v);
    return items;
  }
  // The 16 values sent just before the scan, one "tag type value" line each, and the scan's line.
  std::vector<std::string> PushBeforeScan() {
    std::vector<std::string> lines = ReadLines(record);
    std::vector<std::string> push;
    for (size_t i = 0; i < lines.size(); ++i)
      if (lines[i] == "acquire") {
        push.assign(lines.begin() + static_cast<long>(i >= 16 ? i - 16 : 0), lines.begin() + static_cast<long>(i + 1));
      }
    return push;
  }

  PavlotScan pavlot;
  ReceivedScan scan;
  std::string record;
  int32_t(__stdcall* getFlag)(uint32_t, int32_t*) = nullptr;
  int32_t(__stdcall* getChoice)(uint32_t, int32_t, void*) = nullptr;
};

struct DibCase {
  const char* name;
  const char* ini;
  int pixelType, dpi, scanType, feederType;
  std::vector<int> pages;
};

class AcquireIsisDib : public AcquireIsis, public ::testing::WithParamInterface<DibCase> {};

// A page DIB is assembled by the library from the driver's rows: a push that left the flag of
// a driver delivering DIBs itself would fail at the first page.
TEST_P(AcquireIsisDib, PagesArriveAsDibsOfThePagesTheScannerMade) {
  const DibCase& c = GetParam();
  Start(c.ini, c.pixelType, c.dpi, c.scanType);
  ASSERT_EQ(pavlot.Set16(kFeederType, c.feederType), 0);
  ASSERT_EQ(Scan(), 0);
  ExpectPages(c.pixelType, c.dpi, c.pages);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, AcquireIsisDib,
    ::testing::Values(
        DibCase{"gray_feeder", "[Feeder]\nSheets=3\n", 1, 100, kFeeder, 0, {1, 2, 3}},
        DibCase{"bw_duplex", "[Feeder]\nSheets=2\nDuplex=1\n", 0, 150, kFeeder, 1, {1, 2, 3, 4}},
        DibCase{"colour_flatbed", "[Feeder]\nFlatbed=1\n", 2, 75, kFlatbed, 0, {1}}),
    [](const ::testing::TestParamInfo<DibCase>& i) { return std::string(i.param.name); });

TEST_F(AcquireIsis, PushSendsEachValueInOrderAndTheAreaOnTheDriversStep) {
  Start("[Feeder]\nSheets=1\n", 2, 200, kFeeder, 1, "AreaStep=8\n");
  ASSERT_EQ(pavlot.Set16(kUnits, 0), 0);
  float v = 1.0f;
  ASSERT_EQ(pavlot.ZebSetValue(kXPosition, &v), 0);
  v = 8.0f;  // runs past the 8.5 inch width: moved back to end there
  ASSERT_EQ(pavlot.ZebSetValue(kImageWidth, &v), 0);
  v = 0.5f;
  ASSERT_EQ(pavlot.ZebSetValue(kYPosition, &v), 0);
  v = 14.0f;  // the whole length: starts at the top
  ASSERT_EQ(pavlot.ZebSetValue(kImageLength, &v), 0);
  ASSERT_EQ(Scan(), 0);
  const std::vector<std::string> push = PushBeforeScan();
  ASSERT_EQ(push.size(), 17u);
  auto tagOf = [](const std::string& line) { return line.substr(0, line.find(' ')); };
  const char* order[] = {"277", "258", "1300", "282", "283", "1282", "1281", "5053", "5055",
                         "1295", "259", "1507", "286", "256", "287", "257"};
  for (size_t i = 0; i < 16; ++i) EXPECT_EQ(tagOf(push[i]), order[i]) << push[i];
  // Colour: three samples of 8 bits, not 24 bits a sample. BITSPERPIXEL holds bits a pixel (its
  // choices are the driver's bits a sample times the samples), so sent as stored a colour scan
  // would ask for 24 bits a sample, which no driver offers, and fail.
  EXPECT_EQ(push[0], "277 32784 3");
  EXPECT_EQ(push[1], "258 32784 8");
  EXPECT_EQ(push[2], "1300 32784 3");
  EXPECT_EQ(push[3], "282 32786 200,1");
  EXPECT_EQ(push[4], "283 32786 200,1");
  EXPECT_EQ(push[10], "259 32784 1");
  // X: 150/300 inch from the left (100 pixels, 96 on the step of 8), 1600 pixels wide.
  EXPECT_EQ(push[12], "286 32785 96");
  EXPECT_EQ(push[13], "256 32785 1600");
  EXPECT_EQ(push[14], "287 32785 0");
  EXPECT_EQ(push[15], "257 32785 2800");
  EXPECT_EQ(push[16], "acquire") << "nothing is sent after the area";
}

TEST_F(AcquireIsis, StartReadsTheSetupFileThatNamesDriverAndModel) {
  Load("[Feeder]\nSheets=1\n");
  const std::vector<std::string> lines = ReadLines(record);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "load Driver=Quandrix Model=ZS-3000 Duplex");
}

TEST_F(AcquireIsis, CallerReadsChoicesThatFollowTheDriversAreaAndLists) {
  struct Case {
    const char* isis;
    std::vector<int32_t> pageSizes;
  } cases[] = {
      {"PageSizes=Letter\n", {0, 1, 2, 6, 9, 10, 11}},
      {"PageSizes=Letter,Legal\n", {0, 1, 2, 3, 5, 6, 9, 10, 11}},
  };
  for (const Case& c : cases) {
    Load("[Feeder]\nSheets=1\n", std::string("Resolutions=100,200,300\nHighlight=200,255\n") + c.isis);
    EXPECT_EQ(List16(kPageSize), c.pageSizes) << c.isis;
    EXPECT_EQ(List16(kHighlight), (std::vector<int32_t>{200, 255}));
    int32_t flag = 0, dpi = 0;
    EXPECT_EQ(getFlag(kXRes, &flag), 0);
    EXPECT_EQ(flag, 0x8002);
    std::vector<int32_t> dpis;
    for (int i = 0; getChoice(kXRes, i, &dpi) == 0 && i < 8; ++i) dpis.push_back(dpi);
    EXPECT_EQ(dpis, (std::vector<int32_t>{100, 200, 300}));
    EXPECT_EQ(pavlot.Set32(kXRes, 400), -8);
    EXPECT_EQ(pavlot.Set32(kXRes, 200), 0);
    pavlot.ZebFree();
    pavlot.Unload();
  }
  // A driver without highlight support offers 255 alone; a resolution range refuses what is
  // outside it.
  Load("[Feeder]\nSheets=1\n", "ResolutionMin=75\nResolutionMax=600\n");
  EXPECT_EQ(List16(kHighlight), (std::vector<int32_t>{255}));
  EXPECT_EQ(pavlot.Set32(kXRes, 601), -8);
  EXPECT_EQ(pavlot.Set32(kXRes, 75), 0);
}

// XFERCOUNT's range starts at -1, every page in the feeder, which is also its stored default:
// from 1, the default would load as 1 and every batch would stop after its first page.
TEST_F(AcquireIsis, TransferCountAllowsEveryPageAndABatchTakesThemAll) {
  Start("[Feeder]\nSheets=3\n", 1, 100, kFeeder);
  constexpr uint16_t kXferCount = 0x9600;
  int32_t flag = 0;
  ASSERT_EQ(getFlag(kXferCount, &flag), 0);
  int16_t min = 0, max = 0, current = 0;
  ASSERT_EQ(getChoice(kXferCount, 1, &min), 0);
  ASSERT_EQ(getChoice(kXferCount, 2, &max), 0);
  EXPECT_EQ(min, -1);
  EXPECT_EQ(max, 9999);
  ASSERT_EQ(pavlot.ZebGetValue(kXferCount, &current), 0);
  EXPECT_EQ(current, -1);
  ASSERT_EQ(Scan(), 0);
  ExpectPages(1, 100, {1, 2, 3});
  // A count the caller sets still holds.
  scan = ReceivedScan{};
  ForgetScanner();
  pavlot.ZebFree();
  pavlot.Unload();
  Start("[Feeder]\nSheets=3\n", 1, 100, kFeeder);
  ASSERT_EQ(pavlot.Set16(kXferCount, 2), 0);
  ASSERT_EQ(Scan(), 0);
  ExpectPages(1, 100, {1, 2});
}

TEST_F(AcquireIsis, JamDeliversTheEarlierPagesWholeAndAnswersItsCode) {
  Start("[Feeder]\nSheets=4\n[Fault]\nKind=jam\nPage=3\n", 1, 75, kFeeder);
  EXPECT_EQ(Scan(), -12);
  ExpectPages(1, 75, {1, 2});
  scan = ReceivedScan{};
  EXPECT_EQ(Scan(), 0);
  ExpectPages(1, 75, {3, 4});
}

TEST_F(AcquireIsis, CancelFromTheCallbackStopsAfterThatPage) {
  Start("[Feeder]\nSheets=3\n", 0, 100, kFeeder);
  scan.stopAtPage = 2;
  scan.stopAnswer = -1;
  EXPECT_EQ(Scan(), -1);
  ExpectPages(0, 100, {1, 2});
  scan = ReceivedScan{};
  EXPECT_EQ(Scan(), 0);
  ExpectPages(0, 100, {3});
}

// The feeder flag is set by every scan, the automatic one included: an automatic scan may take
// every page in the feeder, and with the flag a glass scan before left at 0 each page would be
// written to the one file name, every page but the last lost.
TEST_F(AcquireIsis, AutomaticFileScanAfterAGlassScanNamesEveryPageApart) {
  Start("[Feeder]\nSheets=3\n", 1, 75, kFlatbed, 2);
  const std::string folder = TempFolder() + "isis_files";
  DeleteFolder(folder + "\\");
  CreateDirectoryA(folder.c_str(), nullptr);
  auto scanTo = [&](int scanType) {
    std::string name = folder + "\\doc.tif";
    EXPECT_EQ(pavlot.Set16(kScanType, scanType), 0);
    EXPECT_EQ(pavlot.ZebSetValue(kFileName, name.data()), 0);
    gFilesTold.clear();
    return pavlot.ZebAcquire(RecordFile);
  };
  ASSERT_EQ(scanTo(kFlatbed), 0);
  ASSERT_EQ(scanTo(kAuto), 0);
  // Each page's file, then the last one again as the scan ends.
  EXPECT_EQ(gFilesTold.size(), 4u);
  for (const char* name : {"doc000001.tif", "doc000002.tif", "doc000003.tif"})
    EXPECT_TRUE(PathFileExistsA((folder + "\\" + name).c_str())) << name;
  DeleteFolder(folder + "\\");
}

}  // namespace
