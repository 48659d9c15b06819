// Writes a PDF document through AddPdfPage and pdf.dll, for the checks with qpdf, pdfimages
// and pdftoppm:  pdf_page_tool OUTPUT WIDTHxHEIGHTxBITS@DPI...
// then ends it with the scan loop's end call. Exit status 0 when every page was added.
#include <cstdio>
#include <string>

#include "add_pdf_page.h"
#include "page_dibs.h"
#include "pdf_dll.h"

int main(int argc, char** argv) {
  int status = 0;
  for (int i = 2; i < argc; ++i) {
    int w = 0, h = 0, bits = 0, dpi = 0;
    if (std::sscanf(argv[i], "%dx%dx%d@%d", &w, &h, &bits, &dpi) != 4) return 2;
    try {
      tarnwick::AddPdfPage(argv[1], i - 1, MakeTextPage(w, h, bits, dpi), dpi, 0);
    } catch (const std::exception& e) {
      std::printf("page %d: %s\n", i - 1, e.what());
      status = 1;
    }
  }
  int32_t end = _makepdf("c:\\\\df", 1, 1, 1, 0, 0, 0, 0, nullptr);
  std::printf("end: %d\n", end);
  return end == kPdfOk ? status : 1;
}
