// Writes a PDF document through AddPdfPage and pdf.dll, for the checks with qpdf, pdfimages
// and pdftoppm:  pdf_page_tool OUTPUT WIDTHxHEIGHTxBITS@DPI[=PAGE.pbm]...
// then ends it with the scan loop's end call. Exit status 0 when every page was added. A
// black-and-white page named with "=PAGE.pbm" is also written there as a PBM file, as scanned.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "add_pdf_page.h"
#include "page_dibs.h"
#include "pdf_dll.h"

namespace {

// The page's pixels as a PBM file (1 black), rows from the top.
bool WritePbm(HGLOBAL page, const char* name) {
  const auto* p = static_cast<const uint8_t*>(GlobalLock(page));
  const auto* bih = reinterpret_cast<const BITMAPINFOHEADER*>(p);
  const int w = bih->biWidth, h = bih->biHeight;
  const size_t stride = (size_t(w) + 31) / 32 * 4;
  const uint8_t* rows = p + 40 + 8;
  const bool oneIsWhite = p[44] > p[40];
  FILE* f = std::fopen(name, "wb");
  if (f) {
    std::fprintf(f, "P4\n%d %d\n", w, h);
    for (int y = 0; y < h; ++y) {
      const uint8_t* r = rows + size_t(h - 1 - y) * stride;
      for (size_t i = 0; i < (size_t(w) + 7) / 8; ++i) std::fputc(oneIsWhite ? uint8_t(~r[i]) : r[i], f);
    }
    std::fclose(f);
  }
  GlobalUnlock(page);
  return f != nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  int status = 0;
  for (int i = 2; i < argc; ++i) {
    int w = 0, h = 0, bits = 0, dpi = 0;
    if (std::sscanf(argv[i], "%dx%dx%d@%d", &w, &h, &bits, &dpi) != 4) return 2;
    const HGLOBAL page = MakeTextPage(w, h, bits, dpi);
    const char* pbm = std::strchr(argv[i], '=');
    if (pbm && (bits != 1 || !WritePbm(page, pbm + 1))) return 2;
    try {
      tarnwick::AddPdfPage(argv[1], i - 1, page, dpi, 0);
    } catch (const std::exception& e) {
      std::printf("page %d: %s\n", i - 1, e.what());
      status = 1;
    }
  }
  int32_t end = _makepdf("c:\\\\df", 1, 1, 1, 0, 0, 0, 0, nullptr);
  std::printf("end: %d\n", end);
  return end == kPdfOk ? status : 1;
}
