#include "file_name_parts.h"

#include <cstring>

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string FileExtension(const char* name) {
  if (!name) return {};
  const char* last = name;
  for (const char* p = name; *p; ++p)
    if (*p == '\\' || *p == '/' || *p == ':') last = p + 1;
  const char* dot = std::strrchr(last, '.');
  return dot ? std::string(dot + 1) : std::string();
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

bool StartsWithIgnoringCase(const std::string& text, const char* prefix) {
  const size_t n = std::strlen(prefix);
  return text.size() >= n && SameTextIgnoringCase(text.substr(0, n), prefix);
}

ConversionChoice ChooseConversionBy(const char* target, const char* source) {
  const std::string sourceExt = FileExtension(source);
  if (StartsWithIgnoringCase(sourceExt, "dj") || StartsWithIgnoringCase(sourceExt, "pdf"))
    return ConversionChoice::kSourceExtension;
  // A target without an extension leaves nothing to match: the file format decides instead.
  if (!FileExtension(target).empty()) return ConversionChoice::kTargetExtension;
  return ConversionChoice::kFileFormat;
}
