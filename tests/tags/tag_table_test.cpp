#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tag_ids.h"
#include "tag_setting_table.h"
#include "tag_table.h"
#include "tag_types.h"

namespace {

TEST(TagTable, EveryRowIsFoundAtItsIndexAndOnlyTheLow16BitsCount) {
  std::set<uint16_t> seen;
  for (int row = 0; row < kTagCount; ++row) {
    const uint16_t tag = kTagTable[row].Tag;
    EXPECT_TRUE(seen.insert(tag).second) << std::hex << tag;
    EXPECT_EQ(FindTag(tag), row) << std::hex << tag;
    EXPECT_EQ(FindTag(0xABCD0000u | tag), row) << std::hex << tag;
  }
  for (uint32_t pseudo : {0x9001u, 0x9002u, 0x9003u, 0x9213u, 0x92FFu, 0u, 0xFFFFu})
    EXPECT_EQ(FindTag(pseudo), kNoRow) << std::hex << pseudo;
}

TEST(TagTable, RowsCarryTheirTypesAndRegistryNames) {
  struct Row { int row; uint16_t tag; const char* name; int type; uint16_t cap; uint16_t isis; };
  const Row rows[] = {
      {kRowScanType, 0x9100, "SCANTYPE", kTypeInt16, 0, 1300},
      {kRowXResolution, 0x9200, "XRESOLUTION", kTypeInt32, 0x1118, 282},
      {kRowGamma, 0x9208, "GAMMA", kTypeFloat, 0x1108, 1295},
      {kRowUnits, 0x9504, "UNITS", kTypeInt16, 0x0102, 296},
      {kRowDither, 0x9211, "DITHER", kTypeStr32, 0x1109, 1280},
      {kRowInvert, 0x9300, "INVERT", kTypeUInt16, 0x111F, 1507},
      {kRowImageWidth, 0x9503, "IMAGEWIDTH", kTypeFloat, 0x1114, 256},
      {kRowMinBuffer, 0x9052, "MINBUFFER", kTypeInt32, 0, 1287},
      {kRowFileName, 0x9302, nullptr, kTypeStr128, 0, 0},
      {kRowBackground, 0x9008, "BACKGROUND", kTypeInt16, 0x9219, 0x9008},
      {kRowCompressQuality, 0x920A, "COMPRESSQUALITY", kTypeInt16, 0, 0},
      {kRowDeviceA, 0x900A, nullptr, kTypeStr32, 0, 0},
  };
  for (const Row& r : rows) {
    const TagDef& d = kTagTable[r.row];
    EXPECT_EQ(d.Tag, r.tag);
    EXPECT_EQ(d.Type, r.type) << std::hex << r.tag;
    EXPECT_EQ(d.TwainCap, r.cap) << std::hex << r.tag;
    EXPECT_EQ(d.IsisTag, r.isis) << std::hex << r.tag;
    EXPECT_EQ(std::string(d.RegName ? d.RegName : "-"), std::string(r.name ? r.name : "-"));
  }
}

TEST(TagTable, RowsWithoutARegistryNameAreNeverStored) {
  for (int row = 0; row < kTagCount; ++row)
    EXPECT_EQ(kTagTable[row].RegName == nullptr, kTagSettings[row].Kind == kStoreNone) << row;
}

TEST(TagTypes, SizesOfTagAndTwainTypes) {
  const std::pair<int, int> sizes[] = {
      {0x8010, 2}, {0x8011, 4}, {0x8012, 4}, {0x8013, 2}, {0x8014, 33}, {0x8015, 65},
      {0x8016, 129}, {0x8017, 256}, {0, 1}, {3, 1}, {2, 4}, {5, 4}, {7, 4}, {8, 16}, {9, 34},
      {10, 66}, {11, 130}, {12, 256}, {1, 2}, {4, 2}, {6, 2}, {0x8018, 2}, {99, 2}};
  for (auto [type, size] : sizes) EXPECT_EQ(TagTypeSize(type), size) << std::hex << type;
}

TEST(TagSettings, ChannelNames) {
  char name[32];
  const char* expected[] = {"GAMMA", "GAMMA_R", "GAMMA_G", "GAMMA_B"};
  for (int c = 0; c < 4; ++c) {
    ChannelValueName("GAMMA", c, name);
    EXPECT_STREQ(name, expected[c]);
  }
}

}  // namespace
