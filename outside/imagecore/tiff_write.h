// One page written into an open TIFF, as its next directory.
#pragma once
#include <tiffio.h>

#include "image.h"
#include "status.h"

namespace imagecore {

Status WriteTiffDirectory(TIFF* tif, const Image& image, uint16_t compression);

}  // namespace imagecore
