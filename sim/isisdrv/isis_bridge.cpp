// isisdrv.dll stand-in: the fourteen ISIS bridge entry points. It loads and frees, lists no
// driver and scans nothing; every query answers that there is nothing to tell.
#include <windows.h>

#include <cstdint>

namespace {
bool gLoaded = false;
constexpr int32_t kNothing = -1;  // no driver behind the bridge
}  // namespace

extern "C" {

int32_t __stdcall ISISLoad(HWND owner) {
  gLoaded = true;
  return 0;
}
int32_t __stdcall ISISFree() {
  gLoaded = false;
  return 0;
}
int32_t __stdcall ISISGetDS(int32_t message, void* record) { return kNothing; }
int32_t __stdcall ISISAcquire(void* callback, void* data) { return kNothing; }
int32_t __stdcall ISISSetValue(int32_t tag, int32_t type, void* value) { return kNothing; }
int32_t __stdcall ISISGetValue(int32_t tag, int32_t type, int32_t index, void* value) {
  return kNothing;
}
int32_t __stdcall ISISDriverInfoById(int32_t index, void* info) { return kNothing; }
int32_t __stdcall ISISSelectConfig(void* info, HWND parent, int32_t reserved) { return kNothing; }
int32_t __stdcall ISISSetDriver(void* info) { return kNothing; }
int32_t __stdcall ISISSelectionDone(void* info) { return kNothing; }
int32_t __stdcall ISISTagCount(int32_t tag, int32_t* count) {
  if (count) *count = 0;
  return kNothing;
}
int32_t __stdcall ISISTagFlags(int32_t tag, int32_t* flags) {
  if (flags) *flags = 0;
  return kNothing;
}
int32_t __stdcall ISISTagChoice(int32_t tag, int32_t type, int32_t index, void* value) {
  return kNothing;
}
int32_t __stdcall ISISSetDefault(void* info) { return kNothing; }

}  // extern "C"
