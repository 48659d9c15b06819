#include "tag_types.h"

int TagTypeSize(int type) {
  switch (type) {
    case kTypeInt16: return 2;
    case kTypeInt32: return 4;
    case kTypeFloat: return 4;
    case kTypeStr32: return 33;
    case kTypeStr64: return 65;
    case kTypeStr128: return 129;
    case kTypeStr255: return 256;
    case kTwInt8:
    case kTwUInt8: return 1;
    case kTwInt32:
    case kTwUInt32:
    case kTwFix32: return 4;
    case kTwFrame: return 16;
    case kTwStr32: return 34;
    case kTwStr64: return 66;
    case kTwStr128: return 130;
    case kTwStr255: return 256;
    default: return 2;
  }
}

bool IsTagStringType(int type) { return type >= kTypeStr32 && type <= kTypeStr255; }
bool IsTagNumberType(int type) { return type >= kTypeInt16 && type <= kTypeUInt16; }
bool IsTwainStringType(int type) { return type >= kTwStr32 && type <= kTwStr255; }
