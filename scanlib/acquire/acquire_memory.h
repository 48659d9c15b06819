// The global blocks one acquisition allocates (the transfer buffer and the page DIBs), counted
// from allocation to release or hand-over, so a test can see that the library keeps none.
#pragma once
#include <windows.h>

#include <cstdint>

// A movable, zero-filled block; nullptr when it cannot be had.
HGLOBAL AcquireAlloc(SIZE_T bytes);
// The same, not zero-filled: for a block whose every byte the caller writes (a page DIB).
HGLOBAL AcquireAllocUncleared(SIZE_T bytes);
// Unlocks the block until its lock count is 0 and frees it.
void AcquireFree(HGLOBAL block);
// The block now belongs to the application: no longer counted here.
void AcquireHandOver(HGLOBAL block);
// Blocks allocated here and neither freed nor handed over.
int32_t AcquireBlocksHeld();

// Test seam: the allocation after the next `n` succeeds fails; -1 (the default) never fails.
void FailAcquireAllocAfter(int32_t n);
