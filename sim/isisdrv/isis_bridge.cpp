// isisdrv.dll stand-in: the fourteen ISIS bridge entry points over the simulated scanner, which
// reads the same settings file as the maker's driver. It offers one driver.
#include <windows.h>

#include <cstdint>

#include "isis_device.h"
#include "sim_config_source.h"

namespace {
constexpr int32_t kNothing = -1;  // nothing to tell
}  // namespace

extern "C" {

int32_t __stdcall ISISLoad(HWND owner) {
  zebsim::SimConfig config;
  if (!LoadDriverConfig(&config)) return kIsisRefused;
  return Device().Load(config, LoadIsisSettings(DriverConfigPath()));
}
int32_t __stdcall ISISFree() {
  Device().Free();
  return 0;
}
int32_t __stdcall ISISGetDS(int32_t message, void* record) { return kNothing; }
int32_t __stdcall ISISAcquire(PageCallbackProc callback, void* data) {
  return Device().Acquire(callback, data);
}
int32_t __stdcall ISISSetValue(int32_t tag, int32_t type, void* value) {
  return Device().Set(tag, type, value);
}
int32_t __stdcall ISISGetValue(int32_t tag, int32_t type, int32_t index, void* value) {
  return Device().Get(tag, type, value);
}
int32_t __stdcall ISISDriverInfoById(int32_t index, void* info) { return kNothing; }
int32_t __stdcall ISISSelectConfig(void* info, HWND parent, int32_t reserved) { return kNothing; }
int32_t __stdcall ISISSetDriver(void* info) { return kNothing; }
int32_t __stdcall ISISSelectionDone(void* info) { return kNothing; }
int32_t __stdcall ISISTagCount(int32_t tag, int32_t* count) {
  if (!count) return kIsisRefused;
  *count = 0;
  return Device().Count(tag, count);
}
int32_t __stdcall ISISTagFlags(int32_t tag, int32_t* flags) {
  if (!flags) return kIsisRefused;
  *flags = 0;
  return Device().Flags(tag, flags);
}
int32_t __stdcall ISISTagChoice(int32_t tag, int32_t type, int32_t index, void* value) {
  return Device().Choice(tag, type, index, value);
}
int32_t __stdcall ISISSetDefault(void* info) { return kNothing; }

}  // extern "C"
