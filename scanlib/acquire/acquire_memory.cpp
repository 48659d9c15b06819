#include "acquire_memory.h"

namespace {

int32_t gHeld = 0;
int32_t gFailAfter = -1;

HGLOBAL Allocate(SIZE_T bytes, UINT flags) {
  if (gFailAfter == 0) {
    gFailAfter = -1;
    return nullptr;
  }
  if (gFailAfter > 0) --gFailAfter;
  HGLOBAL block = GlobalAlloc(flags, bytes);
  if (block != nullptr) ++gHeld;
  return block;
}

}  // namespace

HGLOBAL AcquireAlloc(SIZE_T bytes) { return Allocate(bytes, GMEM_MOVEABLE | GMEM_ZEROINIT); }

HGLOBAL AcquireAllocUncleared(SIZE_T bytes) { return Allocate(bytes, GMEM_MOVEABLE); }

void AcquireFree(HGLOBAL block) {
  if (block == nullptr) return;
  while (GlobalUnlock(block)) {
  }
  GlobalFree(block);
  --gHeld;
}

void AcquireHandOver(HGLOBAL block) {
  if (block != nullptr) --gHeld;
}

int32_t AcquireBlocksHeld() { return gHeld; }

void FailAcquireAllocAfter(int32_t n) { gFailAfter = n; }
