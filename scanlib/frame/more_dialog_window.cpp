#include "more_dialog_window.h"

#include <memory>

#include "dialog_tag_access.h"
#include "dialog_window_common.h"
#include "more_dialog.h"
#include "more_dialog_ids.h"
#include "status_codes.h"

namespace {

struct MoreWindow {
  MoreModel model;
  bool accepted = false;
};

void ShowLevel(HWND dlg, int box, int bar, int label, const LevelOption& o) {
  Enable(dlg, box, o.boxEnabled);
  Check(dlg, box, o.on);
  ShowScrollLevel(dlg, bar, o.min, o.max, o.level, o.on);
  Enable(dlg, label, o.on);
  SetNumber(dlg, label, o.level);
}

void ShowAll(HWND dlg, const MoreModel& m) {
  CheckOneOf(dlg, {IDC_MORE_GRAYWHITE, IDC_MORE_RED, IDC_MORE_GREEN, IDC_MORE_BLUE}, m.channel());
  Enable(dlg, IDC_MORE_WHITE_BACK, m.backgroundEnabled());
  Enable(dlg, IDC_MORE_BLACK_BACK, m.backgroundEnabled());
  CheckOneOf(dlg, {IDC_MORE_WHITE_BACK, IDC_MORE_BLACK_BACK}, m.background());
  Check(dlg, IDC_MORE_LAMP, m.energy() != 0);
  Enable(dlg, IDC_MORE_MINUTES, m.energy() != 0);
  Check(dlg, IDC_MORE_INVERT, m.invert());
  Check(dlg, IDC_MORE_AUTOCROP, m.autoCrop());
  Check(dlg, IDC_MORE_DESKEW, m.deskew());
  Check(dlg, IDC_MORE_MIRROR, m.mirror());
  ShowLevel(dlg, IDC_MORE_SHARPEN, IDC_MORE_SHARPEN_BAR, IDC_MORE_SHARPEN_LEVEL, m.sharpen());
  ShowLevel(dlg, IDC_MORE_DESCREEN, IDC_MORE_DESCREEN_BAR, IDC_MORE_DESCREEN_LEVEL, m.descreen());
}

void Open(HWND dlg, MoreWindow* w) {
  ApplyDialogTexts(dlg, MoreDialogTexts(), LibraryTexts());
  SetNumber(dlg, IDC_MORE_MINUTES, w->model.energy());
  for (int id : {IDC_MORE_AUTOCROP, IDC_MORE_DESKEW, IDC_MORE_MIRROR, IDC_MORE_CUSTOM}) Enable(dlg, id, false);
  ShowAll(dlg, w->model);
}

bool Command(HWND dlg, MoreWindow* w, int id) {
  MoreModel& m = w->model;
  switch (id) {
    case IDOK:
      ApplyTagWrites(m.OkWrites());
      return EndOnOkOrCancel(dlg, id, &w->accepted);
    case IDCANCEL:
      return EndOnOkOrCancel(dlg, id, &w->accepted);
    case IDC_MORE_GRAYWHITE: case IDC_MORE_RED: case IDC_MORE_GREEN: case IDC_MORE_BLUE:
      m.SetChannel(id - IDC_MORE_GRAYWHITE);
      break;
    case IDC_MORE_WHITE_BACK: case IDC_MORE_BLACK_BACK:
      m.SetBackground(id - IDC_MORE_WHITE_BACK);
      break;
    case IDC_MORE_LAMP: m.ToggleLamp(); break;
    case IDC_MORE_INVERT: m.ToggleInvert(); break;
    case IDC_MORE_AUTOCROP: m.ToggleAutoCrop(); break;
    case IDC_MORE_SHARPEN: m.ToggleSharpen(); break;
    case IDC_MORE_DESCREEN: m.ToggleDescreen(); break;
    default:
      return false;
  }
  ShowAll(dlg, m);
  return true;
}

void Scroll(HWND dlg, MoreWindow* w, HWND bar, int request) {
  MoreModel& m = w->model;
  if (bar == GetDlgItem(dlg, IDC_MORE_SHARPEN_BAR)) {
    const LevelOption& o = m.sharpen();
    m.SetSharpenLevel(ScrolledPosition(bar, request, o.level, o.min, o.max));
  } else if (bar == GetDlgItem(dlg, IDC_MORE_DESCREEN_BAR)) {
    const LevelOption& o = m.descreen();
    m.SetDescreenLevel(ScrolledPosition(bar, request, o.level, o.min, o.max));
  } else {
    return;
  }
  ShowAll(dlg, m);
}

INT_PTR CALLBACK MoreDlgProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  MoreWindow* w = DialogState<MoreWindow>(dlg, msg, lp);
  switch (msg) {
    case WM_INITDIALOG:
      Open(dlg, w);
      return TRUE;
    case WM_COMMAND:
      return w && HIWORD(wp) == BN_CLICKED && Command(dlg, w, LOWORD(wp)) ? TRUE : FALSE;
    case WM_HSCROLL:
      if (w) Scroll(dlg, w, reinterpret_cast<HWND>(lp), LOWORD(wp));
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

int32_t ShowMoreDialog(HWND parent, int32_t* channel, int32_t imageType, bool* accepted) {
  const int32_t current = channel ? *channel : 0;
  auto window = std::make_unique<MoreWindow>(MoreWindow{MoreModel(ReadMoreSnapshot(current, imageType))});
  const int32_t rc = RunDialogWindow(LibraryDialog::kMore, parent, MoreDlgProc, window.get(), accepted);
  if (rc == kZebOk && window->accepted && channel) *channel = window->model.channel();
  return rc;
}
