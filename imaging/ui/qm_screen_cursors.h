// The program's screen cursors by index, as controls show them: index 0 is the ordinary arrow;
// a program registers further cursors (the viewer its mode cursors) under their own indexes.
#pragma once
#include <windows.h>

namespace qm {

void SetScreenCursor(int index, HCURSOR cursor);
// The cursor registered under index; the arrow for 0 and for indexes never registered.
HCURSOR ScreenCursor(int index);

}  // namespace qm
