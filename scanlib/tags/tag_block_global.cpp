// Tag blocks as movable global memory, locked while the records hold them.
#include <windows.h>

#include "tag_block.h"

void* AllocTagBlock(size_t bytes) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes ? bytes : 1);
  if (!h) return nullptr;
  void* p = GlobalLock(h);
  if (!p) GlobalFree(h);
  return p;
}

void FreeTagBlock(void* block) {
  if (!block) return;
  HGLOBAL h = GlobalHandle(block);
  if (!h) return;
  while (GlobalUnlock(h)) {
  }
  GlobalFree(h);
}
