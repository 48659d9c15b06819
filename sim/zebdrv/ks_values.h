// Values in the scan library's tag types, as KSGetValue, KSSetValue and the query blocks carry
// them: 16-bit integers, 32-bit integers, floats and strings of four fixed sizes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

constexpr int32_t kTypeInt16 = 0x8010;
constexpr int32_t kTypeInt32 = 0x8011;
constexpr int32_t kTypeFloat = 0x8012;
constexpr int32_t kTypeInt16b = 0x8013;
constexpr int32_t kTypeStr32 = 0x8014;
constexpr int32_t kTypeStr64 = 0x8015;
constexpr int32_t kTypeStr128 = 0x8016;
constexpr int32_t kTypeStr255 = 0x8017;

// Bytes of one value; an unknown type counts as a 16-bit integer.
size_t ValueSize(int32_t type);
bool IsTextType(int32_t type);

// A number or a text, whichever the tag holds.
struct KSValue {
  double number = 0;
  std::string text;
};

// Writes v in the type's layout (ValueSize bytes); a text is cut to fit and terminated.
void WriteValue(int32_t type, const KSValue& v, void* out);
KSValue ReadValue(int32_t type, const void* in);
