// Result codes of the file-format plug-ins. They lie in a range of their own so that a status
// passed through the scan library still tells that a plug-in gave it.
#pragma once
#include <cstdint>

namespace fileplugins {

enum PluginStatus : int32_t {
  kPluginOk = 0,
  kPluginBadArgument = -101,        // a null pointer or a negative count
  kPluginBadName = -102,            // an empty file name, or one too long for a path
  kPluginNoPage = -103,             // FileSave without a page begun by FileCreate
  kPluginPageOpen = -104,           // FileCreate while a page is still being written
  kPluginPageUnsupported = -105,    // a page kind, depth or size the format cannot carry
  kPluginCompressionUnsupported = -106,
  kPluginBadRows = -107,            // rows shorter than the page's or more rows than it holds
  kPluginOpenFailed = -108,         // the file could not be created or opened
  kPluginWriteFailed = -109,
  kPluginBadFile = -110,            // a file that is damaged, cut short or of another format
  kPluginNoMemory = -111,
  kPluginNoImageOpen = -112,        // reading without OpenImageFile
  kPluginBadPageIndex = -113,
  kPluginOnePageOnly = -114,        // a second page for a format that holds one
  kPluginCannotRead = -115,         // a source this plug-in cannot read
  kPluginNoWriter = -116,           // a format whose writer this build lacks
};

struct PluginStatusRow {
  PluginStatus code;
  const char* text;
};

extern const PluginStatusRow kPluginStatusTexts[];
extern const int kPluginStatusCount;

// The text of a code; null for a code outside the table.
const char* PluginStatusText(int32_t code);

}  // namespace fileplugins
