// Writing scanned pages row by row: FileCreate begins a page (and, unless a multipage file was
// kept open for it, a file), FileSave adds rows, FileClose ends the page and either finishes
// the file or keeps it open for the next page. Rows a page never got are white, so a page
// closed early is still written whole. The rows of one page are kept for the next page of the
// scan, so a page's memory is had once per scan, not once per page.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "document_writer.h"
#include "format_rules.h"
#include "output_target.h"
#include "raw_page.h"
#include "scan_page_info.h"

namespace fileplugins {

class LineSession {
 public:
  LineSession(const FormatRule& rule, OutputTarget& target) : rule_(rule), target_(target) {}
  ~LineSession() { Abandon(); }

  PluginStatus Create(const char* name, const ScanPageInfo* info, int32_t compressQuality);
  PluginStatus Save(const void* rows, int32_t rowBytes, int32_t rowCount, int32_t received);
  PluginStatus Close(int32_t keepOpen);
  // Drops whatever is unfinished; no file is made of it.
  void Abandon();

  bool PageOpen() const { return pageOpen_; }
  bool FileOpen() const { return writer_ != nullptr; }

 private:
  PluginStatus Finish();

  const FormatRule& rule_;
  OutputTarget& target_;
  std::unique_ptr<DocumentWriter> writer_;
  std::string fileName_;
  std::string lastOnePageFile_;  // a single-page file closed with "keep open"
  bool pageOpen_ = false;
  RawPage page_;
  std::vector<uint8_t> spare_;  // the last page's rows, for the next page
  uint32_t rowsDone_ = 0;
  Coding coding_ = Coding::kNone;
  int jpegQuality_ = 0;
};

// The name checked as the plug-ins take it: not empty and not longer than kMaxFileName.
bool FileNameFits(const char* name);
bool SameFileName(const std::string& a, const std::string& b);

}  // namespace fileplugins
