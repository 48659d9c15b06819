// File mode with pages the library writes: the calls a plug-in gets, the names, the padding of
// short pages, the MULTIPAGE close rules, what a failure leaves on disk, and the final event.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "delivery_fixture.h"
#include "driver_flags.h"
#include "page_callback.h"
#include "page_file_writer.h"
#include "status_codes.h"
#include "tag_state.h"
#include "tag_table.h"

namespace {

struct PluginCall {
  std::string what;   // "create NAME", "save ROWS RECEIVED", "close KEEP"
};
std::vector<std::string> gCalls;
int32_t gSaveAnswer = 0;
int gFailSaveAt = -1;  // the save call (0 = first) answering gSaveAnswer

int32_t __stdcall FakeCreate(const char* name, ScanPageInfo* page, intptr_t) {
  gCalls.push_back(std::string("create ") + name + " compression " + std::to_string(page->Compression));
  std::ofstream(name, std::ios::app) << "page\n";  // a file on disk, as a plug-in makes one
  return 0;
}
int32_t __stdcall FakeSave(const void*, int32_t rowBytes, int32_t rowCount, int32_t received, int32_t) {
  const int index = static_cast<int>(std::count_if(gCalls.begin(), gCalls.end(),
                                                   [](const std::string& c) { return c.rfind("save", 0) == 0; }));
  gCalls.push_back("save " + std::to_string(rowCount) + (received ? " rows" : " white"));
  return index == gFailSaveAt ? gSaveAnswer : 0;
}
int32_t __stdcall FakeClose(int32_t keepOpen) {
  gCalls.push_back("close " + std::to_string(keepOpen));
  return 0;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class FileDeliveryTest : public DeliveryTest {
 protected:
  void SetUp() override {
    DeliveryTest::SetUp();
    SetPageFileOps(PageFileOps{FakeCreate, FakeSave, FakeClose});
    gCalls.clear();
    gFailSaveAt = -1;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder = std::string(temp) + "page_files_" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
  }
  void TearDown() override {
    for (const std::string& f : made) DeleteFileA(f.c_str());
    RemoveDirectoryA(folder.c_str());
    SetPageFileOps(PageFileOps{});
    DeliveryTest::TearDown();
  }
  // A file transfer to folder + target: feeder in use, these MULTIPAGE and FEEDERTYPE values.
  void PrepareFiles(const char* target, int32_t multiPage, int32_t feederType, bool feeder = true) {
    Prepare(kTransferFile, 40);
    const std::string name = folder + target;
    std::snprintf(fileNameTag, sizeof fileNameTag, "%s", name.c_str());
    SetCurrentInt(kRowMultiPage, multiPage);
    SetCurrentInt(kRowFeederType, feederType);
    SetCurrentInt(kRowCompression, 4);
    FeederInUse = feeder ? 1 : 0;
  }
  // One page of `rows` rows of 10 bytes, sent in one block with `code`.
  void WholePage(uint32_t rows = 3) {
    ASSERT_EQ(Info(Page(1, 8, 10, rows)), 0);
    ASSERT_EQ(Block(Rows(0, rows, 10), 1), 0);
  }
  std::string Path(const char* name) {
    made.push_back(folder + name);
    return folder + name;
  }
  std::vector<std::string> Told() const {
    std::vector<std::string> out;
    for (const AppEvent& e : events)
      if (e.event == 1) out.push_back(e.text);
    return out;
  }

  std::string folder;
  std::vector<std::string> made;
};

TEST_F(FileDeliveryTest, DuplexFilePerPageNamesSidesAndTellsEachPageAndTheLastAgain) {
  PrepareFiles("doc.tif", 0, 1);
  for (int page = 0; page < 3; ++page) WholePage();
  FinishPageFiles();
  const std::vector<std::string> names = {Path("doc000001A.tif"), Path("doc000001B.tif"), Path("doc000002A.tif")};
  EXPECT_EQ(Told(), (std::vector<std::string>{names[0], names[1], names[2], names[2]}));
  EXPECT_EQ(gCalls.front(), "create " + names[0] + " compression 4");
  EXPECT_EQ(std::count(gCalls.begin(), gCalls.end(), "close 0"), 3);
  for (const std::string& n : names) EXPECT_TRUE(Exists(n)) << n;
  EXPECT_STREQ(fileNameTag, "") << "the next file transfer asks for a name again";
}

TEST_F(FileDeliveryTest, DuplexFilePerSheetClosesAfterTheBackAndTellsOnceAtTheEnd) {
  PrepareFiles("doc.tif", 2, 1);
  WholePage();
  WholePage();
  FinishPageFiles();
  const std::string name = Path("doc000001.tif");
  EXPECT_EQ(Told(), std::vector<std::string>{name});
  EXPECT_EQ(gCalls, (std::vector<std::string>{"create " + name + " compression 4", "save 3 rows", "close 1",
                                               "create " + name + " compression 4", "save 3 rows", "close 0"}));
}

TEST_F(FileDeliveryTest, OneMultipageFileTakesEveryPageAndIsClosedAtTheEnd) {
  PrepareFiles("doc.tif", 1, 0);
  WholePage();
  WholePage();
  FinishPageFiles();
  const std::string name = Path("doc.tif");
  EXPECT_EQ(Told(), std::vector<std::string>{name});
  EXPECT_EQ(gCalls.back(), "close 0");
  EXPECT_EQ(std::count(gCalls.begin(), gCalls.end(), "close 1"), 2);
}

TEST_F(FileDeliveryTest, ShortPageIsPaddedWhiteToItsAnnouncedRows) {
  PrepareFiles("doc.tif", 0, 0);
  ASSERT_EQ(Info(Page(1, 8, 10, 9)), 0);
  ASSERT_EQ(Block(Rows(0, 2, 10), 5), 0);
  // The block held 20 bytes: white rows go two at a time until the page holds 9.
  const std::string name = Path("doc000001.tif");
  EXPECT_EQ(gCalls, (std::vector<std::string>{"create " + name + " compression 4", "save 2 rows", "save 2 white",
                                               "save 2 white", "save 2 white", "save 1 white", "close 0"}));
}

TEST_F(FileDeliveryTest, ShortBlockUnderOneRowStillPadsAndEnds) {
  PrepareFiles("doc.tif", 0, 0);
  ASSERT_EQ(Info(Page(1, 8, 10, 4)), 0);
  ASSERT_EQ(Block(Rows(0, 1, 10), 0), 0);
  ASSERT_EQ(Block({}, 5), 0);
  EXPECT_EQ(std::count(gCalls.begin(), gCalls.end(), "save 1 white"), 3);
  Path("doc000001.tif");
}

TEST_F(FileDeliveryTest, FailingPageKeepsTheCompletedPagesOfAMultipageFile) {
  PrepareFiles("doc.tif", 1, 0);
  WholePage();
  ASSERT_EQ(Info(Page(1, 8, 10, 3)), 0);
  ASSERT_EQ(Block(Rows(0, 1, 10), 0), 0);
  EXPECT_EQ(Block({}, -12), 0);
  FinishPageFiles();
  const std::string name = Path("doc.tif");
  EXPECT_TRUE(Exists(name)) << "page 1 is kept";
  EXPECT_EQ(Told(), std::vector<std::string>{name});
}

TEST_F(FileDeliveryTest, FailingPageOfItsOwnFileDeletesOnlyThatFile) {
  PrepareFiles("doc.tif", 0, 0);
  WholePage();
  ASSERT_EQ(Info(Page(1, 8, 10, 3)), 0);
  gFailSaveAt = 1;
  gSaveAnswer = -30;
  EXPECT_EQ(Block(Rows(0, 3, 10), 1), -30) << "the plug-in's failure stops the scan";
  FinishPageFiles();
  const std::string first = Path("doc000001.tif"), second = Path("doc000002.tif");
  EXPECT_TRUE(Exists(first));
  EXPECT_FALSE(Exists(second));
  EXPECT_EQ(Told(), (std::vector<std::string>{first, first})) << "the last file that exists";
}

TEST_F(FileDeliveryTest, NoFileWrittenNoFinalEvent) {
  PrepareFiles("doc.tif", 0, 0);
  ASSERT_EQ(Info(Page(1, 8, 10, 3)), 0);
  EXPECT_EQ(Block({}, -12), 0);
  FinishPageFiles();
  EXPECT_TRUE(Told().empty());
  EXPECT_FALSE(Exists(Path("doc000001.tif")));
}

TEST_F(FileDeliveryTest, ApplicationRefusingAPageDeletesItsFileAndStops) {
  PrepareFiles("doc.tif", 0, 0);
  answerToPage = -1;
  ASSERT_EQ(Info(Page(1, 8, 10, 3)), 0);
  EXPECT_EQ(Block(Rows(0, 3, 10), 1), -1);
  FinishPageFiles();
  EXPECT_FALSE(Exists(Path("doc000001.tif")));
  EXPECT_EQ(Told().size(), 1u) << "no final event for a deleted file";
}

TEST_F(FileDeliveryTest, NamesNumberingWouldMakeTooLongAreRefused) {
  PrepareFiles("", 0, 1);
  std::snprintf(fileNameTag, sizeof fileNameTag, "c:\\%s.tif", std::string(117, 'x').c_str());
  EXPECT_FALSE(PageFileNamesFit());
  EXPECT_EQ(Info(Page(1, 8, 10, 3)), kZebValueRefused);
  EXPECT_TRUE(gCalls.empty());
  SetCurrentInt(kRowMultiPage, 1);
  EXPECT_TRUE(PageFileNamesFit()) << "one file keeps the name as given";
}

TEST_F(FileDeliveryTest, DriverWrittenFilesAreToldByTheirRealNames) {
  Prepare(kTransferFile);
  DriverDelivers = 1;
  FeederInUse = 1;
  SetCurrentInt(kRowFeederType, 1);
  char templateName[] = "c:\\scan\\doc.tif";
  for (int page = 0; page < 2; ++page) {
    ASSERT_EQ(Info(Page(1, 8, 10, 3)), 0);
    uint32_t baseLength = 11;
    EXPECT_EQ(PageCallback(templateName, &baseLength, 1), 0);
  }
  EXPECT_EQ(Told(), (std::vector<std::string>{"c:\\scan\\doc000001A.bmp", "c:\\scan\\doc000001B.bmp"}));
}

TEST_F(FileDeliveryTest, AFileTheEngineNamedOtherwiseIsToldAsWritten) {
  Prepare(kTransferFile);
  DriverDelivers = 1;
  FeederInUse = 0;  // the tags say flatbed; the source still reported duplex
  const std::string target = folder + "glass.tif";
  const std::string written = Path("glass000001A.bmp");
  std::ofstream(written) << "bmp";
  std::vector<char> templateName(target.begin(), target.end());
  templateName.push_back('\0');
  ASSERT_EQ(Info(Page(1, 8, 10, 3)), 0);
  uint32_t baseLength = static_cast<uint32_t>(target.size() - 4);
  EXPECT_EQ(PageCallback(templateName.data(), &baseLength, 1), 0);
  EXPECT_EQ(Told(), std::vector<std::string>{written});
}

}  // namespace
