#include "ks_query_block.h"

#include <cstring>

#include "driver_calls.h"
#include "ks_source_record.h"
#include "ks_tags.h"
#include "tag_state.h"
#include "tag_types.h"

namespace {

HGLOBAL g_querySlot = nullptr;

void FreeGlobal(HGLOBAL h) {
  if (!h) return;
  while (GlobalUnlock(h)) {
  }
  GlobalFree(h);
}

}  // namespace

const uint8_t* KSAnswer::Item(size_t i) const {
  return i < items ? data + i * static_cast<size_t>(TagTypeSize(type)) : nullptr;
}

int32_t KSAnswer::Int(size_t i) const {
  const uint8_t* p = Item(i);
  return p ? ReadNumber(type, p) : 0;
}

uint32_t KSAnswer::Raw(size_t i) const {
  const uint8_t* p = Item(i);
  if (!p) return 0;
  if (type == kTypeFloat) {
    uint32_t bits;
    std::memcpy(&bits, p, 4);
    return bits;
  }
  return static_cast<uint32_t>(ReadNumber(type, p));
}

int32_t KSAnswer::ListSize() const {
  if (count < 1) return 0;
  return static_cast<size_t>(count) < items ? count : static_cast<int32_t>(items);
}

int32_t KSQuery(uint16_t tag, int type, KSAnswer* a) {
  const int32_t rc = CallKSQueryData(tag, type, &g_querySlot);
  if (rc != 0) return rc;
  a->type = type;
  if (!g_querySlot) return 0;
  if (auto* h = static_cast<KSQueryHeader*>(GlobalLock(g_querySlot))) {
    a->count = static_cast<int32_t>(h->Count);
    a->block = static_cast<HGLOBAL>(h->Data);
    GlobalUnlock(g_querySlot);
  }
  if (a->block) {
    a->data = static_cast<const uint8_t*>(GlobalLock(a->block));
    if (a->data) a->items = GlobalSize(a->block) / static_cast<size_t>(TagTypeSize(type));
  }
  return 0;
}

void KSQueryDone(KSAnswer* a) {
  if (a->block && a->data) GlobalUnlock(a->block);
  a->data = nullptr;
}

void ReleaseKSQueryBlock() {
  if (!g_querySlot) return;
  if (auto* h = static_cast<KSQueryHeader*>(GlobalLock(g_querySlot))) {
    HGLOBAL data = static_cast<HGLOBAL>(h->Data);
    GlobalUnlock(g_querySlot);
    FreeGlobal(data);
  }
  FreeGlobal(g_querySlot);
  g_querySlot = nullptr;
}
