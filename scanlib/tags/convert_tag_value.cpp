#include "convert_tag_value.h"

#include <cstdint>
#include <cstring>

#include "fix32.h"
#include "tag_types.h"

namespace {

template <typename T>
T Load(const void* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

template <typename T>
void Store(void* p, T v) {
  std::memcpy(p, &v, sizeof v);
}

bool IsTag16(int t) { return t == kTypeInt16 || t == kTypeUInt16; }
bool IsTag32(int t) { return t == kTypeInt32 || t == kTypeUInt32; }
bool IsAnyString(int t) { return IsTagStringType(t) || IsTwainStringType(t); }

// Floats outside the integer's range saturate instead of being undefined.
int32_t TruncateFloat(float f) {
  if (!(f == f)) return 0;
  if (f >= 2147483648.0f) return INT32_MAX;
  if (f < -2147483648.0f) return INT32_MIN;
  return static_cast<int32_t>(f);
}

// A TWAIN integer item as a 32-bit value, sign- or zero-extended; false for other types.
bool ReadTwainInteger(int type, const void* src, int32_t* out) {
  switch (type) {
    case kTwInt8: *out = Load<int8_t>(src); return true;
    case kTwInt16:
    case kTwInt16Alt: *out = Load<int16_t>(src); return true;
    case kTwInt32: *out = Load<int32_t>(src); return true;
    case kTwUInt8: *out = Load<uint8_t>(src); return true;
    case kTwUInt16:
    case kTwBool: *out = Load<uint16_t>(src); return true;
    case kTwUInt32:
    case kTwUInt32Alt: *out = static_cast<int32_t>(Load<uint32_t>(src)); return true;
    default: return false;
  }
}

void CopyText(void* dest, int destType, const void* src) {
  const size_t cap = static_cast<size_t>(TagTypeSize(destType));
  const char* s = static_cast<const char*>(src);
  size_t n = 0;
  while (n + 1 < cap && s[n]) ++n;
  std::memmove(dest, s, n);
  static_cast<char*>(dest)[n] = '\0';
}

void WriteInt(void* dest, int destType, int32_t v) {
  if (IsTag16(destType)) Store<uint16_t>(dest, static_cast<uint16_t>(v));
  else if (IsTag32(destType)) Store<int32_t>(dest, v);
}

}  // namespace

void ConvertTagValue(void* dest, int destType, int srcType, const void* src) {
  if (!dest || !src) return;
  int32_t n = 0;
  if (ReadTwainInteger(srcType, src, &n)) {
    WriteInt(dest, destType, n);
    return;
  }
  switch (srcType) {
    case kTwFix32: {
      Fix32 f = Load<Fix32>(src);
      if (destType == kTypeFloat) Store<float>(dest, Fix32ToFloat(f));
      else WriteInt(dest, destType, f.Whole);
      return;
    }
    case kTwStr32:
    case kTwStr64:
    case kTwStr128:
    case kTwStr255:
    case kTypeStr32:
    case kTypeStr64:
    case kTypeStr128:
      if (IsAnyString(destType)) CopyText(dest, destType, src);
      return;
    case kTypeInt16:
    case kTypeUInt16: {
      const int32_t v = srcType == kTypeInt16 ? Load<int16_t>(src) : Load<uint16_t>(src);
      if (IsTag16(destType) || IsTag32(destType)) { WriteInt(dest, destType, v); return; }
      if (srcType == kTypeUInt16) {
        if (destType == kTypeFloat) Store<float>(dest, static_cast<float>(v));
        return;
      }
      n = v;
      break;
    }
    case kTypeInt32:
    case kTypeUInt32: {
      const int32_t v = Load<int32_t>(src);
      if (IsTag16(destType) || IsTag32(destType)) { WriteInt(dest, destType, v); return; }
      if (destType == kTypeFloat) { Store<float>(dest, static_cast<float>(v)); return; }
      if (srcType == kTypeUInt32) {
        if (destType == kTypeByte) Store<uint8_t>(dest, static_cast<uint8_t>(v));
        return;
      }
      n = v;
      break;
    }
    case kTypeFloat: {
      const float f = Load<float>(src);
      if (destType == kTypeFloat) Store<float>(dest, f);
      else WriteInt(dest, destType, TruncateFloat(f));
      return;
    }
    default:
      return;
  }
  // 0x8010 and 0x8011 to TWAIN integer items; FIX32 goes through FloatToFix32 elsewhere.
  switch (destType) {
    case kTwInt8:
    case kTwUInt8: Store<uint8_t>(dest, static_cast<uint8_t>(n)); break;
    case kTwInt16:
    case kTwUInt16:
    case kTwBool: Store<uint16_t>(dest, static_cast<uint16_t>(n)); break;
    case kTwInt32:
    case kTwUInt32:
    case kTwUInt32Alt: Store<int32_t>(dest, n); break;
    default: break;
  }
}
