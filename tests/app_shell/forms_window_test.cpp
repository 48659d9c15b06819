// The small dialogs as real windows: their texts from the string table, the open-batch
// dialog's folder list driven by clicks, the prepare-scanner group as the scanner allows it,
// and a picture of each kept in the build folder.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "about_form.h"
#include "conb_form.h"
#include "dlg_form.h"
#include "forms_ids.h"
#include "open_form.h"
#include "resource_texts.h"
#include "win_driver.h"

using namespace tarnwick;

namespace {

std::wstring ItemText(HWND dialog, int id) {
  return windriver::Wide(windriver::WindowText(GetDlgItem(dialog, id)));
}

// A picture in the build's screens folder (build/screens or build/x64/screens).
void KeepPicture(HWND window, const char* name) {
  windriver::PumpMessagesFor(300);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  windriver::PumpMessagesFor(300);
  EXPECT_TRUE(windriver::KeepScreen(window, name)) << name;
}

SIZE ClientOf(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  return SIZE{r.right, r.bottom};
}

TEST(FormsWindow, AboutBoxShowsVersionNoticesAndItsSize) {
  TAboutForm about;
  ASSERT_TRUE(about.ShowModeless(nullptr));
  HWND w = about.Handle();
  EXPECT_EQ(windriver::Wide(windriver::WindowText(w)), L"关于 Folvex");
  EXPECT_EQ(ItemText(w, IDC_ABOUT_LABEL1), L"Folvex 1.6.4 " + TextW(102));
  EXPECT_NE(ItemText(w, IDC_ABOUT_LABEL1).find(L'\n'), std::wstring::npos);
  EXPECT_EQ(ItemText(w, IDC_ABOUT_LABEL2), TextW(103));
  EXPECT_EQ(ItemText(w, IDC_ABOUT_LABEL4), TextW(105));
  EXPECT_EQ(ItemText(w, IDOK), L"确定");
  EXPECT_EQ(ClientOf(w).cx, 502);
  EXPECT_EQ(ClientOf(w).cy, 409);
  KeepPicture(w, "app_shell_about.png");
  about.CloseModeless();
}

TEST(FormsWindow, PrepareScannerShowsTheCountAndTheGroupAsTheScannerAllows) {
  TConBForm conb;
  conb.SetPageInfo(7);
  conb.feederAvailable = false;
  conb.scanMethodForced = true;  // a flatbed-only scanner
  conb.scanMethodSetting = 1;
  ASSERT_TRUE(conb.ShowModeless(nullptr));
  HWND w = conb.Handle();
  EXPECT_EQ(windriver::Wide(windriver::WindowText(w)), L"准备扫瞄");
  EXPECT_EQ(ItemText(w, IDC_PAGEINFLBL), L"目前己扫瞄 7   页");
  EXPECT_EQ(ItemText(w, IDOK), L"继续扫瞄");
  EXPECT_EQ(ItemText(w, IDCANCEL), L"停止扫瞄");
  EXPECT_EQ(ItemText(w, IDC_SCANMETHODGROUP), L"扫瞄方式");
  EXPECT_EQ(ItemText(w, IDC_SCANMETHOD_FEEDER), L"ADF");
  EXPECT_EQ(ItemText(w, IDC_SCANMETHOD_FLATBED), L"平台");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(w, IDC_SCANMETHOD_FLATBED)));
  EXPECT_EQ(IsDlgButtonChecked(w, IDC_SCANMETHOD_FLATBED), BST_CHECKED);
  conb.SetCanBtnEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(w, IDCANCEL)));
  EXPECT_EQ(ClientOf(w).cx, 317);
  EXPECT_EQ(ClientOf(w).cy, 188);
  EXPECT_EQ(windriver::CutTexts(w), std::vector<std::string>{});
  KeepPicture(w, "app_shell_prepare_scanner.png");
  conb.CloseModeless();
  EXPECT_EQ(conb.ScanMethod(), 1);
}

TEST(FormsWindow, OpenBatchOpensAFolderOnlyOnADoubleClick) {
  CreateDirectoryW(L"c:\\temp", nullptr);
  CreateDirectoryW(L"c:\\temp\\app_shell_open", nullptr);
  TOpenForm open;
  open.SetDirectory(L"c:\\temp");
  ASSERT_TRUE(open.ShowModeless(nullptr));
  HWND w = open.Handle();
  HWND list = GetDlgItem(w, IDC_DIRECTORYLISTBOX1);
  EXPECT_EQ(windriver::Wide(windriver::WindowText(w)), L"开启批次目录");
  EXPECT_EQ(ItemText(w, IDC_OPEN_LABEL1), L"路径");
  EXPECT_EQ(ItemText(w, IDOK), L"开启目录");
  EXPECT_EQ(ItemText(w, IDCANCEL), L"取消");
  EXPECT_EQ(ItemText(w, IDC_PATHLBL), L"目前的路径:c:\\temp");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(w, IDOK)));
  KeepPicture(w, "app_shell_open_batch.png");

  std::vector<std::string> items = windriver::ListBoxItems(list);
  int index = -1;
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i] == "app_shell_open") index = static_cast<int>(i);
  ASSERT_GE(index, 2) << "c:\\, temp, then its folders";
  // A single click: the label follows, OK stays off.
  SendMessageW(list, LB_SETCURSEL, index, 0);
  SendMessageW(w, WM_COMMAND, MAKEWPARAM(IDC_DIRECTORYLISTBOX1, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  EXPECT_EQ(ItemText(w, IDC_PATHLBL), L"目前的路径:c:\\temp\\app_shell_open");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(w, IDOK)));
  // A double click opens it and enables OK.
  SendMessageW(w, WM_COMMAND, MAKEWPARAM(IDC_DIRECTORYLISTBOX1, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(w, IDOK)));
  EXPECT_EQ(open.Directory(), L"c:\\temp\\app_shell_open");
  EXPECT_EQ(windriver::ListBoxItems(list).size(), 3u);  // c:\, temp, app_shell_open
  open.CloseModeless();
  RemoveDirectoryW(L"c:\\temp\\app_shell_open");
}

TEST(FormsWindow, InformationNoteShowsTheCallersText) {
  TDlgForm note(nullptr);
  HWND w = note.Handle();
  ASSERT_NE(w, nullptr);
  note.SetText(TextW(1021));
  note.Update();
  EXPECT_EQ(windriver::Wide(windriver::WindowText(w)), L"Information");
  EXPECT_EQ(ItemText(w, IDC_DLG_LABEL1), L"转换 PDF 档案,请稍后...");
  RECT outer;
  GetWindowRect(w, &outer);
  EXPECT_EQ(outer.right - outer.left, 409);
  EXPECT_EQ(outer.bottom - outer.top, 154);
  KeepPicture(w, "app_shell_information.png");
}

DWORD WINAPI ShowErrorBox(void*) {
  return static_cast<DWORD>(MessageBoxW(nullptr, L"发生扫瞄错误!!", L"Folvex", MB_OKCANCEL | MB_ICONERROR));
}

TEST(FormsWindow, TheDriverAnswersAMessageBoxAndReadsItsText) {
  HANDLE shown = CreateThread(nullptr, 0, &ShowErrorBox, nullptr, 0, nullptr);
  std::string text;
  ASSERT_TRUE(windriver::AnswerMessageBox("Folvex", IDCANCEL, 10000, &text));
  EXPECT_EQ(text, "发生扫瞄错误!!");
  ASSERT_EQ(WaitForSingleObject(shown, 10000), WAIT_OBJECT_0);
  DWORD answer = 0;
  GetExitCodeThread(shown, &answer);
  EXPECT_EQ(answer, static_cast<DWORD>(IDCANCEL));
  CloseHandle(shown);
}

}  // namespace
