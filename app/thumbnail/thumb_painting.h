// PaintDibToImage: a page DIB painted into a thumbnail-sized bitmap through the bitmap
// libraries. Black-and-white pages are first scaled to a gray copy of a twentieth of their size.
#pragma once
#include <windows.h>

#include "strip_layout.h"

namespace tarnwick {

struct ThumbPicture {
  HBITMAP bitmap = nullptr;  // the caller's; null when the page could not be painted
  ThumbSize size;            // 0 x 0 for a null or malformed page
};

// The page's thumbnail fitted into maxWidth x maxHeight. A null, empty or malformed block
// gives no bitmap and an empty size; the block stays the caller's.
ThumbPicture MakeThumbPicture(HGLOBAL page, int32_t maxWidth, int32_t maxHeight);

// The page painted into a new bitmap of the given size (white where nothing is painted).
HBITMAP PaintDibToImage(HGLOBAL page, int32_t width, int32_t height);

}  // namespace tarnwick
