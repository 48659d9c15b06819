#include "plugin_choice.h"

#include <algorithm>

#include "file_name_parts.h"
#include "plugin_codes.h"
#include "plugin_host.h"
#include "plugin_list.h"
#include "tag_state.h"

namespace {

bool HasMode(const PluginEntry& entry, int32_t mode) {
  const std::vector<int32_t> modes = CompressionModesOf(entry);
  return std::find(modes.begin(), modes.end(), mode) != modes.end();
}

int32_t Chosen(int32_t index) {
  if (index != kNoPlugin) MakePluginCurrent(index);
  return index;
}

}  // namespace

int32_t ChooseByExtension(const std::string& extension, int32_t compression) {
  if (extension.empty()) return kNoPlugin;
  const bool checkMode = compression != kAnyCompression && StartsWithIgnoringCase(extension, "pdf");
  for (int32_t i = 0; i < PluginCount(); ++i) {
    const PluginEntry& entry = *PluginAt(i);
    if (!SameTextIgnoringCase(ExtensionTextOf(entry), extension)) continue;
    if (checkMode && !HasMode(entry, compression)) continue;
    return Chosen(i);
  }
  return kNoPlugin;
}

int32_t ChooseByFormat(int32_t format) {
  for (int32_t i = 0; i < PluginCount(); ++i) {
    const std::vector<int32_t> formats = FileFormatsOf(*PluginAt(i));
    if (!formats.empty() && formats.front() == format) return Chosen(i);
  }
  return kNoPlugin;
}

int32_t ChooseForSave(const char* target) {
  const std::string extension = FileExtension(target);
  if (extension.empty()) return ChooseByFormat(CurrentInt(kRowFileFormat));
  return ChooseByExtension(extension);
}

int32_t ChooseForConversion(const char* target, const char* source) {
  const int32_t compression = CurrentInt(kRowCompression);
  switch (ChooseConversionBy(target, source)) {
    case ConversionChoice::kSourceExtension:
      return ChooseByExtension(FileExtension(source), compression);
    case ConversionChoice::kTargetExtension:
      return ChooseByExtension(FileExtension(target), compression);
    case ConversionChoice::kFileFormat:
      break;
  }
  return ChooseByFormat(CurrentInt(kRowFileFormat));
}

bool ChoosePluginForPageFile(const char* name, int32_t* formatCount) {
  if (formatCount) *formatCount = -1;
  const std::string extension = FileExtension(name);
  if (const PluginEntry* current = CurrentPlugin())
    if (!extension.empty() && SameTextIgnoringCase(ExtensionTextOf(*current), extension)) return true;
  const int32_t index = ChooseByExtension(extension);
  if (index == kNoPlugin) {
    MakePluginCurrent(kNoPlugin);
    return false;
  }
  if (formatCount) *formatCount = static_cast<int32_t>(FileFormatsOf(*PluginAt(index)).size());
  return true;
}
