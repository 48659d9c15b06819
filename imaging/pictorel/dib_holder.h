// What QmTDib and QmDocuDib share: questions about the header of a held, locked page DIB and
// its logical palette. Every offset is checked against the block that holds the DIB.
#pragma once
#include <windows.h>

#include <cstdint>

class DibHolder {
 public:
  DibHolder() = default;
  DibHolder(const DibHolder&) = delete;
  DibHolder& operator=(const DibHolder&) = delete;

  BITMAPINFOHEADER* Dib() const { return dib_; }
  int BitCount() const { return dib_ ? dib_->biBitCount : 0; }
  int Width() const { return dib_ ? dib_->biWidth : 0; }
  int Height() const { return dib_ ? dib_->biHeight : 0; }  // as stored: negative when top-down
  // Colour-table entries: biClrUsed capped at 2^bits up to 8 bits, 2^bits when it is 0;
  // above 8 bits biClrUsed (0 when unset).
  uint32_t ColorCount() const;
  // Bytes in front of the pixel rows: biSize, the BI_BITFIELDS masks, the colour table.
  uint32_t HeaderSize() const;
  // The first pixel row; null when no DIB is held or its rows do not fit its block.
  uint8_t* Bits() const;
  static int ColorsForBitCount(int bits);

 protected:
  // Table entries that lie inside the block.
  uint32_t ReadableColors() const;
  // Builds a logical palette from a header; emptyGivesNone: no palette for 0 colours.
  static HPALETTE BuildPalette(const BITMAPINFOHEADER* header, bool emptyGivesNone);
  void DeletePalette();

  BITMAPINFOHEADER* dib_ = nullptr;
  HPALETTE palette_ = nullptr;
};
