// Page DIBs in movable global memory blocks, seen as plain images by the codec library.
#pragma once
#include <windows.h>

#include "image.h"
#include "status.h"

namespace dibglue {

// The image a block holds; kBadDib for a block whose header, table or rows do not fit it.
imagecore::Status ImageFromHandle(HGLOBAL block, imagecore::Image& image);

// A new movable block holding the image, unlocked; 0 when memory runs out. The caller owns it.
HGLOBAL HandleFromImage(const imagecore::Image& image);

// Writes the image back into the same block, which must be large enough.
imagecore::Status StoreImageInHandle(HGLOBAL block, const imagecore::Image& image);

}  // namespace dibglue
