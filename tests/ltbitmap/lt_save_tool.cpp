// Writes one page through L_SaveFile, for the checks with libtiff's and ImageMagick's readers:
//   lt_save_tool OUTPUT FORMAT KIND DPI FLAGS BITS     (KIND bw, gray or colour)
// The page is dark strokes on white, as a scanned text page. Exit status 0 when L_SaveFile
// answers success.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ltfil12.h"
#include "ltkrn12.h"

namespace {

std::vector<uint8_t> TextPage(const std::string& kind, int dpi, size_t* bitsOffset) {
  const int w = 850, h = 1100;  // a letter page at 100 dpi: enough strokes for every reader
  int bits = kind == "bw" ? 1 : kind == "gray" ? 8 : 24;
  int colors = bits == 1 ? 2 : bits == 8 ? 256 : 0;
  size_t row = ((size_t(w) * bits + 31) / 32) * 4;
  size_t offset = 40 + 4 * colors;
  std::vector<uint8_t> dib(offset + row * h, 0);
  auto* bih = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
  bih->biSize = 40;
  bih->biWidth = w;
  bih->biHeight = h;
  bih->biPlanes = 1;
  bih->biBitCount = WORD(bits);
  bih->biXPelsPerMeter = bih->biYPelsPerMeter = LONG(dpi * 39.37 + 0.5);
  for (int i = 0; i < colors; ++i) {
    uint8_t v = uint8_t(i * 255 / (colors - 1));
    dib[40 + 4 * i] = dib[41 + 4 * i] = dib[42 + 4 * i] = v;
  }
  for (int y = 0; y < h; ++y) {
    uint8_t* r = dib.data() + offset + size_t(h - 1 - y) * row;  // bottom-up
    for (int x = 0; x < w; ++x) {
      bool ink = (y % 40 < 12) && (x % 23 < 14) && x > 80 && x < w - 80 && y > 100 && y < h - 100;
      if (bits == 1) {
        if (!ink) r[x / 8] |= uint8_t(0x80 >> (x % 8));  // index 1 white
      } else if (bits == 8) {
        r[x] = ink ? 20 : 250;
      } else {
        r[3 * x] = ink ? 120 : 255; r[3 * x + 1] = ink ? 30 : 255; r[3 * x + 2] = ink ? 10 : 255;
      }
    }
  }
  *bitsOffset = offset;
  return dib;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 7) {
    std::fprintf(stderr, "usage: lt_save_tool OUTPUT FORMAT KIND DPI FLAGS BITS\n");
    return 2;
  }
  size_t offset = 0;
  std::vector<uint8_t> dib = TextPage(argv[3], std::atoi(argv[4]), &offset);
  LtBitmapHandle bitmap;
  int32_t r = L_InitBitmap(&bitmap, 0, 0, reinterpret_cast<BITMAPINFOHEADER*>(dib.data())->biBitCount);
  if (r == kLtSuccess)
    r = L_ConvertFromDIB(&bitmap, reinterpret_cast<BITMAPINFOHEADER*>(dib.data()), dib.data() + offset);
  if (r == kLtSuccess)
    r = L_SaveFile(argv[1], &bitmap, std::atoi(argv[2]), std::atoi(argv[6]), 25,
                   uint32_t(std::strtoul(argv[5], nullptr, 0)), nullptr, nullptr, nullptr);
  L_FreeBitmap(&bitmap);
  std::printf("%s: %d\n", argv[1], r);
  return r == kLtSuccess ? 0 : 1;
}
