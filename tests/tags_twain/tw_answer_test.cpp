// Reading the engine's container copies: items by their own type's stride, never past the block.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "driver_calls.h"
#include "tw_answer.h"

// The reader's only call into the engine; these tests hand it containers directly.
int32_t CallTWAINGetValue(int32_t, int32_t, void**) { return -7; }

namespace {

std::vector<uint8_t> Enumeration(uint16_t type, uint32_t claimed, const std::vector<uint8_t>& items) {
  std::vector<uint8_t> b(14, 0);
  std::memcpy(b.data(), &type, 2);
  std::memcpy(b.data() + 2, &claimed, 4);
  b.insert(b.end(), items.begin(), items.end());
  return b;
}

TEST(TwAnswer, ItemsUseTheirOwnTypeStride) {
  struct Case {
    uint16_t type;
    std::vector<uint8_t> items;
    std::vector<int32_t> expected;
  };
  const Case cases[] = {
      {4, {1, 0, 2, 0, 0xFF, 0xFF}, {1, 2, 65535}},           // UINT16
      {1, {0xFF, 0xFF, 5, 0}, {-1, 5}},                        // INT16
      {2, {7, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF}, {7, -2}},      // INT32
      {7, {100, 0, 0, 0x80, 44, 1, 0, 0}, {100, 300}},         // FIX32: whole parts
      {3, {9, 8, 7}, {9, 8, 7}},                               // UINT8
  };
  for (const Case& c : cases) {
    TwAnswer a;
    const auto block = Enumeration(c.type, static_cast<uint32_t>(c.expected.size()), c.items);
    a.Adopt(kTwEnum, block.data(), block.size());
    ASSERT_EQ(a.Count(), static_cast<int32_t>(c.expected.size())) << c.type;
    for (size_t i = 0; i < c.expected.size(); ++i)
      EXPECT_EQ(a.ItemInt(static_cast<int32_t>(i)), c.expected[i]) << c.type << " item " << i;
  }
}

TEST(TwAnswer, ACountPastTheBlockIsCutToWholeItems) {
  TwAnswer a;
  // 1000 items claimed, two and a half UINT16 items present.
  const auto block = Enumeration(4, 1000, {1, 0, 2, 0, 3});
  a.Adopt(kTwEnum, block.data(), block.size());
  EXPECT_EQ(a.Count(), 2);
  EXPECT_EQ(a.Item(2), nullptr);
  EXPECT_EQ(a.ItemInt(2), 0);
}

TEST(TwAnswer, RangesAndOneValues) {
  uint8_t range[22] = {7, 0};
  const int16_t fields[5] = {-1000, 1000, 1, 0, 25};
  for (int i = 0; i < 5; ++i) std::memcpy(range + 2 + 4 * i, &fields[i], 2);
  TwAnswer r;
  r.Adopt(kTwRange, range, sizeof range);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(r.RangeField(i), fields[i]) << i;
  EXPECT_EQ(r.Count(), 0);
  EXPECT_EQ(r.Item(0), nullptr);

  TwAnswer truncated;
  truncated.Adopt(kTwRange, range, 8);  // min and the first half of max
  EXPECT_EQ(truncated.RangeField(0), -1000);
  EXPECT_EQ(truncated.RangeField(2), 0);

  const uint8_t one[] = {1, 0, 0xFE, 0xFF};
  TwAnswer o;
  o.Adopt(kTwOneValue, one, sizeof one);
  EXPECT_EQ(o.Count(), 1);
  EXPECT_EQ(o.ItemInt(0), -2);
  TwAnswer empty;
  empty.Adopt(kTwOneValue, one, 3);  // half an item
  EXPECT_EQ(empty.Count(), 0);
}

TEST(TwAnswer, AShortStringOneValueIsReadable) {
  // The engine copies a string up to its terminator, so the block is shorter than 34 bytes.
  const char text[] = "\x09\0Sim";
  TwAnswer a;
  a.Adopt(kTwOneValue, text, sizeof text);
  ASSERT_NE(a.Item(0), nullptr);
  EXPECT_STREQ(static_cast<const char*>(a.Item(0)), "Sim");
}

TEST(TwAnswer, NegativeAnswersHoldNothing) {
  TwAnswer a;
  a.Ask(0x1101, 0x8010);
  EXPECT_EQ(a.kind(), -7);
  EXPECT_FALSE(a.ok());
  EXPECT_EQ(a.Count(), 0);
  EXPECT_EQ(a.Item(0), nullptr);
}

}  // namespace
