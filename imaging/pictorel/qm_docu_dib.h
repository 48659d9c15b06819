// The viewer's holder of a displayed image (and of its gray display copy). It always owns the
// locked block it holds.
#pragma once
#include "dib_holder.h"

class QmDocuDib : public DibHolder {
 public:
  QmDocuDib() = default;
  ~QmDocuDib();

  // Frees the held block and holds p (locked, or null); the palette made for the old image is
  // dropped with it. Holding the pointer already held changes nothing.
  void SetDib(BITMAPINFOHEADER* p);
  // Header, table and rows in bytes; a biSizeImage of 0 is computed (with the height's
  // absolute value) and written back into the header.
  uint32_t DibSize();
  // Copies the palette's entries into the colour table and keeps the handle as the palette.
  void ApplyPalette(HPALETTE palette);
  HPALETTE MakePalette(const BITMAPINFOHEADER* header) const { return BuildPalette(header, false); }
  HPALETTE PaletteHandle();
  // A byte copy of the held block in a new movable block, unlocked; 0 when nothing is held.
  // Raises ErrorInvalid "Can't allocate memory" when no block can be had.
  HGLOBAL CopyToHandle() const;

 private:
  void FreeHeld();
};
