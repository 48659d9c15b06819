#include "file_name_rule.h"

#include <cctype>
#include <cstring>

namespace {

struct ExtensionFormat {
  const char* Ext;
  int32_t Format;
};

const ExtensionFormat kExtensions[] = {
    {"bmp", 1}, {"tif", 0}, {"pdf", 3}, {"jpg", 2}, {"jpeg", 2},
    {"djvu", 6}, {"djv", 6}, {"tga", 8}, {"pcx", 7},
};

bool SameText(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b)
    if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b)))
      return false;
  return *a == *b;
}

}  // namespace

int32_t FileFormatForExtension(const char* ext) {
  for (const auto& e : kExtensions)
    if (SameText(ext, e.Ext)) return e.Format;
  return -1;
}

const char* ExtensionForFileFormat(int32_t fileFormat) {
  switch (fileFormat) {
    case 0: return ".tif";
    case 1: return ".bmp";
    case 2: return ".jpg";
    case 3: return ".pdf";
    case 6: return ".djvu";
    case 7: return ".pcx";
    case 8: return ".tga";
    default: return "";
  }
}

int32_t ApplyFileName(const char* text, int32_t fileFormat, char out[kFileNameSize],
                      int32_t* newFormat) {
  *newFormat = fileFormat;
  if (!text) return -8;
  // The caller's buffer holds at most the tag's size.
  const size_t len = strnlen(text, kFileNameSize);
  if (len >= kFileNameSize) return -8;

  const char* name = text;
  for (const char* p = text; *p; ++p)
    if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
  const char* dot = std::strrchr(name, '.');

  const char* append = "";
  if (dot) {
    const int32_t f = FileFormatForExtension(dot + 1);
    if (f >= 0) *newFormat = f;
  } else {
    append = ExtensionForFileFormat(fileFormat);
  }
  if (len + std::strlen(append) >= kFileNameSize) return -8;
  std::memcpy(out, text, len);
  std::memcpy(out + len, append, std::strlen(append) + 1);
  return 0;
}
