// TQmPrinter: the program's printer, as the forms print on it: the system's default printer
// unless one is named, a device context made for it on demand, and one print job at a time
// begun, ended or aborted through it.
#pragma once
#include <windows.h>

#include <stdexcept>
#include <string>

namespace qm {

// What the printer raises: no printer, or a job the spooler refused.
class QmPrinterError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TQmPrinter {
 public:
  TQmPrinter() = default;
  ~TQmPrinter();
  TQmPrinter(const TQmPrinter&) = delete;
  TQmPrinter& operator=(const TQmPrinter&) = delete;

  // Empty: the default printer, looked up when the device context is made.
  const std::string& PrinterName() const { return name_; }
  void SetPrinterName(const std::string& name);
  // The device context of the printer; raises when there is no printer.
  HDC Handle();
  bool Printing() const { return printing_; }
  // Starts a job and its first page.
  void BeginDoc(const std::string& title);
  void EndDoc();
  // Throws the job away; nothing when none is running.
  void Abort();
  int32_t PageWidth();
  int32_t PageHeight();

 private:
  void ReleaseHandle();

  std::string name_;
  HDC dc_ = nullptr;
  bool printing_ = false;
};

// The program's one printer.
TQmPrinter& Printer();

}  // namespace qm
