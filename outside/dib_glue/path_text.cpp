#include "path_text.h"

#include <windows.h>

namespace dibglue {

namespace {

std::wstring WideOf(const char* text, UINT codePage) {
  if (!text || !*text) return {};
  const int n = MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(size_t(n), L'\0');
  MultiByteToWideChar(codePage, 0, text, -1, &wide[0], n);
  wide.resize(size_t(n - 1));
  return wide;
}

}  // namespace

std::wstring WideOfUtf8(const char* text) { return WideOf(text, CP_UTF8); }

std::string Utf8OfAnsi(const char* text) {
  const std::wstring wide = WideOf(text, CP_ACP);
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string utf8(size_t(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &utf8[0], n, nullptr, nullptr);
  utf8.resize(size_t(n - 1));
  return utf8;
}

}  // namespace dibglue
