// The edition's string table in the program's resources, read with the W functions.
#pragma once
#include <windows.h>

#include <string>

#include "interface_texts.h"

namespace tarnwick {

class ResourceTexts : public InterfaceTexts {
 public:
  // The module whose string table is read (the program itself by default).
  explicit ResourceTexts(HMODULE module = nullptr) : module_(module) {}
  std::u16string Text(int id) const override;

 private:
  HMODULE module_;
};

// The program's own table.
const InterfaceTexts& ProgramTexts();
// The text of an id as a wide string for the W APIs.
std::wstring TextW(int id);
inline std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }
inline std::u16string FromWide(const std::wstring& text) {
  return std::u16string(text.begin(), text.end());
}

}  // namespace tarnwick
