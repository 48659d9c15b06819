// Reading image files back: a plug-in's own format page by page, and any file the codec
// library knows as the source of a conversion. The bytes are untrusted: a damaged or cut-off
// file gives kPluginBadFile, never a read outside them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "format_rules.h"
#include "image.h"
#include "plugin_status.h"

namespace fileplugins {

class ImageFileReader {
 public:
  // Takes the file's bytes over. kPluginCannotRead for a format without a reader here.
  PluginStatus Open(std::vector<uint8_t> bytes, FileKind kind);
  uint32_t Pages() const { return pages_; }
  // The page as a DIB-ready image: 1-bit with entry 0 black, gray or palette up to 8 bits, or
  // 24-bit colour.
  PluginStatus ReadPage(uint32_t index, imagecore::Image& image) const;

 private:
  std::vector<uint8_t> bytes_;
  FileKind kind_ = FileKind::kTiff;
  uint32_t pages_ = 0;
  imagecore::Image single_;  // the one page of a single-page format, decoded at Open
};

// Every page of a file in any format the codec library reads, told by its first bytes (or,
// for TGA, which has none, by the extension of `name`).
PluginStatus ReadAllPages(const std::vector<uint8_t>& bytes, const std::string& name,
                          std::vector<imagecore::Image>& pages);

// The extension of a file name (after its last dot, not past a path separator), lower case.
std::string ExtensionOf(const std::string& name);

}  // namespace fileplugins
