#include "conb_form.h"

#include "forms_ids.h"
#include "resource_texts.h"

namespace tarnwick {

int TConBForm::TemplateId() const { return IDD_CONBFORM; }

void TConBForm::SetPageInfo(int32_t pagesScanned) {
  model.pageInfo = PageCountLabel(ProgramTexts(), pagesScanned);
  if (Handle()) SetItemText(IDC_PAGEINFLBL, Wide(model.pageInfo).c_str());
}

void TConBForm::SetCanBtnEnabled(bool enabled) {
  model.canEnabled = enabled;
  if (Handle()) EnableWindow(Item(IDCANCEL), enabled);
}

void TConBForm::FormShow() {
  SetWindowTextW(Handle(), TextW(201).c_str());
  SetItemText(IDOK, TextW(202).c_str());
  SetItemText(IDCANCEL, TextW(203).c_str());
  model.Show(ProgramTexts(), feederAvailable, scanMethodForced, scanMethodSetting, kBuiltEdition);
  SetItemText(IDC_SCANMETHODGROUP, Wide(model.groupCaption).c_str());
  SetItemText(IDC_SCANMETHOD_FEEDER, Wide(model.groupItems[0]).c_str());
  SetItemText(IDC_SCANMETHOD_FLATBED, Wide(model.groupItems[1]).c_str());
  SetItemText(IDC_PAGEINFLBL, Wide(model.pageInfo).c_str());
  for (int id : {IDC_SCANMETHODGROUP, IDC_SCANMETHOD_FEEDER, IDC_SCANMETHOD_FLATBED})
    EnableWindow(Item(id), model.group.enabled);
  CheckRadioButton(Handle(), IDC_SCANMETHOD_FEEDER, IDC_SCANMETHOD_FLATBED,
                   model.group.selected == 0 ? IDC_SCANMETHOD_FEEDER : IDC_SCANMETHOD_FLATBED);
  EnableWindow(Item(IDCANCEL), model.canEnabled);
}

void TConBForm::FormClose(INT_PTR result) {
  model.scanMethod = IsDlgButtonChecked(Handle(), IDC_SCANMETHOD_FLATBED) == BST_CHECKED ? 1 : 0;
}

}  // namespace tarnwick
