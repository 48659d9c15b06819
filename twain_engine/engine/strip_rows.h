// Memory strips as the caller lays them: the engine's own block for a source whose least block
// is larger than the caller's, and rows a source padded moved together.
#pragma once
#include <windows.h>

#include <cstdint>

#include "wexlo.h"

class StripBlock {
 public:
  StripBlock() = default;
  StripBlock(const StripBlock&) = delete;
  StripBlock& operator=(const StripBlock&) = delete;
  ~StripBlock() { Release(); }
  // A locked block of at least `bytes`; null when no memory was to be had.
  void* Reserve(uint32_t bytes);

 private:
  void Release();
  HGLOBAL handle_ = nullptr;
  void* memory_ = nullptr;
  uint32_t size_ = 0;
};

// Bytes of one row as the caller reads it: (width x bits + 7) / 8; 0 when not known.
uint32_t TightRowBytes(const TWImageInfoRec& info);

// Rows the source padded to its own BytesPerRow moved together in place; answers the bytes the
// strip now holds (BytesWritten when there was nothing to move).
uint32_t PackStripRows(const TW_IMAGEMEMXFER& mem, uint32_t rowBytes);
