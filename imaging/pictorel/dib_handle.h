// Giving page DIB blocks back.
#pragma once
#include <windows.h>

// Unlocks the block until its lock count is 0.
void UnlockDibHandle(HGLOBAL handle);
// Unlocks and frees a block of more than one byte; smaller or empty blocks are left alone.
// This is how every consumer gives a page DIB back.
void FreeDibHandle(HGLOBAL handle);

// The size of the block that holds a locked pointer, 0 when it is not a global block.
SIZE_T DibBlockBytes(const void* locked);
