#include "standard_form_font.h"

namespace tarnwick {

namespace {

std::wstring& FaceName() {
  static std::wstring face = L"MS Shell Dlg";
  return face;
}

HFONT& Font() {
  static HFONT font = nullptr;
  return font;
}

BOOL CALLBACK SetChildFont(HWND child, LPARAM font) {
  SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
  return TRUE;
}

}  // namespace

void SetFormFontName(const std::wstring& face) {
  if (face == FaceName()) return;
  FaceName() = face;
  // The old font stays alive: windows made with it may still use it.
  Font() = nullptr;
}

const std::wstring& FormFontName() { return FaceName(); }

HFONT StandardFormFont() {
  if (!Font()) {
    // Height -11 is the character height in pixels at 96 pixels per inch.
    Font() = CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_DONTCARE, FaceName().c_str());
  }
  return Font();
}

void SetStandardFormFont(HWND form) {
  if (!form) return;
  HFONT font = StandardFormFont();
  SendMessageW(form, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  EnumChildWindows(form, &SetChildFont, reinterpret_cast<LPARAM>(font));
}

}  // namespace tarnwick
