// The page-information record of a page read back from a file.
#pragma once
#include "image.h"
#include "scan_page_info.h"

namespace fileplugins {

void DescribePage(const imagecore::Image& image, ScanPageInfo& info);

}  // namespace fileplugins
