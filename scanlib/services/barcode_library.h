// zebbcode.dll, loaded on the first barcode request with its three entry points, and the work
// buffer the region's bilevel image is prepared in.
#pragma once
#include <windows.h>

#include <cstdint>

#include "page_region.h"
#include "scan_page_info.h"

typedef int32_t(__stdcall* LoadBarCodeProc)(HWND owner);
typedef int32_t(__stdcall* FreeBarCodeProc)();
typedef int32_t(__stdcall* DecodeDataProc)(const uint8_t* bits, const ScanPageInfo* info,
                                           BarcodeRecord* record);

struct BarcodeLibrary {
  HMODULE module = nullptr;
  LoadBarCodeProc LoadBarCode = nullptr;
  FreeBarCodeProc FreeBarCode = nullptr;
  DecodeDataProc DecodeData = nullptr;
  HGLOBAL work = nullptr;  // zero-filled, movable; grown for larger regions
};

constexpr SIZE_T kBarcodeWorkSize = 0x20000;

BarcodeLibrary& Barcode();

// Loads and binds the library once; false (the library unloaded again) when it or one of its
// entry points is missing. Calls LoadBarCode and allocates the work buffer on success.
bool BindBarcodeLibrary();

// Makes the work buffer hold at least `bytes`; keeps the old buffer when it cannot grow.
bool GrowBarcodeWork(uint64_t bytes);

// Frees the work buffer; FreeBarCode's result (-7 when not loaded or not bound), the library
// unloaded.
int32_t ZebFreeBarCode();
