#include "qm_docu_dib.h"

#include <cstring>

#include "dib_handle.h"
#include "error_invalid.h"

QmDocuDib::~QmDocuDib() {
  FreeHeld();
  DeletePalette();
}

void QmDocuDib::FreeHeld() {
  if (!dib_) return;
  HGLOBAL h = GlobalHandle(dib_);
  if (h) {
    GlobalUnlock(h);
    GlobalFree(h);
  }
  dib_ = nullptr;
}

void QmDocuDib::SetDib(BITMAPINFOHEADER* p) {
  if (p == dib_) return;
  FreeHeld();
  DeletePalette();
  dib_ = p;
}

uint32_t QmDocuDib::DibSize() {
  if (!dib_) return 0;
  if (dib_->biSizeImage == 0) {
    uint64_t rowBytes = (uint64_t(uint32_t(dib_->biWidth)) * dib_->biBitCount + 31) / 32 * 4;
    uint64_t rows = uint64_t(dib_->biHeight < 0 ? -int64_t(dib_->biHeight) : dib_->biHeight);
    uint64_t size = rowBytes * rows;
    dib_->biSizeImage = DWORD(size > UINT32_MAX ? UINT32_MAX : size);
  }
  return HeaderSize() + dib_->biSizeImage;
}

void QmDocuDib::ApplyPalette(HPALETTE palette) {
  if (dib_ && palette) {
    auto* table = reinterpret_cast<RGBQUAD*>(reinterpret_cast<uint8_t*>(dib_) + HeaderSize() - 4 * ColorCount());
    uint32_t n = ReadableColors();
    for (uint32_t i = 0; i < n; ++i) {
      PALETTEENTRY e{};
      if (GetPaletteEntries(palette, i, 1, &e) == 1) {
        table[i].rgbRed = e.peRed;
        table[i].rgbGreen = e.peGreen;
        table[i].rgbBlue = e.peBlue;
      }
    }
  }
  palette_ = palette;
}

HPALETTE QmDocuDib::PaletteHandle() {
  if (!dib_) return nullptr;
  if (!palette_) palette_ = MakePalette(dib_);
  return palette_;
}

HGLOBAL QmDocuDib::CopyToHandle() const {
  if (!dib_) return nullptr;
  HGLOBAL source = GlobalHandle(dib_);
  SIZE_T size = source ? GlobalSize(source) : 0;
  if (!size) return nullptr;
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (!copy) throw ErrorInvalid(pictorel_text::kCantAllocate);
  std::memcpy(GlobalLock(copy), dib_, size);
  GlobalUnlock(copy);
  return copy;
}
