#include "source_dialog_window.h"

#include <windows.h>

#include "driver_calls.h"
#include "library_state.h"
#include "source_dialog_ids.h"
#include "source_info.h"
#include "source_settings.h"
#include "version_text.h"

namespace {

struct DialogState {
  const std::vector<SourceEntry>* entries;
  int preselected;
  SourceDialogAnswer answer;
};

struct InfoState {
  std::vector<std::string> lines;
  std::string caption;
};

void EnableChoice(HWND dlg, bool on) {
  EnableWindow(GetDlgItem(dlg, IDOK), on);
  EnableWindow(GetDlgItem(dlg, IDC_SOURCE_SETUP), on);
}

INT_PTR CALLBACK InfoDlg(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_INITDIALOG) {
    auto* info = reinterpret_cast<InfoState*>(lp);
    for (const std::string& line : info->lines)
      SendDlgItemMessageA(dlg, IDC_SOURCE_INFO_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    if (!info->caption.empty()) SetWindowTextA(dlg, info->caption.c_str());
    return TRUE;
  }
  if (msg == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
    EndDialog(dlg, LOWORD(wp));
    return TRUE;
  }
  return FALSE;
}

void ShowSourceInfo(HWND dlg, const SourceEntry& e) {
  if (e.kind == kDriverIsis) {
    SetUpIsisDriver(e, dlg);  // the driver's own window; its result is not the dialog's business
    return;
  }
  InfoState info;
  if (e.kind == kDriverMaker) {
    KSSourceRecord rec = e.record;
    lstrcpynA(rec.ListName, e.text.c_str(), sizeof(rec.ListName));
    CallKSSetDriverById(&rec, e.index);
    std::string self = ModulePath(gLib.module);
    info.lines = KSSourceInfoLines(rec, GetFileVersionText("ZebDrv.dll").version,
                                   GetFileVersionText(self.c_str()));
    info.caption = e.text;
  } else {
    gLib.sourceIdentity = TW_IDENTITY{};
    SourceNameToProductName(e.text.c_str(), &gLib.sourceIdentity);
    if (CallTWAINOpenDS() == 0) {
      info.lines = TWAINSourceInfoLines(gLib.sourceIdentity);
      info.caption = e.text;
    }
    CallTWAINCloseDS();
  }
  DialogBoxParamA(gLib.module, "TWAINSOURCEINFO", dlg, InfoDlg, reinterpret_cast<LPARAM>(&info));
}

INT_PTR CALLBACK SourceDlg(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrA(dlg, DWLP_USER));
  switch (msg) {
    case WM_INITDIALOG: {
      state = reinterpret_cast<DialogState*>(lp);
      SetWindowLongPtrA(dlg, DWLP_USER, lp);
      for (const SourceEntry& e : *state->entries)
        SendDlgItemMessageA(dlg, IDC_SOURCE_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.text.c_str()));
      SendDlgItemMessageA(dlg, IDC_SOURCE_LIST, LB_SETCURSEL, state->preselected, 0);
      EnableChoice(dlg, !state->entries->empty() && state->preselected >= 0);
      return TRUE;
    }
    case WM_COMMAND: {
      if (!state) return FALSE;
      int selection = static_cast<int>(SendDlgItemMessageA(dlg, IDC_SOURCE_LIST, LB_GETCURSEL, 0, 0));
      if (selection == LB_ERR) selection = -1;
      switch (LOWORD(wp)) {
        case IDOK:
        case IDCANCEL:
          state->answer = {LOWORD(wp) == IDOK, selection, true};
          EndDialog(dlg, LOWORD(wp));
          return TRUE;
        case IDC_SOURCE_SETUP:
          if (selection >= 0) ShowSourceInfo(dlg, (*state->entries)[selection]);
          return TRUE;
        case IDC_SOURCE_LIST:
          if (HIWORD(wp) == LBN_SELCHANGE) EnableChoice(dlg, selection >= 0);
          return TRUE;
      }
      return FALSE;
    }
  }
  return FALSE;
}

}  // namespace

SourceDialogAnswer RunSourceListWindow(const std::vector<SourceEntry>& entries, int preselected) {
  DialogState state{&entries, preselected, {false, preselected, true}};
  INT_PTR rc = DialogBoxParamA(gLib.module, "SELECTSOURCE", gLib.ownerWindow, SourceDlg,
                               reinterpret_cast<LPARAM>(&state));
  if (rc <= 0) return {false, preselected, false};  // the dialog could not be made
  return state.answer;
}
