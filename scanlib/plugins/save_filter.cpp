#include "save_filter.h"

#include <algorithm>

namespace {

struct SaveFormatRow {
  int32_t format;
  const char* line;       // "description|pattern|"
  const char* extension;  // "ext|"
};

constexpr SaveFormatRow kSaveFormats[] = {
    {0, "TIF(*.tif)|*.tif|", "tif|"},
    {1, "BMP(*.bmp)|*.bmp|", "bmp|"},
    {2, "JPEG(*.jpg)|*.jpg|", "jpg|"},
    {3, "PDF(*.pdf)|*.pdf|", "pdf|"},
    {6, "Djvu(*.djvu)|*.djvu|", "djvu|"},
    {7, "PC Paintbrush(*.pcx)|*.pcx|", "Pcx|"},
    {8, "Tga(*.tga)|*.tga|", "Tga|"},
};

const SaveFormatRow* RowOf(int32_t format) {
  for (const SaveFormatRow& row : kSaveFormats)
    if (row.format == format) return &row;
  return nullptr;
}

std::string Terminated(std::string text) {
  std::replace(text.begin(), text.end(), '|', '\0');
  return text;
}

}  // namespace

SaveFilter BuildSaveFilter(const std::vector<int32_t>& choices, int32_t fallbackFormat) {
  SaveFilter result;
  std::string lines, extensions;
  auto add = [&](const SaveFormatRow& row) {
    lines += row.line;
    extensions += row.extension;
    result.formats.push_back(row.format);
  };
  for (int32_t format : choices) {
    const SaveFormatRow* row = RowOf(format);
    if (row && std::find(result.formats.begin(), result.formats.end(), format) == result.formats.end())
      add(*row);
  }
  if (result.formats.empty()) add(RowOf(fallbackFormat) ? *RowOf(fallbackFormat) : kSaveFormats[0]);
  result.filter = Terminated(lines);
  result.filter.push_back('\0');  // the list ends with an empty pair
  const std::string first = extensions.substr(0, extensions.find('|'));
  result.defaultExtension = first;
  return result;
}

int32_t FormatOfFilterLine(const SaveFilter& filter, uint32_t index) {
  if (filter.formats.empty()) return 0;
  if (index < 1 || index > filter.formats.size()) return filter.formats.front();
  return filter.formats[index - 1];
}
