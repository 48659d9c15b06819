// Depth conversions between page DIB blocks.
#include "convert.h"
#include "crde_common.h"

using namespace imagecore;

static HGLOBAL Converted(HGLOBAL dib, uint16_t from, uint16_t to) {
  try {
    Image in, out;
    if (dibglue::ImageFromHandle(dib, in) != kOk) return nullptr;
    if (from && in.bits != from) return nullptr;
    if (to == 0) return dibglue::HandleFromImage(in);
    if (IncreaseDepth(in, to, out) != kOk) return nullptr;
    return dibglue::HandleFromImage(out);
  } catch (...) {
    return nullptr;
  }
}

extern "C" HGLOBAL __stdcall CopyDIB(HGLOBAL dib) { return Converted(dib, 0, 0); }
extern "C" HGLOBAL __stdcall DIB1to4(HGLOBAL dib) { return Converted(dib, 1, 4); }
extern "C" HGLOBAL __stdcall DIB1To8(HGLOBAL dib) { return Converted(dib, 1, 8); }
extern "C" HGLOBAL __stdcall DIB1To24(HGLOBAL dib) { return Converted(dib, 1, 24); }
extern "C" HGLOBAL __stdcall DIB4To8(HGLOBAL dib) { return Converted(dib, 4, 8); }
extern "C" HGLOBAL __stdcall DIB4To24(HGLOBAL dib) { return Converted(dib, 4, 24); }
extern "C" HGLOBAL __stdcall DIB16To24(HGLOBAL dib) { return Converted(dib, 16, 24); }
extern "C" HGLOBAL __stdcall DIB32To24(HGLOBAL dib) { return Converted(dib, 32, 24); }
