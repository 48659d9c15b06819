// What every driver hands the scan library's page callback: the page-information record with
// event 2, then data blocks with the driver's own codes. Shared by pavlot.dll and the drivers.
#pragma once
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct ScanPageInfo {
  int32_t XResolution;      // dots per inch
  int32_t YResolution;
  int32_t ImageWidth;       // pixels per row
  int32_t ImageLength;      // rows of the page
  int32_t BitsPerPixel;
  int32_t Preferred;        // the driver's preferred block size
  int16_t SamplesPerPixel;
  int16_t BitsPerSample[8];
  int16_t PixelType;        // 0 black-and-white, 1 gray, 2 RGB
  int16_t Compression;
};
#pragma pack(pop)

static_assert(sizeof(ScanPageInfo) == 46);
static_assert(offsetof(ScanPageInfo, Preferred) == 20);
static_assert(offsetof(ScanPageInfo, SamplesPerPixel) == 24);
static_assert(offsetof(ScanPageInfo, BitsPerSample) == 26);
static_assert(offsetof(ScanPageInfo, PixelType) == 42);
static_assert(offsetof(ScanPageInfo, Compression) == 44);

// Event codes of the page callback.
constexpr int32_t kPageEventInfo = 2;      // data: ScanPageInfo*; size: the block size to use
constexpr int32_t kPageBlockMore = 0;      // a data block; more of the page follows
constexpr int32_t kPageBlockLast = 1;      // the block ends the page
constexpr int32_t kPageBlockLastAlt = 3;   // also ends the page
constexpr int32_t kPageBlockShort = 5;     // the page ended before its announced length

// The callback a driver's acquire entry point calls: (data, pointer to a 32-bit size, code).
// 0 goes on; a non-zero answer stops the scan.
typedef int32_t(__stdcall* PageCallbackProc)(void* data, uint32_t* size, int32_t code);
