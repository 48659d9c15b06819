// FilterDll.dll's colour drop-out: which pixels count as blue, and that nothing else changes.
#include <gtest/gtest.h>

#include <vector>

#include "blue_drop.h"

namespace {

TEST(BlueDrop, BlueHuesOnlyAreDropped) {
  struct Case {
    uint8_t r, g, b;
    bool blue;
  };
  const Case cases[] = {
      {0, 0, 255, true},     {150, 180, 255, true}, {60, 120, 200, true}, {0, 200, 210, true},
      {120, 60, 200, true},  {0, 0, 0, false},      {20, 20, 35, false},  {128, 128, 128, false},
      {250, 250, 255, false}, {255, 0, 0, false},   {0, 160, 0, false},   {0, 200, 150, false},
      {255, 255, 255, false}, {40, 40, 44, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(filterdll::IsBlueHue(c.r, c.g, c.b), c.blue) << int(c.r) << "," << int(c.g) << "," << int(c.b);
}

TEST(BlueDrop, PaddedRowsKeepEverythingButTheBlue) {
  // 5 pixels a row (15 bytes) in rows of 16: the padding byte is not a pixel.
  std::vector<uint8_t> rows(16 * 3, 0x7E);
  const uint8_t pixels[5][3] = {{255, 0, 0}, {0, 0, 0}, {200, 120, 60}, {0, 0, 255}, {128, 128, 128}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      for (int k = 0; k < 3; ++k) rows[y * 16 + 3 * x + k] = pixels[x][k];  // B, G, R
  EXPECT_EQ(filterdll::DropBlue(rows.data(), 5, 3, 16), 6u);
  for (int y = 0; y < 3; ++y) {
    EXPECT_EQ(rows[y * 16], 255);
    EXPECT_EQ(rows[y * 16 + 1], 255);  // blue (B 255) now white
    EXPECT_EQ(rows[y * 16 + 3], 0);    // black stays
    EXPECT_EQ(rows[y * 16 + 6], 255);  // B 200, G 120, R 60: blue, white now
    EXPECT_EQ(rows[y * 16 + 7], 255);
    EXPECT_EQ(rows[y * 16 + 9], 0);    // red (R 255) stays
    EXPECT_EQ(rows[y * 16 + 11], 255);
    EXPECT_EQ(rows[y * 16 + 12], 128);
    EXPECT_EQ(rows[y * 16 + 15], 0x7E);
  }
}

}  // namespace
