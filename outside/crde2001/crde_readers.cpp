// File readers. Each opens the file shared, decodes it and hands back a new page DIB.
#include "crde_common.h"
#include "tiff_codec.h"

using namespace imagecore;
using crde::ReadFileWith;

extern "C" int16_t __stdcall rdbmpfiledib(const char* file, int16_t bits, int16_t dither, HGLOBAL* dib,
                                          void*, void* sender, QmProgressProc progress, int16_t) {
  return ReadFileWith(file, bits, dither, dib, sender, progress, ReadBmp);
}

extern "C" int16_t __stdcall rdpngfiledib(const char* file, int16_t bits, int16_t dither, HGLOBAL* dib,
                                          void*, void* sender, QmProgressProc progress, int16_t) {
  return ReadFileWith(file, bits, dither, dib, sender, progress, ReadPng);
}

extern "C" int16_t __stdcall rdpcxfiledib(const char* file, int16_t bits, int16_t dither, HGLOBAL* dib,
                                          void*, void* sender, QmProgressProc progress, int16_t) {
  return ReadFileWith(file, bits, dither, dib, sender, progress, ReadPcx);
}

extern "C" int16_t __stdcall rdgiffiledib(const char* file, int16_t bits, int16_t dither, HGLOBAL* dib,
                                          void*, void* sender, QmProgressProc progress, int16_t) {
  return ReadFileWith(file, bits, dither, dib, sender, progress, ReadGif);
}

extern "C" int16_t __stdcall rdjpgfiledib(const char* file, int16_t bits, int16_t, int16_t dither,
                                          HGLOBAL* dib, void*, void* sender, QmProgressProc progress,
                                          int16_t) {
  return ReadFileWith(file, bits, dither, dib, sender, progress, ReadJpeg);
}

extern "C" int16_t __stdcall readpcdfiledib(const char* file, int16_t bits, int16_t dither, int16_t step,
                                            HGLOBAL* dib, void* sender, QmProgressProc progress, int16_t) {
  return ReadFileWith(file, bits, dither, dib, sender, progress,
                      [step](const Stream& in, Image& im) { return ReadPcd(in, step, im); });
}

extern "C" int16_t __stdcall readtgafiledib(const char* file, int16_t bits, int16_t dither, HGLOBAL* dib,
                                            void* sender, QmProgressProc progress, int16_t) {
  return ReadFileWith(file, bits, dither, dib, sender, progress, ReadTga);
}

extern "C" int16_t __stdcall readtiffiledib(const char* file, int16_t bits, int16_t dither, int16_t page,
                                            HGLOBAL* dib, void* sender, QmProgressProc progress, int16_t) {
  if (page < 0) return kBadPage;
  return ReadFileWith(file, bits, dither, dib, sender, progress, [page](const Stream& in, Image& im) {
    return ReadTiffPage(in, uint32_t(page), im);
  });
}

extern "C" int16_t __stdcall readtiffiledibstream(const void* data, int32_t size, int16_t bits,
                                                  int16_t dither, int16_t page, HGLOBAL* dib,
                                                  void* sender, QmProgressProc progress, int16_t) {
  return crde::Guard([&]() -> Status {
    if (!dib || !data || size <= 0 || page < 0) return kBadArgument;
    *dib = nullptr;
    if (!crde::Report(progress, sender, 0)) return kCancelled;
    ReadOnlyMemory m(static_cast<const uint8_t*>(data), size_t(size));
    Image image;
    Status s = ReadTiffPage(m.AsStream(), uint32_t(page), image);
    if (s == kOk) s = crde::Deliver(image, bits, dither != 0, dib);
    if (s == kOk) crde::Report(progress, sender, 100);
    return s;
  });
}
