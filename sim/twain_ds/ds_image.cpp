#include "ds_image.h"

#include <cstring>

namespace {

std::vector<uint8_t> DibBytes(const zebsim::PageFormat& format, int pageNumber) {
  zebsim::PageGeometry g = zebsim::GeometryOf(format);
  const int colours = g.bitsPerPixel == 1 ? 2 : g.bitsPerPixel == 8 ? 256 : 0;
  const int stride = ((g.width * g.bitsPerPixel + 31) / 32) * 4;
  std::vector<uint8_t> dib(sizeof(BITMAPINFOHEADER) + colours * 4 + size_t(stride) * g.length);
  BITMAPINFOHEADER h{};
  h.biSize = sizeof h;
  h.biWidth = g.width;
  h.biHeight = g.length;
  h.biPlanes = 1;
  h.biBitCount = static_cast<WORD>(g.bitsPerPixel);
  h.biCompression = BI_RGB;
  h.biSizeImage = static_cast<DWORD>(size_t(stride) * g.length);
  h.biXPelsPerMeter = static_cast<LONG>(format.xResolution * 39.37 + 0.5);
  h.biYPelsPerMeter = static_cast<LONG>(format.yResolution * 39.37 + 0.5);
  h.biClrUsed = colours;
  std::memcpy(dib.data(), &h, sizeof h);
  uint8_t* palette = dib.data() + sizeof h;
  for (int i = 0; i < colours; ++i) {
    uint8_t v = colours == 2 ? (i ? 255 : 0) : static_cast<uint8_t>(i);
    palette[i * 4] = palette[i * 4 + 1] = palette[i * 4 + 2] = v;
  }
  uint8_t* bits = palette + colours * 4;
  std::vector<uint8_t> row(g.bytesPerRow);
  for (int y = 0; y < g.length; ++y) {
    zebsim::RenderRow(format, pageNumber, y, row.data());
    uint8_t* out = bits + size_t(g.length - 1 - y) * stride;
    if (g.bitsPerPixel == 24) {
      for (int x = 0; x < g.width; ++x) {
        out[x * 3] = row[x * 3 + 2];
        out[x * 3 + 1] = row[x * 3 + 1];
        out[x * 3 + 2] = row[x * 3];
      }
    } else {
      std::memcpy(out, row.data(), g.bytesPerRow);
    }
  }
  return dib;
}

}  // namespace

HGLOBAL MakePageDib(const zebsim::PageFormat& format, int pageNumber) {
  std::vector<uint8_t> dib = DibBytes(format, pageNumber);
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, dib.size());
  if (!h) return nullptr;
  std::memcpy(GlobalLock(h), dib.data(), dib.size());
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
