#include "code_list.h"

#include <cstring>

namespace fileplugins {

namespace {

uint16_t* NewLockedBlock(size_t items) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (items ? items : 1) * sizeof(uint16_t));
  if (!h) return nullptr;
  auto* p = static_cast<uint16_t*>(GlobalLock(h));
  if (!p) GlobalFree(h);
  return p;
}

}  // namespace

void FreeLockedBlock(const void* pointer) {
  if (!pointer) return;
  HGLOBAL h = GlobalHandle(pointer);
  if (!h) return;
  while (GlobalUnlock(h)) {
  }
  GlobalFree(h);
}

PluginStatus HandOutCodes(const std::vector<uint16_t>& codes, uint16_t** list, int32_t* count) {
  if (!list || !count) return kPluginBadArgument;
  uint16_t* block = NewLockedBlock(codes.size());
  if (!block) return kPluginNoMemory;
  std::memcpy(block, codes.data(), codes.size() * sizeof(uint16_t));
  *list = block;
  *count = int32_t(codes.size());
  return kPluginOk;
}

PluginStatus AppendCodes(const std::vector<uint16_t>& codes, uint16_t** list, int32_t* count,
                         int32_t have) {
  if (!list || !count || have < 0 || (have > 0 && !*list)) return kPluginBadArgument;
  if (have == 0) return HandOutCodes(codes, list, count);  // *list is not looked at
  // The items already there must lie inside a global block of the caller's.
  HGLOBAL old = GlobalHandle(*list);
  if (!old || GlobalSize(old) < size_t(have) * sizeof(uint16_t)) return kPluginBadArgument;
  uint16_t* block = NewLockedBlock(size_t(have) + codes.size());
  if (!block) return kPluginNoMemory;
  std::memcpy(block, *list, size_t(have) * sizeof(uint16_t));
  std::memcpy(block + have, codes.data(), codes.size() * sizeof(uint16_t));
  FreeLockedBlock(*list);
  *list = block;
  *count = int32_t(codes.size());
  return kPluginOk;
}

}  // namespace fileplugins
