#include "dib_handle.h"

void UnlockDibHandle(HGLOBAL handle) {
  if (!handle) return;
  // A lock count never runs above 255 (the low byte of the flags); the bound keeps a block
  // whose flags cannot be read from looping here.
  for (int i = 0; i < 256 && (GlobalFlags(handle) & GMEM_LOCKCOUNT) != 0; ++i) GlobalUnlock(handle);
}

void FreeDibHandle(HGLOBAL handle) {
  if (!handle || GlobalSize(handle) <= 1) return;
  UnlockDibHandle(handle);
  GlobalFree(handle);
}

SIZE_T DibBlockBytes(const void* locked) {
  if (!locked) return 0;
  HGLOBAL h = GlobalHandle(locked);
  return h ? GlobalSize(h) : 0;
}
