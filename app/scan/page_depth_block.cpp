#include "page_depth_block.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "page_depth.h"

namespace tarnwick {

HGLOBAL ConvertedPageBlock(HGLOBAL page) {
  std::vector<uint8_t> dib;
  const SIZE_T bytes = GlobalSize(page);
  const auto* block = static_cast<const uint8_t*>(GlobalLock(page));
  if (!block) return nullptr;
  const bool converted = ConvertPageDepth(block, bytes, &dib);
  GlobalUnlock(page);
  if (!converted) return nullptr;
  HGLOBAL fresh = GlobalAlloc(GMEM_MOVEABLE, dib.size());
  if (!fresh) return nullptr;
  void* to = GlobalLock(fresh);
  if (!to) {
    GlobalFree(fresh);
    return nullptr;
  }
  std::memcpy(to, dib.data(), dib.size());
  GlobalUnlock(fresh);
  return fresh;
}

}  // namespace tarnwick
