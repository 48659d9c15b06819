#include "dialog_operator.h"

#include <cstdio>
#include <vector>

#include "test_files.h"
#include "win_driver.h"

bool ClientShot::Dark(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return false;
  const int stride = (width * 3 + 3) & ~3;
  const uint8_t* p = bgr.data() + static_cast<size_t>(height - 1 - y) * stride + x * 3;
  return p[0] < 80 && p[1] < 80 && p[2] < 80;
}

ClientShot TakeClientShot(HWND w) {
  ClientShot shot;
  SetForegroundWindow(w);
  RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(400);
  // From the window's own surface: the frame and caption are the window manager's, and the
  // display may have none.
  RECT r;
  if (!GetClientRect(w, &r) || r.right <= 0 || r.bottom <= 0) return shot;
  shot.width = r.right;
  shot.height = r.bottom;
  HDC dc = GetDC(w);
  HDC mem = CreateCompatibleDC(dc);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = shot.width;
  bi.bmiHeader.biHeight = shot.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, shot.width, shot.height, dc, 0, 0, SRCCOPY);
  GdiFlush();
  const int stride = (shot.width * 3 + 3) & ~3;
  const uint8_t* p = static_cast<const uint8_t*>(bits);
  shot.bgr.assign(p, p + static_cast<size_t>(stride) * shot.height);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(w, dc);
  return shot;
}

bool KeepDialogScreen(HWND w, const std::string& name) {
  SetForegroundWindow(w);
  RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(400);
  return windriver::KeepScreen(w, name);
}

bool SaveShot(const ClientShot& shot, const std::string& path) {
  if (shot.width <= 0 || shot.height <= 0) return false;
  BITMAPINFOHEADER h{};
  h.biSize = sizeof h;
  h.biWidth = shot.width;
  h.biHeight = shot.height;
  h.biPlanes = 1;
  h.biBitCount = 24;
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof h;
  fh.bfSize = fh.bfOffBits + static_cast<DWORD>(shot.bgr.size());
  bool ok = false;
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    ok = std::fwrite(&fh, sizeof fh, 1, f) == 1 && std::fwrite(&h, sizeof h, 1, f) == 1 &&
         std::fwrite(shot.bgr.data(), shot.bgr.size(), 1, f) == 1;
    std::fclose(f);
  }
  return ok;
}

std::string PicturesFolder() {
  std::string bin = FolderAboveThisProgram();
  std::string build = bin.substr(0, bin.find_last_of('\\', bin.size() - 2) + 1);
  std::string folder = build + "screens\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

std::string ScreenshotFolder() {
  // This program lives in bin/frame_client; the screenshots go beside bin.
  std::string bin = FolderAboveThisProgram();
  std::string build = bin.substr(0, bin.find_last_of('\\', bin.size() - 2) + 1);
  std::string folder = build + "screenshots\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}
