// TConBForm: the "Prepare Scanner" dialog the scan loop shows after every driver run: continue
// the batch (OK) or stop (Cancel), with the scan method for the next pass.
#pragma once
#include "form_window.h"
#include "small_forms.h"

namespace tarnwick {

class TConBForm : public TFormWindow {
 public:
  ConBFormModel model;
  // Read at each show: the scanner's capabilities and the "Scan Method" setting.
  bool feederAvailable = false;
  bool scanMethodForced = false;
  int32_t scanMethodSetting = 0;

  // The page count label, set before showing.
  void SetPageInfo(int32_t pagesScanned);
  // Cancel is disabled while the scan loop waits for the last page file.
  void SetCanBtnEnabled(bool enabled);
  // The group's selection when the dialog closed: 0 feeder, 1 flatbed.
  int32_t ScanMethod() const { return model.scanMethod; }

 protected:
  int TemplateId() const override;
  SIZE ClientSize() const override { return SIZE{317, 188}; }
  void FormShow() override;
  void FormClose(INT_PTR result) override;
};

}  // namespace tarnwick
