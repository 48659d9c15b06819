#include <cstring>
#include <vector>

#include "bitmap_image.h"
#include "guarded_call.h"
#include "ltdis12.h"

using namespace ltbitmap;

namespace {

struct PaintInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colors[256];
};

void DescribeBitmap(const LtBitmapHandle& b, PaintInfo& info) {
  std::memset(&info, 0, sizeof info);
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = b.Width;
  info.header.biHeight = b.ViewPerspective == kLtBottomLeft ? b.Height : -b.Height;
  info.header.biPlanes = 1;
  info.header.biBitCount = WORD(b.BitsPerPixel);
  info.header.biCompression = BI_RGB;
  info.header.biXPelsPerMeter = LONG(DpiToPelsPerMeter(b.XResolution));
  info.header.biYPelsPerMeter = LONG(DpiToPelsPerMeter(b.YResolution));
  if (b.BitsPerPixel <= 8) {
    uint32_t n = b.ColorCount ? b.ColorCount : 1u << b.BitsPerPixel;
    if (n > (1u << b.BitsPerPixel)) n = 1u << b.BitsPerPixel;
    info.header.biClrUsed = n;
    for (uint32_t i = 0; i < n; ++i) {
      if (b.ColorCount) {
        info.colors[i] = RGBQUAD{b.Palette[i].Blue, b.Palette[i].Green, b.Palette[i].Red, 0};
      } else {
        BYTE v = BYTE(i * 255 / (n - 1));
        info.colors[i] = RGBQUAD{v, v, v, 0};
      }
    }
  } else if (b.BitsPerPixel == 16 || b.BitsPerPixel == 32) {
    info.header.biCompression = BI_BITFIELDS;
    std::memcpy(info.colors, b.Masks, sizeof b.Masks);
  }
}

bool Intersect(RECT& r, const RECT& with) {
  RECT out;
  if (!IntersectRect(&out, &r, &with)) return false;
  r = out;
  return true;
}

}  // namespace

extern "C" HPALETTE __stdcall L_CreatePaintPalette(HDC dc, LtBitmapHandle* bitmap) {
  return Guarded([&]() -> HPALETTE {
    if (!bitmap || !HoldsImage(*bitmap)) return nullptr;
    if (bitmap->BitsPerPixel > 8) return CreateHalftonePalette(dc);
    PaintInfo info;
    DescribeBitmap(*bitmap, info);
    std::vector<uint8_t> block(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(block.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = WORD(info.header.biClrUsed);
    for (DWORD i = 0; i < info.header.biClrUsed; ++i)
      palette->palPalEntry[i] = PALETTEENTRY{info.colors[i].rgbRed, info.colors[i].rgbGreen,
                                             info.colors[i].rgbBlue, 0};
    return CreatePalette(palette);
  }, nullptr);
}

extern "C" int32_t __stdcall L_PaintDC(HDC dc, LtBitmapHandle* bitmap, const RECT* src,
                                       const RECT* srcClip, const RECT* dst, const RECT* dstClip,
                                       uint32_t rop) {
  return Guarded([&]() -> int32_t {
    if (!bitmap || !HoldsImage(*bitmap)) return kLtNoBitmap;
    if (!dc) return kLtBadArgument;
    RECT whole{0, 0, bitmap->Width, bitmap->Height};
    RECT from = src ? *src : whole;
    if (!Intersect(from, whole) || (srcClip && !Intersect(from, *srcClip))) return kLtSuccess;
    RECT to = dst ? *dst : whole;
    if (to.right <= to.left || to.bottom <= to.top) return kLtSuccess;
    PaintInfo info;
    DescribeBitmap(*bitmap, info);
    // StretchDIBits counts source rows from the bottom of a bottom-up DIB.
    int srcY = bitmap->ViewPerspective == kLtBottomLeft ? bitmap->Height - from.bottom : from.top;
    int saved = SaveDC(dc);
    if (dstClip) IntersectClipRect(dc, dstClip->left, dstClip->top, dstClip->right, dstClip->bottom);
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    int lines = StretchDIBits(dc, to.left, to.top, to.right - to.left, to.bottom - to.top, from.left,
                              srcY, from.right - from.left, from.bottom - from.top, bitmap->Data,
                              reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, rop);
    RestoreDC(dc, saved);
    return lines == int(GDI_ERROR) || lines == 0 ? kLtFailure : kLtSuccess;
  }, kLtFailure);
}
