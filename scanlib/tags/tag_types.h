// Value types of the scan tags, and the sizes of tag and TWAIN item types. Platform-free.
#pragma once
#include <cstdint>

enum TagType : int {
  kTypeInt16 = 0x8010,
  kTypeInt32 = 0x8011,
  kTypeFloat = 0x8012,
  kTypeUInt16 = 0x8013,
  kTypeStr32 = 0x8014,
  kTypeStr64 = 0x8015,
  kTypeStr128 = 0x8016,
  kTypeStr255 = 0x8017,
  kTypeByte = 0x8018,    // only ever a conversion target
  kTypeUInt32 = 0x8019,  // a 32-bit integer another library hands over
};

// TWAIN item types (TWTY_*), as the published standard numbers them.
enum TwainItemType : int {
  kTwInt8 = 0, kTwInt16 = 1, kTwInt32 = 2, kTwUInt8 = 3, kTwUInt16 = 4, kTwUInt32 = 5,
  kTwBool = 6, kTwFix32 = 7, kTwFrame = 8, kTwStr32 = 9, kTwStr64 = 10, kTwStr128 = 11,
  kTwStr255 = 12,
  kTwUInt32Alt = 43,  // read as an unsigned 32-bit value
  kTwInt16Alt = 44,   // read as a signed 16-bit value
};

// Bytes of one value of the type; unknown codes count as 16-bit.
int TagTypeSize(int type);

bool IsTagStringType(int type);    // 0x8014..0x8017
bool IsTagNumberType(int type);    // 0x8010..0x8013
bool IsTwainStringType(int type);  // 9..12
