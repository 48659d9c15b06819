// The page-DIB floor's part beyond the simulator, and the benchmark's clock: both need windows.h,
// which the codecs' headers do not live with.
#include <windows.h>

#include <cstring>

#include "bench_clock.h"
#include "bench_floors.h"

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return double(now.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

double TimePageBlocks(const zebsim::PageFormat& format, int pages) {
  const zebsim::PageGeometry g = zebsim::GeometryOf(format);
  const SIZE_T stride = (SIZE_T(g.width) * g.bitsPerPixel + 31) / 32 * 4;
  const SIZE_T colours = g.bitsPerPixel <= 8 ? (SIZE_T(1) << g.bitsPerPixel) : 0;
  const SIZE_T bytes = 40 + 4 * colours + stride * SIZE_T(g.length);
  const double start = NowMs();
  for (int p = 0; p < pages; ++p) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    void* data = block ? GlobalLock(block) : nullptr;
    if (!data) return -1;
    std::memset(data, 0xFF, bytes);
    GlobalUnlock(block);
    GlobalFree(block);
  }
  return NowMs() - start;
}
