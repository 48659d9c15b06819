#include "page_file_name.h"

#include <cstdio>
#include <cstring>
#include <string>

const char* FileNameExtension(const char* name) {
  const char* dot = std::strrchr(name, '.');
  const char* slash = std::strrchr(name, '\\');
  const char* other = std::strrchr(name, '/');
  if (other != nullptr && (slash == nullptr || other > slash)) slash = other;
  if (dot == nullptr || (slash != nullptr && dot < slash)) return name + std::strlen(name);
  return dot + 1;
}

bool BuildPageFileName(const char* target, int32_t pageCounter, const PageFileNaming& naming,
                       char* out, size_t capacity) {
  if (capacity == 0) return false;
  out[0] = '\0';
  std::string name;
  if (naming.multiPage != 1 && naming.feederInUse) {
    const char* ext = FileNameExtension(target);
    // The extension keeps its '.'; a name without one is numbered at its end.
    const size_t baseLength = *ext != '\0' || (ext > target && ext[-1] == '.')
                                  ? static_cast<size_t>(ext - target) - 1
                                  : std::strlen(target);
    const std::string base(target, baseLength);
    const std::string extension(target + baseLength);
    const int32_t sheet = (pageCounter + 1) / 2;
    char number[16];
    if (naming.feederType == 1 && naming.multiPage == 2)
      std::snprintf(number, sizeof number, "%06d", sheet);
    else if (naming.feederType == 1)
      std::snprintf(number, sizeof number, "%06d%c", sheet, pageCounter % 2 == 1 ? 'A' : 'B');
    else
      std::snprintf(number, sizeof number, "%06d", pageCounter);
    name = base + number + extension;
  } else {
    name = target;
  }
  if (name.size() >= capacity) return false;
  std::memcpy(out, name.c_str(), name.size() + 1);
  return true;
}

bool EngineFileName(const char* templateName, uint32_t baseLength, int32_t n, bool duplex,
                    bool feeder, char* out, size_t capacity) {
  if (capacity == 0) return false;
  out[0] = '\0';
  const size_t length = std::strlen(templateName);
  std::string name(templateName, baseLength < length ? baseLength : length);
  char suffix[24];
  if (duplex)
    std::snprintf(suffix, sizeof suffix, "%06d%s", (n + 1) / 2, n % 2 == 1 ? "A.bmp" : "B.bmp");
  else if (feeder)
    std::snprintf(suffix, sizeof suffix, "%06d.bmp", n);
  else
    std::snprintf(suffix, sizeof suffix, ".bmp");
  name += suffix;
  if (name.size() >= capacity) return false;
  std::memcpy(out, name.c_str(), name.size() + 1);
  return true;
}
