// AddPdfPage: one scanned page DIB as the next page of the PDF document pdf.dll is writing.
#pragma once
#include <windows.h>

#include <stdexcept>
#include <string>

#include "edition.h"

namespace tarnwick {

// Raised when a page could not be added: the text says which step failed.
class PdfPageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Takes the page block over and frees it exactly once, also when it raises. resolution is the
// scan's dpi (0 or less: the DIB's own; with none either, the size rules are skipped).
// imageType is not used. Raises PdfPageError for a malformed page, a failed imaging call or a
// page pdf.dll refused. The edition chooses the size rules (PlanPdfPage).
void AddPdfPage(const std::string& document, int pageNo, HGLOBAL page, int resolution,
                int imageType, Edition edition = kBuiltEdition);

}  // namespace tarnwick
