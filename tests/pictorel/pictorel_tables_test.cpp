// The file-format decision tables.
#include <gtest/gtest.h>

#include <set>

#include "pictorel_tables.h"

namespace {

TEST(CompressionName, NamesEachCode) {
  const std::pair<int, const char*> rows[] = {{1, "NONE"}, {2, "CCITT3"}, {3, "FAXCCITT3"},
      {4, "FAXCCITT4"}, {5, "LZW"}, {6, "JPG"}, {32773, "PACKBITS"}, {-32763, "PACKBITS"},
      {7, "UNKNOWN"}, {0, "UNKNOWN"}};
  for (auto [code, name] : rows) EXPECT_EQ(CompressionName(code), name) << code;
}

TEST(TiffCompressionCode, MapsOptionsToCodes) {
  const std::pair<int, int> rows[] = {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 32773}, {6, 1}, {-1, 1}};
  for (auto [option, code] : rows) EXPECT_EQ(TiffCompressionCode(option), code) << option;
}

TEST(TiffTagName, FiftyRowsWithTheirEditableFlags) {
  EXPECT_EQ(kTiffTagNameCount, 50);
  std::set<uint16_t> tags;
  for (int i = 0; i < kTiffTagNameCount; ++i) tags.insert(kTiffTagNames[i].tag);
  EXPECT_EQ(tags.size(), 50u);
  bool readOnly = true;
  EXPECT_EQ(TiffTagName(297, readOnly), "PAGENUMBER");
  EXPECT_FALSE(readOnly);
  EXPECT_EQ(TiffTagName(273, readOnly), "STRIPOFFSETS");
  EXPECT_TRUE(readOnly);
  EXPECT_EQ(TiffTagName(263, readOnly), "THRESHHOLDING");
  EXPECT_EQ(TiffTagName(291, readOnly), "GRAYSCALERRESPONSE");
  EXPECT_EQ(TiffTagName(33432, readOnly), "COPYRIGHT");
  EXPECT_FALSE(readOnly);
  readOnly = true;
  EXPECT_EQ(TiffTagName(999, readOnly), "Unknown");
  EXPECT_FALSE(readOnly);
}

TEST(ScreenBitDepth, ClassesOfDisplayDepth) {
  const std::pair<int, int> rows[] = {{1, 4}, {4, 4}, {5, 8}, {8, 8}, {9, 8}, {15, 8}, {16, 24}, {24, 24}, {32, 24}};
  for (auto [bits, depth] : rows) EXPECT_EQ(ScreenBitDepthFor(bits), depth) << bits;
}

struct DepthRow {
  const char* ext;
  int option, screen, bits;
};

TEST(FormatBitDepth, PerFormatAndOption) {
  const DepthRow rows[] = {
      {"jpg", 5, 24, 1}, {"jpg", 1, 24, 1}, {"jpg", 4, 24, 24}, {"jpg", 0, 24, 24},
      {"tga", 3, 24, 8}, {"tga", 4, 24, 24}, {"tga", 6, 4, 8}, {"tga", 1, 24, 8}, {"tga", 6, 24, 24},
      {"dic", 3, 24, 8}, {"dic", 4, 24, 8}, {"dic", 6, 24, 24},
      {"gif", 0, 24, 0}, {"gif", 1, 24, 1}, {"gif", 2, 24, 4}, {"gif", 4, 24, 8}, {"gif", 6, 24, 8},
      {"gif", 6, 4, 4},
      {"bmp", 0, 24, 0}, {"bmp", 1, 24, 1}, {"png", 2, 24, 4}, {"tif", 3, 24, 8}, {"pcx", 4, 24, 24},
      {"tif", 5, 24, 8}, {"png", 6, 8, 8}, {"bmp", 9, 24, 8}};
  for (const auto& r : rows) EXPECT_EQ(FormatBitDepthFor(r.ext, r.option, r.screen), r.bits) << r.ext << " " << r.option;
}

}  // namespace
