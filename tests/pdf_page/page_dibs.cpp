#include "page_dibs.h"

#include <cstdint>
#include <cstring>

HGLOBAL MakeTextPage(int w, int h, int bits, int dpi) {
  int colors = bits == 1 ? 2 : bits == 8 ? 256 : 0;
  size_t row = ((size_t(w) * bits + 31) / 32) * 4;
  size_t offset = 40 + 4 * size_t(colors);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, offset + row * h);
  auto* p = static_cast<uint8_t*>(GlobalLock(block));
  auto* bih = reinterpret_cast<BITMAPINFOHEADER*>(p);
  bih->biSize = 40;
  bih->biWidth = w;
  bih->biHeight = h;
  bih->biPlanes = 1;
  bih->biBitCount = WORD(bits);
  bih->biXPelsPerMeter = bih->biYPelsPerMeter = LONG(dpi * 39.37 + 0.5);
  for (int i = 0; i < colors; ++i) {
    uint8_t v = uint8_t(i * 255 / (colors - 1));
    p[40 + 4 * i] = p[41 + 4 * i] = p[42 + 4 * i] = v;
  }
  for (int y = 0; y < h; ++y) {
    uint8_t* r = p + offset + size_t(h - 1 - y) * row;
    for (int x = 0; x < w; ++x) {
      bool ink = (y % 60 < 20) && (x % 40 < 25) && x > w / 10 && x < w - w / 10 && y > h / 10 &&
                 y < h - h / 10;
      if (bits == 1) {
        if (!ink) r[x / 8] |= uint8_t(0x80 >> (x % 8));
      } else if (bits == 8) {
        r[x] = ink ? 30 : 245;
      } else {
        r[3 * x] = ink ? 140 : 250; r[3 * x + 1] = ink ? 40 : 250; r[3 * x + 2] = ink ? 20 : 250;
      }
    }
  }
  GlobalUnlock(block);
  return block;
}
