// A document being written page by page into a stream: TIFF and PDF take many pages, the
// other formats one. Nothing is written to the stream before the first page is added.
#pragma once
#include <cstddef>
#include <cstdint>
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
  // A page coded as its rows come, so that it is never held whole: BeginRows with the page's
  // size, kind and resolution (its rows empty), then PutRows for every row top first, then
  // EndRows, which adds the page. A writer that cannot answers a refusal from BeginRows and
  // takes the page whole through AddPage instead (the default).
  virtual PluginStatus BeginRows(const RawPage& shape, Coding coding, int jpegQuality) {
    (void)shape, (void)coding, (void)jpegQuality;
    return kPluginPageUnsupported;
  }
  // `count` rows of the page's row length, `stride` bytes apart (0: the one row repeated).
  virtual PluginStatus PutRows(const uint8_t* rows, size_t stride, uint32_t count) {
    (void)rows, (void)stride, (void)count;
    return kPluginNoPage;
  }
  virtual PluginStatus EndRows() { return kPluginNoPage; }
  // After a page failed to be added: ends the document after its last whole page and answers
  // the bytes that hold it, or -1 when the format cannot keep the pages before (the default).
  virtual int64_t KeepCompletedPages() { return -1; }
};

std::unique_ptr<DocumentWriter> MakeTiffWriter();
std::unique_ptr<DocumentWriter> MakePdfWriter();
std::unique_ptr<DocumentWriter> MakeSinglePageWriter(FileKind kind);

// Whether the format's writer codes pages of this kind as their rows come (BeginRows), so that
// no page need be held for it.
bool CodesRowsAsTheyCome(FileKind format, PageKind kind);

// A writer kept outside this library (DjVu, whose codec is built for Windows only) is made
// through the maker its plug-in registers.
using WriterMaker = std::unique_ptr<DocumentWriter> (*)();
void RegisterWriter(FileKind kind, WriterMaker make);

// Null for a format without a writer here.
std::unique_ptr<DocumentWriter> MakeWriter(FileKind kind);

}  // namespace fileplugins
