#include "tw_answer.h"

#include <windows.h>

#include <cstring>
#include <new>

#include "driver_calls.h"
#include "tag_block.h"

int TwItemSize(int itemType) {
  switch (itemType) {
    case 0: case 3: return 1;
    case 1: case 4: case 6: return 2;
    case 2: case 5: case 7: return 4;
    case 8: return 16;
    case 9: return 34;
    case 10: return 66;
    case 11: return 130;
    case 12: return 256;
    default: return 0;
  }
}

TwAnswer::~TwAnswer() { Release(); }

void TwAnswer::Release() {
  if (!block_) return;
  if (owned_) delete[] static_cast<uint8_t*>(block_);
  else FreeTagBlock(block_);  // unlocked until its count is zero, then freed
  block_ = nullptr;
  size_ = 0;
}

void TwAnswer::Ask(int capability, int tagType) {
  Release();
  owned_ = false;
  kind_ = CallTWAINGetValue(capability, tagType, &block_);
  size_ = 0;
  if (block_) {
    HGLOBAL h = GlobalHandle(block_);
    size_ = h ? GlobalSize(h) : 0;
  }
  itemType_ = 0;
  if (ok() && size_ >= 2) {
    uint16_t t;
    std::memcpy(&t, block_, 2);
    itemType_ = t;
  } else if (ok()) {
    kind_ = -7;
  }
}

void TwAnswer::Adopt(int32_t kind, const void* bytes, size_t size) {
  Release();
  block_ = new (std::nothrow) uint8_t[size ? size : 1];
  if (!block_) {
    kind_ = -9;
    return;
  }
  owned_ = true;
  std::memcpy(block_, bytes, size);
  size_ = size;
  kind_ = kind;
  uint16_t t = 0;
  if (size >= 2) std::memcpy(&t, bytes, 2);
  itemType_ = t;
}

int32_t TwAnswer::Count() const {
  if (!ok()) return 0;
  if (kind_ == kTwOneValue) return Item(0) ? 1 : 0;
  if (kind_ == kTwRange) return 0;
  if (size_ < 6) return 0;
  uint32_t n;
  std::memcpy(&n, static_cast<const uint8_t*>(block_) + 2, 4);
  const size_t stride = static_cast<size_t>(TwItemSize(itemType_));
  const size_t first = kind_ == kTwEnum ? 14 : 6;
  if (stride == 0 || size_ < first) return 0;
  const size_t fits = (size_ - first) / stride;
  return static_cast<int32_t>(n < fits ? n : fits);
}

const void* TwAnswer::Item(int32_t index) const {
  if (!ok() || index < 0 || kind_ == kTwRange) return nullptr;
  const size_t stride = static_cast<size_t>(TwItemSize(itemType_));
  if (stride == 0) return nullptr;
  const size_t first = kind_ == kTwOneValue ? 2 : kind_ == kTwEnum ? 14 : 6;
  const size_t at = first + stride * static_cast<size_t>(index);
  // A string one value may be shorter than its type (the engine copies up to the terminator).
  const bool shortString = kind_ == kTwOneValue && itemType_ >= 9 && itemType_ <= 12;
  if (at >= size_ || (!shortString && at + stride > size_)) return nullptr;
  if (kind_ != kTwOneValue && index >= Count()) return nullptr;
  return static_cast<const uint8_t*>(block_) + at;
}

int32_t TwAnswer::RangeField(int field) const {
  if (kind_ != kTwRange || field < 0 || field > 4) return 0;
  const size_t at = 2 + 4 * static_cast<size_t>(field);
  if (at + 2 > size_) return 0;
  int16_t v;
  std::memcpy(&v, static_cast<const uint8_t*>(block_) + at, 2);
  return v;
}

int32_t TwAnswer::ItemInt(int32_t index) const {
  const void* p = Item(index);
  if (!p) return 0;
  switch (itemType_) {
    case 0: return *static_cast<const int8_t*>(p);
    case 3: return *static_cast<const uint8_t*>(p);
    case 1: { int16_t v; std::memcpy(&v, p, 2); return v; }
    case 4: case 6: { uint16_t v; std::memcpy(&v, p, 2); return v; }
    case 2: case 5: { int32_t v; std::memcpy(&v, p, 4); return v; }
    case 7: { int16_t v; std::memcpy(&v, p, 2); return v; }
    default: return 0;
  }
}

int32_t TwAnswer::CurrentInt() const {
  if (kind_ == kTwOneValue) return ItemInt(0);
  if (kind_ == kTwRange) return RangeField(4);
  if (kind_ != kTwEnum || size_ < 10) return 0;
  uint32_t current;
  std::memcpy(&current, static_cast<const uint8_t*>(block_) + 6, 4);
  return current < static_cast<uint32_t>(Count()) ? ItemInt(static_cast<int32_t>(current)) : 0;
}
