// pavlot.dll loaded by name, as an application loads it, with the page services' exports, the
// exports a scan needs and the file exports that write test files.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "page_region.h"
#include "scan_page_info.h"

struct PageServices {
  HMODULE module = nullptr;
  int32_t(__stdcall* ZebLoad)(HWND) = nullptr;
  int32_t(__stdcall* ZebFree)() = nullptr;
  int32_t(__stdcall* ZebSetValue)(uint32_t, void*) = nullptr;
  int32_t(__stdcall* ZebAcquire)(PageCallbackProc) = nullptr;
  int32_t(__stdcall* ZebSaveAs)(HGLOBAL, const char*, intptr_t, intptr_t) = nullptr;
  int32_t(__stdcall* ZebFileCreate)(const char*, ScanPageInfo*, intptr_t) = nullptr;
  int32_t(__stdcall* ZebFileSave)(const void*, int32_t, int32_t, int32_t, int32_t) = nullptr;
  int32_t(__stdcall* ZebFileClose)(int32_t) = nullptr;
  int32_t(__stdcall* ZebBlankPage)(const void*, const int16_t*) = nullptr;

  bool Load();
  void Unload();
  FARPROC Export(const char* name) const { return GetProcAddress(module, name); }

  int32_t Set16(uint16_t tag, int32_t value);
  int32_t Set32(uint16_t tag, int32_t value);
};

// Pages a scan delivered, their DIB handles kept (the test frees them).
std::vector<HGLOBAL> ScanPages(PageServices& pavlot);
std::vector<uint8_t> BytesOf(HGLOBAL block);
HGLOBAL BlockOf(const std::vector<uint8_t>& bytes);
void FreeBlock(HGLOBAL block);

// The folder the test program writes its files to, ending in a backslash.
std::string OutputFolder();

// Bytes the process heap (which holds every global block) has handed out and not taken back.
uint64_t HeapBusyBytes();

constexpr uint16_t kTagScanType = 0x9100, kTagFeederType = 0x9101, kTagTransferMode = 0x9102;
constexpr uint16_t kTagXRes = 0x9200, kTagYRes = 0x9201, kTagPixelType = 0x9202;
constexpr uint16_t kTagCompression = 0x9210, kTagBlankHold = 0x930B, kTagAutoTypeHold = 0x930C;
