// The two entry points over the one open document.
#include <windows.h>

#include <memory>

#include "open_document.h"
#include "page_image.h"
#include "pdf_dll.h"

using pdfdll::OpenDocument;

namespace {

std::unique_ptr<OpenDocument> g_document;

int32_t EndDocument() {
  if (!g_document) return kPdfOk;
  int32_t r = g_document->Finish();
  g_document.reset();
  return r;
}

int32_t AddPage(const char* file, int32_t colour, int32_t width, int32_t height, int32_t xRes,
                int32_t yRes, LtBitmapHandle* bitmap) {
  if (!file || !*file) return kPdfBadArgument;
  if (!bitmap) return kPdfBadBitmap;
  std::vector<uint8_t> gray;
  PdfPageImage image;
  int32_t r = pdfdll::PageImageOf(*bitmap, colour, width, height, xRes, yRes, gray, image);
  if (r != kPdfOk) return r;
  // Another name finishes the open document; its failure is answered, after this page.
  int32_t ended = g_document && !g_document->IsFor(file) ? EndDocument() : kPdfOk;
  if (!g_document) g_document = OpenDocument::Start(file);
  if (!g_document) return kPdfCannotCreate;
  r = g_document->AddPage(image);
  return r != kPdfOk ? r : ended;
}

}  // namespace

extern "C" int32_t __cdecl _makepdf(const char* file, int32_t mode, int32_t page, int32_t colour,
                                    int32_t width, int32_t height, int32_t xRes, int32_t yRes,
                                    LtBitmapHandle* bitmap) {
  try {
    if (mode == 0) return AddPage(file, colour, width, height, xRes, yRes, bitmap);
    if (mode == 1) return EndDocument();
    return kPdfBadArgument;
  } catch (...) {
    return kPdfFailed;
  }
}

extern "C" int32_t __cdecl _pdfEndFile() {
  try {
    return EndDocument();
  } catch (...) {
    return kPdfFailed;
  }
}

// A program that ends with a document open keeps its pages.
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_DETACH) {
    try {
      EndDocument();
    } catch (...) {
    }
  }
  return TRUE;
}
