#include "log_format.h"

#include <cstdio>

#include "c_locale_number.h"

namespace {

std::string Printf(const char* fmt, auto... args) {
  int n = std::snprintf(nullptr, 0, fmt, args...);
  if (n <= 0) return std::string();
  std::string out(static_cast<size_t>(n) + 1, '\0');
  std::snprintf(out.data(), out.size(), fmt, args...);
  out.resize(static_cast<size_t>(n));
  return out;
}

const char* OrEmpty(const char* s) { return s ? s : ""; }

}  // namespace

std::string FormatLogLine(const char* prefix, int number, const char* name, const LogValue& value,
                          uint32_t tickCount) {
  const char* p = OrEmpty(prefix);
  const char* n = OrEmpty(name);
  if (value.kind == kLogString)
    return Printf("%s  %d: %s : %s%c%c", p, number, n, OrEmpty(value.s), 13, 10);
  if (value.kind == kLogInt && value.i == kLogTiming)
    return Printf("%s  %s - milliseconds: %d %c%c", p, n, static_cast<int>(tickCount), 13, 10);
  if (value.kind == kLogInt && value.i == kLogNoValue)
    return Printf("%s  %d: %s : %c%c", p, number, n, 13, 10);
  if (value.kind == kLogFloat) {
    const std::string text = FormatFixedC(static_cast<double>(value.f), 2, 2);
    return Printf("%s  %d: %s : %s %c%c", p, number, n, text.c_str(), 13, 10);
  }
  return Printf("%s  %d: %s : %d %c%c", p, number, n, static_cast<int>(value.i), 13, 10);
}
