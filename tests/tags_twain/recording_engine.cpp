#include "recording_engine.h"

#include <windows.h>

#include <cstring>

#include "driver_calls.h"

RecordingEngine g_engine;

// The library's flags, which pavlot.dll's globals hold in the real library.
int32_t DriverDelivers = 0;
int32_t FeederInUse = 0;
int32_t OwnDevice = 0;

int32_t CallTWAINSetValue(int32_t capability, int32_t itemType, void* value) {
  Pushed p{capability, 0, {}, {}};
  if (value) std::memcpy(&p.value, value, 4);
  if (capability == 0x1109 && value) p.text = static_cast<const char*>(value);
  if (capability == 0x1114 && value) std::memcpy(p.frame, value, 16);
  g_engine.pushed.push_back(p);
  auto byValue = g_engine.refuseValue.find((uint64_t(uint32_t(capability)) << 32) | p.value);
  if (byValue != g_engine.refuseValue.end()) return byValue->second;
  auto it = g_engine.refuse.find(capability);
  return it == g_engine.refuse.end() ? 0 : it->second;
}

int32_t CallTWAINGetValue(int32_t capability, int32_t itemType, void** block) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 8);
  *block = GlobalLock(h);
  if (capability != 0x1003 || !g_engine.feederLoadedKnown) return -7;
  const uint16_t type = 6;
  const uint16_t v = static_cast<uint16_t>(g_engine.feederLoaded);
  std::memcpy(*block, &type, 2);
  std::memcpy(static_cast<uint8_t*>(*block) + 2, &v, 2);
  return 5;
}
