#include "log_format.h"

#include <gtest/gtest.h>

namespace {

struct LineCase {
  const char* what;
  const char* prefix;
  const char* name;
  LogValue value;
  const char* expected;
};

TEST(LogFormat, EveryLineKindByteForByte) {
  const LineCase cases[] = {
      {"entry", "In ", "ZebLoad", LogValue::None(), "In   1: ZebLoad : \r\n"},
      {"exit with status", "Out", "ZebLoad", LogValue::Int(-10), "Out  1: ZebLoad : -10 \r\n"},
      {"exit with zero", "Out", "ZebFree", LogValue::Int(0), "Out  1: ZebFree : 0 \r\n"},
      {"string", "   ", "ondrel.ini", LogValue::Str("C:\\windows\\ondrel.ini"),
       "     1: ondrel.ini : C:\\windows\\ondrel.ini\r\n"},
      {"empty string", "prop.", "name", LogValue::Str(""), "prop.  1: name : \r\n"},
      {"float", "prop.", "Left", LogValue::Float(8.5f), "prop.  1: Left : 8.50 \r\n"},
      {"float pads to width 2", "prop.", "Left", LogValue::Float(0.126f), "prop.  1: Left : 0.13 \r\n"},
      {"negative float", "prop.", "Top", LogValue::Float(-1.0f), "prop.  1: Top : -1.00 \r\n"},
      {"timing", "T", "Acquire", LogValue::Timing(), "T  Acquire - milliseconds: 4242 \r\n"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatLogLine(c.prefix, 1, c.name, c.value, 4242), c.expected) << c.what;
}

TEST(LogFormat, StringKindWinsOverMarkers) {
  // A string value is never taken for a marker, whatever its integer part holds.
  LogValue v = LogValue::Str("x");
  v.i = kLogTiming;
  EXPECT_EQ(FormatLogLine("a", 1, "b", v, 0), "a  1: b : x\r\n");
}

TEST(LogFormat, NullTextsAreEmpty) {
  EXPECT_EQ(FormatLogLine(nullptr, 1, nullptr, LogValue::Str(nullptr), 0), "  1:  : \r\n");
}

}  // namespace
