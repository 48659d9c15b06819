// The capabilities the engine may set, with the TWAIN item type of their values.
#pragma once
#include <cstddef>
#include <cstdint>

struct CapDefRow {
  uint16_t id;
  uint16_t itemType;
};

constexpr size_t kCapDefRows = 98;
extern const CapDefRow CapDef[kCapDefRows + 1];  // the last row (id 0, TWTY_INT8) ends the table

// The first row for id, or the terminating row when the table has none.
const CapDefRow& CapIndex(uint16_t id);

// Bytes of one item of a TWAIN item type or of one of the scan library's tag value types.
int ItemTypeSize(uint16_t itemType);
