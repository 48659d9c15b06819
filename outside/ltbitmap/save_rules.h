// What L_SaveFile writes for a format code and a bits-per-pixel request: the file kind, the
// TIFF compression and the image at the depth the file will hold. Platform-free.
#pragma once
#include <cstdint>

#include "image.h"
#include "status.h"

namespace ltbitmap {

enum class SaveKind { kTiff, kJpeg };

struct SavePlan {
  SaveKind kind = SaveKind::kTiff;
  uint16_t compression = 1;  // TIFF compression code as stored (1 none, 2, 3, 4 the fax codes)
};

// kUnsupported for a format code no writer knows.
imagecore::Status PlanSave(int32_t format, SavePlan& plan);

// The image as it will be written. askedBits 0 keeps the bitmap's depth. The fax codes hold
// black and white only: a deeper image keeps its depth and is written uncompressed, never
// dithered or thresholded to one bit. JPEG holds 8-bit gray or 24-bit colour: a black-and-white,
// 4-bit or gray image becomes 8-bit gray, a colour palette image 24 bits. An image written as it
// is moves from `in` to `out`: a scanned page is tens of megabytes, not worth a copy.
imagecore::Status PrepareForSave(imagecore::Image&& in, int32_t askedBits, SavePlan& plan,
                                 imagecore::Image& out);

// The quality factor counts like the application's JPEG setting: higher compresses more.
// JPEG quality = 100 - factor, held to 1..100 (factor 0 gives 100, the default setting 25
// gives libjpeg's usual 75). Monotonic: a larger factor never gives a finer file.
int JpegQualityFromFactor(int32_t factor);

}  // namespace ltbitmap
