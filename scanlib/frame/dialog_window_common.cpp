#include "dialog_window_common.h"

#include <cstdlib>

#include "library_state.h"
#include "localisation.h"
#include "settings_dialog_ids.h"
#include "status_codes.h"

const char* DialogTemplateFor(LibraryDialog dialog, HWND owner) {
  TEXTMETRICA tm{};
  HDC dc = GetDC(owner);
  if (dc) {
    GetTextMetricsA(dc, &tm);
    ReleaseDC(owner, dc);
  }
  const TemplateChoice t = ChooseDialogTemplate(dialog, GetSystemMetrics(SM_CXSCREEN),
                                                tm.tmDigitizedAspectY, tm.tmHeight);
  if (!t.name) MessageBoxA(nullptr, kScreenRefusedText, "", MB_OK | MB_ICONWARNING);
  return t.name;
}

INT_PTR RunLibraryDialog(LibraryDialog dialog, HWND owner, DLGPROC proc, LPARAM param) {
  const char* name = DialogTemplateFor(dialog, owner);
  if (!name) return kZebNotBound;
  // A Unicode dialog, so that its texts show whatever the ANSI code page holds.
  const INT_PTR rc = DialogBoxParamW(gLib.module, WideOfUtf8(name).c_str(), owner, proc, param);
  return rc <= 0 ? kZebNotBound : rc;
}

namespace {

BOOL CALLBACK SetFontOf(HWND child, LPARAM font) {
  SendMessageA(child, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
  return TRUE;
}

}  // namespace

void ApplyDialogTexts(HWND dlg, DialogTexts texts, const TextSource& text) {
  if (gLib.font) EnumChildWindows(dlg, SetFontOf, reinterpret_cast<LPARAM>(gLib.font));
  for (size_t i = 0; i < texts.count; ++i) {
    const DialogText& t = texts.items[i];
    const std::string s = text(t.key, t.fallback, kDialogTextBytes);
    if (t.id == 0) SetWindowTextW(dlg, WideOfUtf8(s).c_str());
    else SetDlgItemTextW(dlg, t.id, WideOfUtf8(s).c_str());
  }
}

void FillLabels(HWND dlg, int id, const std::vector<LabelEntry>& entries, int selected) {
  SendDlgItemMessageA(dlg, id, CB_RESETCONTENT, 0, 0);
  for (const LabelEntry& e : entries)
    SendDlgItemMessageW(dlg, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideOfUtf8(e.label).c_str()));
  SendDlgItemMessageA(dlg, id, CB_SETCURSEL, selected, 0);
}

void FillTexts(HWND dlg, int id, const std::vector<std::string>& texts, int selected) {
  SendDlgItemMessageA(dlg, id, CB_RESETCONTENT, 0, 0);
  for (const std::string& t : texts)
    SendDlgItemMessageA(dlg, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t.c_str()));
  SendDlgItemMessageA(dlg, id, CB_SETCURSEL, selected, 0);
}

int SelectedEntry(HWND dlg, int id) {
  const LRESULT i = SendDlgItemMessageA(dlg, id, CB_GETCURSEL, 0, 0);
  return i == CB_ERR ? -1 : static_cast<int>(i);
}

void Enable(HWND dlg, int id, bool on) { EnableWindow(GetDlgItem(dlg, id), on); }
void Check(HWND dlg, int id, bool on) { CheckDlgButton(dlg, id, on ? BST_CHECKED : BST_UNCHECKED); }
bool IsChecked(HWND dlg, int id) { return IsDlgButtonChecked(dlg, id) == BST_CHECKED; }

void SetNumber(HWND dlg, int id, int32_t v) {
  char text[16];
  wsprintfA(text, "%d", static_cast<int>(v));
  SetDlgItemTextA(dlg, id, text);
}

std::string ItemText(HWND dlg, int id) {
  char text[128] = {};
  GetDlgItemTextA(dlg, id, text, sizeof text);
  return text;
}

void CheckOneOf(HWND dlg, std::initializer_list<int> ids, int chosen) {
  int i = 0;
  for (int id : ids) Check(dlg, id, i++ == chosen);
}

void ShowPageSide(HWND dlg, int side, bool bothEnabled, bool rearEnabled) {
  Enable(dlg, IDC_SIDE_BOTH, bothEnabled);
  Enable(dlg, IDC_SIDE_REAR, rearEnabled);
  CheckOneOf(dlg, {IDC_SIDE_FRONT, IDC_SIDE_BOTH, IDC_SIDE_REAR}, side);
}

void ShowLayout(HWND dlg, bool landscape, bool landscapeEnabled) {
  Enable(dlg, IDC_LANDSCAPE, landscapeEnabled);
  CheckOneOf(dlg, {IDC_PORTRAIT, IDC_LANDSCAPE}, landscape ? 1 : 0);
}

void ShowScrollLevel(HWND dlg, int bar, int32_t min, int32_t max, int32_t value, bool enabled) {
  HWND b = GetDlgItem(dlg, bar);
  SetScrollRange(b, SB_CTL, min, max, FALSE);
  SetScrollPos(b, SB_CTL, value, TRUE);
  EnableWindow(b, enabled);
}

bool EndOnOkOrCancel(HWND dlg, int id, bool* accepted) {
  if (id != IDOK && id != IDCANCEL) return false;
  if (id == IDOK && accepted) *accepted = true;
  EndDialog(dlg, id);
  return true;
}

int32_t ScrolledPosition(HWND bar, int request, int32_t current, int32_t min, int32_t max) {
  int32_t v = current;
  switch (request) {
    case SB_LINELEFT: v = current - 1; break;
    case SB_LINERIGHT: v = current + 1; break;
    case SB_PAGELEFT: v = current - 10; break;
    case SB_PAGERIGHT: v = current + 10; break;
    case SB_LEFT: v = min; break;
    case SB_RIGHT: v = max; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      SCROLLINFO si{};
      si.cbSize = sizeof si;
      si.fMask = SIF_TRACKPOS;
      GetScrollInfo(bar, SB_CTL, &si);
      v = si.nTrackPos;
      break;
    }
    default: break;
  }
  return v < min ? min : v > max ? max : v;
}
