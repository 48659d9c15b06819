#include "page_dib_global.h"

#include "acquire_memory.h"

HGLOBAL AllocPageDib(PageAssembly& assembly) {
  const uint32_t size = assembly.Layout().BlockSize;
  if (size == 0) return nullptr;
  // The header, every row and its padding are written before the page is handed over.
  HGLOBAL dib = AcquireAllocUncleared(size);
  if (dib == nullptr) return nullptr;
  auto* block = static_cast<uint8_t*>(GlobalLock(dib));
  if (block == nullptr || !assembly.Attach(block, GlobalSize(dib))) {
    AcquireFree(dib);
    return nullptr;
  }
  return dib;
}

void UnlockPageDibFully(HGLOBAL dib) {
  if (dib == nullptr) return;
  while (GlobalUnlock(dib)) {
  }
}

void FreeOwnedPageDib(HGLOBAL dib) { AcquireFree(dib); }
