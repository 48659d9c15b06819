// The one PDF document pdf.dll has open: pages streamed to a temporary file beside the target,
// which is moved over the target when the document is finished.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "pdf_writer.h"

namespace pdfdll {

class OpenDocument {
 public:
  // Makes the temporary file; null when it cannot be made.
  static std::unique_ptr<OpenDocument> Start(const std::string& target);
  ~OpenDocument();  // an unfinished document's temporary file is removed

  bool IsFor(const std::string& target) const;
  // kPdfOk, or kPdfWriteFailed with the document still holding its earlier pages.
  int32_t AddPage(const PdfPageImage& image);
  // Writes the end of the document and moves it over the target. With no page, or when the end
  // cannot be written, nothing replaces the target and the answer is kPdfWriteFailed (kPdfOk
  // with no page: there was nothing to make).
  int32_t Finish();

 private:
  OpenDocument(const std::string& target, const std::string& temporary, HANDLE file);
  static bool Write(void* self, const void* data, size_t n);
  bool Flush();
  bool Rewind(uint64_t offset);
  bool KeepRoomForTheEnd();

  std::string target_, temporary_;
  HANDLE file_;
  std::vector<uint8_t> buffer_;
  bool failed_ = false;
  PdfWriter writer_;
};

}  // namespace pdfdll
