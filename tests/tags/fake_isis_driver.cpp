#include "fake_isis_driver.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "driver_bindings.h"

FakeIsisDriver gFakeIsis;

namespace {

const FakeIsisOffer* Find(int32_t tag) {
  auto it = gFakeIsis.offers.find(tag);
  return it == gFakeIsis.offers.end() ? nullptr : &it->second;
}

void Write(int32_t type, int32_t v, void* out) {
  if (type == 0x8010) {
    const int16_t s = static_cast<int16_t>(v);
    std::memcpy(out, &s, 2);
  } else {
    std::memcpy(out, &v, 4);
  }
}

int32_t __stdcall Load(HWND) { return 0; }
int32_t __stdcall Free() { return 0; }
int32_t __stdcall GetDS(int32_t, void*) { return -1; }
int32_t __stdcall Acquire(PageCallbackProc, void*) { return 0; }
int32_t __stdcall SetValue(int32_t tag, int32_t type, void* value) {
  int32_t v = 0;
  if (type == 0x8010) v = *static_cast<int16_t*>(value);
  else if (type != 0x8014) std::memcpy(&v, value, 4);
  gFakeIsis.sent.push_back({tag, v});
  auto r = gFakeIsis.refuse.find(tag);
  if (r != gFakeIsis.refuse.end()) return r->second;
  if (type != 0x8014) gFakeIsis.values[tag] = v;
  return 0;
}
int32_t __stdcall GetValue(int32_t tag, int32_t type, int32_t, void* value) {
  Write(type, gFakeIsis.values[tag], value);
  return 0;
}
int32_t __stdcall InfoById(int32_t, void*) { return -1; }
int32_t __stdcall SelectConfig(void*, HWND, int32_t) { return -1; }
int32_t __stdcall SetDriver(void*) { return -1; }
int32_t __stdcall SelectionDone(void*) { return -1; }
int32_t __stdcall TagCount(int32_t tag, int32_t* count) {
  const FakeIsisOffer* o = Find(tag);
  *count = !o || (o->flags & 0x20000) ? 0 : static_cast<int32_t>(o->texts.empty() ? o->items.size() : o->texts.size());
  return 0;
}
int32_t __stdcall TagFlags(int32_t tag, int32_t* flags) {
  const FakeIsisOffer* o = Find(tag);
  *flags = o ? o->flags : 0;
  return 0;
}
int32_t __stdcall TagChoice(int32_t tag, int32_t type, int32_t index, void* value) {
  const FakeIsisOffer* o = Find(tag);
  if (!o) return -1;
  if (std::find(o->failingChoices.begin(), o->failingChoices.end(), index) != o->failingChoices.end())
    return -1;
  if (o->flags & 0x20000) {
    const int k = index == 0xFFFF ? 0 : index == 0xFFFE ? 1 : index == 0xFFFD ? 2 : index == 0 ? 1 : -1;
    if (k < 0 || k >= static_cast<int>(o->items.size())) return -1;
    Write(type, o->items[static_cast<size_t>(k)], value);
    return 0;
  }
  if (!o->texts.empty()) {
    if (index < 0 || index >= static_cast<int32_t>(o->texts.size())) return -1;
    lstrcpynA(static_cast<char*>(value), o->texts[static_cast<size_t>(index)].c_str(), 33);
    return 0;
  }
  if (index < 0 || index >= static_cast<int32_t>(o->items.size())) return -1;
  Write(type, o->items[static_cast<size_t>(index)], value);
  return 0;
}
int32_t __stdcall SetDefault(void*) { return -1; }

}  // namespace

void InstallFakeIsisDriver() {
  gFakeIsis = FakeIsisDriver{};
  gIsis = IsisBinding{};
  gIsis.ISISLoad = Load;
  gIsis.ISISFree = Free;
  gIsis.ISISGetDS = GetDS;
  gIsis.ISISAcquire = Acquire;
  gIsis.ISISSetValue = SetValue;
  gIsis.ISISGetValue = GetValue;
  gIsis.ISISDriverInfoById = InfoById;
  gIsis.ISISSelectConfig = SelectConfig;
  gIsis.ISISSetDriver = SetDriver;
  gIsis.ISISSelectionDone = SelectionDone;
  gIsis.ISISTagCount = TagCount;
  gIsis.ISISTagFlags = TagFlags;
  gIsis.ISISTagChoice = TagChoice;
  gIsis.ISISSetDefault = SetDefault;
}

void RemoveFakeIsisDriver() { gIsis = IsisBinding{}; }
