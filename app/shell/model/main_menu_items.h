// The main window's menu items, toolbar buttons and pop-up items with the string ids of their
// captions and hints, as FormShow sets them.
#pragma once
#include <cstdint>

namespace tarnwick {

struct MenuItemText {
  const char* name;
  int32_t command;
  int32_t captionId;
  bool onlyWhenNotEmpty;  // the caption is kept when the string is empty
  bool hidden;            // not on the menu; reached by WM_COMMAND only
};

struct ToolButtonText {
  const char* name;
  int32_t command;
  int32_t imageIndex;
  int32_t hintId;
};

extern const MenuItemText kMainMenuItems[];
extern const int32_t kMainMenuItemCount;
extern const MenuItemText kPopupMenuItems[];
extern const int32_t kPopupMenuItemCount;
// In toolbar order; a command of 0 is a separator.
extern const ToolButtonText kToolButtons[];
extern const int32_t kToolButtonCount;
// "TOOLBAR" holds at least this many 16 x 16 images.
constexpr int32_t kToolbarImageCount = 38;
constexpr uint32_t kToolbarMaskColor = 0x00008080;  // olive as a COLORREF (red 128, green 128)

}  // namespace tarnwick
