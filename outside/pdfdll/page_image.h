// The PDF writer's view of an imaging-library bitmap by the caller's colour code. Platform-free.
#pragma once
#include <cstdint>
#include <vector>

#include "lt_bitmap.h"
#include "pdf_writer.h"

namespace pdfdll {

// kPdfOk with `image` describing the bitmap's rows (in place, or in `gray` when a 4-bit or
// palette page is mapped to gray levels); kPdfBadArgument for an unknown colour code,
// kPdfBadBitmap when the bitmap is not of the code's depth or of the given size.
int32_t PageImageOf(const LtBitmapHandle& bitmap, int32_t colour, int32_t width, int32_t height,
                    int32_t xResolution, int32_t yResolution, std::vector<uint8_t>& gray,
                    PdfPageImage& image);

}  // namespace pdfdll
