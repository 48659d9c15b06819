// QmDocumentImage::PrintImage: the page shown, or a gray copy of a bilevel page, stretched onto
// the program's printer. A job begun here is ended or aborted here, whatever happens.
#include <cstdlib>

#include "dib_block_port.h"
#include "qm_document_image.h"
#include "qm_printer.h"
#include "viewer_clipboard.h"

namespace qm {

void QmDocumentImage::PrintImage(int32_t x, int32_t y, int32_t width, int32_t height) {
  HGLOBAL dib = GetDibHandle();
  if (!dib) return;
  DibFacts f = imaging_.Facts(reinterpret_cast<DibRef>(dib));
  PrintPlan plan = PlanPrint(settings_.PrintScaleDoc, f.bitCount, {f.width, f.height}, width, height);
  HGLOBAL source = dib;
  HGLOBAL gray = nullptr;
  if (plan.gray) {
    gray = reinterpret_cast<HGLOBAL>(imaging_.ScaleToGray(
        reinterpret_cast<DibRef>(dib), int(settings_.PrintScaleDoc), plan.width, plan.height));
    if (!gray) imaging_.Raise("Input image is empty");
    source = gray;
  }
  struct FreeGray {
    ImagingPort& port;
    HGLOBAL block;
    ~FreeGray() {
      if (block) port.Free(reinterpret_cast<DibRef>(block));
    }
  } freeGray{imaging_, gray};

  TQmPrinter& printer = Printer();
  // Drawn outside any job, the page would go nowhere without a word.
  if (!settings_.P_Begin_End_Doc && !printer.Printing()) imaging_.Raise("Printing not in progress");
  bool begun = false;
  try {
    if (settings_.P_Begin_End_Doc) {
      printer.BeginDoc(Name().empty() ? "Image" : Name());
      begun = true;
    }
    HDC dc = printer.Handle();
    int rows = 0;
    if (auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(source))) {
      const uint8_t* bits = reinterpret_cast<const uint8_t*>(header) + DibHeaderBytes(*header);
      rows = StretchDIBits(dc, x, y, plan.width, plan.height, 0, 0, header->biWidth,
                           std::abs(header->biHeight), bits, reinterpret_cast<BITMAPINFO*>(header),
                           DIB_RGB_COLORS, SRCCOPY);
      GlobalUnlock(source);
    }
    if (rows == 0 || rows == int(GDI_ERROR)) imaging_.Raise("The image could not be printed");
    if (begun) {
      begun = false;
      printer.EndDoc();
    }
  } catch (const QmPrinterError& e) {
    if (begun) printer.Abort();
    imaging_.Raise(e.what());
  } catch (...) {
    if (begun) printer.Abort();
    throw;
  }
}

}  // namespace qm
