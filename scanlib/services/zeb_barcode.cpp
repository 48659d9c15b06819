// ZebDBarCode: the bilevel image of a region of a page, prepared in the work buffer and read by
// zebbcode.dll.
#include <algorithm>
#include <cstring>
#include <vector>

#include "barcode_library.h"
#include "debug_log.h"
#include "pavlot.h"
#include "pixel_routines.h"
#include "status_codes.h"

namespace {

using pixels::BilevelStride;

// The region clipped to the image; false when nothing of it lies inside.
bool ClipRegion(const ScanPageInfo& info, PageRegion& r) {
  if (info.ImageWidth <= 0 || info.ImageLength <= 0) return false;
  if (r.Left < 0 || r.Top < 0 || r.Width <= 0 || r.Lines <= 0) return false;
  if (r.Left >= info.ImageWidth || r.Top >= info.ImageLength) return false;
  r.Width = std::min(r.Width, info.ImageWidth - r.Left);
  r.Lines = std::min(r.Lines, info.ImageLength - r.Top);
  return true;
}

uint32_t MeanOfBytes(const uint8_t* first, uint32_t stride, const PageRegion& r) {
  const uint32_t from = uint32_t(r.Left) / 8, to = (uint32_t(r.Left + r.Width) + 7) / 8;
  uint64_t sum = 0, count = 0;
  for (int32_t y = 0; y < r.Lines; ++y) {
    const uint8_t* line = first + size_t(y) * stride;
    for (uint32_t i = from; i < to; ++i) sum += line[i];
    count += to - from;
  }
  return count ? uint32_t(sum / count) : 0;
}

void ClearPadding(uint8_t* rows, const PageRegion& r, uint32_t stride) {
  const uint32_t width = uint32_t(r.Width);
  for (int32_t y = 0; y < r.Lines; ++y) {
    uint8_t* line = rows + size_t(y) * stride;
    if (width % 8) line[width / 8] &= uint8_t(0xFF00 >> (width % 8));
    for (uint32_t i = (width + 7) / 8; i < stride; ++i) line[i] = 0;
  }
}

// Prepares the region in `work` (1 = ink, bilevel stride); false for an image it cannot read.
bool PrepareRegion(const uint8_t* bits, ScanPageInfo& info, PageRegion& r, uint32_t stride,
                   uint8_t* work) {
  const uint8_t* first = bits + size_t(r.Top) * stride;
  const uint32_t out = BilevelStride(uint32_t(r.Width));
  switch (info.PixelType) {
    case 0: {
      if (info.BitsPerPixel != 1) return false;
      pixels::CopyRows(work, r, first, stride, uint32_t(r.Left));
      // Mostly set bits: the image keeps paper as 1, so ink becomes 1 here.
      if (MeanOfBytes(first, stride, r) > 128) pixels::InvertRows(work, work, uint32_t(r.Lines), out, 1);
      ClearPadding(work, r, out);
      info.ImageWidth = r.Width;
      r.BytesPerLine = int32_t(out);
      return true;
    }
    case 1: {
      if (info.BitsPerPixel != 8 && info.BitsPerPixel != 16) return false;
      return pixels::GrayToBilevel(work, r, first + size_t(r.Left) * (info.BitsPerPixel / 8), info, stride);
    }
    case 2: {
      if (info.BitsPerPixel != 24 && info.BitsPerPixel != 48) return false;
      if (!pixels::ColorToGray(work, r, first + size_t(r.Left) * (info.BitsPerPixel / 8), info, stride))
        return false;
      const uint32_t grayStride = uint32_t(r.BytesPerLine);
      std::vector<uint8_t> bilevel(size_t(out) * uint32_t(r.Lines));
      pixels::GrayToBilevel(bilevel.data(), r, work, info, grayStride);
      std::memcpy(work, bilevel.data(), bilevel.size());
      return true;
    }
  }
  return false;
}

int32_t DecodeRegion(const uint8_t* bits, const ScanPageInfo* callerInfo, BarcodeRecord* record) {
  if (!bits || !callerInfo || !record) return kZebValueRefused;
  ScanPageInfo info = *callerInfo;  // describes the work image afterwards; the caller's stays
  PageRegion r = record->Region;
  if (!ClipRegion(info, r)) return kZebValueRefused;
  // The image's own line length, read before the region takes the bilevel one.
  const uint64_t least = (uint64_t(info.BitsPerPixel) * uint32_t(info.ImageWidth) + 7) / 8;
  const uint64_t given = r.BytesPerLine > 0 ? uint64_t(r.BytesPerLine) : least;
  if (given < least || given > 0x7FFFFFFFu || info.BitsPerPixel <= 0) return kZebValueRefused;
  const uint32_t stride = uint32_t(given);
  const uint64_t bilevel = uint64_t(BilevelStride(uint32_t(r.Width))) * uint32_t(r.Lines);
  const uint64_t gray = info.PixelType == 2 ? uint64_t(uint32_t(r.Width)) * uint32_t(r.Lines) *
                                                  (info.BitsPerPixel == 48 ? 2 : 1)
                                            : 0;
  if (!GrowBarcodeWork(std::max(bilevel, gray))) return kZebNoMemory;
  BarcodeLibrary& b = Barcode();
  uint8_t* work = static_cast<uint8_t*>(GlobalLock(b.work));
  if (!work) return kZebNoMemory;
  int32_t rc = kZebValueRefused;
  if (PrepareRegion(bits, info, r, stride, work)) {
    record->Region = r;
    rc = b.DecodeData(work, &info, record);
  }
  GlobalUnlock(b.work);
  return rc;
}

}  // namespace

extern "C" int32_t __stdcall ZebDBarCode(const uint8_t* bits, ScanPageInfo* info,
                                         BarcodeRecord* record) {
  LogIn("ZebDBarCode");
  const int32_t rc = BindBarcodeLibrary() ? DecodeRegion(bits, info, record) : kZebNotBound;
  LogOut("ZebDBarCode", rc);
  return rc;
}
