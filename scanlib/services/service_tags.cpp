#include "service_tags.h"

#include "library_state.h"
#include "tag_state.h"
#include "tag_table.h"

namespace {

uint32_t TagOrDefault(int row, uint32_t fallback) {
  if (gLib.state < kStateReady) return fallback;
  const int32_t v = CurrentInt(row);
  return v < 0 ? 0 : uint32_t(v);
}

}  // namespace

uint32_t CurrentBlankHold() { return TagOrDefault(kRowBlankHold, 116); }
uint32_t CurrentAutoTypeHold() { return TagOrDefault(kRowAutoTypeHold, 25); }
