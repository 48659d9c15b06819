// The ten entry points of pavlot.dll that the application binds by name, as a struct of typed
// pointers: the Windows loader fills it from the DLL, a test hands in a table of its own.
// Platform-free: no windows.h.
#pragma once
#include <cstdint>

#include "scan_prop_rec.h"

#if defined(_WIN32)
#define ZEB_API __stdcall
#else
#define ZEB_API
#endif

namespace tarnwick {

// The application's page callback as ZebAcquire takes it: (data, pointer to a 32-bit size,
// event); the same type as PageCallbackProc of the library's headers.
typedef int32_t(ZEB_API* ScanPageProc)(void* data, uint32_t* size, int32_t event);

struct ScanEntryPoints {
  int32_t(ZEB_API* ZebFree)() = nullptr;
  int32_t(ZEB_API* ZebLoad)(void* ownerWindow) = nullptr;
  int32_t(ZEB_API* ZebSetProp)(TScanPropRec prop) = nullptr;
  int32_t(ZEB_API* ZebAcquire)(ScanPageProc callback) = nullptr;
  int32_t(ZEB_API* ZebSelectSource)() = nullptr;
  int32_t(ZEB_API* ZebSetValue)(uint32_t tag, void* value) = nullptr;
  int32_t(ZEB_API* ZebGetValue)(uint32_t tag, void* value) = nullptr;
  int32_t(ZEB_API* ZebGetTagFlag)(uint32_t tag, int32_t* flag) = nullptr;
  int32_t(ZEB_API* ZebGetTagChoice)(uint32_t tag, int32_t index, void* value) = nullptr;
  int32_t(ZEB_API* ZebSetTagChoice)(uint32_t tag, int32_t unused1, int32_t unused2) = nullptr;
};

// One entry point: its export name and its slot in the struct.
enum class ScanEntry : int {
  ZebFree, ZebLoad, ZebSetProp, ZebAcquire, ZebSelectSource, ZebSetValue, ZebGetValue,
  ZebGetTagFlag, ZebGetTagChoice, ZebSetTagChoice,
};
constexpr int kScanEntryCount = 10;

// The export names, in the order they are looked up (the order of ScanEntry).
extern const char* const kScanEntryNames[kScanEntryCount];

// The slot of `entry` as an untyped pointer, for binding by name and for the null checks.
void** ScanEntrySlot(ScanEntryPoints& entries, ScanEntry entry);
bool IsScanEntryBound(const ScanEntryPoints& entries, ScanEntry entry);

// The library's file name, loaded by name from the program's search path.
constexpr const char* kScanLibraryFile = "pavlot.dll";

}  // namespace tarnwick
