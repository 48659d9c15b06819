// The kernel entry points over the record conversions and the codec library's scaling.
#include "bitmap_image.h"
#include "guarded_call.h"
#include "ltkrn12.h"
#include "ops.h"

using namespace imagecore;
using namespace ltbitmap;

extern "C" int32_t __stdcall L_InitBitmap(LtBitmapHandle* bitmap, int32_t width, int32_t height,
                                          int32_t bits) {
  return Guarded([&]() -> int32_t {
    if (!bitmap) return kLtBadArgument;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
      return kLtBadArgument;
    InitRecord(*bitmap, bits);
    if (width == 0 && height == 0) return kLtSuccess;
    if (width <= 0 || height <= 0) return kLtBadArgument;
    Image image;
    if (!Allocate(image, uint32_t(width), uint32_t(height), uint16_t(bits))) return kLtNoMemory;
    if (bits == 16) { image.masks[0] = 0x7C00; image.masks[1] = 0x03E0; image.masks[2] = 0x1F; }
    if (bits == 32) { image.masks[0] = 0xFF0000; image.masks[1] = 0xFF00; image.masks[2] = 0xFF; }
    return ResultOf(StoreImage(image, kLtTopLeft, *bitmap));
  }, kLtFailure);
}

extern "C" int32_t __stdcall L_ConvertFromDIB(LtBitmapHandle* bitmap,
                                              const BITMAPINFOHEADER* header,
                                              const uint8_t* bits) {
  return Guarded([&]() -> int32_t {
    if (!bitmap || !IsInitialised(*bitmap)) return kLtNoBitmap;
    if (!header || !bits) return kLtBadArgument;
    Status s = DibPartsToRecord(reinterpret_cast<const uint8_t*>(header), bits, *bitmap);
    if (s == kNoMemory) return ResultOf(s);
    if (s != kOk) return s == kBadArgument ? kLtBadArgument : s == kTooLarge ? kLtNoMemory : kLtBadDib;
    bitmap->XResolution = PelsPerMeterToDpi(header->biXPelsPerMeter);
    bitmap->YResolution = PelsPerMeterToDpi(header->biYPelsPerMeter);
    return kLtSuccess;
  }, kLtFailure);
}

extern "C" int32_t __stdcall L_FreeBitmap(LtBitmapHandle* bitmap) {
  if (!bitmap || !IsInitialised(*bitmap)) return kLtNoBitmap;
  ReleasePixels(*bitmap);
  return kLtSuccess;
}

extern "C" int32_t __stdcall L_SizeBitmap(LtBitmapHandle* bitmap, int32_t width, int32_t height,
                                          uint32_t flags) {
  return Guarded([&]() -> int32_t {
    if (!bitmap || !HoldsImage(*bitmap)) return kLtNoBitmap;
    if (width <= 0 || height <= 0) return kLtBadArgument;
    Image in, out;
    Status s = RecordToImage(*bitmap, in);
    if (s != kOk) return ResultOf(s);
    if (in.width == uint32_t(width) && in.height == uint32_t(height)) return kLtSuccess;
    s = Scale(in, uint32_t(width), uint32_t(height), out);
    if (s != kOk) return ResultOf(s);
    // A resize changes pixels, not the resolution the caller set (StoreImage keeps it).
    return ResultOf(StoreImage(out, bitmap->ViewPerspective, *bitmap));
  }, kLtFailure);
}

extern "C" int32_t __stdcall L_ChangeBitmapViewPerspective(LtBitmapHandle* destination,
                                                           LtBitmapHandle* source,
                                                           int32_t view) {
  return Guarded([&]() -> int32_t {
    if (!source || !HoldsImage(*source)) return kLtNoBitmap;
    if (view != kLtTopLeft && view != kLtBottomLeft) return kLtBadArgument;
    Image image;
    Status s = RecordToImage(*source, image);
    if (s != kOk) return ResultOf(s);
    LtBitmapHandle* target = destination ? destination : source;
    if (destination && destination != source) {
      *destination = *source;
      destination->Data = nullptr;
      destination->DataSize = 0;
    }
    return ResultOf(StoreImage(image, view, *target));
  }, kLtFailure);
}
