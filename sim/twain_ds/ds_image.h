// Page images of the simulated scanner in the forms a TWAIN source hands them out.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "sim_scanner.h"

// A packed DIB (header, palette, rows bottom-up, rows padded to 4 bytes) in a movable block.
HGLOBAL MakePageDib(const zebsim::PageFormat& format, int pageNumber);

// The same DIB as a BMP file; false when the file cannot be written.
bool WritePageBmp(const zebsim::PageFormat& format, int pageNumber, const std::string& path);

// One row as a memory transfer sends it: top row first, colour as R, G, B, no padding.
void PageRow(const zebsim::PageFormat& format, int pageNumber, int row, uint8_t* out);
