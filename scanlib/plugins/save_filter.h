// The save dialog's filter for file transfer, built from FILEFORMAT's choices. Platform-free.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct SaveFilter {
  std::string filter;            // description, pattern, ... each ending in a zero, then one more
  std::string defaultExtension;  // of the first line
  std::vector<int32_t> formats;  // the file format each line stands for, in order
};

// One line per known format in the order given, each format once. When none of them is known
// the filter still offers one line: `fallbackFormat` when known, else TIFF.
SaveFilter BuildSaveFilter(const std::vector<int32_t>& choices, int32_t fallbackFormat);

// The format of the dialog's selected line (1 the first); the first line's for an index that
// names no line.
int32_t FormatOfFilterLine(const SaveFilter& filter, uint32_t index);
