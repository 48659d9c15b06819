#include "result_codes.h"

#include <iterator>

namespace {

// Indexed by the TWAIN code; index 0 (success) is never looked up by the caller.
constexpr int32_t kByReturnCode[] = {0, -4, -8, -5, 0, -6, 1, -6, -6, -8};

constexpr int32_t kByConditionCode[] = {
    0,     -4,    -9, -10, -2, -4, -8, kUnknownTwainCode, kUnknownTwainCode, -6, -8, -3,
    -6,    -7,    -6, -3,  -4, -6, -11, -6, -12, -14, -15, -13};

}  // namespace

int32_t ReturnCodeResult(uint16_t returnCode) {
  if (returnCode >= std::size(kByReturnCode)) return kUnknownTwainCode;
  return kByReturnCode[returnCode];
}

int32_t ConditionCodeResult(uint16_t conditionCode) {
  if (conditionCode >= std::size(kByConditionCode)) return kUnknownTwainCode;
  return kByConditionCode[conditionCode];
}
