#include "about_form.h"

#include "forms_ids.h"
#include "resource_texts.h"
#include "small_forms.h"

namespace tarnwick {

TAboutForm::~TAboutForm() {
  if (logo_) DeleteObject(logo_);
  if (banner_) DeleteObject(banner_);
}

int TAboutForm::TemplateId() const { return IDD_ABOUTFORM; }

void TAboutForm::FormShow() {
  SetWindowTextW(Handle(), TextW(101).c_str());
  SetItemText(IDC_ABOUT_LABEL1, Wide(AboutVersionLabel(ProgramTexts())).c_str());
  SetItemText(IDC_ABOUT_LABEL2, TextW(103).c_str());
  SetItemText(IDC_ABOUT_LABEL3, TextW(104).c_str());
  SetItemText(IDC_ABOUT_LABEL4, TextW(105).c_str());
  SetItemText(IDOK, TextW(1).c_str());
  // The banner runs the whole width along the bottom.
  RECT client;
  GetClientRect(Handle(), &client);
  RECT banner;
  GetWindowRect(Item(IDC_ABOUT_IMAGE2), &banner);
  int height = banner.bottom - banner.top;
  SetWindowPos(Item(IDC_ABOUT_IMAGE2), nullptr, 0, client.bottom - height, client.right, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR TAboutForm::Message(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_DRAWITEM) return FALSE;
  auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
  HBITMAP* picture = item->CtlID == IDC_ABOUT_IMAGE1 ? &logo_ : item->CtlID == IDC_ABOUT_IMAGE2 ? &banner_ : nullptr;
  if (!picture) return FALSE;
  if (!*picture) {
    int id = item->CtlID == IDC_ABOUT_IMAGE1 ? IDR_ABOUT_LOGO : IDR_ABOUT_BANNER;
    *picture = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                               IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  }
  if (!*picture) return FALSE;
  BITMAP info;
  GetObjectW(*picture, sizeof(info), &info);
  HDC source = CreateCompatibleDC(item->hDC);
  HGDIOBJ old = SelectObject(source, *picture);
  SetStretchBltMode(item->hDC, HALFTONE);
  const RECT& r = item->rcItem;
  StretchBlt(item->hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, source, 0, 0,
             info.bmWidth, info.bmHeight, SRCCOPY);  // stretched to the picture's box
  SelectObject(source, old);
  DeleteDC(source);
  return TRUE;
}

}  // namespace tarnwick
