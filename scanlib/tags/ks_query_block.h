// The maker's driver's answer for one tag: a query block holding a count and a data block of
// that many values (a list), or of minimum, maximum and step (a range).
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

struct KSAnswer {
  int32_t count = 0;
  const uint8_t* data = nullptr;
  size_t items = 0;  // values the data block really holds
  HGLOBAL block = nullptr;
  int type = 0;

  const uint8_t* Item(size_t i) const;
  int32_t Int(size_t i) const;
  uint32_t Raw(size_t i) const;  // numbers as the records keep them (int or float bits)
  int32_t ListSize() const;      // items of a list; 0 for a range
};

// Asks the driver; the answer stays readable until KSQueryDone. 0 or the driver's error.
int32_t KSQuery(uint16_t tag, int type, KSAnswer* answer);
void KSQueryDone(KSAnswer* answer);
