// TAboutForm: the about box: logo, version, the maker's notices and a banner.
#pragma once
#include "form_window.h"

namespace tarnwick {

class TAboutForm : public TFormWindow {
 public:
  ~TAboutForm() override;

 protected:
  int TemplateId() const override;
  SIZE ClientSize() const override { return SIZE{502, 409}; }
  void FormShow() override;
  INT_PTR Message(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  HBITMAP logo_ = nullptr;
  HBITMAP banner_ = nullptr;
};

}  // namespace tarnwick
