// Wexlo, the TWAIN engine: the exported interface the scan library binds by name.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "twain_types.h"

#pragma pack(push, 1)

// The application identity handed to TWAINRegister.
struct TWAppInfo {
  uint32_t MajorVersion;
  uint32_t MinorVersion;
  char VersionInfo[34];
  char Manufacturer[34];
  char ProductName[34];
};

// Image information of the pending image, in the layout of the scan library's page information.
struct TWImageInfoRec {
  int32_t XResolution;
  int32_t YResolution;
  int32_t ImageWidth;
  int32_t ImageLength;
  int32_t BitsPerPixel;
  uint32_t Preferred;
  int16_t SamplesPerPixel;
  int16_t BitsPerSample[8];
  int16_t PixelType;
  uint16_t Compression;
};

#pragma pack(pop)

static_assert(sizeof(TWAppInfo) == 110);
static_assert(sizeof(TWImageInfoRec) == 46);
static_assert(offsetof(TWImageInfoRec, SamplesPerPixel) == 24);
static_assert(offsetof(TWImageInfoRec, PixelType) == 42);

// p, q and code by the call's form: 2 new image, 0/1 data, negative an engine error code.
// A non-zero answer cancels.
using TWAcquireCallback = int32_t(__stdcall*)(void* p, uint32_t* q, int32_t code);

extern "C" {
int32_t __stdcall TWAINLoad(HWND parent);
int32_t __stdcall TWAINFree();
int32_t __stdcall TWAINOpenDS(TW_IDENTITY* identity);
int32_t __stdcall TWAINCloseDS();
int32_t __stdcall TWAINGetDS(uint32_t message, TW_IDENTITY* identity);
int32_t __stdcall TWAINAcquire(TWAcquireCallback fn, void* data);
int32_t __stdcall TWAINAcquireUIOnly(TWAcquireCallback fn, void* data);
int32_t __stdcall TWAINSetValue(uint32_t capId, uint32_t conType, void* value);
int32_t __stdcall TWAINGetValue(uint32_t capId, uint32_t itemType, void** block);
int32_t __stdcall TWAINRegister(const TWAppInfo* info);
int32_t __stdcall TWAINImageInfo(TWImageInfoRec* rec, uint32_t* maxSize);
}
