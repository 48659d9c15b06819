// The first page of a DjVu file rendered as an 8-bit gray image (0 black), top row first, with
// DjVuLibre's decoder.
#pragma once
#include <string>

#include "image.h"

namespace fileplugins {

// False (with `image` empty) when the file cannot be read as DjVu.
bool RenderDjvuPage(const std::string& path, imagecore::Image& image);

}  // namespace fileplugins
