// One page added to an existing TIFF file by libtiff's append mode: the pages already there are
// not rewritten (only the last directory's link to the next changes). Paths are UTF-8.
#pragma once
#include <cstdint>

#include "image.h"

namespace ltfil {

// True when the file is a TIFF whose every directory libtiff reads without error and whose
// strips lie inside the file.
bool IsSoundTiff(const char* path);

// kLtSuccess, kLtNotAppendable (the file is left untouched) or kLtWriteFailed.
int32_t AppendTiffPage(const char* path, const imagecore::Image& image, uint16_t compression);

}  // namespace ltfil
