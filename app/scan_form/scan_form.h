// TScanForm, the "Scanner Settings" dialog: a thin window over ScanFormModel. Every handler
// reads the controls into the model, runs the model's handler and shows the model again.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "form_window.h"
#include "scan_form_model.h"
#include "win_ini_file.h"

namespace tarnwick {

class TScanForm : public TFormWindow {
 public:
  // The lists and flags of the last capability query, the current settings, and the settings
  // file and program-named INI at their places; all outlive the form.
  TScanForm(const ScannerChoices& choices, TarnwickSettings& settings,
            const std::wstring& settingsFile, const std::wstring& programIni);

  ScanFormModel model;

 protected:
  int TemplateId() const override;
  SIZE ClientSize() const override { return SIZE{638, 365}; }
  void FormShow() override;
  bool Command(int id, int code, HWND control) override;
  INT_PTR Message(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void SetCaptions();
  void FillLists();
  void Push();  // the model's controls onto the window
  void Pull();  // the window's controls into the model
  // Apply, OK and Default: the quality message when Apply refuses.
  bool Applied(ApplyResult result);
  void BrowDirBtnClick();

  WinIniFile settingsFile_;
  WinIniFile programIni_;
  bool pushing_ = false;  // control changes made by Push are no edits
};

// Gives a folder a present but empty access list, so that every user may write into it.
bool GiveFolderNullAcl(const std::wstring& folder);

}  // namespace tarnwick
