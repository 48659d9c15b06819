// Writing scanned pages row by row: FileCreate begins a page (and, unless a multipage file was
// kept open for it, a file), FileSave adds rows, FileClose ends the page and either finishes
// the file or keeps it open for the next page. Rows a page never got are white, so a page
// closed early is still written whole. A format whose coder takes rows as they come (JPEG) gets
// each row at once and no page is held; for the others the page is held until it closes, and
// its rows are kept for the next page of the scan, so a page's memory is had once per scan, not
// once per page.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

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
  // Rows handed straight to the writer's coder; a padding block gives white rows.
  PluginStatus PutRows(const uint8_t* rows, size_t rowBytes, uint32_t count, bool received);
  PluginStatus BeginPageRows(const RawPage& shape, Coding coding, int jpegQuality);
  PluginStatus EndPageRows();

  const FormatRule& rule_;
  OutputTarget& target_;
  std::unique_ptr<DocumentWriter> writer_;
  std::string fileName_;
  std::string lastOnePageFile_;  // a single-page file closed with "keep open"
  bool pageOpen_ = false;
  RawPage page_;
  std::vector<uint8_t> spare_;  // the last page's rows, for the next page
  uint32_t rowsDone_ = 0;
  // The page open goes to the writer row by row (BeginRows) rather than held in page_.rows.
  bool asTheyCome_ = false;
  PluginStatus rowFailure_ = kPluginOk;  // the first failure of a page coded as its rows come
  std::vector<uint8_t> white_;           // one white row
  std::vector<uint8_t> shortRow_;        // a row that came short, made up to length
  Coding coding_ = Coding::kNone;
  int jpegQuality_ = 0;
};

// The name checked as the plug-ins take it: not empty and not longer than kMaxFileName.
bool FileNameFits(const char* name);
bool SameFileName(const std::string& a, const std::string& b);

}  // namespace fileplugins
