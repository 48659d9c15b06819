#include "driver_calls.h"

#include "driver_bindings.h"
#include "library_state.h"

namespace {

// The answer of every guard whose entry point is not bound, but KSLoad's.
constexpr int32_t kUnbound = kZebNotBound;

template <typename Binding>
void Unbind(Binding& binding) {
  HMODULE module = binding.module;
  binding = Binding{};
  if (module) FreeLibrary(module);
}

// Unlocks a global block until its lock count is zero, then frees it.
void ReleaseBlock(HGLOBAL block) {
  if (!block) return;
  while (GlobalFlags(block) & GMEM_LOCKCOUNT) {
    if (!GlobalUnlock(block)) break;
  }
  GlobalFree(block);
}

}  // namespace

int32_t CallKSLoad(HWND owner) { return gKS.KSLoad ? gKS.KSLoad(owner) : kZebNoSource; }

int32_t CallKSFree() {
  if (!gKS.KSFree) return kUnbound;
  int32_t rc = gKS.KSFree();
  Unbind(gKS);
  return rc;
}

int32_t CallKSGetDS(int32_t message, KSSourceRecord* record) {
  return gKS.KSGetDS ? gKS.KSGetDS(message, record) : kUnbound;
}
int32_t CallKSSetDriverById(KSSourceRecord* record, int32_t index) {
  return gKS.KSSetDriverById ? gKS.KSSetDriverById(record, index) : kUnbound;
}
int32_t CallKSGetValue(int32_t tag, int32_t type, void* value) {
  return gKS.KSGetValue ? gKS.KSGetValue(tag, type, value) : kUnbound;
}
int32_t CallKSSetValue(int32_t tag, int32_t type, void* value) {
  return gKS.KSSetValue ? gKS.KSSetValue(tag, type, value) : kUnbound;
}

int32_t CallKSQueryData(int32_t tag, int32_t type, HGLOBAL* slot) {
  if (!gKS.KSQueryData) return kUnbound;
  if (slot && *slot) {
    // The block the previous query left: its data block first, then the block itself.
    HGLOBAL header = *slot;
    if (auto* h = static_cast<KSQueryHeader*>(GlobalLock(header))) {
      HGLOBAL data = static_cast<HGLOBAL>(h->Data);
      GlobalUnlock(header);
      ReleaseBlock(data);
    }
    ReleaseBlock(header);
    *slot = nullptr;
  }
  return gKS.KSQueryData(tag, type, slot);
}

int32_t CallKSAcquire(PageCallbackProc callback, void* data) {
  return gKS.KSAcquire ? gKS.KSAcquire(callback, data) : kUnbound;
}

int32_t CallTWAINLoad(HWND owner) { return gTwain.TWAINLoad ? gTwain.TWAINLoad(owner) : kUnbound; }

int32_t CallTWAINFree() {
  if (!gTwain.TWAINFree) return kUnbound;
  int32_t rc = gTwain.TWAINFree();
  Unbind(gTwain);
  return rc;
}

int32_t CallTWAINOpenDS() {
  if (!gTwain.TWAINOpenDS) return kUnbound;
  gLib.sourceIdentity.Id = 0;
  return gTwain.TWAINOpenDS(&gLib.sourceIdentity);
}
int32_t CallTWAINCloseDS() { return gTwain.TWAINCloseDS ? gTwain.TWAINCloseDS() : kUnbound; }
int32_t CallTWAINGetDS(int32_t message, TW_IDENTITY* identity) {
  return gTwain.TWAINGetDS ? gTwain.TWAINGetDS(message, identity) : kUnbound;
}
int32_t CallTWAINAcquire(PageCallbackProc callback, void* data) {
  return gTwain.TWAINAcquire ? gTwain.TWAINAcquire(callback, data) : kUnbound;
}
int32_t CallTWAINAcquireUIOnly(PageCallbackProc callback, void* data) {
  return gTwain.TWAINAcquireUIOnly ? gTwain.TWAINAcquireUIOnly(callback, data) : kUnbound;
}
int32_t CallTWAINSetValue(int32_t capability, int32_t itemType, void* value) {
  return gTwain.TWAINSetValue ? gTwain.TWAINSetValue(capability, itemType, value) : kUnbound;
}
int32_t CallTWAINGetValue(int32_t capability, int32_t itemType, void** block) {
  return gTwain.TWAINGetValue ? gTwain.TWAINGetValue(capability, itemType, block) : kUnbound;
}

int32_t CallISISLoad(HWND owner) { return gIsis.ISISLoad ? gIsis.ISISLoad(owner) : kUnbound; }

int32_t CallISISFree() {
  if (!gIsis.ISISFree) return kUnbound;
  int32_t rc = gIsis.ISISFree();
  Unbind(gIsis);
  return rc;
}

int32_t CallISISAcquire(PageCallbackProc callback, void* data) {
  return gIsis.ISISAcquire ? gIsis.ISISAcquire(callback, data) : kUnbound;
}
int32_t CallISISSetValue(int32_t tag, int32_t type, void* value) {
  return gIsis.ISISSetValue ? gIsis.ISISSetValue(tag, type, value) : kUnbound;
}
int32_t CallISISGetValue(int32_t tag, int32_t type, int32_t index, void* value) {
  return gIsis.ISISGetValue ? gIsis.ISISGetValue(tag, type, index, value) : kUnbound;
}
int32_t CallISISDriverInfoById(int32_t index, void* info) {
  return gIsis.ISISDriverInfoById ? gIsis.ISISDriverInfoById(index, info) : kUnbound;
}
int32_t CallISISSelectConfig(void* info, HWND parent, int32_t reserved) {
  return gIsis.ISISSelectConfig ? gIsis.ISISSelectConfig(info, parent, reserved) : kUnbound;
}
int32_t CallISISSetDriver(void* info) {
  return gIsis.ISISSetDriver ? gIsis.ISISSetDriver(info) : kUnbound;
}
int32_t CallISISTagCount(int32_t tag, int32_t* count) {
  return gIsis.ISISTagCount ? gIsis.ISISTagCount(tag, count) : kUnbound;
}
int32_t CallISISTagFlags(int32_t tag, int32_t* flags) {
  return gIsis.ISISTagFlags ? gIsis.ISISTagFlags(tag, flags) : kUnbound;
}
int32_t CallISISTagChoice(int32_t tag, int32_t type, int32_t index, void* value) {
  return gIsis.ISISTagChoice ? gIsis.ISISTagChoice(tag, type, index, value) : kUnbound;
}
