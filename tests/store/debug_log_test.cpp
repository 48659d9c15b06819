#include <string>

#include "debug_log.h"
#include "settings_store.h"
#include "store_fixture.h"

namespace {

class DebugLog : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    folder_ = MakeTempFolder("tarnwick-log");
    DeleteFileA((folder_ + kLogFileName).c_str());
    WriteSettingString(kGeneralKey, "SAVEPATH", folder_.c_str());
  }
  void TearDown() override {
    DeleteFileA((folder_ + kLogFileName).c_str());
    StoreTest::TearDown();
  }
  void SetLevel(int level) { WriteSettingInt(kGeneralKey, "DEBUGLEVEL", level); }
  void WriteOneOfEach() {
    LogIn("ZebLoad");
    LogDetail("XRes", "prop.", 300);
    LogTiming("Acquire", "T");
    LogOut("ZebLoad", 0);
  }
  std::string Log() { return ReadFile(folder_ + kLogFileName); }
  std::string folder_;
};

TEST_F(DebugLog, LevelsFilterLines) {
  struct Case { int level; int lines; bool detail; bool timing; } cases[] = {
      {0, 0, false, false}, {1, 2, false, false}, {2, 3, true, false}, {3, 4, true, true}};
  for (const auto& c : cases) {
    DeleteFileA((folder_ + kLogFileName).c_str());
    SetLevel(c.level);
    WriteOneOfEach();
    std::string log = Log();
    int lines = 0;
    for (size_t p = 0; (p = log.find("\r\n", p)) != std::string::npos; p += 2) ++lines;
    EXPECT_EQ(lines, c.lines) << "level " << c.level;
    EXPECT_EQ(log.find("prop.  1: XRes : 300 \r\n") != std::string::npos, c.detail) << c.level;
    EXPECT_EQ(log.find("T  Acquire - milliseconds: ") != std::string::npos, c.timing) << c.level;
  }
}

TEST_F(DebugLog, LinesAreAppendedInOrder) {
  SetLevel(1);
  LogIn("ZebFree");
  LogOut("ZebFree", 0);
  EXPECT_EQ(Log(), "In   1: ZebFree : \r\nOut  1: ZebFree : 0 \r\n");
}

TEST_F(DebugLog, SavePathIsAPrefix) {
  std::string bare = folder_.substr(0, folder_.size() - 1);  // no trailing backslash
  WriteSettingString(kGeneralKey, "SAVEPATH", bare.c_str());
  SetLevel(1);
  std::string glued = bare + kLogFileName;
  DeleteFileA(glued.c_str());
  LogIn("ZebLoad");
  EXPECT_EQ(ReadFile(glued), "In   1: ZebLoad : \r\n");
  EXPECT_EQ(Log(), "");
  DeleteFileA(glued.c_str());
}

TEST_F(DebugLog, UnwritableLogLosesTheLineQuietly) {
  WriteSettingString(kGeneralKey, "SAVEPATH", "Q:\\no\\such\\folder\\");
  SetLevel(1);
  LogIn("ZebLoad");  // must not crash or throw
  SUCCEED();
}

}  // namespace
