// zebip.dll: deskew of a page DIB. DoDeskew measures the skew of the page's text lines and
// hands back a new, straightened DIB; the caller owns it and frees it with GlobalFree.
#include <windows.h>

#include <cstdint>
#include <new>

#include "global_dib.h"
#include "ops.h"

namespace {

constexpr int32_t kBadArgument = -1, kBadDib = -2, kFailed = -3, kNoMemory = -4;

}  // namespace

// DoDeskew(page DIB, receives the new DIB, receives the angle in hundredths of a degree
// (clockwise), search range in degrees (0: 5), ink level (0: 128), 1 to fill uncovered corners
// with black (else white), reserved).
extern "C" int32_t __stdcall DoDeskew(intptr_t dib, intptr_t result, intptr_t angle, intptr_t range,
                                      intptr_t inkLevel, intptr_t blackFill, intptr_t) {
  auto* out = reinterpret_cast<HGLOBAL*>(result);
  if (dib == 0 || out == nullptr) return kBadArgument;
  *out = nullptr;
  try {
    imagecore::Image in;
    if (dibglue::ImageFromHandle(reinterpret_cast<HGLOBAL>(dib), in) != imagecore::kOk) return kBadDib;
    const double degreesRange = range > 0 && range <= 45 ? double(range) : 5.0;
    const int level = inkLevel > 0 && inkLevel < 256 ? int(inkLevel) : 128;
    double degrees = 0;
    if (imagecore::MeasureSkew(in, 1, degreesRange, 0.1, 1.0, level, degrees) != imagecore::kOk)
      return kFailed;
    if (angle != 0) *reinterpret_cast<int32_t*>(angle) = int32_t(degrees * 100.0 + (degrees < 0 ? -0.5 : 0.5));
    const uint8_t fill = blackFill == 1 ? 0 : 255;
    imagecore::Image straight;
    if (imagecore::Rotate(in, -degrees, imagecore::MakeRgb(fill, fill, fill), straight) !=
        imagecore::kOk)
      return kFailed;
    HGLOBAL handle = dibglue::HandleFromImage(straight);
    if (handle == nullptr) return kNoMemory;
    *out = handle;
    return 0;
  } catch (const std::bad_alloc&) {
    return kNoMemory;
  }
}
