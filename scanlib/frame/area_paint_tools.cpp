#include "area_paint_tools.h"

namespace {
int gAlive = 0;
}

AreaPaintTools::AreaPaintTools()
    : dotted_(CreatePen(PS_DOT, 1, RGB(0, 0, 0))), menu_(CreateSolidBrush(GetSysColor(COLOR_MENU))) {
  ++gAlive;
}

AreaPaintTools::~AreaPaintTools() {
  if (dotted_) DeleteObject(dotted_);
  if (menu_) DeleteObject(menu_);
  --gAlive;
}

int AreaPaintTools::Alive() { return gAlive; }
