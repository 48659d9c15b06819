// The system's save dialog itself, driven by an operator thread on the test display.
#include <windows.h>
#include <dlgs.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "ask_save_file_name.h"
#include "settings_store.h"
#include "tag_state.h"
#include "win_driver.h"

namespace {

HWND g_found = nullptr;

BOOL CALLBACK FindDialog(HWND w, LPARAM process) {
  DWORD owner = 0;
  GetWindowThreadProcessId(w, &owner);
  char cls[32] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (owner == static_cast<DWORD>(process) && std::string(cls) == "#32770" && IsWindowVisible(w)) {
    g_found = w;
    return FALSE;
  }
  return TRUE;
}

HWND WaitForSaveDialog() {
  for (int i = 0; i < 300; ++i) {
    g_found = nullptr;
    EnumWindows(FindDialog, static_cast<LPARAM>(GetCurrentProcessId()));
    if (g_found) return g_found;
    Sleep(50);
  }
  return nullptr;
}

HWND FileNameField(HWND dlg) {
  for (int id : {cmb13, edt1})
    if (HWND w = GetDlgItem(dlg, id)) return w;
  return nullptr;
}

class SaveDialogWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
    ResetSettingsStore();
    CreateDirectoryA("c:\\temp", nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    record.Count = 3;
    record.Choices = formats;
  }
  void TearDown() override {
    if (operatorThread.joinable()) operatorThread.join();
    RemoveDirectoryA(folder.c_str());
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
  }

  std::string folder = "c:\\temp\\pavlot_save_dialog";
  uint16_t formats[3] = {0, 2, 3};
  TagState record;
  char name[kSaveFileNameSize] = {};
  std::thread operatorThread;
  bool sawDialog = false;
  int filterLines = -1;
  bool pictured = false;
};

TEST_F(SaveDialogWindow, ChoosingTheSecondFilterAndANameSetsFormatNameAndFolder) {
  const std::string target = folder + "\\scan.jpg";
  operatorThread = std::thread([&] {
    HWND dlg = WaitForSaveDialog();
    if (!dlg) return;
    sawDialog = true;
    filterLines = static_cast<int>(SendDlgItemMessageA(dlg, cmb1, CB_GETCOUNT, 0, 0));
    SendDlgItemMessageA(dlg, cmb1, CB_SETCURSEL, 1, 0);
    // What the combo box tells its dialog when a user picks a line.
    for (WORD code : {WORD(CBN_SELCHANGE), WORD(CBN_SELENDOK)})
      SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(cmb1, code), reinterpret_cast<LPARAM>(GetDlgItem(dlg, cmb1)));
    SetWindowTextA(FileNameField(dlg), target.c_str());
    RedrawWindow(dlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    Sleep(500);
    pictured = windriver::KeepScreen(dlg, "library_save_dialog.png");
    PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDOK)));
  });
  const int32_t answer = AskSaveFileName(nullptr, name, &record);
  operatorThread.join();
  ASSERT_TRUE(sawDialog);
  EXPECT_TRUE(pictured);
  EXPECT_EQ(filterLines, 3);
  EXPECT_NE(answer, 0);
  EXPECT_STRCASEEQ(name, target.c_str());
  EXPECT_EQ(record.Current, 2u);
  char stored[200] = {};
  ReadSetting(kGeneralKey, kDefaultPathValue, stored, kSettingString, sizeof stored);
  EXPECT_STRCASEEQ(stored, (folder + "\\").c_str());
}

TEST_F(SaveDialogWindow, CancelAnswersZero) {
  operatorThread = std::thread([&] {
    HWND dlg = WaitForSaveDialog();
    if (!dlg) return;
    sawDialog = true;
    PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDCANCEL)));
  });
  EXPECT_EQ(AskSaveFileName(nullptr, name, &record), 0);
  operatorThread.join();
  ASSERT_TRUE(sawDialog);
  EXPECT_STREQ(name, "");
  EXPECT_EQ(record.Current, 0u);
}

// The folder chosen last time has gone: the dialog opens all the same, and a cancel is a cancel.
TEST_F(SaveDialogWindow, AFolderChosenLastTimeThatIsGoneStillShowsTheDialog) {
  const std::string gone = folder + "\\gone\\";
  RemoveDirectoryA(gone.c_str());
  WriteSettingString(kGeneralKey, kDefaultPathValue, gone.c_str());
  operatorThread = std::thread([&] {
    HWND dlg = WaitForSaveDialog();
    if (!dlg) return;
    sawDialog = true;
    PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDCANCEL)));
  });
  EXPECT_EQ(AskSaveFileNameResult(nullptr, name, &record), SaveDialogResult::Cancelled);
  operatorThread.join();
  EXPECT_TRUE(sawDialog) << "no save dialog with the remembered folder gone";
}

}  // namespace
