// Interface texts by string id. The program reads its edition's string table; the window-free
// models read texts through this interface, so that they work with any table.
#pragma once
#include <cstdint>
#include <map>
#include <string>

namespace tarnwick {

class InterfaceTexts {
 public:
  virtual ~InterfaceTexts() = default;
  // The whole text of the id; an id missing from the table gives an empty text.
  virtual std::u16string Text(int id) const = 0;
};

// A table held in memory: the texts of a fixture, or of tests.
class TableTexts : public InterfaceTexts {
 public:
  TableTexts() = default;
  explicit TableTexts(std::map<int, std::u16string> table) : table_(std::move(table)) {}
  void Set(int id, std::u16string text) { table_[id] = std::move(text); }
  std::u16string Text(int id) const override;
  const std::map<int, std::u16string>& Table() const { return table_; }

 private:
  std::map<int, std::u16string> table_;
};

std::u16string Utf8ToUtf16(const std::string& text);
std::string Utf16ToUtf8(const std::u16string& text);
std::u16string DecimalText(int64_t value);

}  // namespace tarnwick
