#include "dlg_form.h"

#include "forms_ids.h"

namespace tarnwick {

TDlgForm::TDlgForm(HWND owner) { ShowModeless(owner); }

int TDlgForm::TemplateId() const { return IDD_DLGFORM; }

void TDlgForm::FormShow() {
  SetWindowTextW(Handle(), L"Information");
  SetWindowPos(Item(IDC_DLG_LABEL1), nullptr, 0, 0, 337, 49, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TDlgForm::SetText(const std::wstring& text) {
  if (Handle()) SetItemText(IDC_DLG_LABEL1, text.c_str());
}

void TDlgForm::Update() {
  if (Handle()) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace tarnwick
