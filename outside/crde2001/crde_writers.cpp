// File writers: the block is brought to the depth asked for and the file replaced in one step.
#include "convert.h"
#include "crde_common.h"
#include "tiff_codec.h"

using namespace imagecore;
using crde::WriteDibWith;

extern "C" int16_t __stdcall wrbmpfiledib(const char* file, int16_t bits, HGLOBAL dib, void* sender,
                                          QmProgressProc progress, int16_t) {
  return WriteDibWith(file, bits, dib, sender, progress, WriteBmp);
}

extern "C" int16_t __stdcall wrpcxfiledib(const char* file, int16_t bits, HGLOBAL dib, void* sender,
                                          QmProgressProc progress, int16_t) {
  return WriteDibWith(file, bits, dib, sender, progress, WritePcx);
}

extern "C" int16_t __stdcall wrgiffiledib(const char* file, int16_t bits, HGLOBAL dib, void* sender,
                                          QmProgressProc progress, int16_t) {
  return WriteDibWith(file, bits > 8 ? 8 : bits, dib, sender, progress, [](const Image& im, const Stream& out) {
    Image eight;
    Status s = im.bits <= 8 ? (eight = im, kOk) : ReduceDepth(im, 8, true, eight);
    return s == kOk ? WriteGif(eight, out) : s;
  });
}

extern "C" int16_t __stdcall writetgafiledib(const char* file, int16_t bits, int16_t, int16_t, HGLOBAL dib,
                                             void* sender, QmProgressProc progress, int16_t) {
  return WriteDibWith(file, bits, dib, sender, progress, [](const Image& im, const Stream& out) {
    if (im.bits == 8 || im.bits == 24) return WriteTga(im, out);
    Image wider;
    Status s = IncreaseDepth(im, im.bits < 8 ? 8 : 24, wider);
    return s == kOk ? WriteTga(wider, out) : s;
  });
}

extern "C" int16_t __stdcall wrpngfiledib(const char* file, int16_t bits, int16_t interlace, HGLOBAL dib,
                                          void* sender, QmProgressProc progress, int16_t) {
  return WriteDibWith(file, bits, dib, sender, progress, [interlace](const Image& im, const Stream& out) {
    return WritePng(im, interlace != 0, out);
  });
}

extern "C" int16_t __stdcall wrjpgfiledib(const char* file, int32_t quality, int32_t smoothing, int16_t bits,
                                          HGLOBAL dib, void* sender, QmProgressProc progress, int16_t) {
  // 1 or 8 bits ask for a gray JPEG; anything else is written in colour.
  int16_t depth = bits == 1 || bits == 8 ? 8 : 24;
  return WriteDibWith(file, 0, dib, sender, progress, [=](const Image& im, const Stream& out) {
    Image ready;
    Status s = depth == 8 ? ToGray8(im, ready) : ConvertDepth(im, 24, false, ready);
    return s == kOk ? WriteJpeg(ready, quality, smoothing, out) : s;
  });
}
