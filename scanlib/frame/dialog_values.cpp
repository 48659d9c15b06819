#include "dialog_values.h"

#include <algorithm>

bool TagChoices::Lists(int32_t v) const {
  return IsList() && std::find(items.begin(), items.end(), v) != items.end();
}

bool TagChoices::Accepts(int32_t v) const {
  if (count < 0) return true;
  if (count == 0) return v >= min && v <= max;
  return Lists(v);
}

bool SidesOpen(const TagChoices& f, int32_t scanMethod) {
  const bool firstIsFront = f.IsList() && f.items.front() == 0;
  return !((f.count < 2 || (scanMethod != 0 && scanMethod != 1)) && firstIsFront);
}

bool SideSelectable(const TagChoices& f, bool sidesOpen, int side) {
  if (side == 0) return true;
  return sidesOpen && f.Accepts(side);
}
