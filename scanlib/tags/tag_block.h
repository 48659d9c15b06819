// Memory blocks of the tag records (choice lists, string values, channel arrays). On Windows
// they are movable global blocks kept locked, as the driver adapters hand them around.
#pragma once
#include <cstddef>

// A zero-filled, locked block of at least one byte; nullptr when memory runs out.
void* AllocTagBlock(size_t bytes);
// Unlocks the block until its lock count is zero and frees it; nullptr is ignored.
void FreeTagBlock(void* block);
// Frees *field and clears it.
void ReleaseTagBlock(void** field);

// Releases the list the field holds and allocates count zero-filled items of the tag type
// (0x8010..0x8017); other types get nothing. Answers false when memory runs out.
bool AllocChoices(int type, int count, void** field);
