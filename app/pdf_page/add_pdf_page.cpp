#include "add_pdf_page.h"

#include <vector>

#include "bilevel_padding.h"

#include "ltimg12.h"
#include "ltkrn12.h"
#include "page_bitmap.h"
#include "pdf_dll.h"
#include "pdf_page_plan.h"

namespace tarnwick {

namespace {

// Gives the page block back when the scope ends.
class OwnedPage {
 public:
  explicit OwnedPage(HGLOBAL page) : page_(page) {}
  ~OwnedPage() {
    if (page_) GlobalFree(page_);
  }
  OwnedPage(const OwnedPage&) = delete;
  OwnedPage& operator=(const OwnedPage&) = delete;

 private:
  HGLOBAL page_;
};

void Check(int32_t result, const char* step) {
  if (result != kLtSuccess)
    throw PdfPageError(std::string("The PDF page could not be made: ") + step + " failed (" +
                       std::to_string(result) + ").");
}

// A black-and-white page grows to whole bytes (or to the letter length) by white pixels on the
// right and at the bottom; resampling it would move and thicken its strokes.
void PadWithWhite(LtBitmapHandle& bitmap, int32_t width, int32_t height) {
  const std::vector<uint8_t> dib = PaddedBilevelDib(bitmap, width, height);
  if (dib.empty()) Check(kLtBadArgument, "widening the page");
  const int32_t xRes = bitmap.XResolution, yRes = bitmap.YResolution;
  L_FreeBitmap(&bitmap);
  Check(L_InitBitmap(&bitmap, 0, 0, 1), "widening the page");
  Check(L_ConvertFromDIB(&bitmap, reinterpret_cast<const BITMAPINFOHEADER*>(dib.data()),
                         dib.data() + 40 + 2 * 4),
        "widening the page");
  bitmap.XResolution = xRes;
  bitmap.YResolution = yRes;
}

}  // namespace

void AddPdfPage(const std::string& document, int pageNo, HGLOBAL page, int resolution,
                int /*imageType*/, Edition edition) {
  OwnedPage owned(page);
  BitmapHolder holder;
  LtBitmapHandle& bitmap = holder.Bitmap();
  Check(PageDibToBitmap(page, bitmap), "reading the page image");
  const int32_t dpi = resolution > 0 ? resolution : PageDibDpi(page);
  bitmap.XResolution = bitmap.YResolution = dpi;
  Check(L_ChangeBitmapViewPerspective(nullptr, &bitmap, kLtTopLeft), "turning the rows");
  const PdfPagePlan plan = PlanPdfPage(bitmap.Width, bitmap.Height, bitmap.BitsPerPixel, dpi,
                                        edition);
  if (plan.resizeByRule) {
    bitmap.XResolution = bitmap.YResolution = plan.ruleResolution;
    Check(L_SizeBitmap(&bitmap, plan.ruleWidth, plan.ruleHeight, 0), "resizing the page");
  }
  if (plan.width != bitmap.Width || plan.height != bitmap.Height) {
    if (bitmap.BitsPerPixel == 1)
      PadWithWhite(bitmap, plan.width, plan.height);
    else
      Check(L_SizeBitmap(&bitmap, plan.width, plan.height, 0), "resizing the page");
  }
  if (plan.invert) Check(L_InvertBitmap(&bitmap), "inverting the page");
  const int32_t written = _makepdf(document.c_str(), 0, pageNo, plan.colourCode, bitmap.Width,
                                   bitmap.Height, bitmap.XResolution, bitmap.YResolution, &bitmap);
  if (written < 0)
    throw PdfPageError("Page " + std::to_string(pageNo) + " could not be added to " + document +
                       " (" + std::to_string(written) + ").");
}

}  // namespace tarnwick
