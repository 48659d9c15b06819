// The comctl32 flat scroll bar calls, bound by name at first use (the import libraries of the
// cross toolchain do not all carry them). Where comctl32 lacks one, the plain user32 scroll bar
// call stands in, which shows the same range, page and position.
#pragma once
#include <windows.h>

namespace qm {

BOOL QmInitializeFlatSB(HWND hwnd);
int QmFlatSB_SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw);
BOOL QmFlatSB_GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info);
int QmFlatSB_GetScrollPos(HWND hwnd, int bar);
int QmFlatSB_SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw);
BOOL QmFlatSB_SetScrollProp(HWND hwnd, UINT index, INT_PTR value, BOOL redraw);

}  // namespace qm
