#include "format_rules.h"

#include <gtest/gtest.h>

namespace fileplugins {
namespace {

using K = PageKind;

TEST(FormatRules, EachFormatHasItsCodeExtensionAndModes) {
  struct Row {
    FileKind kind;
    const char* ext;
    uint16_t code;
    std::vector<uint16_t> reported;
    std::vector<uint16_t> modes;
  };
  const Row rows[] = {
      {FileKind::kTiff, "tif", 0, {0, 0}, {0, 1, 2, 5, 7, 11, 13}},
      {FileKind::kBmp, "bmp", 1, {1}, {0}},
      {FileKind::kJpeg, "jpg", 2, {2}, {0}},
      {FileKind::kPdf, "pdf", 3, {3, 3}, {0, 5, 11, 13}},
      {FileKind::kPcx, "pcx", 7, {7}, {0}},
      {FileKind::kTga, "tga", 8, {8}, {0}},
      {FileKind::kDjvu, "djvu", 6, {6, 6}, {0}},
  };
  for (const Row& r : rows) {
    const FormatRule& rule = RuleFor(r.kind);
    EXPECT_STREQ(rule.extension, r.ext);
    EXPECT_EQ(rule.formatCode, r.code);
    EXPECT_EQ(ReportedFormats(rule), r.reported) << r.ext;
    EXPECT_EQ(rule.modes, r.modes) << r.ext;
  }
}

TEST(FormatRules, PageKindsEachFormatCarries) {
  // TIFF alone keeps 16 bits per sample; every format takes black and white (JPEG and TGA as gray).
  EXPECT_TRUE(Carries(RuleFor(FileKind::kTiff), K::kGray16));
  EXPECT_TRUE(Carries(RuleFor(FileKind::kTiff), K::kRgb48));
  for (FileKind k : {FileKind::kBmp, FileKind::kJpeg, FileKind::kPdf, FileKind::kPcx, FileKind::kTga}) {
    EXPECT_FALSE(Carries(RuleFor(k), K::kGray16));
    EXPECT_FALSE(Carries(RuleFor(k), K::kRgb48));
    EXPECT_TRUE(Carries(RuleFor(k), K::kRgb24));
    EXPECT_TRUE(Carries(RuleFor(k), K::kBlackWhite));
  }
}

TEST(FormatRules, ModeToCodingByPageKind) {
  struct Row {
    FileKind kind;
    uint16_t mode;
    K page;
    Coding coding;
  };
  const Row rows[] = {
      {FileKind::kTiff, kModeNone, K::kBlackWhite, Coding::kNone},
      {FileKind::kTiff, kModeGroup4, K::kBlackWhite, Coding::kGroup4},
      {FileKind::kTiff, kModeGroup4, K::kGray8, Coding::kLzw},
      {FileKind::kTiff, kModeGroup3, K::kBlackWhite, Coding::kGroup3},
      {FileKind::kTiff, kModeGroup3, K::kRgb24, Coding::kLzw},
      {FileKind::kTiff, kModeJpeg, K::kRgb24, Coding::kJpeg},
      {FileKind::kTiff, kModeJpeg, K::kGray8, Coding::kJpeg},
      {FileKind::kTiff, kModeJpeg, K::kGray16, Coding::kLzw},
      {FileKind::kTiff, kModeJpeg, K::kBlackWhite, Coding::kGroup4},
      {FileKind::kTiff, kModeLzw, K::kRgb48, Coding::kLzw},
      {FileKind::kTiff, kModePackBits, K::kGray8, Coding::kPackBits},
      {FileKind::kTiff, kModeDeflate, K::kBlackWhite, Coding::kDeflate},
      {FileKind::kPdf, kModeNone, K::kBlackWhite, Coding::kGroup4},
      {FileKind::kPdf, kModeNone, K::kGray8, Coding::kDeflate},
      {FileKind::kPdf, kModeNone, K::kRgb24, Coding::kJpeg},
      {FileKind::kPdf, kModeJpeg, K::kGray8, Coding::kJpeg},
      {FileKind::kPdf, kModeJpeg, K::kBlackWhite, Coding::kGroup4},
      {FileKind::kPdf, kModeDeflate, K::kRgb24, Coding::kDeflate},
      {FileKind::kPdf, kModeGroup4, K::kRgb24, Coding::kDeflate},
      {FileKind::kBmp, kModeNone, K::kRgb24, Coding::kFormatOwn},
  };
  for (const Row& r : rows)
    EXPECT_EQ(CodingFor(RuleFor(r.kind), r.mode, r.page), r.coding)
        << RuleFor(r.kind).extension << " mode " << r.mode << " page " << int(r.page);
}

TEST(FormatRules, SaveAsModeFromTheSaveOptions) {
  EXPECT_EQ(SaveAsMode(RuleFor(FileKind::kTiff), true, false), kModeGroup4);
  EXPECT_EQ(SaveAsMode(RuleFor(FileKind::kTiff), false, true), kModeJpeg);
  EXPECT_EQ(SaveAsMode(RuleFor(FileKind::kTiff), false, false), kModeNone);
  EXPECT_EQ(SaveAsMode(RuleFor(FileKind::kPdf), false, true), kModeJpeg);
  EXPECT_EQ(SaveAsMode(RuleFor(FileKind::kPdf), true, false), kModeNone);
  EXPECT_EQ(SaveAsMode(RuleFor(FileKind::kJpeg), false, true), kModeNone);
}

TEST(FormatRules, JpegQualityFromCompressQuality) {
  EXPECT_EQ(JpegQuality(0), 20);
  EXPECT_EQ(JpegQuality(11), 64);
  EXPECT_EQ(JpegQuality(20), 100);
  EXPECT_EQ(JpegQuality(-5), 20);
  EXPECT_EQ(JpegQuality(400), 100);
}

TEST(FormatRules, PageKindsFromPixelTypeAndDepth) {
  struct Row {
    int32_t type, bits;
    std::optional<K> kind;
  };
  const Row rows[] = {{0, 1, K::kBlackWhite}, {1, 8, K::kGray8}, {1, 16, K::kGray16},
                      {2, 24, K::kRgb24},     {2, 48, K::kRgb48}, {0, 8, std::nullopt},
                      {1, 4, std::nullopt},   {2, 8, std::nullopt}, {255, 24, std::nullopt},
                      {1, 1, std::nullopt}};
  for (const Row& r : rows) EXPECT_EQ(PageKindOf(r.type, r.bits), r.kind) << r.type << "/" << r.bits;
}

}  // namespace
}  // namespace fileplugins
