#include "thumb_painting.h"

#include "dib_layout.h"
#include "isp_bindings.h"
#include "ltdis12.h"
#include "page_bitmap.h"

namespace tarnwick {

namespace {

bool PageLayout(HGLOBAL page, imagecore::DibLayout& layout, bool* grayTable = nullptr) {
  if (!page) return false;
  SIZE_T size = GlobalSize(page);
  const auto* p = static_cast<const uint8_t*>(GlobalLock(page));
  if (!p) return false;
  bool ok = imagecore::ParseDibLayout(p, size, layout) == imagecore::kOk;
  if (ok && grayTable) {
    *grayTable = layout.bits == 8 && layout.colorCount > 0;
    const uint8_t* table = p + layout.headerSize + layout.masksBytes;
    for (uint32_t i = 0; *grayTable && i < layout.colorCount; ++i)
      *grayTable = table[4 * i] == table[4 * i + 1] && table[4 * i + 1] == table[4 * i + 2];
  }
  GlobalUnlock(page);
  return ok;
}

// A gray or colour page many times the thumbnail's size, averaged down to it first: painting
// tens of megabytes into a thumbnail with the display's stretching costs far more than the
// average, and shows the same.
HGLOBAL ReducedForThumb(HGLOBAL page, const imagecore::DibLayout& layout, bool grayTable,
                        ThumbSize fit) {
  const int32_t height = layout.height < 0 ? -layout.height : layout.height;
  if (fit.Empty() || layout.width < 4 * fit.width || height < 4 * fit.height) return nullptr;
  if (layout.bits == 24) return ResizeImage(page, fit.width, fit.height, 24);
  if (grayTable) return ScaleImageToGray(page, 7, fit.width, fit.height);
  return nullptr;
}

}  // namespace

HBITMAP PaintDibToImage(HGLOBAL page, int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  if (!picture || !dc) {
    if (picture) DeleteObject(picture);
    if (dc) DeleteDC(dc);
    return nullptr;
  }
  HGDIOBJ oldBitmap = SelectObject(dc, picture);
  RECT all{0, 0, width, height};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  BitmapHolder holder;
  if (PageDibToBitmap(page, holder.Bitmap()) == kLtSuccess) {
    HPALETTE palette = L_CreatePaintPalette(dc, &holder.Bitmap());
    HPALETTE oldPalette = palette ? SelectPalette(dc, palette, FALSE) : nullptr;
    if (palette) RealizePalette(dc);
    L_PaintDC(dc, &holder.Bitmap(), nullptr, nullptr, &all, nullptr, SRCCOPY);
    if (palette) {
      SelectPalette(dc, oldPalette, FALSE);
      DeleteObject(palette);
    }
  }
  SelectObject(dc, oldBitmap);
  DeleteDC(dc);
  return picture;
}

ThumbPicture MakeThumbPicture(HGLOBAL page, int32_t maxWidth, int32_t maxHeight) {
  ThumbPicture out;
  imagecore::DibLayout layout;
  if (!PageLayout(page, layout)) return out;
  bool grayTable = false;
  PageLayout(page, layout, &grayTable);
  int32_t height = layout.height < 0 ? -layout.height : layout.height;
  HGLOBAL source = page, gray = nullptr;
  if (layout.bits != 1) {
    out.size = FitThumbSize(layout.width, height, maxWidth, maxHeight);
    gray = ReducedForThumb(page, layout, grayTable, out.size);
    out.bitmap = PaintDibToImage(gray ? gray : page, out.size.width, out.size.height);
    if (gray) GlobalFree(gray);
    return out;
  }
  if (layout.bits == 1) {
    ThumbSize copy = GrayCopySize(layout.width, height);
    gray = ScaleImageToGray(page, 6, copy.width, copy.height);
    imagecore::DibLayout grayLayout;
    if (gray && PageLayout(gray, grayLayout)) {
      source = gray;
      layout = grayLayout;
      height = layout.height < 0 ? -layout.height : layout.height;
    }
  }
  out.size = FitThumbSize(layout.width, height, maxWidth, maxHeight);
  out.bitmap = PaintDibToImage(source, out.size.width, out.size.height);
  if (gray) GlobalFree(gray);
  return out;
}

}  // namespace tarnwick
