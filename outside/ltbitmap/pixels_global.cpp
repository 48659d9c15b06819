// Pixel blocks for the DLLs: fixed global memory, so that a block one library makes (the loader,
// the resize) is given back by another (L_FreeBitmap) without sharing a C runtime.
#include <windows.h>

#include "bitmap_image.h"

namespace ltbitmap {
uint8_t* AllocatePixels(size_t bytes) {
  return static_cast<uint8_t*>(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, bytes ? bytes : 1));
}
void FreePixels(uint8_t* data) {
  if (data) GlobalFree(data);
}
}  // namespace ltbitmap
