#include "dialog_operator.h"

#include <cstdio>
#include <vector>

#include "test_files.h"

bool SaveWindowShot(HWND w, const std::string& path) {
  SetForegroundWindow(w);
  RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(400);
  // The client area from the window's own surface: the frame and caption are the window
  // manager's, and the display may have none.
  RECT r;
  if (!GetClientRect(w, &r)) return false;
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return false;
  HDC screen = GetDC(w);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  const int stride = (width * 3 + 3) & ~3;
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof(BITMAPINFOHEADER);
  fh.bfSize = fh.bfOffBits + static_cast<DWORD>(stride) * height;
  bool ok = false;
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    ok = std::fwrite(&fh, sizeof fh, 1, f) == 1 &&
         std::fwrite(&bi.bmiHeader, sizeof(BITMAPINFOHEADER), 1, f) == 1 &&
         std::fwrite(bits, static_cast<size_t>(stride) * height, 1, f) == 1;
    std::fclose(f);
  }
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(w, screen);
  return ok;
}

std::string ScreenshotFolder() {
  // This program lives in bin/frame_client; the screenshots go beside bin.
  std::string mine = FolderOfThisProgram();
  std::string bin = mine.substr(0, mine.find_last_of('\\', mine.size() - 2) + 1);
  std::string build = bin.substr(0, bin.find_last_of('\\', bin.size() - 2) + 1);
  std::string folder = build + "screenshots\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}
