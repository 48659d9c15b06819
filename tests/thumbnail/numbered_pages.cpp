#include "numbered_pages.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

HGLOBAL MakeNumberedPage(int number, int bits) {
  const int w = bits == 1 ? 2480 : 620, h = bits == 1 ? 3508 : 877;
  const int colors = bits == 1 ? 2 : 256;
  std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) + 4 * colors, 0);
  auto* bih = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
  bih->biSize = sizeof(BITMAPINFOHEADER);
  bih->biWidth = w;
  bih->biHeight = h;
  bih->biPlanes = 1;
  bih->biBitCount = WORD(bits);
  bih->biXPelsPerMeter = bih->biYPelsPerMeter = bits == 1 ? 11811 : 2953;
  bih->biClrUsed = colors;
  auto* table = reinterpret_cast<RGBQUAD*>(info.data() + sizeof(BITMAPINFOHEADER));
  for (int i = 0; i < colors; ++i) {
    BYTE v = BYTE(i * 255 / (colors - 1));
    table[i] = RGBQUAD{v, v, v, 0};
  }
  void* rows = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP section = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS,
                                     &rows, nullptr, 0);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, section);
  RECT all{0, 0, w, h};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HBRUSH ink = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  RECT frame{w / 20, h / 30, w - w / 20, h - h / 30};
  for (int i = 0; i < w / 100; ++i) {
    FrameRect(dc, &frame, ink);
    InflateRect(&frame, -1, -1);
  }
  for (int line = 0; line < 6; ++line) {  // lines of "text" under the number
    RECT text{w / 8, h * (11 + line) / 20, w - w / 8 - (line % 3) * w / 10, h * (11 + line) / 20 + h / 60};
    FillRect(dc, &text, ink);
  }
  HFONT font = CreateFontA(-h / 3, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  RECT top{0, h / 12, w, h / 2};
  std::string digits = std::to_string(number);
  DrawTextA(dc, digits.c_str(), -1, &top, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
  SelectObject(dc, oldFont);
  DeleteObject(font);
  GdiFlush();
  size_t rowBytes = ((size_t(w) * bits + 31) / 32) * 4;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, info.size() + rowBytes * h);
  auto* p = static_cast<uint8_t*>(GlobalLock(block));
  std::memcpy(p, info.data(), info.size());
  std::memcpy(p + info.size(), rows, rowBytes * h);
  GlobalUnlock(block);
  SelectObject(dc, old);
  DeleteObject(section);
  DeleteDC(dc);
  return block;
}

bool WritePageFile(const std::string& path, HGLOBAL page) {
  SIZE_T size = GlobalSize(page);
  const auto* p = static_cast<const uint8_t*>(GlobalLock(page));
  if (!p) return false;
  const auto* bih = reinterpret_cast<const BITMAPINFOHEADER*>(p);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfSize = DWORD(sizeof file + size);
  file.bfOffBits = DWORD(sizeof file + bih->biSize + 4 * bih->biClrUsed);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(p), std::streamsize(size));
  GlobalUnlock(page);
  return bool(out);
}

HGLOBAL ReadPageFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return nullptr;
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
  if (bytes.size() <= sizeof(BITMAPFILEHEADER)) return nullptr;
  size_t size = bytes.size() - sizeof(BITMAPFILEHEADER);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(block), bytes.data() + sizeof(BITMAPFILEHEADER), size);
  GlobalUnlock(block);
  return block;
}
