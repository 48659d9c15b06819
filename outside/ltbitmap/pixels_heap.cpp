// Pixel blocks for the native build: the C heap (one runtime serves everything there).
#include <cstdlib>

#include "bitmap_image.h"

namespace ltbitmap {
uint8_t* AllocatePixels(size_t bytes) { return static_cast<uint8_t*>(std::calloc(bytes ? bytes : 1, 1)); }
void FreePixels(uint8_t* data) { std::free(data); }
}  // namespace ltbitmap
