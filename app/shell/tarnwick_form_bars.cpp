// The main window's toolbar (ImageToolBar with ImageList1 from "TOOLBAR") and status bar.
#include <windows.h>

#include <commctrl.h>

#include "main_menu_items.h"
#include "resource_texts.h"
#include "tarnwick_form.h"
#include "tarnwick_ids.h"

namespace tarnwick {

void TTarnwickForm::CreateBars() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  ImageToolBar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                                 WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP,
                                 0, 0, 0, 0, handle_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_IMAGETOOLBAR)),
                                 instance, nullptr);
  SendMessageW(ImageToolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(ImageToolBar, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 16));
  for (int i = 0; i < kToolButtonCount; ++i) {
    const ToolButtonText& b = kToolButtons[i];
    TBBUTTON button{};
    if (b.command == 0) {
      button.fsStyle = TBSTYLE_SEP;
      button.iBitmap = 8;
    } else {
      button.iBitmap = b.imageIndex;
      button.idCommand = b.command;
      button.fsStyle = TBSTYLE_BUTTON;
      button.fsState = 0;  // disabled until a scanner or a batch is there
    }
    SendMessageW(ImageToolBar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
  }
  SendMessageW(ImageToolBar, TB_AUTOSIZE, 0, 0);

  StatusBar1 = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP,
                               0, 0, 0, 0, handle_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUSBAR1)),
                               instance, nullptr);
  int edges[2] = {300, -1};  // panel 0 300 pixels, panel 1 the rest (designed 50)
  SendMessageW(StatusBar1, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
}

void TTarnwickForm::LoadToolbarImages() {
  if (ImageList1) return;
  ImageList1 = ImageList_LoadImageW(GetModuleHandleW(nullptr), L"TOOLBAR", 16, 0,
                                    kToolbarMaskColor, IMAGE_BITMAP, LR_CREATEDIBSECTION);
  if (!ImageList1) return;
  SendMessageW(ImageToolBar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(ImageList1));
  for (int i = 0; i < kToolButtonCount; ++i)
    if (kToolButtons[i].command)
      SendMessageW(ImageToolBar, TB_CHANGEBITMAP, kToolButtons[i].command, kToolButtons[i].imageIndex);
  InvalidateRect(ImageToolBar, nullptr, TRUE);
}

void TTarnwickForm::SetToolBarEnabled(bool enabled) {
  for (int i = 0; i < kToolButtonCount; ++i)
    if (kToolButtons[i].command)
      SendMessageW(ImageToolBar, TB_ENABLEBUTTON, kToolButtons[i].command, MAKELONG(enabled, 0));
}

std::wstring TTarnwickForm::HintOf(int command) const {
  for (int i = 0; i < kToolButtonCount; ++i)
    if (kToolButtons[i].command == command && command != 0) return TextW(kToolButtons[i].hintId);
  return std::wstring();
}

}  // namespace tarnwick
