// The lines of the source information dialog, for a maker's source and for a TWAIN source.
#pragma once
#include <string>
#include <vector>

#include "ks_source_record.h"
#include "twain_types.h"

// Version texts of one file: FileVersion without its blanks and LegalCopyright; both empty when
// the file has no version block.
struct FileVersionText {
  std::string version;
  std::string notice;
};
FileVersionText GetFileVersionText(const char* file);

std::vector<std::string> KSSourceInfoLines(const KSSourceRecord& record, const std::string& zebdrvVersion,
                                           const FileVersionText& pavlot);
std::vector<std::string> TWAINSourceInfoLines(const TW_IDENTITY& identity);
