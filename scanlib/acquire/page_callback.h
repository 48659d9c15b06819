// The one callback every driver adapter hands its driver: page information, then data blocks,
// turned into what the application asked for by the transfer mode.
#pragma once
#include <cstdint>

#include "scan_page_info.h"

int32_t __stdcall PageCallback(void* data, uint32_t* size, int32_t code);

// The application's callback, when it has one: a null callback (the settings-only call) hears
// nothing and answers 0.
int32_t TellApplication(void* data, uint32_t* size, int32_t event);

// Frees the page DIB the library still owns (a page the driver never finished); safe to repeat.
void DropOwnedPageDib();
