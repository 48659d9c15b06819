#include "dib_holder.h"

#include <algorithm>
#include <vector>

#include "dib_handle.h"
#include "dib_layout.h"
#include "image.h"

uint32_t DibHolder::ColorCount() const {
  return dib_ ? imagecore::DibColorCount(dib_->biBitCount, dib_->biClrUsed) : 0;
}

static uint32_t MaskBytes(const BITMAPINFOHEADER* h) {
  return h->biCompression == BI_BITFIELDS && h->biSize == sizeof(BITMAPINFOHEADER) ? 12 : 0;
}

uint32_t DibHolder::HeaderSize() const {
  if (!dib_) return 0;
  uint64_t n = uint64_t(dib_->biSize) + MaskBytes(dib_) + 4ull * ColorCount();
  return n > UINT32_MAX ? UINT32_MAX : uint32_t(n);
}

uint8_t* DibHolder::Bits() const {
  if (!dib_) return nullptr;
  imagecore::DibLayout layout;
  SIZE_T block = DibBlockBytes(dib_);
  if (imagecore::ParseDibLayout(reinterpret_cast<const uint8_t*>(dib_), block, layout) != imagecore::kOk)
    return nullptr;
  return reinterpret_cast<uint8_t*>(dib_) + layout.bitsOffset;
}

int DibHolder::ColorsForBitCount(int bits) {
  switch (bits) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
  }
  return 0;
}

uint32_t DibHolder::ReadableColors() const {
  if (!dib_) return 0;
  SIZE_T block = DibBlockBytes(dib_);
  uint64_t start = uint64_t(dib_->biSize) + MaskBytes(dib_);
  if (block < start) return 0;
  uint64_t fit = (block - start) / 4;
  return uint32_t(fit < ColorCount() ? fit : ColorCount());
}

HPALETTE DibHolder::BuildPalette(const BITMAPINFOHEADER* h, bool emptyGivesNone) {
  if (!h) return nullptr;
  uint32_t n = h->biClrUsed ? h->biClrUsed : uint32_t(ColorsForBitCount(h->biBitCount));
  if (h->biBitCount <= 8 && n > (1u << h->biBitCount)) n = 1u << h->biBitCount;
  if (n > 256) n = 256;
  // Only entries inside the block are read.
  SIZE_T block = DibBlockBytes(h);
  uint64_t start = uint64_t(h->biSize) + MaskBytes(h);
  if (block) n = block < start ? 0 : uint32_t(std::min<uint64_t>(n, (block - start) / 4));
  if (n == 0 && emptyGivesNone) return nullptr;
  std::vector<uint8_t> storage(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * (n ? n : 1), 0);
  auto* lp = reinterpret_cast<LOGPALETTE*>(storage.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = WORD(n);
  HWND focus = GetFocus();
  HDC dc = GetDC(focus);
  int systemSize = dc ? GetDeviceCaps(dc, SIZEPALETTE) : 0;
  if (n == 16 && systemSize >= 16) {
    GetSystemPaletteEntries(dc, 0, 8, lp->palPalEntry);
    GetSystemPaletteEntries(dc, UINT(systemSize - 8), 8, lp->palPalEntry + 8);
  } else {
    const auto* table = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const uint8_t*>(h) + start);
    for (uint32_t i = 0; i < n; ++i)
      lp->palPalEntry[i] = PALETTEENTRY{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
  }
  if (dc) ReleaseDC(focus, dc);
  return CreatePalette(lp);
}

void DibHolder::DeletePalette() {
  if (palette_) DeleteObject(palette_);
  palette_ = nullptr;
}
