#include "ks_values.h"

#include <cmath>
#include <cstring>

size_t ValueSize(int32_t type) {
  switch (type) {
    case kTypeInt32:
    case kTypeFloat:
      return 4;
    case kTypeStr32:
      return 33;
    case kTypeStr64:
      return 65;
    case kTypeStr128:
      return 129;
    case kTypeStr255:
      return 256;
    default:
      return 2;
  }
}

bool IsTextType(int32_t type) { return type >= kTypeStr32 && type <= kTypeStr255; }

void WriteValue(int32_t type, const KSValue& v, void* out) {
  if (IsTextType(type)) {
    size_t room = ValueSize(type);
    size_t n = std::min(v.text.size(), room - 1);
    std::memset(out, 0, room);
    std::memcpy(out, v.text.data(), n);
  } else if (type == kTypeFloat) {
    float f = static_cast<float>(v.number);
    std::memcpy(out, &f, 4);
  } else if (type == kTypeInt32) {
    int32_t i = static_cast<int32_t>(std::lround(v.number));
    std::memcpy(out, &i, 4);
  } else {
    int16_t i = static_cast<int16_t>(std::lround(v.number));
    std::memcpy(out, &i, 2);
  }
}

KSValue ReadValue(int32_t type, const void* in) {
  KSValue v;
  if (IsTextType(type)) {
    const char* s = static_cast<const char*>(in);
    v.text.assign(s, strnlen(s, ValueSize(type)));
  } else if (type == kTypeFloat) {
    float f;
    std::memcpy(&f, in, 4);
    v.number = f;
  } else if (type == kTypeInt32) {
    int32_t i;
    std::memcpy(&i, in, 4);
    v.number = i;
  } else {
    int16_t i;
    std::memcpy(&i, in, 2);
    v.number = i;
  }
  return v;
}
