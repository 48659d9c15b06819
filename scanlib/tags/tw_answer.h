// The container copy TWAINGetValue leaves in its value block, read item by item and never past
// the block's end.
#pragma once
#include <cstddef>
#include <cstdint>

// TWAIN container kinds as TWAINGetValue answers them.
enum TwContainer : int32_t { kTwArray = 3, kTwEnum = 4, kTwOneValue = 5, kTwRange = 6 };

// Bytes of one item of a TWAIN item type (TWTY_*), 0 for codes the standard does not define.
int TwItemSize(int itemType);

class TwAnswer {
 public:
  TwAnswer() = default;
  TwAnswer(const TwAnswer&) = delete;
  TwAnswer& operator=(const TwAnswer&) = delete;
  ~TwAnswer();

  // Asks the capability; kind() is then the container or the negative code.
  void Ask(int capability, int tagType);
  int32_t kind() const { return kind_; }
  bool ok() const { return kind_ >= kTwArray && kind_ <= kTwRange; }
  int itemType() const { return itemType_; }
  // Items of a list (array, enumeration; 1 for a one value) that lie wholly inside the block.
  int32_t Count() const;
  const void* Item(int32_t index) const;  // nullptr outside the block
  // A range's field (0 min, 1 max, 2 step, 3 default, 4 current) as a signed 16-bit value.
  int32_t RangeField(int field) const;
  // Item as a whole number (FIX32 items by their whole part); 0 when absent.
  int32_t ItemInt(int32_t index) const;
  // The current value: an enumeration's current item, a one value's item, a range's current.
  int32_t CurrentInt() const;

  // Replaces the block with the parts of a container given by a test or another source.
  void Adopt(int32_t kind, const void* bytes, size_t size);

 private:
  void Release();
  void* block_ = nullptr;
  size_t size_ = 0;
  bool owned_ = false;  // a copy of our own, not the engine's block
  int32_t kind_ = -1;
  int itemType_ = 0;
};
