// The eight entry points of zebdrv.dll over the simulated scanner.
#include <windows.h>

#include <cstring>
#include <vector>

#include "ks_acquire.h"
#include "ks_device.h"
#include "sim_config_source.h"

namespace {

// A movable global block holding bytes; nullptr when out of memory.
HGLOBAL NewBlock(const void* bytes, size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size ? size : 1);
  if (!block) return nullptr;
  void* p = GlobalLock(block);
  if (size) std::memcpy(p, bytes, size);
  GlobalUnlock(block);
  return block;
}

}  // namespace

extern "C" {

int32_t __stdcall KSLoad(HWND owner) {
  if (Device().Loaded()) return 0;
  zebsim::SimConfig config;
  if (!LoadDriverConfig(&config)) return zebsim::kSimDeviceError;  // a broken settings file
  return Device().Load(config);
}

int32_t __stdcall KSFree() {
  Device().Free();
  return 0;
}

int32_t __stdcall KSGetDS(int32_t message, KSSourceRecord* record) {
  return Device().NextSource(message, record);
}

int32_t __stdcall KSSetDriverById(KSSourceRecord* record, int32_t index) {
  return Device().SelectSource(index);
}

int32_t __stdcall KSGetValue(int32_t tag, int32_t type, void* value) {
  return Device().Get(tag, type, value);
}

int32_t __stdcall KSSetValue(int32_t tag, int32_t type, void* value) {
  return Device().Set(tag, type, value);
}

// The caller owns both blocks of the answer and frees them.
int32_t __stdcall KSQueryData(int32_t tag, int32_t type, HGLOBAL* block) {
  if (!block) return kKSRefused;
  uint32_t count = 0;
  std::vector<uint8_t> values;
  int32_t rc = Device().Query(tag, type, &count, &values);
  if (rc != 0) return rc;
  HGLOBAL data = NewBlock(values.data(), values.size());
  KSQueryHeader header{count, data};
  HGLOBAL head = data ? NewBlock(&header, sizeof(header)) : nullptr;
  if (!head) {
    if (data) GlobalFree(data);
    return -9;
  }
  *block = head;
  return 0;
}

int32_t __stdcall KSAcquire(PageCallbackProc callback, void* buffer) {
  return RunScan(Device(), callback, buffer);
}

}  // extern "C"
