#include "folder_list.h"

#include <algorithm>

namespace tarnwick {

namespace {

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; }

bool LessNoCase(const std::u16string& a, const std::u16string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char16_t x, char16_t y) { return Lower(x) < Lower(y); });
}

std::u16string Join(const std::u16string& folder, const std::u16string& name) {
  if (!folder.empty() && folder.back() == u'\\') return folder + name;
  return folder + u"\\" + name;
}

}  // namespace

std::u16string NormalFolderPath(const std::u16string& path) {
  std::u16string out;
  for (char16_t c : path) {
    if (c == u'/') c = u'\\';
    if (c == u'\\' && !out.empty() && out.back() == u'\\') continue;
    out.push_back(c);
  }
  while (out.size() > 3 && out.back() == u'\\') out.pop_back();
  if (out.size() == 2 && out[1] == u':') out.push_back(u'\\');
  return out;
}

std::u16string DriveOf(const std::u16string& path) {
  if (path.size() >= 2 && path[1] == u':') return path.substr(0, 2);
  return std::u16string();
}

void FolderListModel::SetDirectory(const std::u16string& path) {
  directory_ = NormalFolderPath(path);
  items_.clear();
  current_ = -1;
  if (directory_.empty()) return;
  // The chain from the root down to the current folder.
  size_t rootEnd = directory_.size() >= 3 && directory_[1] == u':' ? 3 : 0;
  std::u16string root = directory_.substr(0, rootEnd);
  int32_t depth = 0;
  if (!root.empty()) items_.push_back({root, root, depth++, true});
  size_t start = rootEnd;
  while (start < directory_.size()) {
    size_t end = directory_.find(u'\\', start);
    if (end == std::u16string::npos) end = directory_.size();
    std::u16string name = directory_.substr(start, end - start);
    if (!name.empty()) items_.push_back({name, directory_.substr(0, end), depth++, true});
    start = end + 1;
  }
  current_ = static_cast<int32_t>(items_.size()) - 1;
  std::vector<std::u16string> subs = source_.SubFolders(directory_);
  std::sort(subs.begin(), subs.end(), LessNoCase);
  for (const std::u16string& name : subs) items_.push_back({name, Join(directory_, name), depth, false});
}

void OpenFormModel::SetDirectory(const std::u16string& path) {
  list_.SetDirectory(path);
  Change(list_.Directory());
}

void OpenFormModel::Show() { okEnabled_ = false; }

void OpenFormModel::Change(const std::u16string& path) {
  chosen_ = path;
  pathLabel_ = texts_.Text(1005) + path;
}

void OpenFormModel::Click(int32_t index) {
  if (index < 0 || index >= static_cast<int32_t>(list_.Items().size())) return;
  Change(list_.Items()[size_t(index)].path);
}

void OpenFormModel::DoubleClick(int32_t index) {
  if (index < 0 || index >= static_cast<int32_t>(list_.Items().size())) return;
  list_.SetDirectory(list_.Items()[size_t(index)].path);
  Change(list_.Directory());
  okEnabled_ = true;
}

void OpenFormModel::ChooseDrive(const std::u16string& drive) {
  std::u16string d = DriveOf(drive);
  if (d.empty() || d == DriveOf(list_.Directory())) return;
  list_.SetDirectory(d + u"\\");
  Change(list_.Directory());
}

}  // namespace tarnwick
