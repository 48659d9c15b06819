#include "qm_screen_cursors.h"

#include <map>

namespace qm {

namespace {
std::map<int, HCURSOR>& Cursors() {
  static std::map<int, HCURSOR> cursors;
  return cursors;
}
}  // namespace

void SetScreenCursor(int index, HCURSOR cursor) {
  if (index != 0) Cursors()[index] = cursor;
}

HCURSOR ScreenCursor(int index) {
  auto it = Cursors().find(index);
  if (it != Cursors().end() && it->second) return it->second;
  return LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
}

}  // namespace qm
