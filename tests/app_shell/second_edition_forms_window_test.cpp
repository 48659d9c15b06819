// The second edition's small dialogs as real windows, made as the first edition's are: each one
// shows its texts from the second edition's table and is pictured in the build's screens folder.
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

void KeepPicture(HWND window, const char* name) {
  windriver::PumpMessagesFor(300);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  windriver::PumpMessagesFor(300);
  EXPECT_TRUE(windriver::KeepScreen(window, name)) << name;
}

TEST(SecondEditionForms, EachSmallDialogShowsThisEditionsTextsAndIsPictured) {
  {
    TAboutForm about;
    ASSERT_TRUE(about.ShowModeless(nullptr));
    EXPECT_EQ(ItemText(about.Handle(), IDC_ABOUT_LABEL2), TextW(103));
    EXPECT_NE(ItemText(about.Handle(), IDOK), L"确定") << "the first edition's text";
    KeepPicture(about.Handle(), "second_edition_about_form.png");
    about.CloseModeless();
  }
  {
    TConBForm conb;
    conb.SetPageInfo(7);
    ASSERT_TRUE(conb.ShowModeless(nullptr));
    EXPECT_EQ(windriver::Wide(windriver::WindowText(conb.Handle())), TextW(201));
    EXPECT_NE(ItemText(conb.Handle(), IDC_PAGEINFLBL).find(L"7"), std::wstring::npos);
    KeepPicture(conb.Handle(), "second_edition_prepare_scanner_form.png");
    conb.CloseModeless();
  }
  {
    CreateDirectoryW(L"c:\\temp", nullptr);
    TOpenForm open;
    open.SetDirectory(L"c:\\temp");
    ASSERT_TRUE(open.ShowModeless(nullptr));
    EXPECT_NE(ItemText(open.Handle(), IDC_PATHLBL).find(L"c:\\temp"), std::wstring::npos);
    KeepPicture(open.Handle(), "second_edition_open_batch.png");
    open.CloseModeless();
  }
  {
    TDlgForm note(nullptr);
    ASSERT_NE(note.Handle(), nullptr);
    note.SetText(TextW(1021));
    note.Update();
    EXPECT_EQ(ItemText(note.Handle(), IDC_DLG_LABEL1), TextW(1021));
    KeepPicture(note.Handle(), "second_edition_information.png");
  }
}

}  // namespace
