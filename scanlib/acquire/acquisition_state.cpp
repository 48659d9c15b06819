#include "acquisition_state.h"

Acquisition gAcq;

namespace {

uint64_t RowBits(const ScanPageInfo& page) {
  if (page.ImageWidth <= 0 || page.BitsPerPixel <= 0) return 0;
  return static_cast<uint64_t>(page.ImageWidth) * static_cast<uint64_t>(page.BitsPerPixel);
}

uint32_t Clamp32(uint64_t v) { return v > 0x7fffffffull ? 0 : static_cast<uint32_t>(v); }

}  // namespace

uint32_t ReceivedRowLength(const ScanPageInfo& page) { return Clamp32((RowBits(page) + 7) / 8); }

uint32_t DibRowStride(const ScanPageInfo& page) { return Clamp32((RowBits(page) + 31) / 32 * 4); }
