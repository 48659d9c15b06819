#include "resource_texts.h"

namespace tarnwick {

std::u16string ResourceTexts::Text(int id) const {
  // With a zero buffer size the call answers a pointer into the resource itself, so no text is
  // cut at any buffer's length.
  const wchar_t* text = nullptr;
  HMODULE module = module_ ? module_ : GetModuleHandleW(nullptr);
  int length = LoadStringW(module, static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || !text) return std::u16string();
  return std::u16string(reinterpret_cast<const char16_t*>(text), static_cast<size_t>(length));
}

const InterfaceTexts& ProgramTexts() {
  static ResourceTexts texts;
  return texts;
}

std::wstring TextW(int id) { return Wide(ProgramTexts().Text(id)); }

}  // namespace tarnwick
