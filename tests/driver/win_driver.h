// Drives real windows of another program the way an operator would: finds a top-level window by
// class and title, posts menu commands and button clicks, reads texts, menus and list boxes,
// answers a message box and keeps a picture of a window. Every call waits at most its timeout.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace windriver {

// A class or title of nullptr or "*" matches any; titles and texts are UTF-8.
HWND FindTopWindow(const std::string& className, const std::string& title, DWORD timeoutMs = 0);
int CountTopWindows(const std::string& className, const std::string& title);
// Waits for such a window to be shown and for its program to go idle (its message loop waiting
// for input) and to answer a message sent to the window; nullptr when that took too long.
HWND WaitReady(const std::string& className, const std::string& title, DWORD timeoutMs);
// Waits until no such window is left.
bool WaitGone(const std::string& className, const std::string& title, DWORD timeoutMs);
// A descendant by control id (the window itself when id is 0).
HWND FindControl(HWND top, int id);

bool PostCommand(HWND window, int commandId);
bool ClickButton(HWND top, int buttonId);
std::string WindowText(HWND window);
// Handles this thread's messages for `ms` milliseconds.
void PumpMessagesFor(DWORD ms);
std::vector<std::string> ListBoxItems(HWND listBox);
std::string StatusBarText(HWND statusBar, int part);

struct MenuLine {
  int depth = 0;
  int id = 0;          // 0 for pop-up items without an id and separators
  bool grayed = false;
  bool separator = false;
  bool popup = false;
  std::string text;
};
std::vector<MenuLine> MenuLines(HMENU menu);

// Presses a button (IDOK, IDYES ...) of the next message box (class "#32770") with this title
// (any title for "*"); answers the box's text, or nothing when none came within the timeout.
bool AnswerMessageBox(const std::string& title, int buttonId, DWORD timeoutMs, std::string* text);

// The visible labels, buttons, check boxes, radio buttons and group boxes whose text does not fit
// the control in its own font, one line each: "ID \"TEXT\": needs N px, has M".
std::vector<std::string> CutTexts(HWND window);

// The window as it is on the screen (non-client area included), as a 24-bit BMP or, by the
// file's extension, a PNG.
bool SaveWindowPicture(HWND window, const std::string& fileName);

// The build's folder of window pictures, screens/ (made when missing), ending in a backslash;
// KeepScreen keeps a picture of the window there under the name given ("main_window.png").
std::string ScreensFolder();
bool KeepScreen(HWND window, const std::string& name);

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);

}  // namespace windriver
