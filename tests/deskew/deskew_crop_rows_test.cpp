// The deskew step's row work: 1-bit rows widened and packed back bit for bit, colour background
// lines interleaved without a write overtaking a read, and the mode word.
#include <gtest/gtest.h>

#include <vector>

#include "deskew_crop_rows.h"

namespace {

TEST(DeskewCropRows, BitRowsSurviveTheWayThroughOneBytePerPixel) {
  const int32_t width = 13, lines = 3;  // 2 bytes a row, 3 padding bits
  const std::vector<uint8_t> rows = {0xA5, 0xF8, 0x00, 0x08, 0xFF, 0xF8};
  std::vector<uint8_t> wide(width * lines), back(rows.size());
  WidenBitRows(rows.data(), 2, width, lines, wide.data());
  EXPECT_EQ(wide[0], 255);
  EXPECT_EQ(wide[1], 0);
  EXPECT_EQ(wide[width + 12], 255);
  PackBitRows(wide.data(), width, lines, back.data());
  EXPECT_EQ(back, rows);
  EXPECT_EQ(DeskewRowBytes(1000, true), 3000u);
  EXPECT_EQ(DeskewRowBytes(1000, false), 1000u);
}

TEST(DeskewCropRows, ColourLinesTakeTheirSamplesFromThreeLinesInARow) {
  const int32_t width = 4, lines = 3;
  std::vector<uint8_t> buffer(width * lines * 3), scratch(buffer.size());
  for (size_t i = 0; i < buffer.size(); ++i) buffer[i] = uint8_t(i);
  const std::vector<uint8_t> before = buffer;
  InterleaveColourLines(buffer.data(), width, lines, scratch.data());
  for (int y = 0; y < lines; ++y)
    for (int x = 0; x < width; ++x)
      for (int s = 0; s < 3; ++s)
        EXPECT_EQ(buffer[(y * width + x) * 3 + s], before[(y + s) * width + x]) << y << "," << x;
}

TEST(DeskewCropRows, ModeWordNamesColourApart) {
  EXPECT_EQ(DeskewModeWord(2), 0x01200112);
  EXPECT_EQ(DeskewModeWord(1), 0x01200111);
  EXPECT_EQ(DeskewModeWord(0), 0x01200111);
}

}  // namespace
