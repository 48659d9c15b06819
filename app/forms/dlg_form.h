// TDlgForm: the "Information" note shown without waiting around a long conversion: the caller
// makes it, sets its text (1021 or 1022), updates it, and frees it when the work is done.
#pragma once
#include <string>

#include "form_window.h"

namespace tarnwick {

class TDlgForm : public TFormWindow {
 public:
  // Made and shown at once, centred on the owner.
  explicit TDlgForm(HWND owner);
  void SetText(const std::wstring& text);
  // Paints the note now (the caller's work keeps the message loop from doing it).
  void Update();

 protected:
  int TemplateId() const override;
  SIZE ClientSize() const override { return SIZE{0, 0}; }
  SIZE OuterSize() const override { return SIZE{409, 154}; }
  void FormShow() override;
};

}  // namespace tarnwick
