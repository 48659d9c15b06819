// Capability set and get, with the climb to the state each request needs.
#include <algorithm>
#include <cstring>

#include "cap_table.h"
#include "connection.h"
#include "container_size.h"

namespace {

constexpr uint16_t kUIControlCap = 0x9050;

// Remembers a code for TWAINAcquire; one that leaves the connection unusable also marks it.
void KeepResult(int32_t code) {
  g_twain.LastResult = code;
  if (IsConnectionFailure(code)) g_twain.connectionBroken = true;
}

// Brings the connection to state 4. keepAll: every step's code is kept (TWAINSetValue);
// otherwise only the opening of the source and the supported-capabilities request are.
void Climb(bool keepAll) {
  int32_t result = 0;
  if (nState < 3) {
    result = TWAINLoad(g_twain.ParentWindow);
    if (result != 0) g_twain.connectionBroken = true;
    if (keepAll) g_twain.LastResult = result;
  }
  if (nState == 5 && result == 0) {
    result = TWDisableDS();
    if (keepAll) KeepResult(result);
  }
  if (nState == 3 && result == 0) {
    result = TWAINOpenDS(&g_twain.SourceIdentity);
    KeepResult(result);
    if (result != 0) g_twain.connectionBroken = true;
    if (result == 0) GetSupportedCaps();
  }
}

void ReleaseContainer(TW_HANDLE h) {
  if (h) GlobalFree(h);
}

// Gives a locked value block back: unlocked fully, then freed.
void FreeValueBlock(void* p) {
  if (!p) return;
  HGLOBAL h = GlobalHandle(p);
  if (!h) return;
  while (GlobalUnlock(h)) {
  }
  GlobalFree(h);
}

// Makes *block a zeroed, locked block of at least size bytes, reusing the caller's when it is
// large enough. Answers false when no memory was to be had (the old block is then gone).
bool ReallocValueBuffer(void** block, size_t size) {
  if (*block) {
    HGLOBAL h = GlobalHandle(*block);
    if (h && GlobalSize(h) >= size) {
      std::memset(*block, 0, GlobalSize(h));
      return true;
    }
    FreeValueBlock(*block);
    *block = nullptr;
  }
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (!h) return false;
  *block = GlobalLock(h);
  return *block != nullptr;
}

void TranslateXferMech(uint16_t value) {
  switch (value) {
    case TWSX_NATIVE: g_twain.TransferMechanism = 1; break;
    case TWSX_FILE: g_twain.TransferMechanism = 2; break;
    case TWSX_MEMORY: g_twain.TransferMechanism = 0; break;
    case 3: g_twain.TransferMechanism = 2; break;
    default: break;
  }
}

}  // namespace

int32_t GetSupportedCaps() {
  EngineLogIn("GetSupportedCaps", nState);
  TW_CAPABILITY cap{};
  cap.Cap = CAP_SUPPORTEDCAPS;
  cap.ConType = TWON_DONTCARE16;
  int32_t result = CallDSMEntry(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &cap);
  if (result == 0) ReleaseContainer(cap.hContainer);
  KeepResult(result);
  EngineLogOut("GetSupportedCaps", result);
  return result;
}

extern "C" int32_t __stdcall TWAINSetValue(uint32_t capId, uint32_t conType, void* value) {
  const uint16_t id = static_cast<uint16_t>(capId);
  int32_t first = 0;
  if (value) std::memcpy(&first, value, sizeof first);
  EngineLogIn("TWAINSetValue", nState);
  EngineLogValue("CapId", id);
  EngineLogValue("Value", first);
  g_twain.LastResult = 0;
  Climb(true);
  if (static_cast<uint16_t>(conType) == TWON_ONEVALUE && value) {
    const CapDefRow& row = CapIndex(id);
    const int itemSize = ItemTypeSize(row.itemType);
    const size_t blockSize = row.itemType == TWTY_FRAME ? 22 : size_t(itemSize) + 6;
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, blockSize);
    uint8_t* p = h ? static_cast<uint8_t*>(GlobalLock(h)) : nullptr;
    if (!p) {
      if (h) GlobalFree(h);
      g_twain.LastResult = -9;
    } else {
      std::memcpy(p, &row.itemType, 2);
      std::memcpy(p + 2, value, row.itemType == TWTY_FRAME ? 16 : itemSize);
      GlobalUnlock(h);
      TW_CAPABILITY cap{};
      cap.Cap = id;
      cap.ConType = TWON_ONEVALUE;
      cap.hContainer = h;
      int32_t code = CallDSMEntry(DG_CONTROL, DAT_CAPABILITY, MSG_SET, &cap);
      // CHECKSTATUS: the value was taken, adjusted to what the source can do.
      if (code == -7 || g_twain.lastReturnCode == TWRC_CHECKSTATUS) code = 0;
      KeepResult(code);
      GlobalFree(h);
    }
    uint16_t low = static_cast<uint16_t>(first);
    if (id == ICAP_XFERMECH) TranslateXferMech(low);
    if (id == kUIControlCap) {
      g_twain.UIControl = low;
      g_twain.LastResult = 0;
    }
  }
  EngineLogOut("TWAINSetValue", g_twain.LastResult);
  EngineLogValue("Value", first);
  return g_twain.LastResult;
}

extern "C" int32_t __stdcall TWAINGetValue(uint32_t capId, uint32_t itemType, void** block) {
  EngineLogIn("TWAINGetValue", nState);
  if (!block) {
    EngineLogOut("TWAINGetValue", -9);
    return -9;
  }
  const uint16_t callerType = static_cast<uint16_t>(itemType);
  Climb(false);
  TW_CAPABILITY cap{};
  cap.Cap = static_cast<uint16_t>(capId);
  cap.ConType = TWON_DONTCARE16;
  int32_t r = CallDSMEntry(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &cap);
  int32_t answer = r;
  if (r != 0) {
    if (IsConnectionFailure(r)) g_twain.connectionBroken = true;
    // The caller always finds a readable block; its old one is reused or given back.
    if (!ReallocValueBuffer(block, size_t(ItemTypeSize(callerType)) + 6)) answer = -9;
  } else if (cap.ConType < TWON_ARRAY || cap.ConType > TWON_RANGE || !cap.hContainer) {
    answer = -7;
    ReleaseContainer(cap.hContainer);
  } else {
    const uint8_t* src = static_cast<const uint8_t*>(GlobalLock(cap.hContainer));
    const size_t srcSize = GlobalSize(cap.hContainer);
    if (!src || srcSize < 2) {
      answer = -7;
    } else {
      uint16_t srcType;
      std::memcpy(&srcType, src, 2);
      uint32_t numItems = 0;
      if ((cap.ConType == TWON_ARRAY || cap.ConType == TWON_ENUMERATION) && srcSize >= 6)
        std::memcpy(&numItems, src + 2, 4);
      ContainerCopy plan = PlanContainerCopy(cap.ConType, numItems, ItemTypeSize(callerType),
                                             ItemTypeSize(srcType), srcSize);
      if (!ReallocValueBuffer(block, plan.blockSize)) {
        answer = -9;
      } else {
        size_t n = plan.copyBytes;
        if (cap.ConType == TWON_ONEVALUE && IsStringItemType(srcType) && n > 2) {
          // A string goes up to its terminator, never beyond what the source wrote.
          const char* text = reinterpret_cast<const char*>(src + 2);
          n = 2 + strnlen(text, n - 2);
        }
        std::memcpy(*block, src, n);
        answer = cap.ConType;
      }
      GlobalUnlock(cap.hContainer);
    }
    ReleaseContainer(cap.hContainer);
  }
  EngineLogOut("TWAINGetValue", g_twain.LastResult);
  return answer;
}
