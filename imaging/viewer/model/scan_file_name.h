// The scan file-name pattern: folder + the first four letters of the name + a four-digit page
// number + extension for single pages, folder + name + extension for multipage files.
#pragma once
#include <cstdint>
#include <string>

namespace qm {

enum class TScanSaveOpt { sMultiPageAppend, sMultiPageOverWrite, sSinglePage };

std::string ComposeScanFileName(const std::string& pattern, TScanSaveOpt option, int16_t number);

}  // namespace qm
