// A page DIB wrapper that can own the locked block it holds or merely look at it; used by
// the 8-bit to 24-bit conversion and by anyone who needs a blank DIB.
#pragma once
#include "dib_holder.h"

class QmTDib : public DibHolder {
 public:
  QmTDib() = default;
  ~QmTDib();

  // true: the object frees the block when it lets go of it; false: somebody else frees it.
  bool Owned = true;

  // Lets go of the held DIB and holds p (a locked pointer, or null). Holding the pointer
  // already held changes nothing.
  void SetDib(BITMAPINFOHEADER* p);
  // A new logical palette from the header's colour table; 0 when it has no colours.
  HPALETTE MakePalette(const BITMAPINFOHEADER* header) const { return BuildPalette(header, true); }
  // The palette of the held DIB, made on first request and owned by the object.
  HPALETTE PaletteHandle();
  // Allocates, fills and holds a zeroed DIB; false for a bit count other than 1, 2, 4, 8, 16,
  // 24, 32. Raises ErrorInvalid "Can't allocate memory" when no block can be had.
  bool CreateBlankDib(HPALETTE palette, int width, int height, int bitCount);
};
