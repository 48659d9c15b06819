#include "flat_scroll_bars.h"

namespace qm {

namespace {

struct FlatSbProcs {
  BOOL(WINAPI* initialize)(HWND) = nullptr;
  int(WINAPI* setInfo)(HWND, int, LPSCROLLINFO, BOOL) = nullptr;
  BOOL(WINAPI* getInfo)(HWND, int, LPSCROLLINFO) = nullptr;
  int(WINAPI* getPos)(HWND, int) = nullptr;
  int(WINAPI* setPos)(HWND, int, int, BOOL) = nullptr;
  BOOL(WINAPI* setProp)(HWND, UINT, INT_PTR, BOOL) = nullptr;
};

template <class T> void Bind(HMODULE m, const char* name, T& proc) {
  proc = m ? reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(m, name))) : nullptr;
}

const FlatSbProcs& Procs() {
  static const FlatSbProcs procs = [] {
    FlatSbProcs p;
    // Stays loaded for the program's life, like the controls that use it.
    HMODULE m = LoadLibraryA("comctl32.dll");
    Bind(m, "InitializeFlatSB", p.initialize);
    Bind(m, "FlatSB_SetScrollInfo", p.setInfo);
    Bind(m, "FlatSB_GetScrollInfo", p.getInfo);
    Bind(m, "FlatSB_GetScrollPos", p.getPos);
    Bind(m, "FlatSB_SetScrollPos", p.setPos);
    Bind(m, "FlatSB_SetScrollProp", p.setProp);
    return p;
  }();
  return procs;
}

}  // namespace

BOOL QmInitializeFlatSB(HWND hwnd) {
  return Procs().initialize ? Procs().initialize(hwnd) : FALSE;
}

int QmFlatSB_SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw) {
  auto* i = const_cast<LPSCROLLINFO>(info);
  return Procs().setInfo ? Procs().setInfo(hwnd, bar, i, redraw) : SetScrollInfo(hwnd, bar, i, redraw);
}

BOOL QmFlatSB_GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) {
  return Procs().getInfo ? Procs().getInfo(hwnd, bar, info) : GetScrollInfo(hwnd, bar, info);
}

int QmFlatSB_GetScrollPos(HWND hwnd, int bar) {
  return Procs().getPos ? Procs().getPos(hwnd, bar) : GetScrollPos(hwnd, bar);
}

int QmFlatSB_SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
  return Procs().setPos ? Procs().setPos(hwnd, bar, pos, redraw) : SetScrollPos(hwnd, bar, pos, redraw);
}

BOOL QmFlatSB_SetScrollProp(HWND hwnd, UINT index, INT_PTR value, BOOL redraw) {
  return Procs().setProp ? Procs().setProp(hwnd, index, value, redraw) : FALSE;
}

}  // namespace qm
