#include "qm_tdib.h"

#include "dib_handle.h"
#include "error_invalid.h"

QmTDib::~QmTDib() {
  if (Owned && dib_) {
    HGLOBAL h = GlobalHandle(dib_);
    if (h) {
      UnlockDibHandle(h);
      GlobalFree(h);
    }
  }
  dib_ = nullptr;
  DeletePalette();
}

void QmTDib::SetDib(BITMAPINFOHEADER* p) {
  if (p == dib_) return;
  if (Owned && dib_) {
    HGLOBAL h = GlobalHandle(dib_);
    if (h) {
      UnlockDibHandle(h);
      GlobalFree(h);
    }
    DeletePalette();
  }
  dib_ = p;
}

HPALETTE QmTDib::PaletteHandle() {
  if (!dib_) return nullptr;
  if (!palette_) palette_ = MakePalette(dib_);
  return palette_;
}

bool QmTDib::CreateBlankDib(HPALETTE palette, int width, int height, int bitCount) {
  if (width <= 0 || height == 0) return false;
  uint64_t rowBytes = (uint64_t(width) * uint32_t(bitCount) + 31) / 32 * 4;
  uint64_t imageSize = uint64_t(height < 0 ? -int64_t(height) : height) * rowBytes;
  int bits, colors;
  switch (bitCount) {
    case 1: case 2: bits = 1; colors = 2; break;
    case 4: bits = 4; colors = 16; break;
    case 8: bits = 8; colors = 256; break;
    case 16: case 24: case 32: bits = bitCount; colors = 0; break;
    default: return false;
  }
  uint64_t total = imageSize + sizeof(BITMAPINFOHEADER) + 4ull * colors;
  if (total > 0x7FFFFFFF) throw ErrorInvalid(pictorel_text::kCantAllocate);
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, SIZE_T(total));
  if (!h) throw ErrorInvalid(pictorel_text::kCantAllocate);
  auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(h));
  header->biSize = sizeof(BITMAPINFOHEADER);
  header->biWidth = width;
  header->biHeight = height;
  header->biPlanes = 1;
  header->biBitCount = WORD(bits);
  header->biCompression = BI_RGB;
  header->biSizeImage = DWORD(imageSize);
  header->biXPelsPerMeter = 2953;
  header->biYPelsPerMeter = 2953;
  header->biClrUsed = DWORD(colors);
  header->biClrImportant = DWORD(colors);
  if (palette && colors) {
    auto* table = reinterpret_cast<RGBQUAD*>(header + 1);
    for (int i = 0; i < colors; ++i) {
      PALETTEENTRY e{};
      if (GetPaletteEntries(palette, UINT(i), 1, &e) == 1)
        table[i] = RGBQUAD{e.peBlue, e.peGreen, e.peRed, 0};
    }
  }
  GlobalUnlock(h);
  SetDib(static_cast<BITMAPINFOHEADER*>(GlobalLock(h)));
  return true;
}
