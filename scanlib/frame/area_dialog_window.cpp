#include "area_dialog_window.h"

#include <cstdio>
#include <memory>

#include "area_dialog.h"
#include "area_dialog_ids.h"
#include "area_paint_tools.h"
#include "c_locale_number.h"
#include "dialog_tag_access.h"
#include "dialog_window_common.h"
#include "status_codes.h"

namespace {

struct AreaWindow {
  AreaModel model;
  PreviewGeometry geometry;
  int textHeight = 0;
  std::unique_ptr<AreaPaintTools> tools;
  bool accepted = false;
};

constexpr struct {
  int id;
  AreaField field;
} kFields[] = {{IDC_AREA_X, AreaField::kX}, {IDC_AREA_Y, AreaField::kY},
               {IDC_AREA_WIDTH, AreaField::kWidth}, {IDC_AREA_LENGTH, AreaField::kLength}};

void ShowFields(HWND dlg, const AreaModel& m, int typing = 0) {
  for (const auto& f : kFields)
    if (f.id != typing) SetDlgItemTextA(dlg, f.id, m.FieldText(f.field).c_str());
}

void ShowChoices(HWND dlg, const AreaModel& m) {
  SendDlgItemMessageA(dlg, IDC_PAGE_SIZE, CB_SETCURSEL, m.pageSizeEntry(), 0);
  ShowLayout(dlg, m.work().landscape != 0, m.landscapeEnabled());
  ShowPageSide(dlg, m.work().side, m.sideEnabled(1), m.sideEnabled(2));
  CheckOneOf(dlg, {IDC_UNIT_INCH, IDC_UNIT_CM, IDC_UNIT_PIXEL}, m.work().unit);
}

// The preview, its rulers and the area in client pixels.
void ComputeGeometry(HWND dlg, AreaWindow* w) {
  RECT window, frame;
  GetWindowRect(dlg, &window);
  GetWindowRect(GetDlgItem(dlg, IDC_AREA_FRAME), &frame);
  TEXTMETRICA tm{};
  HDC dc = GetDC(dlg);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(dlg, WM_GETFONT, 0, 0)));
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(dlg, dc);
  w->textHeight = tm.tmHeight;
  const PixelRect f{frame.left - window.left, frame.top - window.top, frame.right - window.left,
                    frame.bottom - window.top};
  w->geometry = ComputePreview(PreviewRect(f, tm.tmMaxCharWidth, tm.tmHeight, GetSystemMetrics(SM_CYCAPTION)),
                               w->model.work());
}

RECT RulersAndPreview(const AreaWindow* w) {
  const PixelRect& p = w->geometry.preview;
  const int th = w->textHeight;
  return RECT{p.left - 4 - th - 2, p.top - th - 4, p.right + 1, p.bottom + 1};
}

void AreaChanged(HWND dlg, AreaWindow* w) {
  const RECT r = RulersAndPreview(w);
  InvalidateRect(dlg, &r, TRUE);
  w->geometry = ComputePreview(w->geometry.preview, w->model.work());
}

void Ticks(HDC dc, const AreaWindow* w, bool top) {
  const PixelRect& p = w->geometry.preview;
  const int th = w->textHeight;
  const bool cm = w->model.work().unit == 1;
  const double g = w->geometry.scale / (cm ? 2.54 : 1.0) / 2.0;  // half an inch or a centimetre
  if (g < 1.0) return;
  const int every = cm ? 10 : 4;
  const int length = top ? p.right - p.left : p.bottom - p.top;
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(ANSI_VAR_FONT));
  SetBkMode(dc, TRANSPARENT);
  for (int i = 0; i * g <= length; ++i) {
    const int at = static_cast<int>(i * g);
    const bool big = i % every == 0;
    const int size = big ? th + 2 : i % 2 == 0 ? th / 2 : th / 4;
    if (top) {
      MoveToEx(dc, p.left + at, p.top - 2, nullptr);
      LineTo(dc, p.left + at, p.top - 2 - size);
    } else {
      MoveToEx(dc, p.left - 2, p.top + at, nullptr);
      LineTo(dc, p.left - 2 - size, p.top + at);
    }
    if (big && i > 0) {
      char label[8];
      std::snprintf(label, sizeof label, "%d", i / 2);
      SIZE ext{};
      GetTextExtentPoint32A(dc, label, lstrlenA(label), &ext);
      if (at + 2 + ext.cx > length) continue;
      if (top) TextOutA(dc, p.left + at + 2, p.top - th - 3, label, lstrlenA(label));
      else TextOutA(dc, p.left - th - 3, p.top + at + 1, label, lstrlenA(label));
    }
  }
  SelectObject(dc, oldFont);
}

void PaintRulers(HDC dc, const AreaWindow* w) {
  const PixelRect& p = w->geometry.preview;
  const int th = w->textHeight;
  const RECT topStrip{p.left - 4 - th, p.top - th - 4, p.right, p.top - 1};
  const RECT leftStrip{p.left - th - 4, p.top, p.left - 1, p.bottom};
  FillRect(dc, &topStrip, w->tools->menu());
  FillRect(dc, &leftStrip, w->tools->menu());
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
  MoveToEx(dc, p.left, p.top - 2, nullptr);
  LineTo(dc, p.right, p.top - 2);
  MoveToEx(dc, p.left - 2, p.top, nullptr);
  LineTo(dc, p.left - 2, p.bottom);
  Ticks(dc, w, true);
  Ticks(dc, w, false);
  // The area's edges marked on both rulers.
  const PixelRect& a = w->geometry.area;
  const int oldRop = SetROP2(dc, R2_NOTXORPEN);
  for (int x : {a.left, a.right}) {
    MoveToEx(dc, x, p.top - 2, nullptr);
    LineTo(dc, x, p.top - 2 - th / 2);
  }
  for (int y : {a.top, a.bottom}) {
    MoveToEx(dc, p.left - 2, y, nullptr);
    LineTo(dc, p.left - 2 - th / 2, y);
  }
  SetROP2(dc, oldRop);
  SelectObject(dc, oldPen);
}

void PaintArea(HDC dc, const AreaWindow* w) {
  const PixelRect& p = w->geometry.preview;
  const PixelRect& a = w->geometry.area;
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, p.left, p.top, p.right, p.bottom);
  SelectObject(dc, w->tools->dotted());
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  SetBkMode(dc, TRANSPARENT);
  Rectangle(dc, a.left, a.top, a.right, a.bottom);
  RestoreDC(dc, saved);
}

void Open(HWND dlg, AreaWindow* w) {
  const AreaModel& m = w->model;
  ApplyDialogTexts(dlg, AreaDialogTexts(), LibraryTexts());
  FillLabels(dlg, IDC_PAGE_SIZE, m.pageSizes(), m.pageSizeEntry());
  ShowChoices(dlg, m);
  ShowFields(dlg, m);
  w->tools = std::make_unique<AreaPaintTools>();
  ComputeGeometry(dlg, w);
  ShowWindow(GetDlgItem(dlg, IDC_AREA_PREVIEW_BUTTON), SW_HIDE);
  Enable(dlg, IDOK, m.okEnabled());
}

AreaField FieldOf(int id) {
  for (const auto& f : kFields)
    if (f.id == id) return f.field;
  return AreaField::kX;
}

bool Command(HWND dlg, AreaWindow* w, int id, int code) {
  AreaModel& m = w->model;
  switch (id) {
    case IDOK:
    case IDCANCEL:
      return EndOnOkOrCancel(dlg, id, &w->accepted);
    case IDC_AREA_X:
    case IDC_AREA_Y:
    case IDC_AREA_WIDTH:
    case IDC_AREA_LENGTH:
      if (code == EN_CHANGE && SendDlgItemMessageA(dlg, id, EM_GETMODIFY, 0, 0)) {
        m.TypeField(FieldOf(id), ParseNumberC(ItemText(dlg, id).c_str()));
        ShowFields(dlg, m, id);
        SendDlgItemMessageA(dlg, IDC_PAGE_SIZE, CB_SETCURSEL, m.pageSizeEntry(), 0);
        AreaChanged(dlg, w);
      } else if (code == EN_KILLFOCUS) {
        SetDlgItemTextA(dlg, id, m.FieldText(FieldOf(id)).c_str());
      }
      return true;
    case IDC_PAGE_SIZE:
      if (code != CBN_SELCHANGE) return false;
      m.PickPageSize(SelectedEntry(dlg, id));
      break;
    case IDC_PORTRAIT:
    case IDC_LANDSCAPE:
      m.SetLandscape(id == IDC_LANDSCAPE);
      break;
    case IDC_SIDE_FRONT: m.SetSide(0); break;
    case IDC_SIDE_BOTH: m.SetSide(1); break;
    case IDC_SIDE_REAR: m.SetSide(2); break;
    case IDC_UNIT_INCH: m.SetUnit(0); break;
    case IDC_UNIT_CM: m.SetUnit(1); break;
    case IDC_UNIT_PIXEL: m.SetUnit(2); break;
    default:
      return false;
  }
  ShowChoices(dlg, m);
  ShowFields(dlg, m);
  AreaChanged(dlg, w);
  return true;
}

INT_PTR CALLBACK AreaDlgProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  AreaWindow* w = DialogState<AreaWindow>(dlg, msg, lp);
  switch (msg) {
    case WM_INITDIALOG:
      Open(dlg, w);
      return TRUE;
    case WM_COMMAND:
      return w && Command(dlg, w, LOWORD(wp), HIWORD(wp)) ? TRUE : FALSE;
    case WM_PAINT: {
      if (!w || !w->tools) return FALSE;
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(dlg, &ps);
      PaintRulers(dc, w);
      PaintArea(dc, w);
      EndPaint(dlg, &ps);
      return TRUE;
    }
    case WM_DESTROY:
      if (w) w->tools.reset();
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

int32_t ShowAreaDialog(HWND parent, DialogWorkRecord* work, bool* accepted) {
  if (accepted) *accepted = false;
  if (!work) return kZebNotBound;
  auto window = std::make_unique<AreaWindow>(AreaWindow{AreaModel(ReadAreaSnapshot(*work), LibraryTexts())});
  const int32_t rc = RunDialogWindow(LibraryDialog::kArea, parent, AreaDlgProc, window.get(), accepted);
  if (rc == kZebOk && window->accepted) *work = window->model.work();
  return rc;
}
