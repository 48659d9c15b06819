#include "win_driver.h"

#include <commctrl.h>

#include <cstdio>

#include "window_picture.h"

namespace windriver {

namespace {

struct Search {
  std::wstring className, title;
  bool anyClass, anyTitle;
  std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND hwnd, LPARAM data) {
  auto* s = reinterpret_cast<Search*>(data);
  wchar_t buffer[512];
  if (!s->anyClass) {
    if (!GetClassNameW(hwnd, buffer, 512) || s->className != buffer) return TRUE;
  }
  if (!s->anyTitle) {
    int n = GetWindowTextW(hwnd, buffer, 512);
    if (s->title != std::wstring(buffer, n > 0 ? n : 0)) return TRUE;
  }
  s->found.push_back(hwnd);
  return TRUE;
}

std::vector<HWND> TopWindows(const std::string& className, const std::string& title) {
  Search s{Wide(className), Wide(title), className.empty() || className == "*",
           title == "*", {}};
  EnumWindows(&Collect, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

struct ControlSearch {
  int id;
  HWND found;
};

BOOL CALLBACK MatchId(HWND hwnd, LPARAM data) {
  auto* s = reinterpret_cast<ControlSearch*>(data);
  if (GetDlgCtrlID(hwnd) == s->id) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

std::string Utf8(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

HWND FindTopWindow(const std::string& className, const std::string& title, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    std::vector<HWND> found = TopWindows(className, title);
    if (!found.empty()) return found.front();
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(50);
  }
}

int CountTopWindows(const std::string& className, const std::string& title) {
  return static_cast<int>(TopWindows(className, title).size());
}

HWND WaitReady(const std::string& className, const std::string& title, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  auto left = [&]() -> DWORD {
    DWORD used = GetTickCount() - start;
    return used < timeoutMs ? timeoutMs - used : 0;
  };
  HWND window = nullptr;
  for (;;) {
    for (HWND w : TopWindows(className, title))
      if (IsWindowVisible(w)) window = w;
    if (window) break;
    if (left() == 0) return nullptr;
    Sleep(50);
  }
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
  if (!process) return nullptr;
  DWORD idle = WaitForInputIdle(process, left());
  CloseHandle(process);
  if (idle != 0) return nullptr;
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, left() ? left() : 1, &answer))
    return nullptr;
  return window;
}

bool WaitGone(const std::string& className, const std::string& title, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  while (!TopWindows(className, title).empty()) {
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(50);
  }
  return true;
}

HWND FindControl(HWND top, int id) {
  if (id == 0) return top;
  ControlSearch s{id, nullptr};
  EnumChildWindows(top, &MatchId, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

bool PostCommand(HWND window, int commandId) {
  return window && PostMessageW(window, WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
}

bool ClickButton(HWND top, int buttonId) {
  HWND button = FindControl(top, buttonId);
  return button && PostMessageW(button, BM_CLICK, 0, 0);
}

void PumpMessagesFor(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  } while (GetTickCount() < end);
}

std::string WindowText(HWND window) {
  if (!window) return std::string();
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
    return std::string();
  std::wstring text(length + 1, L'\0');
  DWORD_PTR got = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 5000, &got);
  text.resize(got);
  return Utf8(text);
}

std::vector<std::string> ListBoxItems(HWND listBox) {
  std::vector<std::string> out;
  if (!listBox) return out;
  int count = static_cast<int>(SendMessageW(listBox, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    int n = static_cast<int>(SendMessageW(listBox, LB_GETTEXTLEN, i, 0));
    if (n < 0) continue;
    std::wstring item(static_cast<size_t>(n) + 1, L'\0');
    n = static_cast<int>(SendMessageW(listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data())));
    item.resize(n > 0 ? static_cast<size_t>(n) : 0);
    out.push_back(Utf8(item));
  }
  return out;
}

std::string StatusBarText(HWND statusBar, int part) {
  // The text crosses into this process's memory only by WM_GETTEXT (part 0); other parts are
  // read through a buffer in the other process.
  if (!statusBar) return std::string();
  if (part == 0) return WindowText(statusBar);
  DWORD pid = 0;
  GetWindowThreadProcessId(statusBar, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return std::string();
  std::string out;
  DWORD length = LOWORD(SendMessageW(statusBar, SB_GETTEXTLENGTHW, part, 0));
  void* remote = VirtualAllocEx(process, nullptr, (length + 1) * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE);
  if (remote) {
    SendMessageW(statusBar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(remote));
    std::wstring text(length, L'\0');
    SIZE_T read = 0;
    if (ReadProcessMemory(process, remote, text.data(), length * sizeof(wchar_t), &read)) out = Utf8(text);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return out;
}

std::vector<MenuLine> MenuLines(HMENU menu) {
  std::vector<MenuLine> out;
  struct Walk {
    static void Run(HMENU m, int depth, std::vector<MenuLine>& out) {
      int count = GetMenuItemCount(m);
      for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 255;
        if (!GetMenuItemInfoW(m, static_cast<UINT>(i), TRUE, &info)) continue;
        MenuLine line;
        line.depth = depth;
        line.id = static_cast<int>(info.wID);
        line.grayed = (info.fState & MFS_GRAYED) != 0;
        line.separator = (info.fType & MFT_SEPARATOR) != 0;
        line.popup = info.hSubMenu != nullptr;
        line.text = Utf8(text);
        out.push_back(line);
        if (info.hSubMenu) Run(info.hSubMenu, depth + 1, out);
      }
    }
  };
  if (menu) Walk::Run(menu, 0, out);
  return out;
}

bool AnswerMessageBox(const std::string& title, int buttonId, DWORD timeoutMs, std::string* text) {
  HWND box = FindTopWindow("#32770", title, timeoutMs);
  if (!box) return false;
  if (text) {
    // The message is the box's static control: 0xFFFF on Windows, 100 in Wine's boxes.
    HWND message = GetDlgItem(box, 0xFFFF);
    if (!message) message = GetDlgItem(box, 100);
    *text = WindowText(message);
  }
  if (HWND button = GetDlgItem(box, buttonId)) {
    PostMessageW(button, BM_CLICK, 0, 0);
  } else {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
  }
  return true;
}

bool SaveWindowPicture(HWND window, const std::string& fileName) {
  if (!window) return false;
  RECT r;
  if (!GetWindowRect(window, &r)) return false;
  // Only what is on the screen: a maximised window reaches past its edges.
  RECT screenRect{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
  screenRect.right = screenRect.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
  screenRect.bottom = screenRect.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
  if (!IntersectRect(&r, &r, &screenRect)) return false;
  int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return false;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = false;
  if (bitmap) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    ok = BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY) != FALSE;
    GdiFlush();
    SelectObject(memory, old);
    if (ok) ok = WritePicture(fileName, width, height, static_cast<const uint8_t*>(bits));
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}

std::string ScreensFolder() {
  std::string folder = TARNWICK_SCREENS_DIR;
  for (char& c : folder)
    if (c == '/') c = '\\';
  if (folder.back() != '\\') folder += '\\';
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

bool KeepScreen(HWND window, const std::string& name) {
  return SaveWindowPicture(window, ScreensFolder() + name);
}

}  // namespace windriver
