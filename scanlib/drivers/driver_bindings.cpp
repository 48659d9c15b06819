#include "driver_bindings.h"

#include <iterator>

KSBinding gKS{};
TwainBinding gTwain{};
IsisBinding gIsis{};

namespace {

// One entry point of a binding table: its exported name and the slot that receives it.
struct EntrySlot {
  const char* name;
  FARPROC* slot;
};

template <typename T>
FARPROC* SlotOf(T& pointer) {
  static_assert(sizeof(T) == sizeof(FARPROC));
  return reinterpret_cast<FARPROC*>(&pointer);
}

// Loads file once and resolves every slot; a library lacking any name is not kept.
int32_t BindLibrary(const char* file, HMODULE* module, const EntrySlot* slots, size_t count) {
  if (*module) return 0;
  for (size_t i = 0; i < count; ++i) *slots[i].slot = nullptr;
  HMODULE lib = LoadLibraryA(file);
  if (!lib) return -7;
  bool all = true;
  for (size_t i = 0; i < count; ++i) {
    *slots[i].slot = GetProcAddress(lib, slots[i].name);
    if (!*slots[i].slot) all = false;
  }
  if (!all) {
    for (size_t i = 0; i < count; ++i) *slots[i].slot = nullptr;
    FreeLibrary(lib);
    return -7;
  }
  *module = lib;
  return 0;
}

}  // namespace

int32_t BindKSDriver() {
  const EntrySlot slots[] = {
      {"KSLoad", SlotOf(gKS.KSLoad)},           {"KSFree", SlotOf(gKS.KSFree)},
      {"KSGetDS", SlotOf(gKS.KSGetDS)},         {"KSSetDriverById", SlotOf(gKS.KSSetDriverById)},
      {"KSGetValue", SlotOf(gKS.KSGetValue)},   {"KSSetValue", SlotOf(gKS.KSSetValue)},
      {"KSQueryData", SlotOf(gKS.KSQueryData)}, {"KSAcquire", SlotOf(gKS.KSAcquire)},
  };
  return BindLibrary(kKSDriverFile, &gKS.module, slots, std::size(slots));
}

int32_t BindTwainEngine() {
  const EntrySlot slots[] = {
      {"TWAINLoad", SlotOf(gTwain.TWAINLoad)},
      {"TWAINFree", SlotOf(gTwain.TWAINFree)},
      {"TWAINOpenDS", SlotOf(gTwain.TWAINOpenDS)},
      {"TWAINCloseDS", SlotOf(gTwain.TWAINCloseDS)},
      {"TWAINGetDS", SlotOf(gTwain.TWAINGetDS)},
      {"TWAINAcquire", SlotOf(gTwain.TWAINAcquire)},
      {"TWAINAcquireUIOnly", SlotOf(gTwain.TWAINAcquireUIOnly)},
      {"TWAINSetValue", SlotOf(gTwain.TWAINSetValue)},
      {"TWAINGetValue", SlotOf(gTwain.TWAINGetValue)},
      {"TWAINRegister", SlotOf(gTwain.TWAINRegister)},
  };
  return BindLibrary(kTwainEngineFile, &gTwain.module, slots, std::size(slots));
}

int32_t BindIsisBridge() {
  const EntrySlot slots[] = {
      {"ISISLoad", SlotOf(gIsis.ISISLoad)},
      {"ISISFree", SlotOf(gIsis.ISISFree)},
      {"ISISGetDS", SlotOf(gIsis.ISISGetDS)},
      {"ISISAcquire", SlotOf(gIsis.ISISAcquire)},
      {"ISISSetValue", SlotOf(gIsis.ISISSetValue)},
      {"ISISGetValue", SlotOf(gIsis.ISISGetValue)},
      {"ISISDriverInfoById", SlotOf(gIsis.ISISDriverInfoById)},
      {"ISISSelectConfig", SlotOf(gIsis.ISISSelectConfig)},
      {"ISISSetDriver", SlotOf(gIsis.ISISSetDriver)},
      {"ISISSelectionDone", SlotOf(gIsis.ISISSelectionDone)},
      {"ISISTagCount", SlotOf(gIsis.ISISTagCount)},
      {"ISISTagFlags", SlotOf(gIsis.ISISTagFlags)},
      {"ISISTagChoice", SlotOf(gIsis.ISISTagChoice)},
      {"ISISSetDefault", SlotOf(gIsis.ISISSetDefault)},
  };
  return BindLibrary(kIsisBridgeFile, &gIsis.module, slots, std::size(slots));
}
