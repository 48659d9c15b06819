#include "menu_captions.h"

namespace tarnwick {

namespace {

bool FindItem(HMENU menu, UINT command, HMENU& owner, int& position) {
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_SUBMENU;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    if (info.wID == command) {
      owner = menu;
      position = i;
      return true;
    }
    if (info.hSubMenu && FindItem(info.hSubMenu, command, owner, position)) return true;
  }
  return false;
}

}  // namespace

bool SetMenuCaption(HMENU menu, UINT command, const std::wstring& caption) {
  HMENU owner;
  int position;
  if (!menu || !FindItem(menu, command, owner, position)) return false;
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<wchar_t*>(caption.c_str());
  return SetMenuItemInfoW(owner, static_cast<UINT>(position), TRUE, &info) != FALSE;
}

bool SetMenuCommandEnabled(HMENU menu, UINT command, bool enabled) {
  HMENU owner;
  int position;
  if (!menu || !FindItem(menu, command, owner, position)) return false;
  return EnableMenuItem(owner, static_cast<UINT>(position),
                        MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED)) != -1;
}

}  // namespace tarnwick
