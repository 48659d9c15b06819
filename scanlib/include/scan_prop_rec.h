// The settings of one scan, passed by value to ZebSetProp. 44 bytes, packed, little-endian.
#pragma once
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct TScanSize {
  uint16_t DefPaper;  // PAGESIZE; 0: the area below
  uint16_t Unit;      // UNITS: 0 inch, 1 cm, 2 pixel
  float Left;
  float Top;
  float Width;
  float Length;
};

struct TScanPropRec {
  uint16_t TransMode;
  uint16_t PixelType;
  uint16_t ScanMethod;
  int32_t XRes;
  int32_t YRes;
  uint16_t BitsPerPixel;
  uint16_t Filter;
  int16_t Brightness;
  int16_t Contrast;
  TScanSize Size;
  uint16_t ShowUI;
};
#pragma pack(pop)

static_assert(sizeof(TScanSize) == 20);
static_assert(sizeof(TScanPropRec) == 44);
static_assert(offsetof(TScanPropRec, TransMode) == 0);
static_assert(offsetof(TScanPropRec, PixelType) == 2);
static_assert(offsetof(TScanPropRec, ScanMethod) == 4);
static_assert(offsetof(TScanPropRec, XRes) == 6);
static_assert(offsetof(TScanPropRec, YRes) == 10);
static_assert(offsetof(TScanPropRec, BitsPerPixel) == 14);
static_assert(offsetof(TScanPropRec, Filter) == 16);
static_assert(offsetof(TScanPropRec, Brightness) == 18);
static_assert(offsetof(TScanPropRec, Contrast) == 20);
static_assert(offsetof(TScanPropRec, Size) == 22);
static_assert(offsetof(TScanPropRec, Size) + offsetof(TScanSize, Unit) == 24);
static_assert(offsetof(TScanPropRec, Size) + offsetof(TScanSize, Left) == 26);
static_assert(offsetof(TScanPropRec, Size) + offsetof(TScanSize, Top) == 30);
static_assert(offsetof(TScanPropRec, Size) + offsetof(TScanSize, Width) == 34);
static_assert(offsetof(TScanPropRec, Size) + offsetof(TScanSize, Length) == 38);
static_assert(offsetof(TScanPropRec, ShowUI) == 42);
