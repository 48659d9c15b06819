// Formatting of one debug-log line. Platform-free: the log writer adds the file I/O.
#pragma once
#include <cstdint>
#include <string>

enum LogValueKind : int { kLogInt = 0, kLogString = 1, kLogFloat = 2 };

// Markers carried in an integer value.
constexpr int32_t kLogNoValue = -1;  // "name :" with nothing after it
constexpr int32_t kLogTiming = -2;   // a timing line with the tick count

struct LogValue {
  int kind = kLogInt;
  int32_t i = kLogNoValue;
  const char* s = nullptr;
  float f = 0.0f;

  static LogValue Int(int32_t v) { LogValue r; r.kind = kLogInt; r.i = v; return r; }
  static LogValue Str(const char* v) { LogValue r; r.kind = kLogString; r.s = v; return r; }
  static LogValue Float(float v) { LogValue r; r.kind = kLogFloat; r.f = v; return r; }
  static LogValue None() { return Int(kLogNoValue); }
  static LogValue Timing() { return Int(kLogTiming); }
};

// One line, CR LF included, exactly as the log file holds it.
std::string FormatLogLine(const char* prefix, int number, const char* name, const LogValue& value,
                          uint32_t tickCount);
