// The row work of the deskew and crop step that needs no Windows: black-and-white rows widened
// to one byte a pixel for the deskew library and packed back, the colour background lines put
// together from their three colour lines, and the mode word the library is told. Platform-free.
#pragma once
#include <cstddef>
#include <cstdint>

// 0x01200110 plus 2 for colour pages, plus 1 for every other page.
int32_t DeskewModeWord(int16_t pixelType);

// Bytes of one row the deskew library works on: three a pixel for colour, else one.
size_t DeskewRowBytes(int32_t width, bool colour);

// 1-bit rows of rowLength bytes (most significant bit first) to one byte a pixel: a set bit
// becomes 255, a clear one 0. out holds width x lines bytes.
void WidenBitRows(const uint8_t* rows, size_t rowLength, int32_t width, int32_t lines, uint8_t* out);
// The way back: one byte a pixel, 128 and above a set bit; rows of (width + 7) / 8 bytes with
// clear padding bits.
void PackBitRows(const uint8_t* pixels, int32_t width, int32_t lines, uint8_t* out);

// The colour background: lines of width bytes read three at a time (lines i, i + 1 and i + 2
// give the first, second and third sample of line i's pixels), written as lines of width x 3
// interleaved samples over the same buffer, which holds lines x width x 3 bytes. Goes through
// scratch (the same size), so no write lands on a byte still to be read.
void InterleaveColourLines(uint8_t* buffer, int32_t width, int32_t lines, uint8_t* scratch);
