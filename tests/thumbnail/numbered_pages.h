// Pages for the strip's tests: a white page with a frame and its number in large dark digits,
// as a page DIB block and as a BMP page file, and the owner's answer to OnGetImageHandle.
#pragma once
#include <windows.h>

#include <string>

// A movable block the caller owns; bits 1 (A4 at 300 dpi, 2480 x 3508) or 8 (620 x 877 gray).
HGLOBAL MakeNumberedPage(int number, int bits);
// Writes the block as a BMP file; false on failure.
bool WritePageFile(const std::string& path, HGLOBAL page);
// The DIB of a BMP page file in a new block, or 0 when the file is missing or unreadable.
HGLOBAL ReadPageFile(const std::string& path);
