// isisdrv.dll stand-in: the fourteen ISIS bridge entry points over the simulated scanner, which
// reads the same settings file as the maker's driver. It offers two driver models; the one
// setscan.ini names is started, else the one chosen last in this process, else the default.
#include <windows.h>

#include <cstdint>

#include "isis_device.h"
#include "isis_driver_info.h"
#include "isis_setup_window.h"
#include "sim_config_source.h"

namespace {

constexpr int32_t kNothing = -1;    // nothing to tell, or no such driver
constexpr int32_t kCancelled = -2;  // the set-up window was cancelled

int gChosen = -1;   // ISISSetDriver's model
int gDefault = 0;   // ISISSetDefault's model

// The model a record names (by its model and driver texts), or -1.
int ModelOf(const void* info) {
  if (!info) return -1;
  const auto* rec = static_cast<const IsisDriverInfo*>(info);
  char model[sizeof rec->ModelName + 1] = {}, driver[sizeof rec->DriverName + 1] = {};
  lstrcpynA(model, rec->ModelName, sizeof model);
  lstrcpynA(driver, rec->DriverName, sizeof driver);
  return ModelNamedBy(IsisSetup{driver, model});
}

int32_t StartModel(int model) {
  zebsim::SimConfig config;
  if (!LoadDriverConfig(&config)) return kIsisRefused;
  return Device().Load(config, LoadIsisSettings(DriverConfigPath(), model), ReadIsisSetup(), model);
}

}  // namespace

extern "C" {

int32_t __stdcall ISISLoad(HWND owner) {
  int model = ModelNamedBy(ReadIsisSetup());
  if (model < 0) model = gChosen >= 0 ? gChosen : gDefault;
  return StartModel(model);
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
int32_t __stdcall ISISDriverInfoById(int32_t index, void* info) {
  if (!info) return kIsisRefused;
  if (index < 0 || index >= kIsisModelCount) return kNothing;
  IsisDriverInfo rec{};
  const IsisModel& m = kIsisModels[index];
  lstrcpynA(rec.ModelName, m.name, sizeof rec.ModelName);
  lstrcpynA(rec.DriverName, m.driver, sizeof rec.DriverName);
  lstrcpynA(rec.Version, m.version, sizeof rec.Version);
  rec.Id = index;
  *static_cast<IsisDriverInfo*>(info) = rec;
  return 0;
}
int32_t __stdcall ISISSelectConfig(void* info, HWND parent, int32_t reserved) {
  const int model = ModelOf(info);
  if (model < 0) return kNothing;
  return ShowIsisSetupWindow(parent, model, LoadIsisSettings(DriverConfigPath(), model)) ? 0 : kCancelled;
}
// The chosen model is the one later starts take; a running driver changes over at once.
int32_t __stdcall ISISSetDriver(void* info) {
  const int model = ModelOf(info);
  if (model < 0) return kNothing;
  gChosen = model;
  return Device().Loaded() ? StartModel(model) : 0;
}
int32_t __stdcall ISISSelectionDone(void* info) { return 0; }
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
int32_t __stdcall ISISSetDefault(void* info) {
  const int model = ModelOf(info);
  if (model < 0) return kNothing;
  gDefault = model;
  return 0;
}

}  // extern "C"
