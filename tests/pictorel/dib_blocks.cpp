#include "dib_blocks.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "dib_layout.h"

namespace pictorel_test {

using namespace imagecore;

Image Pattern(uint16_t bits, uint32_t w, uint32_t h, bool gray) {
  Image im;
  Allocate(im, w, h, bits);
  im.xPelsPerMeter = 11811;
  im.yPelsPerMeter = 11811;
  if (bits <= 8 && !gray) {
    im.palette.clear();
    for (unsigned i = 0; i < (1u << bits); ++i)
      im.palette.push_back(MakeRgb(uint8_t(i * 37 + 11), uint8_t(255 - i * 53), uint8_t(i * 91 + 5)));
  }
  for (uint32_t y = 0; y < h; ++y)
    for (uint32_t x = 0; x < w; ++x) {
      uint32_t v = x * 7 + y * 13 + (x * y) % 5;
      if (bits <= 8) SetIndex(im.Row(y), x, bits, uint8_t(v % (1u << bits)));
      else if (bits == 24) {
        im.Row(y)[3 * x] = uint8_t(v); im.Row(y)[3 * x + 1] = uint8_t(v * 3); im.Row(y)[3 * x + 2] = uint8_t(x + y);
      }
    }
  return im;
}

HGLOBAL ToBlock(const Image& image) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, DibBlockSize(image));
  WriteDib(image, static_cast<uint8_t*>(GlobalLock(h)));
  GlobalUnlock(h);
  return h;
}

Image FromBlock(HGLOBAL block) {
  Image im;
  if (!block) return im;
  const uint8_t* p = static_cast<const uint8_t*>(GlobalLock(block));
  if (DibToImage(p, GlobalSize(block), im) != kOk) im = Image{};
  GlobalUnlock(block);
  return im;
}

size_t DifferentPixels(const Image& a, const Image& b, int tolerance) {
  if (a.width != b.width || a.height != b.height || a.Empty()) return size_t(-1);
  size_t n = 0;
  for (uint32_t y = 0; y < a.height; ++y)
    for (uint32_t x = 0; x < a.width; ++x) {
      Rgb p = PixelColor(a, a.Row(y), x), q = PixelColor(b, b.Row(y), x);
      if (std::abs(p.red - q.red) > tolerance || std::abs(p.green - q.green) > tolerance ||
          std::abs(p.blue - q.blue) > tolerance)
        ++n;
    }
  return n;
}

HGLOBAL RawDib(int32_t width, int32_t height, uint16_t bits, uint32_t clrUsed, size_t total, uint32_t compression) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, total);
  auto* b = static_cast<BITMAPINFOHEADER*>(GlobalLock(h));
  if (total >= sizeof(BITMAPINFOHEADER)) {
    b->biSize = 40;
    b->biWidth = width;
    b->biHeight = height;
    b->biPlanes = 1;
    b->biBitCount = bits;
    b->biCompression = compression;
    b->biClrUsed = clrUsed;
  }
  GlobalUnlock(h);
  return h;
}

std::string TempPath(const std::string& name) {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  std::string dir = std::string(folder) + "pictorel_test\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir + std::to_string(GetCurrentProcessId()) + "_" + name;
}

}  // namespace pictorel_test
