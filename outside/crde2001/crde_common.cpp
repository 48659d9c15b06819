#include "crde_common.h"

#include "convert.h"

namespace crde {

using namespace imagecore;

bool Report(QmProgressProc progress, void* sender, int16_t value) {
  return !progress || progress(value, sender) != 0;
}

static int16_t KnownDepth(int16_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 24 ? bits : 0;
}

Status Deliver(const Image& image, int16_t bits, bool dither, HGLOBAL* dib) {
  Image out;
  Status s = ConvertDepth(image, uint16_t(KnownDepth(bits)), dither, out);
  if (s != kOk) return s;
  *dib = dibglue::HandleFromImage(out);
  return *dib ? kOk : kNoMemory;
}

Status TakeForWriting(HGLOBAL dib, int16_t bits, Image& image) {
  Image held;
  Status s = dibglue::ImageFromHandle(dib, held);
  if (s != kOk) return s;
  return ConvertDepth(held, uint16_t(KnownDepth(bits)), false, image);
}

}  // namespace crde
