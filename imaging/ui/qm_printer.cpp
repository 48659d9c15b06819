#include "qm_printer.h"

#include <winspool.h>

#include <vector>

namespace qm {

TQmPrinter& Printer() {
  static TQmPrinter printer;
  return printer;
}

TQmPrinter::~TQmPrinter() {
  Abort();
  ReleaseHandle();
}

void TQmPrinter::SetPrinterName(const std::string& name) {
  if (printing_) throw QmPrinterError("Printing in progress");
  name_ = name;
  ReleaseHandle();
}

void TQmPrinter::ReleaseHandle() {
  if (dc_) DeleteDC(dc_);
  dc_ = nullptr;
}

HDC TQmPrinter::Handle() {
  if (dc_) return dc_;
  std::string name = name_;
  if (name.empty()) {
    DWORD size = 0;
    GetDefaultPrinterA(nullptr, &size);
    std::vector<char> buffer(size ? size : 1);
    if (!size || !GetDefaultPrinterA(buffer.data(), &size) || !buffer[0])
      throw QmPrinterError("There is no default printer currently selected");
    name = buffer.data();
  }
  dc_ = CreateDCA("WINSPOOL", name.c_str(), nullptr, nullptr);
  if (!dc_) throw QmPrinterError("Printer selected is not valid");
  return dc_;
}

void TQmPrinter::BeginDoc(const std::string& title) {
  if (printing_) throw QmPrinterError("Printing in progress");
  HDC dc = Handle();
  DOCINFOA info{};
  info.cbSize = sizeof info;
  info.lpszDocName = title.c_str();
  if (StartDocA(dc, &info) <= 0) throw QmPrinterError("The print job could not be started");
  if (StartPage(dc) <= 0) {
    AbortDoc(dc);
    throw QmPrinterError("The print job could not be started");
  }
  printing_ = true;
}

void TQmPrinter::EndDoc() {
  if (!printing_) return;
  printing_ = false;
  bool pageEnded = EndPage(dc_) > 0;
  if (!pageEnded) {
    AbortDoc(dc_);
    throw QmPrinterError("The page could not be printed");
  }
  if (::EndDoc(dc_) <= 0) throw QmPrinterError("The print job could not be finished");
}

void TQmPrinter::Abort() {
  if (!printing_) return;
  printing_ = false;
  AbortDoc(dc_);
  // Some drivers keep the aborted job until the context goes: the next job gets a new one.
  ReleaseHandle();
}

int32_t TQmPrinter::PageWidth() { return GetDeviceCaps(Handle(), HORZRES); }
int32_t TQmPrinter::PageHeight() { return GetDeviceCaps(Handle(), VERTRES); }

}  // namespace qm
