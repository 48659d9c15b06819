#include <gtest/gtest.h>

#include <cstring>

#include "convert_tag_value.h"
#include "fix32.h"
#include "tag_types.h"

namespace {

TEST(Fix32, RoundsHalfAwayFromZeroAndSaturates) {
  struct Case { float x; int16_t whole; uint16_t frac; };
  const Case cases[] = {
      {1.5f, 1, 32768}, {-1.5f, -2, 32768}, {0.0f, 0, 0}, {2.25f, 2, 16384},
      {-0.25f, -1, 49152}, {32767.0f, 32767, 0}, {-32768.0f, -32768, 0},
      {32768.0f, 32767, 65535}, {1e9f, 32767, 65535}, {-40000.0f, -32768, 0},
  };
  for (const Case& c : cases) {
    Fix32 f = FloatToFix32(c.x);
    EXPECT_EQ(f.Whole, c.whole) << c.x;
    EXPECT_EQ(f.Frac, c.frac) << c.x;
  }
  EXPECT_EQ(Fix32ToFloat(FloatToFix32(-1.5f)), -1.5f);
  EXPECT_EQ(Fix32ToFloat(Fix32{1, 32768}), 1.5f);
  Fix32 nan = FloatToFix32(std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(nan.Whole, 0);
  EXPECT_EQ(nan.Frac, 0);
}

// One conversion: source bytes in, expected destination bytes out (0xEE: left untouched).
struct Conversion {
  const char* what;
  int srcType;
  uint32_t src;
  int destType;
  uint32_t expected;
};

TEST(ConvertTagValue, TypeMatrix) {
  const uint32_t kUntouched = 0xEEEEEEEE;
  const float f15 = 1.5f, fm27 = -2.7f;
  uint32_t f15bits, fm27bits, f300bits;
  std::memcpy(&f15bits, &f15, 4);
  std::memcpy(&fm27bits, &fm27, 4);
  const float f300 = 300.0f;
  std::memcpy(&f300bits, &f300, 4);
  const Conversion cases[] = {
      {"int8 sign-extends", kTwInt8, 0xFF, kTypeInt32, 0xFFFFFFFF},
      {"uint8 zero-extends", kTwUInt8, 0xFF, kTypeInt32, 0xFF},
      {"int16 to 16-bit", kTwInt16, 0x8001, kTypeInt16, 0xEEEE8001},
      {"int16 to 32-bit", kTwInt16, 0x8001, kTypeInt32, 0xFFFF8001},
      {"uint16 to 32-bit", kTwUInt16, 0x8001, kTypeUInt32, 0x8001},
      {"bool read as 16-bit", kTwBool, 0x00010001, kTypeInt32, 1},
      {"int32 cut to 16", kTwInt32, 0x12345678, kTypeUInt16, 0xEEEE5678},
      {"type 44 read as int16", kTwInt16Alt, 0xFFFFFFFE, kTypeInt32, 0xFFFFFFFE},
      {"type 43 read as uint32", kTwUInt32Alt, 0x80000000, kTypeInt32, 0x80000000},
      {"TWAIN int to float: no pair", kTwInt32, 5, kTypeFloat, kUntouched},
      {"fix32 to float", kTwFix32, 0x80000001, kTypeFloat, f15bits},
      {"fix32 whole to 16", kTwFix32, 0x8000FFFE, kTypeInt16, 0xEEEEFFFE},
      {"fix32 whole sign-extends", kTwFix32, 0x8000FFFE, kTypeInt32, 0xFFFFFFFE},
      {"tag int16 to TWAIN uint8", kTypeInt16, 0x1234, kTwUInt8, 0xEEEEEE34},
      {"tag int16 to TWAIN int32", kTypeInt16, 0xFFFF, kTwInt32, 0xFFFFFFFF},
      {"tag int32 to TWAIN bool", kTypeInt32, 0x00020001, kTwBool, 0xEEEE0001},
      {"tag int32 to type 43", kTypeInt32, 7, kTwUInt32Alt, 7},
      {"tag int to FIX32: nothing", kTypeInt32, 7, kTwFix32, kUntouched},
      {"uint16 widens unsigned", kTypeUInt16, 0xFFFF, kTypeInt32, 0xFFFF},
      {"int16 widens signed", kTypeInt16, 0xFFFF, kTypeInt32, 0xFFFFFFFF},
      {"uint16 to float", kTypeUInt16, 300, kTypeFloat, f300bits},
      {"int16 to float: no pair", kTypeInt16, 300, kTypeFloat, kUntouched},
      {"int32 to 16", kTypeInt32, 0x00012345, kTypeInt16, 0xEEEE2345},
      {"int32 to float", kTypeInt32, 300, kTypeFloat, f300bits},
      {"0x8019 low byte to 0x8018", kTypeUInt32, 0x1234, kTypeByte, 0xEEEEEE34},
      {"float truncates toward zero", kTypeFloat, fm27bits, kTypeInt32, 0xFFFFFFFE},
      {"float to 16-bit", kTypeFloat, f15bits, kTypeInt16, 0xEEEE0001},
      {"float copied", kTypeFloat, f15bits, kTypeFloat, f15bits},
      {"unknown pair", kTwFrame, 1, kTypeInt32, kUntouched},
  };
  for (const Conversion& c : cases) {
    uint32_t dest = kUntouched;
    ConvertTagValue(&dest, c.destType, c.srcType, &c.src);
    EXPECT_EQ(dest, c.expected) << c.what;
  }
}

TEST(ConvertTagValue, StringsAreBoundedByTheDestinationAndTerminated) {
  char twain[256];
  std::memset(twain, 'x', sizeof twain - 1);
  twain[255] = '\0';
  char tag[40];
  std::memset(tag, 'E', sizeof tag);
  ConvertTagValue(tag, kTypeStr32, kTwStr255, twain);
  EXPECT_EQ(std::strlen(tag), 32u);
  EXPECT_EQ(tag[33], 'E');  // nothing written past the 33-byte value

  char out[34];
  ConvertTagValue(out, kTwStr32, kTypeStr32, "None");
  EXPECT_STREQ(out, "None");
}

TEST(ConvertTagValue, NullPointersLeaveEverything) {
  uint32_t dest = 5;
  ConvertTagValue(&dest, kTypeInt32, kTwInt32, nullptr);
  ConvertTagValue(nullptr, kTypeInt32, kTwInt32, &dest);
  EXPECT_EQ(dest, 5u);
}

}  // namespace
