// The open-batch dialog's own folder list and drive list, free of any window: the list shows
// the drive's root, each folder down to the current one, then the current folder's subfolders
// (as the classic directory list does), and which path a click or a double click stands for.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "interface_texts.h"

namespace tarnwick {

class FolderSource {
 public:
  virtual ~FolderSource() = default;
  // Names of the folder's subfolders (any order); empty when it cannot be read.
  virtual std::vector<std::u16string> SubFolders(const std::u16string& folder) = 0;
  // Drive names such as u"c:".
  virtual std::vector<std::u16string> Drives() = 0;
};

struct FolderItem {
  std::u16string name;  // u"c:\\" for the root
  std::u16string path;
  int32_t indent = 0;
  bool open = false;    // the root, a folder above the current one, or the current one
};

// u"C:/temp\\x\\" -> u"C:\\temp\\x"; a drive alone becomes its root u"C:\\".
std::u16string NormalFolderPath(const std::u16string& path);
// u"c:" of a path (empty when it names no drive).
std::u16string DriveOf(const std::u16string& path);

class FolderListModel {
 public:
  explicit FolderListModel(FolderSource& source) : source_(source) {}
  void SetDirectory(const std::u16string& path);
  const std::u16string& Directory() const { return directory_; }
  const std::vector<FolderItem>& Items() const { return items_; }
  int32_t CurrentIndex() const { return current_; }

 private:
  FolderSource& source_;
  std::u16string directory_;
  std::vector<FolderItem> items_;
  int32_t current_ = -1;
};

// The open-batch dialog: a single click or a new drive only changes the path label; a double
// click opens the folder and enables OK.
class OpenFormModel {
 public:
  OpenFormModel(FolderSource& source, const InterfaceTexts& texts)
      : source_(source), texts_(texts), list_(source) {}
  void SetDirectory(const std::u16string& path);  // before showing: the "Path" setting
  void Show();                                     // OK disabled
  void Click(int32_t index);
  void DoubleClick(int32_t index);
  void ChooseDrive(const std::u16string& drive);

  const FolderListModel& List() const { return list_; }
  std::vector<std::u16string> Drives() { return source_.Drives(); }
  const std::u16string& Directory() const { return chosen_; }  // what OK opens
  const std::u16string& PathLabel() const { return pathLabel_; }
  bool OkEnabled() const { return okEnabled_; }

 private:
  void Change(const std::u16string& path);

  FolderSource& source_;
  const InterfaceTexts& texts_;
  FolderListModel list_;
  std::u16string chosen_;
  std::u16string pathLabel_;
  bool okEnabled_ = false;
};

}  // namespace tarnwick
