// Packed DIBs built byte by byte, in the layouts scanners and readers hand over: bottom-up and
// top-down rows, short colour tables (biClrUsed), bit masks, headers larger than 40 bytes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct DibSpec {
  int32_t width = 8;
  int32_t height = 4;        // negative: top-down
  uint16_t bits = 8;
  uint32_t headerSize = 40;
  uint32_t clrUsed = 0;      // 0: 2^bits entries up to 8 bits
  bool bitfields = false;    // 16 or 32 bits with masks after a 40-byte header
  int32_t dpi = 300;
};

// The DIB block. Pixels: every byte of the top row is 0x11 * (1 + bits % 5), every other row
// 0x00, so that which row lands on top shows at once. The colour table is a gray ramp over the
// entries stored. bitsOffset receives where the rows start.
std::vector<uint8_t> MakeDib(const DibSpec& spec, size_t* bitsOffset = nullptr);
uint8_t TopRowByte(uint16_t bits);
