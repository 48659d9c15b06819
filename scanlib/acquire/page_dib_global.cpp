#include "page_dib_global.h"

HGLOBAL AllocPageDib(PageAssembly& assembly) {
  const uint32_t size = assembly.Layout().BlockSize;
  if (size == 0) return nullptr;
  HGLOBAL dib = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (dib == nullptr) return nullptr;
  auto* block = static_cast<uint8_t*>(GlobalLock(dib));
  if (block == nullptr || !assembly.Attach(block, GlobalSize(dib))) {
    if (block != nullptr) GlobalUnlock(dib);
    GlobalFree(dib);
    return nullptr;
  }
  return dib;
}

void UnlockPageDibFully(HGLOBAL dib) {
  if (dib == nullptr) return;
  while (GlobalUnlock(dib)) {
  }
}

void FreeOwnedPageDib(HGLOBAL dib) {
  if (dib == nullptr) return;
  UnlockPageDibFully(dib);
  GlobalFree(dib);
}
