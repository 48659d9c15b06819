// The imaging libraries' bitmap record seen as the codec library's plain image, and back.
// Every L_* operation reads the record into an image, works on the image and stores it back.
#pragma once
#include <cstdint>

#include "image.h"
#include "lt_bitmap.h"
#include "status.h"

namespace ltbitmap {

// Pixel blocks come from one allocator that every library of the set shares (process memory on
// Windows, so that a block made by one DLL may be freed by another).
uint8_t* AllocatePixels(size_t bytes);
void FreePixels(uint8_t* data);

// An empty record of the given depth: no pixels, no palette.
void InitRecord(LtBitmapHandle& bitmap, int32_t bitsPerPixel);
bool IsInitialised(const LtBitmapHandle& bitmap);
bool HoldsImage(const LtBitmapHandle& bitmap);
// Gives the pixel block back and leaves an empty record of the same depth.
void ReleasePixels(LtBitmapHandle& bitmap);

// The image of a record, top row first. kBadArgument for a record that holds none or whose
// fields do not describe its block.
imagecore::Status RecordToImage(const LtBitmapHandle& bitmap, imagecore::Image& image);
// Replaces the record's pixels by the image, keeping the record's resolution and storing the
// rows in the given view perspective. The old block is freed only once the new one exists.
imagecore::Status StoreImage(const imagecore::Image& image, int32_t viewPerspective,
                             LtBitmapHandle& bitmap);

// Resolution fields between dots per inch and a DIB's pixels per metre.
uint32_t DpiToPelsPerMeter(int32_t dpi);
int32_t PelsPerMeterToDpi(uint32_t pelsPerMeter);

// The page a packed DIB's header describes, with the pixel rows at `bits` (bottom-up for a
// positive height, top-down for a negative one): the real colour count (biClrUsed), bit masks
// and resolution. kBadDib for a header of no image.
imagecore::Status DibPartsToImage(const uint8_t* header, const uint8_t* bits,
                                  imagecore::Image& image, bool& bottomUp);
// The same page straight into a bitmap record, as DibPartsToImage and StoreImage would leave it
// (the view bottom-left for a bottom-up DIB), its rows copied once: a scanned page is tens of
// megabytes. The record's resolution is left to the caller.
imagecore::Status DibPartsToRecord(const uint8_t* header, const uint8_t* bits, LtBitmapHandle& bitmap);

}  // namespace ltbitmap
