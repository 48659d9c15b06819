#include "global_dib.h"

#include "dib_layout.h"

namespace dibglue {

using namespace imagecore;

Status ImageFromHandle(HGLOBAL block, Image& image) {
  if (!block) return kBadArgument;
  SIZE_T size = GlobalSize(block);
  const uint8_t* p = static_cast<const uint8_t*>(GlobalLock(block));
  if (!p) return kBadDib;
  Status s = DibToImage(p, size, image);
  GlobalUnlock(block);
  return s;
}

HGLOBAL HandleFromImage(const Image& image) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, DibBlockSize(image));
  if (!h) return nullptr;
  WriteDib(image, static_cast<uint8_t*>(GlobalLock(h)));
  GlobalUnlock(h);
  return h;
}

Status StoreImageInHandle(HGLOBAL block, const Image& image) {
  if (!block || GlobalSize(block) < DibBlockSize(image)) return kNoMemory;
  uint8_t* p = static_cast<uint8_t*>(GlobalLock(block));
  if (!p) return kBadDib;
  WriteDib(image, p);
  GlobalUnlock(block);
  return kOk;
}

}  // namespace dibglue
