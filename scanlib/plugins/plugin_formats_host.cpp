#include "plugin_formats_host.h"

#include <vector>

#include "plugin_codes.h"
#include "plugin_formats.h"
#include "plugin_list.h"

namespace {

int32_t CopyCodes(const std::vector<int32_t>& codes, int32_t* list, int32_t max) {
  for (int32_t i = 0; i < max && i < static_cast<int32_t>(codes.size()); ++i) list[i] = codes[static_cast<size_t>(i)];
  return static_cast<int32_t>(codes.size());
}

int32_t Formats(int32_t index, int32_t /*firstFree*/, int32_t* list, int32_t max) {
  const PluginEntry* entry = PluginAt(index);
  return entry ? CopyCodes(FileFormatsOf(*entry), list, max) : 0;
}

int32_t CurrentModes(int32_t* list, int32_t max) {
  const PluginEntry* entry = CurrentPlugin();
  return entry ? CopyCodes(CompressionModesOf(*entry), list, max) : 0;
}

const PluginFormats kHostFormats = {PluginCount, Formats, CurrentModes, MakePluginCurrent,
                                    CurrentPluginIndex};

}  // namespace

void InstallPluginFormats() { SetPluginFormats(&kHostFormats); }
void RemovePluginFormats() { SetPluginFormats(nullptr); }
