// FilterDll.dll: colour drop-out for the scan library's ZebColorDrop.
#include <windows.h>

#include <cstdint>

#include "blue_drop.h"

extern "C" {

// FilterBlue(rows, width, lines, bytes per line): the blue of 24-bit rows (B, G, R) dropped to
// white in place. 0, or -8 for rows it cannot walk.
int32_t __stdcall FilterBlue(intptr_t rows, intptr_t width, intptr_t lines, intptr_t stride) {
  if (!rows || width <= 0 || lines <= 0 || stride < width * 3) return -8;
  filterdll::DropBlue(reinterpret_cast<uint8_t*>(rows), uint32_t(width), uint32_t(lines),
                      uint32_t(stride));
  return 0;
}

}  // extern "C"
