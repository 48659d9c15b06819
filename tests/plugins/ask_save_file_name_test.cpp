// The save dialog of file transfer, with the system's dialog and message replaced by scripts.
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <set>
#include <string>

#include "ask_save_file_name.h"
#include "settings_store.h"
#include "tag_state.h"

namespace {

struct DialogAnswer {
  bool ok;
  std::string path;
  DWORD filterIndex;
  DWORD error = 0;  // with ok false: why the dialog failed (0: the user cancelled)
};

struct SeenDialog {
  std::string filter;  // up to and including the closing empty pair
  std::string defaultExtension;
  std::string initialFolder;  // "<none>" when not given
  DWORD filterIndex = 0;
  DWORD flags = 0;
  DWORD fileSize = 0, titleSize = 0;
  bool fileEmpty = false;
  HWND owner = nullptr;
};

std::deque<DialogAnswer> g_answers;
std::deque<SeenDialog> g_seen;
int g_messages = 0;
DWORD g_error = 0;
std::set<std::string> g_folders = {"d:\\batch\\one\\"};  // the folders that exist

std::string FilterText(const char* filter) {
  const char* p = filter;
  while (*p) p += std::strlen(p) + 1;
  return std::string(filter, static_cast<size_t>(p - filter + 1));
}

BOOL ScriptedDialog(OPENFILENAMEA* d) {
  SeenDialog seen;
  seen.filter = FilterText(d->lpstrFilter);
  seen.defaultExtension = d->lpstrDefExt ? d->lpstrDefExt : "<none>";
  seen.initialFolder = d->lpstrInitialDir ? d->lpstrInitialDir : "<none>";
  seen.filterIndex = d->nFilterIndex;
  seen.flags = d->Flags;
  seen.fileSize = d->nMaxFile;
  seen.titleSize = d->nMaxFileTitle;
  seen.fileEmpty = d->lpstrFile && d->lpstrFile[0] == '\0' && d->lpstrFileTitle && d->lpstrFileTitle[0] == '\0';
  seen.owner = d->hwndOwner;
  g_seen.push_back(seen);
  if (g_answers.empty()) return FALSE;
  const DialogAnswer a = g_answers.front();
  g_answers.pop_front();
  g_error = a.error;
  if (!a.ok) return FALSE;
  lstrcpynA(d->lpstrFile, a.path.c_str(), static_cast<int>(d->nMaxFile));
  d->nFilterIndex = a.filterIndex;
  return TRUE;
}

void CountMessage(HWND, const char* text) {
  EXPECT_NE(std::string(text).find("128"), std::string::npos) << text;
  ++g_messages;
}

DWORD ScriptedError() { return g_error; }
bool ScriptedFolderExists(const char* folder) { return g_folders.count(folder) > 0; }

const SaveDialogPort kScripted = {ScriptedDialog, CountMessage, ScriptedError, ScriptedFolderExists};

std::string Stored(const char* name) {
  char text[200] = {};
  return ReadSetting(kGeneralKey, name, text, kSettingString, sizeof text) == 0 ? text : "<absent>";
}

class AskSaveFileNameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
    ResetSettingsStore();
    SetSaveDialogPort(&kScripted);
    g_answers.clear();
    g_seen.clear();
    g_messages = 0;
    record.Count = 3;
    record.Choices = formats;
    record.Current = 0;
  }
  void TearDown() override {
    SetSaveDialogPort(nullptr);
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
  }

  uint16_t formats[3] = {0, 2, 3};  // FILEFORMAT's items are 16-bit
  TagState record;
  char name[kSaveFileNameSize] = "unchanged";
};

TEST_F(AskSaveFileNameTest, OffersTheFormatsAndTakesTheChosenLinesFormat) {
  g_answers.push_back({true, "c:\\scans\\doc.jpg", 2});
  HWND owner = reinterpret_cast<HWND>(static_cast<intptr_t>(0x1234));
  EXPECT_NE(AskSaveFileName(owner, name, &record), 0);
  ASSERT_EQ(g_seen.size(), 1u);
  const SeenDialog& d = g_seen.front();
  using namespace std::string_literals;
  EXPECT_EQ(d.filter, "TIF(*.tif)\0*.tif\0JPEG(*.jpg)\0*.jpg\0PDF(*.pdf)\0*.pdf\0\0"s);
  EXPECT_EQ(d.defaultExtension, "tif");
  EXPECT_EQ(d.filterIndex, 1u);
  EXPECT_EQ(d.owner, owner);
  EXPECT_EQ(d.fileSize, 144u);
  EXPECT_EQ(d.titleSize, 144u);
  EXPECT_TRUE(d.fileEmpty);
  EXPECT_TRUE(d.flags & OFN_OVERWRITEPROMPT);
  EXPECT_TRUE(d.flags & OFN_SHOWHELP);
  EXPECT_EQ(d.initialFolder, "<none>");
  EXPECT_STREQ(name, "c:\\scans\\doc.jpg");
  EXPECT_EQ(RawToInt(kTagTable[kRowFileFormat].Type, static_cast<uint32_t>(record.Current)), 2);
  EXPECT_EQ(Stored(kDefaultPathValue), "c:\\scans\\");
}

TEST_F(AskSaveFileNameTest, StartsInTheFolderChosenLastTime) {
  g_answers.push_back({true, "d:\\batch\\one\\page.pdf", 3});
  g_answers.push_back({true, "d:\\batch\\two.tif", 1});
  EXPECT_NE(AskSaveFileName(nullptr, name, &record), 0);
  EXPECT_NE(AskSaveFileName(nullptr, name, &record), 0);
  ASSERT_EQ(g_seen.size(), 2u);
  EXPECT_EQ(g_seen[1].initialFolder, "d:\\batch\\one\\");
  EXPECT_EQ(Stored(kDefaultPathValue), "d:\\batch\\");
  EXPECT_EQ(record.Current, 0u);
}

TEST_F(AskSaveFileNameTest, CancelLeavesNameFormatAndFolderAlone) {
  record.Current = 3;
  g_answers.push_back({false, "", 0});
  EXPECT_EQ(AskSaveFileName(nullptr, name, &record), 0);
  EXPECT_STREQ(name, "unchanged");
  EXPECT_EQ(record.Current, 3u);
  EXPECT_EQ(Stored(kDefaultPathValue), "<absent>");
}

// The folder chosen last time may be gone (a removed stick, a deleted batch): the dialog opens in
// its own default instead of failing to open.
TEST_F(AskSaveFileNameTest, AFolderThatIsGoneIsNotOffered) {
  WriteSettingString(kGeneralKey, kDefaultPathValue, "e:\\removed\\");
  g_answers.push_back({false, "", 0});
  EXPECT_EQ(AskSaveFileNameResult(nullptr, name, &record), SaveDialogResult::Cancelled);
  ASSERT_EQ(g_seen.size(), 1u);
  EXPECT_EQ(g_seen[0].initialFolder, "<none>");
  EXPECT_EQ(Stored(kDefaultPathValue), "e:\\removed\\") << "kept until a name is chosen";
}

// A dialog that fails to open is no cancel: asked once more without the folder, then reported.
TEST_F(AskSaveFileNameTest, ADialogThatFailsIsToldFromACancel) {
  WriteSettingString(kGeneralKey, kDefaultPathValue, "d:\\batch\\one\\");
  g_answers.push_back({false, "", 0, 0x3002});  // FNERR_INVALIDFILENAME
  g_answers.push_back({true, "c:\\scans\\doc.tif", 1});
  EXPECT_EQ(AskSaveFileNameResult(nullptr, name, &record), SaveDialogResult::Chosen);
  ASSERT_EQ(g_seen.size(), 2u);
  EXPECT_EQ(g_seen[0].initialFolder, "d:\\batch\\one\\");
  EXPECT_EQ(g_seen[1].initialFolder, "<none>");
  EXPECT_STREQ(name, "c:\\scans\\doc.tif");

  g_seen.clear();
  g_answers.push_back({false, "", 0, 0x000B});  // CDERR_INITIALIZATION, with no folder to drop
  EXPECT_EQ(AskSaveFileNameResult(nullptr, name, &record), SaveDialogResult::Failed);
  EXPECT_EQ(g_seen.size(), 1u);
  // The export keeps its two answers: nothing was chosen.
  g_answers.push_back({false, "", 0, 0x000B});
  EXPECT_EQ(AskSaveFileName(nullptr, name, &record), 0);
}

TEST_F(AskSaveFileNameTest, APathTooLongForTheFileNameTagIsRefusedAndAskedAgain) {
  const std::string fits = "c:\\" + std::string(kFileNameTagLength - 7, 'a') + ".tif";  // 128 characters
  const std::string tooLong = "c:\\" + std::string(kFileNameTagLength - 6, 'b') + ".tif";
  ASSERT_EQ(fits.size(), kFileNameTagLength);
  g_answers.push_back({true, tooLong, 1});
  g_answers.push_back({true, fits, 1});
  EXPECT_NE(AskSaveFileName(nullptr, name, &record), 0);
  EXPECT_EQ(g_messages, 1);
  EXPECT_EQ(g_seen.size(), 2u);
  EXPECT_EQ(std::string(name), fits);
}

TEST_F(AskSaveFileNameTest, ATooLongPathThenCancelAnswersCancelled) {
  g_answers.push_back({true, "c:\\" + std::string(140, 'c'), 1});
  g_answers.push_back({false, "", 0});
  EXPECT_EQ(AskSaveFileName(nullptr, name, &record), 0);
  EXPECT_EQ(g_messages, 1);
  EXPECT_STREQ(name, "unchanged");
}

TEST_F(AskSaveFileNameTest, NoUsableListStillOffersOneLineAndABadIndexMapsToIt) {
  const struct {
    int32_t count;
    uint16_t current;
    const char* extension;
    int32_t chosen;
  } rows[] = {{0, 2, "jpg", 2}, {-1, 3, "pdf", 3}, {0, 5, "tif", 0}};
  for (const auto& r : rows) {
    g_seen.clear();
    record.Count = r.count;
    record.Current = r.current;
    g_answers.push_back({true, "c:\\x\\p", 7});
    EXPECT_NE(AskSaveFileName(nullptr, name, &record), 0);
    ASSERT_EQ(g_seen.size(), 1u);
    EXPECT_EQ(g_seen[0].defaultExtension, r.extension);
    EXPECT_EQ(std::count(g_seen[0].filter.begin(), g_seen[0].filter.end(), '\0'), 3);
    EXPECT_EQ(record.Current, static_cast<uintptr_t>(r.chosen));
  }
}

}  // namespace
