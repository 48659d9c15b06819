#include "bitmap_image.h"
#include "guarded_call.h"
#include "ltimg12.h"
#include "ops.h"

using namespace imagecore;
using namespace ltbitmap;

extern "C" int32_t __stdcall L_InvertBitmap(LtBitmapHandle* bitmap) {
  return Guarded([&]() -> int32_t {
    if (!bitmap || !HoldsImage(*bitmap)) return kLtNoBitmap;
    Image image;
    Status s = RecordToImage(*bitmap, image);
    if (s != kOk) return ResultOf(s);
    // A black-and-white page flips its pixels, never its palette, whatever the palette holds:
    // pdf.dll flips them back.
    if (image.bits == 1) {
      size_t bytes = image.Stride() * image.height;
      for (size_t i = 0; i < bytes; ++i) image.pixels[i] = uint8_t(~image.pixels[i]);
    } else {
      Invert(image);
    }
    return ResultOf(StoreImage(image, bitmap->ViewPerspective, *bitmap));
  }, kLtFailure);
}
