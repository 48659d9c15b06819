// The imaging components carry file names as UTF-8; the W calls take them through this.
#pragma once
#include <windows.h>

#include <string>

namespace qm {

inline std::wstring WidePath(const std::string& utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  if (n <= 1) return {};
  std::wstring wide(size_t(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &wide[0], n);
  wide.resize(size_t(n - 1));
  return wide;
}

}  // namespace qm
