// TOpenForm: the "Open Batch Directory" dialog: our own folder list and drive list over the
// file system; OK stays disabled until a folder is double-clicked.
#pragma once
#include <memory>
#include <string>

#include "edition.h"
#include "folder_list.h"
#include "form_window.h"

namespace tarnwick {

// Folders and drives of the machine.
class WinFolderSource : public FolderSource {
 public:
  std::vector<std::u16string> SubFolders(const std::u16string& folder) override;
  std::vector<std::u16string> Drives() override;
};

class TOpenForm : public TFormWindow {
 public:
  TOpenForm();
  static constexpr int kSecondEditionClientWidth = 356, kSecondEditionClientHeight = 254;
  // The main window points the list at the "Path" setting before showing.
  void SetDirectory(const std::wstring& path);
  // The folder OK opens.
  std::wstring Directory() const;
  OpenFormModel& Model() { return *model_; }

 protected:
  int TemplateId() const override;
  SIZE ClientSize() const override { return SIZE{329, 234}; }
  void FormCreate() override;
  void FormShow() override;
  bool Command(int id, int code, HWND control) override;
  INT_PTR Message(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void FillFolders();
  void FillDrives();
  void ShowChange();
  void DrawFolder(const DRAWITEMSTRUCT& item);

  WinFolderSource source_;
  std::unique_ptr<OpenFormModel> model_;
};

}  // namespace tarnwick
