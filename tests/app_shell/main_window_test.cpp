// The main window made in process, as the program makes it: its menus in the edition's texts
// with Edit and View greyed, the toolbar's buttons with their pictures, disabled, the status
// bar's panels, Panel1 with the viewer right of the splitter, and the strip's area left of it.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "main_menu_items.h"
#include "resource_texts.h"
#include "settings_files.h"
#include "tarnwick_form.h"
#include "tarnwick_ids.h"
#include "win_driver.h"

using namespace tarnwick;

namespace {

std::wstring MenuText(HMENU menu, UINT id) {
  for (const windriver::MenuLine& line : windriver::MenuLines(menu))
    if (line.id == static_cast<int>(id)) return windriver::Wide(line.text);
  return L"<missing>";
}

bool MenuGrayed(HMENU menu, UINT id) {
  for (const windriver::MenuLine& line : windriver::MenuLines(menu))
    if (line.id == static_cast<int>(id)) return line.grayed;
  return false;
}

void FailingWrite(const std::string&, HGLOBAL, uint8_t, uint8_t, uint8_t, uint8_t, int32_t, int32_t,
                  int32_t, int16_t, void*, qm::SaveProgressProc) {
  throw std::runtime_error("disk full");
}

DWORD WINAPI AnswerCloseReport(void* text) {
  return windriver::AnswerMessageBox("Folvex", IDOK, 20000, static_cast<std::string*>(text)) ? 0 : 1;
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitCommonControls();
    settings_.Clear();
    ASSERT_TRUE(form_.Create(L""));
    form_.ShowMaximized();
    windriver::PumpMessagesFor(300);
  }
  void TearDown() override {
    if (form_.Handle()) SendMessageW(form_.Handle(), WM_CLOSE, 0, 0);
    windriver::PumpMessagesFor(50);
  }
  SettingsFiles settings_;
  TTarnwickForm form_;
};

TEST_F(MainWindowTest, MenusCarryTheEditionTextsAndEditAndViewStartGreyed) {
  HMENU menu = GetMenu(form_.Handle());
  ASSERT_NE(menu, nullptr);
  int checked = 0;
  for (int i = 0; i < kMainMenuItemCount; ++i) {
    const MenuItemText& item = kMainMenuItems[i];
    if (item.hidden) {
      EXPECT_EQ(MenuText(menu, item.command), L"<missing>") << item.name << " is hidden";
      continue;
    }
    if (item.captionId == 0) continue;
    EXPECT_EQ(MenuText(menu, item.command), TextW(item.captionId)) << item.name;
    ++checked;
  }
  EXPECT_EQ(checked, 25);
  EXPECT_EQ(MenuText(menu, IDM_FILE1), L"档案(&F)");
  EXPECT_TRUE(MenuGrayed(menu, IDM_EDIT1));
  EXPECT_TRUE(MenuGrayed(menu, IDM_VIEW1));
  EXPECT_FALSE(MenuGrayed(menu, IDM_FILE1));
  EXPECT_FALSE(MenuGrayed(menu, IDM_OPTIONS1));
  EXPECT_EQ(MenuText(form_.PopupMenu1, IDM_IMPORTIMAGE1), L"输入影像");
  EXPECT_EQ(MenuText(form_.PopupMenu1, IDM_DELETE2), L"删除");
}

TEST_F(MainWindowTest, ToolbarHasItsButtonsAndPicturesAllDisabled) {
  HWND bar = form_.ImageToolBar;
  int buttons = 0;
  for (int i = 0; i < kToolButtonCount; ++i) {
    if (!kToolButtons[i].command) continue;
    ++buttons;
    int id = kToolButtons[i].command;
    EXPECT_FALSE(SendMessageW(bar, TB_ISBUTTONENABLED, id, 0)) << kToolButtons[i].name;
    EXPECT_EQ(SendMessageW(bar, TB_GETBITMAP, id, 0), kToolButtons[i].imageIndex) << kToolButtons[i].name;
  }
  EXPECT_EQ(buttons, 14);
  auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(bar, TB_GETIMAGELIST, 0, 0));
  ASSERT_NE(images, nullptr);
  EXPECT_GE(ImageList_GetImageCount(images), kToolbarImageCount);
  form_.SetToolBarEnabled(true);
  EXPECT_TRUE(SendMessageW(bar, TB_ISBUTTONENABLED, IDB_IBDOCZOOMIN, 0));
}

TEST_F(MainWindowTest, PanesSitBetweenToolbarAndStatusBar) {
  RECT client, toolbar, status;
  GetClientRect(form_.Handle(), &client);
  GetWindowRect(form_.ImageToolBar, &toolbar);
  GetWindowRect(form_.StatusBar1, &status);
  int top = toolbar.bottom - toolbar.top, bottom = client.bottom - (status.bottom - status.top);
  EXPECT_GT(top, 15);
  EXPECT_EQ(form_.Panel1.Top(), top);
  EXPECT_EQ(form_.Panel1.Top() + form_.Panel1.Height(), bottom);
  EXPECT_EQ(form_.Panel1.Left() + form_.Panel1.Width(), client.right);
  EXPECT_EQ(form_.StripArea.Left(), 0);
  EXPECT_LT(form_.StripArea.Width(), form_.Panel1.Left());
  EXPECT_EQ(form_.QmDocumentImage1.Width(), form_.Panel1.Width());
  int parts[4] = {};
  EXPECT_EQ(SendMessageW(form_.StatusBar1, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(parts)), 2);
  EXPECT_EQ(parts[0], 300);
  EXPECT_FALSE(IsWindowVisible(form_.FileListBox1));
}

TEST_F(MainWindowTest, AToolbarButtonsHintGoesToTheFirstStatusPanel) {
  NMTBHOTITEM hot{};
  hot.hdr.hwndFrom = form_.ImageToolBar;
  hot.hdr.idFrom = IDC_IMAGETOOLBAR;
  hot.hdr.code = TBN_HOTITEMCHANGE;
  hot.idNew = IDB_IBDOCROTATE90;
  SendMessageW(form_.Handle(), WM_NOTIFY, IDC_IMAGETOOLBAR, reinterpret_cast<LPARAM>(&hot));
  EXPECT_EQ(windriver::Wide(windriver::StatusBarText(form_.StatusBar1, 0)), L"旋转 90 度");
  hot.idNew = IDB_SCAN;
  SendMessageW(form_.Handle(), WM_NOTIFY, IDC_IMAGETOOLBAR, reinterpret_cast<LPARAM>(&hot));
  EXPECT_EQ(windriver::Wide(windriver::StatusBarText(form_.StatusBar1, 0)), TextW(304));
  hot.dwFlags = HICF_LEAVING;
  SendMessageW(form_.Handle(), WM_NOTIFY, IDC_IMAGETOOLBAR, reinterpret_cast<LPARAM>(&hot));
  EXPECT_EQ(windriver::StatusBarText(form_.StatusBar1, 0), "");
}

TEST_F(MainWindowTest, DraggingTheSplitterWidensThePanelAndKeepsTheStripsQuarter) {
  RECT client;
  GetClientRect(form_.Handle(), &client);
  int width = form_.Panel1.Width(), left = form_.Panel1.Left();
  POINT at{left - 2, form_.Panel1.Top() + 50};
  HWND splitter = ChildWindowFromPointEx(form_.Handle(), at, CWP_SKIPINVISIBLE);
  ASSERT_NE(splitter, form_.Handle());
  RECT sr;
  GetWindowRect(splitter, &sr);
  MapWindowPoints(nullptr, form_.Handle(), reinterpret_cast<POINT*>(&sr), 2);
  ASSERT_EQ(sr.right, left) << "the splitter sits just left of Panel1";
  ASSERT_EQ(sr.right - sr.left, 3);
  auto drag = [&](int dx) {
    SendMessageW(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 10));
    SendMessageW(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<short>(1 + dx), 10));
    // The bar has followed the mouse: the button comes up where it was grabbed.
    SendMessageW(splitter, WM_LBUTTONUP, 0, MAKELPARAM(1, 10));
  };
  drag(-100);
  EXPECT_EQ(form_.Panel1.Width(), width + 100);
  EXPECT_EQ(form_.Panel1.Left() + form_.Panel1.Width(), client.right);
  EXPECT_EQ(form_.StripArea.Width(), form_.Panel1.Left() - 3);
  drag(-5000);  // the strip keeps at least a quarter of the window it was made in
  EXPECT_GT(form_.StripArea.Width(), 150);
  EXPECT_LT(form_.StripArea.Width(), left);
}

TEST_F(MainWindowTest, ClosingWaitsForTheSaveQueueAndReportsPagesNotWritten) {
  form_.saveQueue = std::make_unique<qm::QmSaveImageThrd>(&form_, &FailingWrite);
  for (int i = 0; i < 2; ++i) {
    HGLOBAL page = GlobalAlloc(GMEM_MOVEABLE, 64);
    form_.saveQueue->AddSaveJob("c:\\temp\\00000" + std::to_string(i) + ".bmp", page, 0, 0, 0, 0, 0, 25, 25, 10);
  }
  std::string text;
  HANDLE answer = CreateThread(nullptr, 0, &AnswerCloseReport, &text, 0, nullptr);
  SendMessageW(form_.Handle(), WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(answer, 20000), WAIT_OBJECT_0);
  DWORD answered = 1;
  GetExitCodeThread(answer, &answered);
  CloseHandle(answer);
  EXPECT_EQ(answered, 0u) << "no report of the pages not written";
  // The edition's own text, in its language.
  std::wstring expected = TextW(1037);
  ASSERT_NE(expected.find(L"%d"), std::wstring::npos);
  expected.replace(expected.find(L"%d"), 2, L"2");
  EXPECT_EQ(windriver::Wide(text), expected);
  EXPECT_EQ(text.find("were not written"), std::string::npos) << "not the English words";
  EXPECT_EQ(form_.saveQueue, nullptr);
  EXPECT_EQ(form_.Handle(), nullptr);
}

}  // namespace
