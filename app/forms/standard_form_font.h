// The standard form font: height -11 at 96 pixels per inch, applied by the main window and every
// dialog when it is made (and handed to every child control).
#pragma once
#include <windows.h>

#include <string>

namespace tarnwick {

void SetStandardFormFont(HWND form);
// The face the forms use; a Japanese system default locale makes it "Terminal".
void SetFormFontName(const std::wstring& face);
const std::wstring& FormFontName();
HFONT StandardFormFont();

}  // namespace tarnwick
