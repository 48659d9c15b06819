#include "strip_rows.h"

#include <cstring>

void* StripBlock::Reserve(uint32_t bytes) {
  if (bytes <= size_) return memory_;
  Release();
  handle_ = GlobalAlloc(GMEM_MOVEABLE, bytes);
  memory_ = handle_ ? GlobalLock(handle_) : nullptr;
  size_ = memory_ ? bytes : 0;
  return memory_;
}

void StripBlock::Release() {
  if (handle_) {
    GlobalUnlock(handle_);
    GlobalFree(handle_);
  }
  handle_ = nullptr;
  memory_ = nullptr;
  size_ = 0;
}

uint32_t TightRowBytes(const TWImageInfoRec& info) {
  if (info.ImageWidth <= 0 || info.BitsPerPixel <= 0) return 0;
  return static_cast<uint32_t>((uint64_t(info.ImageWidth) * uint32_t(info.BitsPerPixel) + 7) / 8);
}

uint32_t PackStripRows(const TW_IMAGEMEMXFER& mem, uint32_t rowBytes) {
  const uint32_t written = mem.BytesWritten;
  // Compressed strips, or rows already as the caller lays them: the bytes as they came.
  if (mem.Compression != TWCP_NONE || rowBytes == 0 || mem.BytesPerRow <= rowBytes ||
      mem.Rows == 0 || uint64_t(mem.BytesPerRow) * mem.Rows > written)
    return written;
  auto* p = static_cast<uint8_t*>(mem.Memory.TheMem);
  for (uint32_t r = 1; r < mem.Rows; ++r)
    std::memmove(p + size_t(r) * rowBytes, p + size_t(r) * mem.BytesPerRow, rowBytes);
  return mem.Rows * rowBytes;
}
