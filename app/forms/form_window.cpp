#include "form_window.h"

#include "standard_form_font.h"

namespace tarnwick {

TFormWindow::~TFormWindow() {
  if (handle_ && !modal_) DestroyWindow(handle_);
}

INT_PTR TFormWindow::ShowModal(HWND owner) {
  owner_ = owner;
  modal_ = true;
  INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(TemplateId()), owner,
                                   &TFormWindow::DialogProc, reinterpret_cast<LPARAM>(this));
  modal_ = false;
  return result;
}

bool TFormWindow::ShowModeless(HWND owner) {
  if (handle_) return true;
  owner_ = owner;
  modal_ = false;
  CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(TemplateId()), owner,
                     &TFormWindow::DialogProc, reinterpret_cast<LPARAM>(this));
  if (!handle_) return false;
  ShowWindow(handle_, SW_SHOW);
  return true;
}

void TFormWindow::CloseModeless() {
  if (handle_ && !modal_) DestroyWindow(handle_);
}

void TFormWindow::FormCreate() { SetStandardFormFont(handle_); }

void TFormWindow::EndModal(INT_PTR result) {
  FormClose(result);
  if (modal_)
    EndDialog(handle_, result);
  else
    DestroyWindow(handle_);
}

void TFormWindow::SetItemText(int id, const wchar_t* text) { SetDlgItemTextW(handle_, id, text); }

void TFormWindow::PlaceOnOwner() {
  RECT frame;
  GetWindowRect(handle_, &frame);
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  SIZE client = ClientSize(), outer = OuterSize();
  if (outer.cx > 0) {
    width = outer.cx;
    height = outer.cy;
  } else if (client.cx > 0) {
    RECT r{0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_EXSTYLE)));
    width = r.right - r.left;
    height = r.bottom - r.top;
  }
  RECT around{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (owner_ && IsWindow(owner_) && !IsIconic(owner_)) GetWindowRect(owner_, &around);
  int left = around.left + (around.right - around.left - width) / 2;
  int top = around.top + (around.bottom - around.top - height) / 2;
  SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK TFormWindow::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    auto* self = reinterpret_cast<TFormWindow*>(lParam);
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    self->handle_ = hwnd;
    self->FormCreate();
    self->PlaceOnOwner();
    self->FormShow();
    return TRUE;
  }
  auto* self = reinterpret_cast<TFormWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!self) return FALSE;
  switch (msg) {
    case WM_COMMAND: {
      int id = LOWORD(wParam);
      if (self->Command(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return TRUE;
      if (id == IDOK || id == IDCANCEL) {
        self->EndModal(id);
        return TRUE;
      }
      return FALSE;
    }
    case WM_CLOSE:
      self->EndModal(IDCANCEL);
      return TRUE;
    case WM_NCDESTROY:
      self->handle_ = nullptr;
      SetWindowLongPtrW(hwnd, DWLP_USER, 0);
      return FALSE;
    default:
      return self->Message(msg, wParam, lParam);
  }
}

}  // namespace tarnwick
