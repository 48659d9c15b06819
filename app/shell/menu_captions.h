// Menu items found by command id wherever they sit (pop-up items too, which carry ids in the
// menu resources), for captions and enabling.
#pragma once
#include <windows.h>

#include <string>

namespace tarnwick {

// Answers false when the menu has no item with this id (a hidden item).
bool SetMenuCaption(HMENU menu, UINT command, const std::wstring& caption);
bool SetMenuCommandEnabled(HMENU menu, UINT command, bool enabled);

}  // namespace tarnwick
