// windriver: the test driver as a command, for scripts and for a person at the test display.
//   windriver find CLASS TITLE [TIMEOUT-MS]         prints the window handle; exit 1 if none
//   windriver ready CLASS TITLE [TIMEOUT-MS]        as find, once the window is shown and its
//                                                   program has gone idle in its message loop
//   windriver count CLASS TITLE                     prints how many such windows there are
//   windriver gone CLASS TITLE TIMEOUT-MS           exit 0 once none is left
//   windriver command CLASS TITLE ID                posts WM_COMMAND (menu ids, hidden too)
//   windriver click CLASS TITLE BUTTON-ID           posts BM_CLICK to the button
//   windriver text CLASS TITLE [CONTROL-ID]         prints the window's or control's text
//   windriver settext CLASS TITLE CONTROL-ID TEXT   sets a control's text (an edit box's)
//   windriver list CLASS TITLE CONTROL-ID           prints a list box's items, one a line
//   windriver status CLASS TITLE CONTROL-ID PART    prints a status bar part's text
//   windriver menu CLASS TITLE                      prints the menu: depth, id, state, text
//   windriver answer TITLE BUTTON-ID [TIMEOUT-MS]   presses a message box's button, prints its text
//   windriver show CLASS TITLE min|restore|state    minimises, restores or prints the state
//   windriver close CLASS TITLE                     posts WM_CLOSE
//   windriver picture CLASS TITLE FILE.bmp|FILE.png keeps a picture of the window
//   windriver cut CLASS TITLE                       prints the texts cut by their controls; exit 1 if any
// CLASS or TITLE "*" matches any; texts are UTF-8.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "win_driver.h"

using namespace windriver;

namespace {

int Usage() {
  std::fprintf(stderr, "usage: windriver COMMAND ARGS... (see the source's head)\n");
  return 2;
}

void Print(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> a;
  for (int i = 1; i < argc; ++i) a.push_back(Utf8(argv[i]));
  if (a.empty()) return Usage();
  const std::string& cmd = a[0];
  auto arg = [&](size_t i) { return i < a.size() ? a[i] : std::string(); };
  auto num = [&](size_t i, long fallback) { return i < a.size() ? std::strtol(a[i].c_str(), nullptr, 0) : fallback; };
  if (cmd == "answer") {
    std::string text;
    if (!AnswerMessageBox(arg(1), static_cast<int>(num(2, IDOK)), static_cast<DWORD>(num(3, 5000)), &text)) return 1;
    Print(text);
    return 0;
  }
  if (a.size() < 3) return Usage();
  if (cmd == "count") {
    Print(std::to_string(CountTopWindows(a[1], a[2])));
    return 0;
  }
  if (cmd == "gone") return WaitGone(a[1], a[2], static_cast<DWORD>(num(3, 5000))) ? 0 : 1;
  if (cmd == "ready") {
    HWND shown = WaitReady(a[1], a[2], static_cast<DWORD>(num(3, 30000)));
    if (!shown) return 1;
    Print(std::to_string(reinterpret_cast<uintptr_t>(shown)));
    return 0;
  }
  HWND top = FindTopWindow(a[1], a[2], static_cast<DWORD>(cmd == "find" ? num(3, 0) : 5000));
  if (!top) {
    std::fprintf(stderr, "no window of class %s titled %s\n", a[1].c_str(), a[2].c_str());
    return 1;
  }
  if (cmd == "find") {
    Print(std::to_string(reinterpret_cast<uintptr_t>(top)));
    return 0;
  }
  if (cmd == "command") return PostCommand(top, static_cast<int>(num(3, 0))) ? 0 : 1;
  if (cmd == "click") return ClickButton(top, static_cast<int>(num(3, 0))) ? 0 : 1;
  if (cmd == "close") return PostMessageW(top, WM_CLOSE, 0, 0) ? 0 : 1;
  if (cmd == "settext") {
    HWND control = FindControl(top, static_cast<int>(num(3, 0)));
    if (!control) return 1;
    return SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(arg(4)).c_str())) ? 0 : 1;
  }
  if (cmd == "text") {
    HWND control = FindControl(top, static_cast<int>(num(3, 0)));
    if (!control) return 1;
    Print(WindowText(control));
    return 0;
  }
  if (cmd == "list") {
    HWND control = FindControl(top, static_cast<int>(num(3, 0)));
    if (!control) return 1;
    for (const std::string& item : ListBoxItems(control)) Print(item);
    return 0;
  }
  if (cmd == "status") {
    HWND control = FindControl(top, static_cast<int>(num(3, 0)));
    if (!control) return 1;
    Print(StatusBarText(control, static_cast<int>(num(4, 0))));
    return 0;
  }
  if (cmd == "menu") {
    for (const MenuLine& l : MenuLines(GetMenu(top)))
      Print(std::string(static_cast<size_t>(l.depth) * 2, ' ') + std::to_string(l.id) +
            (l.grayed ? " grayed " : " enabled ") + (l.separator ? "-" : l.text));
    return 0;
  }
  if (cmd == "show") {
    std::string how = arg(3);
    if (how == "min") ShowWindowAsync(top, SW_MINIMIZE);
    else if (how == "restore") ShowWindowAsync(top, SW_RESTORE);
    else Print(IsIconic(top) ? "minimized" : IsZoomed(top) ? "maximized" : "normal");
    return 0;
  }
  if (cmd == "picture") return SaveWindowPicture(top, arg(3)) ? 0 : 1;
  if (cmd == "cut") {
    const std::vector<std::string> cut = CutTexts(top);
    for (const std::string& line : cut) Print(line);
    return cut.empty() ? 0 : 1;
  }
  return Usage();
}
