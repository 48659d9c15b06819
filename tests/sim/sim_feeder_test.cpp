#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim_scanner.h"

using namespace zebsim;

namespace {

struct ScanLog {
  std::vector<int> pages;      // page numbers delivered whole
  std::vector<bool> backs;
  FeedResult last;             // what ended the scan
};

// Runs one scan to its end: every page delivered whole, unless a fault comes.
ScanLog Scan(SimFeeder& feeder) {
  ScanLog log;
  feeder.BeginScan();
  for (;;) {
    FeedResult r = feeder.NextPage();
    if (r.kind != FeedResult::kPage) {
      log.last = r;
      return log;
    }
    log.pages.push_back(r.pageNumber);
    log.backs.push_back(r.back);
    feeder.PageDone();
  }
}

SimConfig Config(const std::string& ini) {
  SimConfig c;
  std::string error;
  EXPECT_TRUE(ParseSimConfig(ini, &c, &error)) << error;
  return c;
}

}  // namespace

TEST(SimFeeder, SimplexAndDuplexJobs) {
  SimFeeder simplex(Config("[Feeder]\nSheets=3\n"));
  ScanLog s = Scan(simplex);
  EXPECT_EQ(s.pages, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(s.last.kind, FeedResult::kEnd);
  EXPECT_FALSE(simplex.PaperPresent());

  SimFeeder duplex(Config("[Feeder]\nSheets=2\nDuplex=1\n"));
  ScanLog d = Scan(duplex);
  EXPECT_EQ(d.pages, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(d.backs, (std::vector<bool>{false, true, false, true}));
}

// An empty source ends every scan at once, with no page and no fault, glass or feeder.
TEST(SimFeeder, AnEmptySourceEndsEachScanWithNoPage) {
  for (const char* ini : {"[Feeder]\nEmpty=1\nFlatbed=1\n", "[Feeder]\nEmpty=1\nSheets=3\n"}) {
    SimFeeder feeder(Config(ini));
    for (int scan = 0; scan < 2; ++scan) {
      ScanLog log = Scan(feeder);
      EXPECT_TRUE(log.pages.empty()) << ini;
      EXPECT_EQ(log.last.kind, FeedResult::kEnd) << ini;
    }
  }
  SimConfig keep;
  EXPECT_FALSE(ParseSimConfig("[Feeder]\nEmpty=2\n", &keep, nullptr));
  EXPECT_FALSE(keep.empty);
}

TEST(SimFeeder, BlankPagesOnRequest) {
  SimFeeder feeder(Config("[Feeder]\nSheets=2\nDuplex=1\nBlank=2,4\n"));
  feeder.BeginScan();
  std::vector<bool> blank;
  for (FeedResult r = feeder.NextPage(); r.kind == FeedResult::kPage; r = feeder.NextPage()) {
    blank.push_back(r.blank);
    feeder.PageDone();
  }
  EXPECT_EQ(blank, (std::vector<bool>{false, true, false, true}));
  SimConfig keep;
  EXPECT_FALSE(ParseSimConfig("[Feeder]\nBlank=2,x\n", &keep, nullptr));
  EXPECT_FALSE(ParseSimConfig("[Feeder]\nBlank=0\n", &keep, nullptr));
  EXPECT_TRUE(keep.blankPages.empty());
}

TEST(SimFeeder, EmptyFeederIsNoPaper) {
  SimFeeder feeder(Config("[Feeder]\nSheets=1\n"));
  Scan(feeder);
  ScanLog again = Scan(feeder);
  EXPECT_TRUE(again.pages.empty());
  EXPECT_EQ(again.last.kind, FeedResult::kFault);
  EXPECT_EQ(again.last.fault, Fault::NoPaper);
  EXPECT_EQ(FaultCode(again.last.fault), kSimNoPaper);
}

TEST(SimFeeder, EachFaultStrikesOnceAndLosesNoPage) {
  struct Case {
    const char* kind;
    Fault fault;
    int32_t code;
    bool midPage;
  } cases[] = {
      {"jam", Fault::PaperJam, kSimPaperJam, true},
      {"nopaper", Fault::NoPaper, kSimNoPaper, false},
      {"cancel", Fault::Cancel, kSimCancelled, false},
      {"device", Fault::DeviceError, kSimDeviceError, true},
  };
  for (const Case& c : cases) {
    SimFeeder feeder(Config(std::string("[Feeder]\nSheets=4\n[Fault]\nKind=") + c.kind + "\nPage=3\n"));
    ScanLog first = Scan(feeder);
    EXPECT_EQ(first.pages, (std::vector<int>{1, 2})) << c.kind;
    EXPECT_EQ(first.last.kind, FeedResult::kFault) << c.kind;
    EXPECT_EQ(first.last.fault, c.fault);
    EXPECT_EQ(first.last.pageNumber, 3);
    EXPECT_EQ(first.last.midPage, c.midPage) << c.kind;
    EXPECT_EQ(FaultCode(first.last.fault), c.code);
    EXPECT_TRUE(feeder.PaperPresent());
    ScanLog second = Scan(feeder);
    EXPECT_EQ(second.pages, (std::vector<int>{3, 4})) << c.kind;
    EXPECT_EQ(second.last.kind, FeedResult::kEnd);
    EXPECT_EQ(feeder.PagesDelivered(), 4);
  }
}

TEST(SimFeeder, FlatbedGivesOnePagePerScan) {
  SimFeeder feeder(Config("[Feeder]\nFlatbed=1\nSheets=0\n"));
  EXPECT_TRUE(feeder.PaperPresent());
  EXPECT_EQ(Scan(feeder).pages, (std::vector<int>{1}));
  EXPECT_EQ(Scan(feeder).pages, (std::vector<int>{2}));
}

TEST(SimConfigFile, ValuesAndErrors) {
  SimConfig c = Config(
      "; a comment\n[feeder]\r\nsheets = 12\r\nDUPLEX=1\r\nPaper=legal\r\n[Fault]\r\nKind=Jam\r\nPage=5\r\n"
      "[Sources]\nCount=1\nName1=Acme - Model X\nManufacturer1=Acme\n[Driver]\nLoadResult=-13\n"
      "ProductName=RM430\n");
  EXPECT_EQ(c.loadResult, -13);
  EXPECT_EQ(c.productName, "RM430");
  EXPECT_EQ(c.sheets, 12);
  EXPECT_TRUE(c.duplex);
  EXPECT_EQ(c.paper, Paper::Legal);
  EXPECT_EQ(c.fault, Fault::PaperJam);
  EXPECT_EQ(c.faultPage, 5);
  ASSERT_EQ(c.sources.size(), 1u);
  EXPECT_EQ(c.sources[0].listName, "Acme - Model X");
  EXPECT_EQ(c.sources[0].manufacturer, "Acme");

  const char* bad[] = {"[Feeder]\nSheets=many\n", "[Feeder]\nDuplex=2\n", "[Fault]\nKind=fire\n",
                       "[Fault]\nPage=-1\n", "[Feeder]\nPaper=B5\n", "[Sources]\nCount=2\nName1=a\n",
                       "[Driver]\nProductName=0123456789012345678901234567890123\n"};
  for (const char* text : bad) {
    SimConfig keep;
    keep.sheets = 9;
    std::string error;
    EXPECT_FALSE(ParseSimConfig(text, &keep, &error)) << text;
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(keep.sheets, 9);
  }
  SimConfig none;
  EXPECT_FALSE(LoadSimConfig("no/such/file.ini", &none, nullptr));
}

TEST(SimConfigFile, DefaultsListTwoSources) {
  SimConfig c;
  EXPECT_EQ(c.sheets, 3);
  EXPECT_EQ(c.productName, "ZS-3000");
  EXPECT_EQ(c.fault, Fault::None);
  ASSERT_EQ(c.sources.size(), 2u);
  // The model sits after " - ", padded to 20 characters, then the firmware.
  const std::string& name = c.sources[0].listName;
  size_t dash = name.find(" - ");
  ASSERT_NE(dash, std::string::npos);
  EXPECT_EQ(name.substr(dash + 3 + 20), "1.04");
}
