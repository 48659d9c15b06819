// The records the page services take from their callers and hand to zebbcode.dll: a region of
// an image, and the barcode request around it. Shared by pavlot.dll, zebbcode.dll and callers.
#pragma once
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct PageRegion {
  int32_t Left;          // pixels from the image's left edge
  int32_t Top;           // lines from the image's first line
  int32_t Width;         // pixels
  int32_t Lines;
  int32_t BytesPerLine;  // in: the image's line length; out: the bilevel line length
};

constexpr size_t kBarcodeTextSize = 1024;

// ZebDBarCode's region record; DecodeData fills in what it found.
struct BarcodeRecord {
  int32_t Reserved;      // 0
  int32_t Found;         // out: the number of codes read
  PageRegion Region;
  char Text[kBarcodeTextSize];  // out: the codes' texts, one a line, terminated
};
#pragma pack(pop)
static_assert(sizeof(PageRegion) == 20);
static_assert(offsetof(PageRegion, BytesPerLine) == 16);
static_assert(offsetof(BarcodeRecord, Region) == 8);
static_assert(offsetof(BarcodeRecord, Text) == 28);
static_assert(sizeof(BarcodeRecord) == 28 + kBarcodeTextSize);
