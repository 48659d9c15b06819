// OpenPictureDialog1: the open dialog for pictures, several files at once, with a preview of
// the picture selected drawn from the page DIB its reader makes.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace tarnwick {

// The full names chosen, empty when the dialog was cancelled.
std::vector<std::wstring> ChoosePictures(HWND owner);

}  // namespace tarnwick
