// The lists GetFileExts and GetCompMode hand out: 16-bit codes in a locked movable global
// block that the caller frees (GlobalHandle, unlock, GlobalFree).
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "plugin_status.h"

namespace fileplugins {

// A new locked block holding the codes; *list and *count receive it.
PluginStatus HandOutCodes(const std::vector<uint16_t>& codes, uint16_t** list, int32_t* count);

// The codes written after the `have` items already in *list: the block is replaced by one
// holding both, the old block freed. *count receives how many codes were added.
PluginStatus AppendCodes(const std::vector<uint16_t>& codes, uint16_t** list, int32_t* count,
                         int32_t have);

// Unlocks a block by a pointer into it until no lock is left, then frees it.
void FreeLockedBlock(const void* pointer);

}  // namespace fileplugins
