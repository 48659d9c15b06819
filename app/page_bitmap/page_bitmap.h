// A page DIB block as an imaging-library bitmap. The rows are located by the project's DIB
// layout rule, checked against the block's size, never by counting palette entries after a
// 40-byte header.
#pragma once
#include <windows.h>

#include <cstdint>

#include "lt_bitmap.h"

namespace tarnwick {

// Initialises `bitmap` and converts the page into it (depth, colour count and resolution of
// the DIB). kLtSuccess, kLtBadDib for a null, empty or malformed block (bitmap then empty), or
// the library's failure. The block stays the caller's; free the bitmap with L_FreeBitmap.
int32_t PageDibToBitmap(HGLOBAL page, LtBitmapHandle& bitmap);

// The DIB's resolution in dots per inch (0 when it has none or the block is unreadable).
int32_t PageDibDpi(HGLOBAL page);

// Frees the bitmap when the scope ends, whatever happened.
class BitmapHolder {
 public:
  BitmapHolder();
  ~BitmapHolder();
  BitmapHolder(const BitmapHolder&) = delete;
  BitmapHolder& operator=(const BitmapHolder&) = delete;
  LtBitmapHandle& Bitmap() { return bitmap_; }

 private:
  LtBitmapHandle bitmap_;
};

}  // namespace tarnwick
