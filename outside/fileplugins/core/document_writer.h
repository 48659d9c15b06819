// A document being written page by page into a stream: TIFF and PDF take many pages, the
// other formats one. Nothing is written to the stream before the first page is added.
#pragma once
#include <memory>

#include "format_rules.h"
#include "raw_page.h"
#include "stream.h"

namespace fileplugins {

class DocumentWriter {
 public:
  virtual ~DocumentWriter() = default;
  // The stream must outlive the writer.
  virtual PluginStatus Begin(const imagecore::Stream* out) = 0;
  virtual PluginStatus AddPage(const RawPage& page, Coding coding, int jpegQuality) = 0;
  // Completes the file; a document without a page is refused.
  virtual PluginStatus Finish() = 0;
  virtual int Pages() const = 0;
  // After a page failed to be added: ends the document after its last whole page and answers
  // the bytes that hold it, or -1 when the format cannot keep the pages before (the default).
  virtual int64_t KeepCompletedPages() { return -1; }
};

std::unique_ptr<DocumentWriter> MakeTiffWriter();
std::unique_ptr<DocumentWriter> MakePdfWriter();
std::unique_ptr<DocumentWriter> MakeSinglePageWriter(FileKind kind);

// A writer kept outside this library (DjVu, whose codec is built for Windows only) is made
// through the maker its plug-in registers.
using WriterMaker = std::unique_ptr<DocumentWriter> (*)();
void RegisterWriter(FileKind kind, WriterMaker make);

// Null for a format without a writer here.
std::unique_ptr<DocumentWriter> MakeWriter(FileKind kind);

}  // namespace fileplugins
