// The page DIB as a movable global block: allocated at the page's final size, locked while rows
// arrive, and unlocked fully when the application takes it over.
#pragma once
#include <windows.h>

#include "page_assembly.h"

// Allocates and locks the block for the page `assembly` has begun and writes its header; the block
// is locked once afterwards. nullptr (nothing left allocated) when it cannot be had. The block is
// not zero-filled: the assembly writes every byte of it before the page is delivered.
HGLOBAL AllocPageDib(PageAssembly& assembly);

// Unlocks a page DIB until its lock count is 0, ready to be handed over.
void UnlockPageDibFully(HGLOBAL dib);

// Frees a page DIB the library still owns (not yet handed to the application).
void FreeOwnedPageDib(HGLOBAL dib);
