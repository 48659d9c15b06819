// The choice list of one tag record, gathered item by item while a driver adapter reads the
// driver's answers, then written into the record's Choices block. Every driver kind builds its
// lists with it. Platform-free.
#pragma once
#include <cstdint>
#include <vector>

#include "tag_state.h"

class TagChoiceList {
 public:
  explicit TagChoiceList(int row);

  // One item already in the row's type (its full type size is copied).
  void AddBytes(const void* item);
  void AddInt(int32_t v);
  // AddInt unless the value is already listed: a driver naming a value twice lists it once.
  void AddUnique(int32_t v);
  // One item of another value type (a TWAIN item type or a tag type), converted to the row's.
  void AddConverted(int itemType, const void* item);

  bool Has(int32_t v) const;
  // Whether a string item equals the text, ignoring ASCII case.
  bool HasText(const char* s) const;
  int32_t Count() const;

  // Replaces the record's list with the items gathered (Count items, Count may be 0); when memory
  // runs out the record is left with no list and Count -1.
  void Commit(TagState* r) const;

 private:
  int type_;
  int size_;
  std::vector<uint8_t> bytes_;
};
