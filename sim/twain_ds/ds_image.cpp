#include "ds_image.h"

#include <cstring>

#if defined(__i386__) || defined(__x86_64__)
#include <tmmintrin.h>
#define DS_IMAGE_SHUFFLE 1
#endif

namespace {

#ifdef DS_IMAGE_SHUFFLE
// Five pixels a step through the processor's byte shuffle: 16 bytes read and written, the last of
// them rewritten by the next step, so a step needs a sixth pixel after its five. Answers the
// pixels done.
__attribute__((target("ssse3"))) int SwapShuffled(uint8_t* out, const uint8_t* in, int width) {
  const __m128i order = _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 14, 13, 12, 15);
  int x = 0;
  for (; x + 6 <= width; x += 5, in += 15, out += 15) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_shuffle_epi8(v, order));
  }
  return x;
}

bool HasShuffle() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("ssse3");
}
#endif

// A row of R,G,B pixels as the DIB's B,G,R.
void SwapRedBlue(uint8_t* out, const uint8_t* in, int width) {
  int x = 0;
#ifdef DS_IMAGE_SHUFFLE
  static const bool shuffle = HasShuffle();
  if (shuffle) x = SwapShuffled(out, in, width);
#endif
  for (; x < width; ++x) {
    out[x * 3] = in[x * 3 + 2];
    out[x * 3 + 1] = in[x * 3 + 1];
    out[x * 3 + 2] = in[x * 3];
  }
}

struct DibShape {
  zebsim::PageGeometry g;
  int colours, stride;
  size_t headerBytes, bytes;
};

DibShape ShapeOf(const zebsim::PageFormat& format) {
  DibShape d;
  d.g = zebsim::GeometryOf(format);
  d.colours = d.g.bitsPerPixel == 1 ? 2 : d.g.bitsPerPixel == 8 ? 256 : 0;
  d.stride = ((d.g.width * d.g.bitsPerPixel + 31) / 32) * 4;
  d.headerBytes = sizeof(BITMAPINFOHEADER) + size_t(d.colours) * 4;
  d.bytes = d.headerBytes + size_t(d.stride) * d.g.length;
  return d;
}

// Draws the page as a bottom-up DIB into `dib` (d.bytes of it), every byte written.
void FillDib(const zebsim::PageFormat& format, int pageNumber, const DibShape& d, uint8_t* dib) {
  const zebsim::PageGeometry& g = d.g;
  BITMAPINFOHEADER h{};
  h.biSize = sizeof h;
  h.biWidth = g.width;
  h.biHeight = g.length;
  h.biPlanes = 1;
  h.biBitCount = static_cast<WORD>(g.bitsPerPixel);
  h.biCompression = BI_RGB;
  h.biSizeImage = static_cast<DWORD>(size_t(d.stride) * g.length);
  h.biXPelsPerMeter = static_cast<LONG>(format.xResolution * 39.37 + 0.5);
  h.biYPelsPerMeter = static_cast<LONG>(format.yResolution * 39.37 + 0.5);
  h.biClrUsed = d.colours;
  std::memcpy(dib, &h, sizeof h);
  uint8_t* palette = dib + sizeof h;
  for (int i = 0; i < d.colours; ++i) {
    uint8_t v = d.colours == 2 ? (i ? 255 : 0) : static_cast<uint8_t>(i);
    palette[i * 4] = palette[i * 4 + 1] = palette[i * 4 + 2] = v;
    palette[i * 4 + 3] = 0;
  }
  uint8_t* bits = dib + d.headerBytes;
  std::vector<uint8_t> row(g.bytesPerRow);
  for (int y = 0; y < g.length; ++y) {
    uint8_t* out = bits + size_t(g.length - 1 - y) * d.stride;
    if (g.bitsPerPixel == 24) {
      zebsim::RenderRow(format, pageNumber, y, row.data());
      SwapRedBlue(out, row.data(), g.width);
    } else {
      zebsim::RenderRow(format, pageNumber, y, out);
    }
    std::memset(out + g.bytesPerRow, 0, size_t(d.stride - g.bytesPerRow));
  }
}

std::vector<uint8_t> DibBytes(const zebsim::PageFormat& format, int pageNumber) {
  const DibShape d = ShapeOf(format);
  std::vector<uint8_t> dib(d.bytes);
  FillDib(format, pageNumber, d, dib.data());
  return dib;
}

}  // namespace

HGLOBAL MakePageDib(const zebsim::PageFormat& format, int pageNumber) {
  // Drawn straight into the block the application receives.
  const DibShape d = ShapeOf(format);
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, d.bytes);
  if (!h) return nullptr;
  FillDib(format, pageNumber, d, static_cast<uint8_t*>(GlobalLock(h)));
  GlobalUnlock(h);
  return h;
}

bool WritePageBmp(const zebsim::PageFormat& format, int pageNumber, const std::string& path) {
  std::vector<uint8_t> dib = DibBytes(format, pageNumber);
  const BITMAPINFOHEADER* h = reinterpret_cast<const BITMAPINFOHEADER*>(dib.data());
  BITMAPFILEHEADER f{};
  f.bfType = 0x4D42;
  f.bfSize = static_cast<DWORD>(sizeof f + dib.size());
  f.bfOffBits = static_cast<DWORD>(sizeof f + sizeof *h + h->biClrUsed * 4);
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, &f, sizeof f, &written, nullptr) && written == sizeof f &&
            WriteFile(file, dib.data(), static_cast<DWORD>(dib.size()), &written, nullptr) &&
            written == dib.size();
  CloseHandle(file);
  return ok;
}

void PageRow(const zebsim::PageFormat& format, int pageNumber, int row, uint8_t* out) {
  zebsim::RenderRow(format, pageNumber, row, out);
}
