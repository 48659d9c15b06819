// The library's own objects linked into the test, so the global blocks an acquisition holds can
// be counted and its allocations made to fail, over the simulated scanner's zebdrv.dll.
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <fstream>

#include <cstring>
#include <string>
#include <vector>

#include "acquire_memory.h"
#include "ask_save_file_name.h"
#include "pavlot.h"
#include "tag_exports.h"

namespace {

int gPages = 0;
int32_t gAnswer = 0;

int32_t __stdcall TakePage(void* data, uint32_t*, int32_t event) {
  if (event != 1) return 0;
  EXPECT_EQ(GlobalFree(*static_cast<HGLOBAL*>(data)), nullptr);
  ++gPages;
  return gAnswer;
}

class AcquireInProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
    gPages = 0;
    gAnswer = 0;
  }
  void TearDown() override {
    FailAcquireAllocAfter(-1);
    ZebFree();
    SetEnvironmentVariableA("ZEBSIM_CONFIG", nullptr);
    DeleteFileA(settings.c_str());
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
  }
  void Start(const char* ini) {
    char folder[MAX_PATH], path[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "zip", 0, path);
    std::ofstream(path, std::ios::binary) << ini;
    settings = path;
    SetEnvironmentVariableA("ZEBSIM_CONFIG", path);
    ASSERT_EQ(ZebLoad(nullptr), 0);
    int16_t v = 1;
    ASSERT_EQ(ZebSetValue(0x9102, &v), 0);  // DIB transfer
    ASSERT_EQ(ZebSetValue(0x9202, &v), 0);  // gray
    int32_t dpi = 75;
    ASSERT_EQ(ZebSetValue(0x9200, &dpi), 0);
    ASSERT_EQ(ZebSetValue(0x9201, &dpi), 0);
    ASSERT_EQ(ZebSetValue(0x9100, &v), 0);  // feeder
  }
  std::string settings;
};

TEST_F(AcquireInProcess, TransferBufferThatCannotBeHadAnswersOutOfMemory) {
  Start("[Feeder]\nSheets=2\n");
  FailAcquireAllocAfter(0);
  EXPECT_EQ(ZebAcquire(TakePage), -9);
  EXPECT_EQ(gPages, 0);
  EXPECT_EQ(AcquireBlocksHeld(), 0);
  EXPECT_EQ(ZebAcquire(TakePage), 0) << "the sheets are still there";
  EXPECT_EQ(gPages, 2);
}

TEST_F(AcquireInProcess, PageDibThatCannotBeHadStopsTheScanAndLeaksNothing) {
  Start("[Feeder]\nSheets=3\n");
  FailAcquireAllocAfter(2);  // the transfer buffer, page 1, then page 2 fails
  EXPECT_EQ(ZebAcquire(TakePage), -9);
  EXPECT_EQ(gPages, 1);
  EXPECT_EQ(AcquireBlocksHeld(), 0);
}

TEST_F(AcquireInProcess, NoBlockIsLeftAfterAJamACancelOrAWholeScan) {
  struct Case {
    const char* ini;
    int32_t answer, result;
    int pages;
  } cases[] = {
      {"[Feeder]\nSheets=4\n[Fault]\nKind=jam\nPage=2\n", 0, -12, 1},
      {"[Feeder]\nSheets=4\n[Fault]\nKind=device\nPage=1\n", 0, -13, 0},
      {"[Feeder]\nSheets=4\n", -1, -1, 1},
      {"[Feeder]\nSheets=2\n", 0, 0, 2},
  };
  for (const Case& c : cases) {
    Start(c.ini);
    gPages = 0;
    gAnswer = c.answer;
    EXPECT_EQ(ZebAcquire(TakePage), c.result) << c.ini;
    EXPECT_EQ(gPages, c.pages) << c.ini;
    EXPECT_EQ(AcquireBlocksHeld(), 0) << c.ini;
    ZebFree();
  }
}

// The save dialog as the operator answers it: cancelled, or a name chosen.
std::string gChosen;
BOOL ShowSaveDialog(OPENFILENAMEA* dialog) {
  if (gChosen.empty()) return FALSE;
  lstrcpynA(dialog->lpstrFile, gChosen.c_str(), static_cast<int>(dialog->nMaxFile));
  return TRUE;
}
void PathTooLong(HWND, const char*) {}
const SaveDialogPort kOperator{ShowSaveDialog, PathTooLong, nullptr, nullptr};

std::vector<std::string> gFiles;
int32_t __stdcall TakeFile(void* data, uint32_t*, int32_t event) {
  if (event == 1) gFiles.push_back(static_cast<const char*>(data));
  return 0;
}

TEST_F(AcquireInProcess, FileTransferWithoutANameAsksForOneAndCancelStops) {
  Start("[Feeder]\nSheets=2\n");
  SetSaveDialogPort(&kOperator);
  int16_t fileMode = 2;
  ASSERT_EQ(ZebSetValue(0x9102, &fileMode), 0) << "file transfer, with the plug-ins beside the test";
  gChosen.clear();
  EXPECT_EQ(ZebAcquire(TakeFile), -11);
  EXPECT_EQ(AcquireBlocksHeld(), 0);
  EXPECT_TRUE(gFiles.empty());

  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  gChosen = std::string(folder) + "inprocess_scan.tif";
  const std::string first = std::string(folder) + "inprocess_scan000001.tif";
  const std::string second = std::string(folder) + "inprocess_scan000002.tif";
  DeleteFileA(first.c_str());
  DeleteFileA(second.c_str());
  EXPECT_EQ(ZebAcquire(TakeFile), 0);
  EXPECT_EQ(gFiles, (std::vector<std::string>{first, second, second}));
  EXPECT_NE(GetFileAttributesA(second.c_str()), INVALID_FILE_ATTRIBUTES);
  char name[129] = "stale";
  EXPECT_EQ(ZebGetValue(0x9302, name), 0);
  EXPECT_STREQ(name, "") << "the next file transfer asks again";
  SetSaveDialogPort(nullptr);
  DeleteFileA(first.c_str());
  DeleteFileA(second.c_str());
}

// The remembered folder is gone: the dialog is shown without it and a cancel answers -11; a
// dialog that cannot be shown at all is an error, not a cancel.
std::vector<std::string> gInitialFolders;
DWORD gDialogError = 0;
BOOL RecordFolderAndFail(OPENFILENAMEA* dialog) {
  gInitialFolders.push_back(dialog->lpstrInitialDir ? dialog->lpstrInitialDir : "<none>");
  return FALSE;
}
DWORD DialogError() { return gDialogError; }
const SaveDialogPort kFolderWatcher{RecordFolderAndFail, PathTooLong, DialogError, nullptr};

TEST_F(AcquireInProcess, FileTransferWithAGoneFolderShowsTheDialogAndAFailedDialogIsAnError) {
  Start("[Feeder]\nSheets=2\n");
  SetSaveDialogPort(&kFolderWatcher);
  int16_t fileMode = 2;
  ASSERT_EQ(ZebSetValue(0x9102, &fileMode), 0);
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string gone = std::string(temp) + "inprocess_gone_folder\\";
  RemoveDirectoryA(gone.c_str());
  HKEY key;
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Quandrix", &key), ERROR_SUCCESS);
  RegSetValueExA(key, "DefaultPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(gone.c_str()),
                 DWORD(gone.size() + 1));
  RegCloseKey(key);
  gInitialFolders.clear();
  gDialogError = 0;
  EXPECT_EQ(ZebAcquire(TakeFile), -11);
  EXPECT_EQ(gInitialFolders, std::vector<std::string>{"<none>"});
  gDialogError = 0x000B;  // CDERR_INITIALIZATION
  EXPECT_EQ(ZebAcquire(TakeFile), -1);
  EXPECT_EQ(AcquireBlocksHeld(), 0);
  EXPECT_EQ(gPages, 0);
  SetSaveDialogPort(nullptr);
}

int32_t __stdcall StartAnotherScan(void* data, uint32_t*, int32_t event) {
  if (event != 1) return 0;
  GlobalFree(*static_cast<HGLOBAL*>(data));
  ++gPages;
  gAnswer = ZebAcquire(TakePage);
  return 0;
}

// A message handled while the save dialog is open must not start a second scan.
int32_t gInnerResult = 0;
BOOL ShowSaveDialogAndClickScan(OPENFILENAMEA*) {
  gInnerResult = ZebAcquire(TakePage);
  return FALSE;
}
const SaveDialogPort kImpatientOperator{ShowSaveDialogAndClickScan, PathTooLong, nullptr, nullptr};

TEST_F(AcquireInProcess, AScanCannotStartWhileTheSaveDialogIsOpen) {
  Start("[Feeder]\nSheets=2\n");
  SetSaveDialogPort(&kImpatientOperator);
  int16_t fileMode = 2;
  ASSERT_EQ(ZebSetValue(0x9102, &fileMode), 0);
  EXPECT_EQ(ZebAcquire(TakeFile), -11);
  EXPECT_EQ(gInnerResult, -1);
  EXPECT_EQ(gPages, 0);
  SetSaveDialogPort(nullptr);
}

TEST_F(AcquireInProcess, AScanCannotStartInsideAnother) {
  Start("[Feeder]\nSheets=2\n");
  EXPECT_EQ(ZebAcquire(StartAnotherScan), 0);
  EXPECT_EQ(gAnswer, -1);
  EXPECT_EQ(gPages, 2);
  EXPECT_EQ(AcquireBlocksHeld(), 0);
}

}  // namespace
