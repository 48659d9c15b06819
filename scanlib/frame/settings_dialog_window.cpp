#include "settings_dialog_window.h"

#include <windows.h>

#include <cstdlib>
#include <memory>

#include "area_dialog_window.h"
#include "dialog_tag_access.h"
#include "dialog_window_common.h"
#include "library_state.h"
#include "more_dialog_window.h"
#include "settings_dialog.h"
#include "settings_dialog_ids.h"
#include "status_codes.h"

namespace {

struct SettingsWindow {
  SettingsModel model;
  bool accepted = false;
};

void ShowLevel(HWND dlg, int bar, int edit, const LevelControl& l, bool text) {
  ShowScrollLevel(dlg, bar, l.min, l.max, l.value, l.isRange);
  if (text) SetNumber(dlg, edit, l.value);
}

// Every control from the model; the edit being typed in keeps its text.
void ShowAll(HWND dlg, const SettingsModel& m, int typing = 0) {
  SendDlgItemMessageA(dlg, IDC_SET_MODE, CB_SETCURSEL, m.imageTypeEntry(), 0);
  Enable(dlg, IDC_SET_DITHER, m.ditherEnabled());
  SendDlgItemMessageA(dlg, IDC_SET_DITHER, CB_SETCURSEL, m.ditherEntry(), 0);
  if (typing != IDC_SET_RES) SetNumber(dlg, IDC_SET_RES, m.resolution());
  SendDlgItemMessageA(dlg, IDC_SET_METHOD, CB_SETCURSEL, m.scanMethodEntry(), 0);
  SendDlgItemMessageA(dlg, IDC_PAGE_SIZE, CB_SETCURSEL, m.pageSizeEntry(), 0);
  ShowLayout(dlg, m.work().landscape != 0, m.landscapeEnabled());
  ShowPageSide(dlg, m.work().side, m.sideEnabled(1), m.sideEnabled(2));
  ShowLevel(dlg, IDC_SET_BRIGHT_BAR, IDC_SET_BRIGHT_EDIT, m.brightness(), typing != IDC_SET_BRIGHT_EDIT);
  ShowLevel(dlg, IDC_SET_CONTRAST_BAR, IDC_SET_CONTRAST_EDIT, m.contrast(), typing != IDC_SET_CONTRAST_EDIT);
}

void Open(HWND dlg, SettingsWindow* w) {
  const SettingsModel& m = w->model;
  ApplyDialogTexts(dlg, SettingsDialogTexts(), LibraryTexts());
  SetWindowTextA(dlg, m.caption().c_str());
  FillLabels(dlg, IDC_SET_MODE, m.imageTypes(), m.imageTypeEntry());
  FillTexts(dlg, IDC_SET_DITHER, m.dithers(), m.ditherEntry());
  SendDlgItemMessageA(dlg, IDC_SET_RES, CB_RESETCONTENT, 0, 0);
  for (int32_t dpi : m.resolutions()) {
    char text[16];
    wsprintfA(text, "%d", static_cast<int>(dpi));
    SendDlgItemMessageA(dlg, IDC_SET_RES, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  FillLabels(dlg, IDC_SET_METHOD, m.scanMethods(), m.scanMethodEntry());
  FillLabels(dlg, IDC_PAGE_SIZE, m.pageSizes(), m.pageSizeEntry());
  ShowWindow(GetDlgItem(dlg, IDC_SET_AREA), m.areaButton() ? SW_SHOW : SW_HIDE);
  ShowWindow(GetDlgItem(dlg, IDC_SET_MORE), m.moreButton() ? SW_SHOW : SW_HIDE);
  ShowWindow(GetDlgItem(dlg, IDC_SET_OTHER), SW_HIDE);
  ShowAll(dlg, m);
}

int32_t TypedNumber(HWND dlg, int id) { return std::atoi(ItemText(dlg, id).c_str()); }

bool Command(HWND dlg, SettingsWindow* w, int id, int code) {
  SettingsModel& m = w->model;
  switch (id) {
    case IDOK:
      ApplyTagWrites(m.OkWrites());
      return EndOnOkOrCancel(dlg, id, &w->accepted);
    case IDCANCEL:
      return EndOnOkOrCancel(dlg, id, &w->accepted);
    case IDC_SET_MODE:
      if (code == CBN_SELCHANGE) m.PickImageType(SelectedEntry(dlg, id));
      break;
    case IDC_SET_DITHER:
      if (code == CBN_SELCHANGE) m.PickDither(SelectedEntry(dlg, id));
      break;
    case IDC_SET_RES:
      if (code == CBN_SELCHANGE) m.PickResolution(SelectedEntry(dlg, id));
      else if (code == CBN_EDITCHANGE) m.TypeResolution(TypedNumber(dlg, id));
      else if (code == CBN_KILLFOCUS) m.EndResolutionTyping();
      else return false;
      // A picked entry reaches the edit field on its own; a typed one stays as typed.
      ShowAll(dlg, m, code == CBN_KILLFOCUS ? 0 : IDC_SET_RES);
      return true;
    case IDC_SET_METHOD:
      if (code == CBN_SELCHANGE) m.PickScanMethod(SelectedEntry(dlg, id));
      break;
    case IDC_PAGE_SIZE:
      if (code == CBN_SELCHANGE) m.PickPageSize(SelectedEntry(dlg, id));
      break;
    case IDC_PORTRAIT:
    case IDC_LANDSCAPE:
      if (code == BN_CLICKED) m.SetLandscape(id == IDC_LANDSCAPE);
      break;
    case IDC_SIDE_FRONT: m.SetSide(0); break;
    case IDC_SIDE_BOTH: m.SetSide(1); break;
    case IDC_SIDE_REAR: m.SetSide(2); break;
    case IDC_SET_BRIGHT_EDIT:
    case IDC_SET_CONTRAST_EDIT: {
      const bool bright = id == IDC_SET_BRIGHT_EDIT;
      if (code == EN_CHANGE && SendDlgItemMessageA(dlg, id, EM_GETMODIFY, 0, 0)) {
        if (bright) m.SetBrightness(TypedNumber(dlg, id));
        else m.SetContrast(TypedNumber(dlg, id));
        ShowAll(dlg, m, id);
        return true;
      }
      if (code == EN_KILLFOCUS) break;
      return false;
    }
    case IDC_SET_DEFAULT:
      m.Default();
      break;
    case IDC_SET_AREA: {
      DialogWorkRecord work = m.work();
      bool accepted = false;
      if (ShowAreaDialog(dlg, &work, &accepted) == 0 && accepted) m.AreaChosen(work);
      break;
    }
    case IDC_SET_MORE: {
      int32_t channel = m.channel();
      bool accepted = false;
      if (ShowMoreDialog(dlg, &channel, m.imageType(), &accepted) == 0 && accepted) m.ChannelChosen(channel);
      break;
    }
    default:
      return false;
  }
  ShowAll(dlg, m);
  return true;
}

void Scroll(HWND dlg, SettingsWindow* w, HWND bar, int request) {
  SettingsModel& m = w->model;
  if (bar == GetDlgItem(dlg, IDC_SET_BRIGHT_BAR)) {
    const LevelControl& l = m.brightness();
    m.SetBrightness(ScrolledPosition(bar, request, l.value, l.min, l.max));
  } else if (bar == GetDlgItem(dlg, IDC_SET_CONTRAST_BAR)) {
    const LevelControl& l = m.contrast();
    m.SetContrast(ScrolledPosition(bar, request, l.value, l.min, l.max));
  } else {
    return;
  }
  ShowAll(dlg, m);
}

INT_PTR CALLBACK ScanSettingsDlgProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  SettingsWindow* w = DialogState<SettingsWindow>(dlg, msg, lp);
  switch (msg) {
    case WM_INITDIALOG:
      Open(dlg, w);
      return TRUE;
    case WM_COMMAND:
      return w && Command(dlg, w, LOWORD(wp), HIWORD(wp)) ? TRUE : FALSE;
    case WM_HSCROLL:
      if (w) Scroll(dlg, w, reinterpret_cast<HWND>(lp), LOWORD(wp));
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

int32_t RunScanSettingsDialog(bool* accepted) {
  auto window = std::make_unique<SettingsWindow>(SettingsWindow{SettingsModel(ReadSettingsSnapshot(), LibraryTexts())});
  return RunDialogWindow(LibraryDialog::kSettings, gLib.ownerWindow, ScanSettingsDlgProc, window.get(), accepted);
}

int32_t ShowScanSettingsDialog() { return RunScanSettingsDialog(nullptr); }
