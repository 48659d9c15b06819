// Result codes of the codec and image-operation library, and their texts. Success is 1 so that
// the DLLs on top can pass a code straight through as their 16-bit "above 0 is success" result.
#pragma once
#include <cstdint>

namespace imagecore {

enum Status : int16_t {
  kOk = 1,
  kFailed = -1,          // reported by callers as the generic library error
  kOpenFailed = -2,
  kReadFailed = -3,
  kWriteFailed = -4,
  kNotThisFormat = -5,
  kTruncated = -6,
  kUnsupported = -7,
  kNoMemory = -8,
  kBadDib = -9,
  kBadPage = -10,
  kBadArgument = -11,
  kCancelled = -12,
  kTooLarge = -13,
  kCodecError = -14,
};

struct StatusTextRow {
  Status code;
  const char* text;
};

// Every code with its text, in one place; the DLL string tables carry the same rows.
extern const StatusTextRow kStatusTexts[];
extern const int kStatusTextCount;

// The text of a code; null for a code outside the table.
const char* StatusText(int code);

}  // namespace imagecore
