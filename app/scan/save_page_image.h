// Page files written at once through the bitmap library: TIFF in the chosen coding (a page that
// is not black-and-white uncompressed) and JPEG.
#pragma once
#include <windows.h>

#include <string>

#include "page_target.h"

struct LtBitmapHandle;

namespace tarnwick {

// selector "img_tif" or "img_jpg"; raises std::runtime_error with the failure's text.
void SavePageImage(const std::string& selector, int formatCode, const std::string& fileName,
                   LtBitmapHandle& bitmap, int jpegQuality);

// Converts the page DIB (the caller keeps the block) at the scan's resolution and writes it.
void WritePageImageFile(HGLOBAL page, const PageTarget& target, bool jpeg, int dpi,
                        int jpegQuality);

}  // namespace tarnwick
