// The scan library's status codes: 0 for success, negative for failures. Codes answered by a
// driver library or the TWAIN engine pass through unchanged and need not be in this table.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr int32_t kZebOk = 0;
constexpr int32_t kZebWrongState = -1;       // not possible in this state (ZebLoad after a start)
constexpr int32_t kZebNotStarted = -3;       // ZebLoad not called, or no driver for choices
constexpr int32_t kZebCancelled = -4;        // source dialog cancelled; unknown image source
constexpr int32_t kZebNotBound = -7;         // library, plug-in or entry point not bound; bad index
constexpr int32_t kZebValueRefused = -8;     // value not among the choices or outside the range
constexpr int32_t kZebNoMemory = -9;
constexpr int32_t kZebNoSource = -10;        // no driver kind chosen, or zebdrv.dll missing
constexpr int32_t kZebFileNameCancelled = -11;
constexpr int32_t kZebNoPaper = -16;         // feeder scan with an empty feeder
constexpr int32_t kZebNoPlugInForFile = -24;
constexpr int32_t kZebBlankPage = -26;
constexpr int32_t kZebNotOneBit = -29;

struct ZebStatusCode {
  int32_t code;
  const char* name;
  const char* meaning;
};

inline constexpr ZebStatusCode kZebStatusCodes[] = {
    {kZebOk, "kZebOk", "success"},
    {kZebWrongState, "kZebWrongState", "operation not possible in the current state"},
    {kZebNotStarted, "kZebNotStarted", "the library has not been started"},
    {kZebCancelled, "kZebCancelled", "the source dialog was cancelled"},
    {kZebNotBound, "kZebNotBound", "a library or one of its entry points is not bound"},
    {kZebValueRefused, "kZebValueRefused", "the value was refused"},
    {kZebNoMemory, "kZebNoMemory", "out of memory"},
    {kZebNoSource, "kZebNoSource", "no source"},
    {kZebFileNameCancelled, "kZebFileNameCancelled", "the file-name dialog was cancelled"},
    {kZebNoPaper, "kZebNoPaper", "no paper in the feeder"},
    {kZebNoPlugInForFile, "kZebNoPlugInForFile", "no file-format plug-in handles the file"},
    {kZebBlankPage, "kZebBlankPage", "the page is blank"},
    {kZebNotOneBit, "kZebNotOneBit", "the image is not 1 bit per pixel"},
};

// The table's name for a code, or nullptr for a code the library does not define.
constexpr const char* ZebStatusName(int32_t code) {
  for (const ZebStatusCode& c : kZebStatusCodes)
    if (c.code == code) return c.name;
  return nullptr;
}
