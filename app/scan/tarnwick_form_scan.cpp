// The main window's scan commands: Normal1Click (the Scan button and the "Scan Page" items),
// the two document modes and one scan run, all through one FormScan made at the first use.
#include "form_scan.h"
#include "tarnwick_form.h"

namespace tarnwick {

FormScan& TTarnwickForm::Scan() {
  if (!scan_) scan_ = std::make_shared<FormScan>(*this);
  return *scan_;
}

bool TTarnwickForm::ScanRunning() const { return scan_ && scan_->Commands().Running(); }

void TTarnwickForm::Normal1Click() { Scan().Commands().Normal1Click(); }
void TTarnwickForm::Scan1Click() { Scan().Commands().Scan1Click(); }
void TTarnwickForm::SaveAsPDFFile1Click() { Scan().Commands().SaveAsPDFFile1Click(); }
void TTarnwickForm::SaveAsMultiTIF1Click() { Scan().Commands().SaveAsMultiTIF1Click(); }

}  // namespace tarnwick
