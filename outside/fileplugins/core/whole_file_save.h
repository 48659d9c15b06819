// Writing a whole document at once, for FileSaveAs: from a page DIB or from every page of a
// source file. The target appears only once it is completely written.
#pragma once
#include <string>
#include <vector>

#include "format_rules.h"
#include "output_target.h"
#include "raw_page.h"

namespace fileplugins {

PluginStatus SaveWholeDocument(const FormatRule& rule, const std::vector<RawPage>& pages,
                               uint16_t mode, int32_t compressQuality, const char* target,
                               OutputTarget& out);

}  // namespace fileplugins
