// A page block at a depth the writers take: the conversion of page_depth.h over global blocks.
#pragma once
#include <windows.h>

namespace tarnwick {

// A new movable block holding the page converted by ConvertPageDepth; 0 when it cannot be
// converted. The page block stays the caller's.
HGLOBAL ConvertedPageBlock(HGLOBAL page);

}  // namespace tarnwick
