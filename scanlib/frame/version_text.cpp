#include "version_text.h"

#include <cstdio>
#include <cstring>
#include <vector>

bool ReadVersionString(const char* file, const char* name, char* dest, size_t destSize) {
  if (!file || !dest || destSize == 0) return false;
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(file, &handle);
  if (size == 0) return false;
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(file, 0, size, block.data())) return false;
  void* translation = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &translation, &length) ||
      length < 4)
    return false;
  WORD language, codePage;
  std::memcpy(&language, translation, 2);
  std::memcpy(&codePage, static_cast<char*>(translation) + 2, 2);
  char path[128];
  std::snprintf(path, sizeof(path), "\\StringFileInfo\\%04X%04X\\%s", language, codePage, name);
  void* text = nullptr;
  if (!VerQueryValueA(block.data(), path, &text, &length) || !text) return false;
  // length counts characters and may include the terminator: copy no more than the value holds
  // and no more than dest takes.
  size_t n = strnlen(static_cast<const char*>(text), length);
  if (n > destSize - 1) n = destSize - 1;
  std::memcpy(dest, text, n);
  dest[n] = '\0';
  return true;
}

std::string ModulePath(HMODULE module) {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(module, path, sizeof(path));
  if (n == 0 || n >= sizeof(path)) return "";
  return std::string(path, n);
}
