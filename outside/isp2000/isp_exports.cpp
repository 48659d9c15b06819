// The entry points over the image operations of the codec library. Nothing thrown inside may
// cross the boundary: every failure is a 0 result.
#include "convert.h"
#include "global_dib.h"
#include "isp2000.h"
#include "ops.h"

using namespace imagecore;
using dibglue::HandleFromImage;
using dibglue::ImageFromHandle;
using dibglue::StoreImageInHandle;

template <typename F>
static auto Guarded(F f, decltype(f()) failure) -> decltype(f()) {
  try {
    return f();
  } catch (...) {
    return failure;
  }
}

extern "C" HGLOBAL __stdcall QmRotate(HGLOBAL dib, double angle, const RECT* rect, COLORREF fill) {
  return Guarded([&]() -> HGLOBAL {
    Image in, part, out;
    if (ImageFromHandle(dib, in) != kOk) return nullptr;
    Rect r{0, 0, int32_t(in.width), int32_t(in.height)};
    if (rect && rect->right > 0 && rect->bottom > 0) r = Rect{rect->left, rect->top, rect->right, rect->bottom};
    if (Crop(in, r, part) != kOk) return nullptr;
    Rgb color = MakeRgb(GetRValue(fill), GetGValue(fill), GetBValue(fill));
    if (Rotate(part, angle, color, out) != kOk) return nullptr;
    return HandleFromImage(out);
  }, nullptr);
}

extern "C" int32_t __stdcall QmMirror(HGLOBAL dib, int32_t topBottom, int32_t leftRight) {
  return Guarded([&]() -> int32_t {
    Image im;
    if (ImageFromHandle(dib, im) != kOk) return 0;
    Mirror(im, topBottom != 0, leftRight != 0);
    return StoreImageInHandle(dib, im) == kOk ? 1 : 0;
  }, 0);
}

extern "C" int32_t __stdcall QmInvert(HGLOBAL dib) {
  return Guarded([&]() -> int32_t {
    Image im;
    if (ImageFromHandle(dib, im) != kOk) return 0;
    Invert(im);
    return StoreImageInHandle(dib, im) == kOk ? 1 : 0;
  }, 0);
}

extern "C" HGLOBAL __stdcall ScaleDib(HGLOBAL dib, int32_t width, int32_t height) {
  return Guarded([&]() -> HGLOBAL {
    Image in, out;
    if (width <= 0 || height <= 0 || ImageFromHandle(dib, in) != kOk) return nullptr;
    if (Scale(in, uint32_t(width), uint32_t(height), out) != kOk) return nullptr;
    return HandleFromImage(out);
  }, nullptr);
}

extern "C" HGLOBAL __stdcall ScaleToGray(HGLOBAL dib, int32_t mode, int32_t width, int32_t height) {
  return Guarded([&]() -> HGLOBAL {
    Image in, out;
    if (width <= 0 || height <= 0 || ImageFromHandle(dib, in) != kOk) return nullptr;
    if (ScaleToGray(in, mode, uint32_t(width), uint32_t(height), out) != kOk) return nullptr;
    return HandleFromImage(out);
  }, nullptr);
}

extern "C" double __stdcall tdeskew(HGLOBAL dib, int32_t subsampling, double range, double angleStep,
                                    double lineStep, int32_t grayLevel) {
  return Guarded([&]() -> double {
    Image in;
    double angle = 0;
    if (ImageFromHandle(dib, in) != kOk) return 0.0;
    MeasureSkew(in, subsampling, range, angleStep, lineStep, grayLevel, angle);
    return angle;
  }, 0.0);
}

extern "C" HGLOBAL __stdcall ReduceDib(HGLOBAL dib, int32_t bits, int32_t, int32_t, int32_t, int32_t,
                                       int32_t, int32_t) {
  return Guarded([&]() -> HGLOBAL {
    Image in, out;
    if (ImageFromHandle(dib, in) != kOk) return nullptr;
    if (bits != 1 && bits != 4 && bits != 8) return nullptr;
    if (ReduceDepth(in, uint16_t(bits), true, out) != kOk) return nullptr;
    return HandleFromImage(out);
  }, nullptr);
}
