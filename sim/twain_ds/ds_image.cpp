#include "ds_image.h"

#include <cstring>

#include "red_blue_swap.h"

namespace {

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
