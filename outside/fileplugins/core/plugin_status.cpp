#include "plugin_status.h"

namespace fileplugins {

const PluginStatusRow kPluginStatusTexts[] = {
    {kPluginOk, "success"},
    {kPluginBadArgument, "invalid argument"},
    {kPluginBadName, "the file name is empty or too long"},
    {kPluginNoPage, "no page has been started"},
    {kPluginPageOpen, "a page is still being written"},
    {kPluginPageUnsupported, "the format cannot hold a page of this kind or size"},
    {kPluginCompressionUnsupported, "the format does not offer this compression"},
    {kPluginBadRows, "the rows do not fit the page"},
    {kPluginOpenFailed, "the file could not be created or opened"},
    {kPluginWriteFailed, "the file could not be written"},
    {kPluginBadFile, "the file is damaged or of another format"},
    {kPluginNoMemory, "not enough memory"},
    {kPluginNoImageOpen, "no image file is open"},
    {kPluginBadPageIndex, "no such page"},
    {kPluginOnePageOnly, "the format holds one page per file"},
    {kPluginCannotRead, "this file kind cannot be read here"},
    {kPluginNoWriter, "this file kind cannot be written here"},
};
const int kPluginStatusCount = sizeof(kPluginStatusTexts) / sizeof(kPluginStatusTexts[0]);

const char* PluginStatusText(int32_t code) {
  for (int i = 0; i < kPluginStatusCount; ++i)
    if (kPluginStatusTexts[i].code == code) return kPluginStatusTexts[i].text;
  return nullptr;
}

}  // namespace fileplugins
