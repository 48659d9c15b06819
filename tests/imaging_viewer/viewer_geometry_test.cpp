#include <gtest/gtest.h>

#include "scan_file_name.h"
#include "viewer_geometry.h"
#include "viewer_settings.h"
#include "viewer_types.h"

using namespace qm;

TEST(ViewerGeometry, RoundingRules) {
  struct Case { double v; int32_t round, trunc; };
  const Case cases[] = {{151.5, 152, 151}, {150.5, 150, 150}, {2.5, 2, 2}, {-2.5, -2, -2},
                        {0.4999, 0, 0},   {-1.7, -2, -1},     {1e12, INT32_MAX, INT32_MAX}};
  for (const Case& c : cases) {
    EXPECT_EQ(RoundHalfEven(c.v), c.round) << c.v;
    EXPECT_EQ(TruncToInt(c.v), c.trunc) << c.v;
  }
}

TEST(ViewerGeometry, ScalePercentIsAtLeastOne) {
  EXPECT_EQ(ClampScalePercent(0.5f), 1.0f);
  EXPECT_EQ(ClampScalePercent(-3.0f), 1.0f);
  EXPECT_EQ(ClampScalePercent(1.25f), 1.25f);
}

TEST(ViewerGeometry, PaintBoxTruncatesGrayCopyRounds) {
  struct Case { QmSize image; float percent; QmSize paint, gray; };
  const Case cases[] = {
      {{101, 101}, 150.0f, {151, 151}, {152, 152}},
      {{1000, 2000}, 20.0f, {200, 400}, {200, 400}},
      {{1728, 2200}, 33.3f, {575, 732}, {575, 733}},
      {{40000, 50}, 100.0f, {40000, 50}, {40000, 50}},  // past 32767 pixels
      {{0, 0}, 100.0f, {0, 0}, {0, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ScaledPaintSize(c.image, c.percent), c.paint) << c.image.width;
    EXPECT_EQ(GrayCopySize(c.image, c.percent), c.gray) << c.image.width;
  }
}

TEST(ViewerGeometry, BestFit) {
  struct Case { QmSize image, outer; float percent; };
  const Case cases[] = {{{1000, 2000}, {504, 404}, 20.0f},
                        {{500, 100}, {504, 404}, 100.0f},
                        {{2000, 1000}, {1004, 2004}, 50.0f}};
  for (const Case& c : cases) EXPECT_FLOAT_EQ(*BestFitPercent(c.image, c.outer), c.percent);
  EXPECT_FALSE(BestFitPercent({0, 0}, {504, 404}));
}

TEST(ViewerGeometry, SquarePixels) {
  struct Case { int32_t x, y; bool force; std::optional<QmSize> target; };
  const Case cases[] = {
      {204, 98, false, QmSize{1728, 2290}},   // fax fine: stretched vertically by 204/98
      {98, 204, false, QmSize{3597, 1100}},
      {200, 200, false, std::nullopt},
      {200, 200, true, QmSize{1728, 1100}},
      {0, 98, false, std::nullopt},  // header without resolution
      {204, 0, true, std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SquarePixelSize({1728, 1100}, c.x, c.y, c.force), c.target) << c.x << "/" << c.y;
}

TEST(ViewerGeometry, ResolutionsTravelAsPixelsPerMetre) {
  EXPECT_EQ(PixelsPerMetreFromDpi(200), 7874);
  EXPECT_EQ(DpiFromPixelsPerMetre(7874), 200);
  EXPECT_EQ(PixelsPerMetreFromDpi(204), 8031);
  EXPECT_EQ(DpiFromPixelsPerMetre(8031), 204);
  EXPECT_EQ(DpiFromPixelsPerMetre(0), 0);
  EXPECT_EQ(InchesFor(1700, 200), 8.5);
  EXPECT_EQ(InchesFor(1700, 0), 0.0);
}

TEST(ViewerGeometry, VisiblePaintArea) {
  struct Case { int32_t left, top; QmSize box, viewer; PaintArea area; };
  const Case cases[] = {{0, 0, {300, 200}, {500, 400}, {0, 0, 300, 200}},
                        {-100, -50, {1000, 800}, {500, 400}, {100, 50, 600, 450}}};
  for (const Case& c : cases) EXPECT_EQ(VisiblePaintArea(c.left, c.top, c.box, c.viewer), c.area);
}

TEST(ViewerGeometry, StretchModes) {
  EXPECT_EQ(StretchModeFor(TBlitMode::sLight, 1), 3);
  EXPECT_EQ(StretchModeFor(TBlitMode::sDark, 1), 1);
  EXPECT_EQ(StretchModeFor(TBlitMode::sLightest, 2), 2);
  EXPECT_EQ(StretchModeFor(TBlitMode::sDark, 8), 3);
}

TEST(ViewerGeometry, BitDepthsAskedFor) {
  EXPECT_EQ(ReadBitsForImageFile(TLoadResolution::lAutoMatic, 24), 24);
  EXPECT_EQ(ReadBitsForImageFile(TLoadResolution::lColorVga, 24), 4);
  EXPECT_EQ(ReadBitsForImageFile(TLoadResolution::lMonoChrome, 24), 1);
  EXPECT_EQ(LoadBitDepth(TLoadResolution::lAutoMatic, 8), 8);
  EXPECT_EQ(LoadBitDepth(TLoadResolution::lColorVga, 8), 0);
  EXPECT_STREQ(GrayModeName(TScaleToGray::S_Gray_Anti_256), "Gray 8 bit Anti Alias");
  EXPECT_STREQ(GrayModeName(TScaleToGray::S_Gray_None), "None Gray");
}

TEST(ScanFileNameTest, Patterns) {
  struct Case { const char* pattern; TScanSaveOpt opt; int16_t number; const char* result; };
  const Case cases[] = {
      {"C:\\FILE0000.TIF", TScanSaveOpt::sSinglePage, 0, "C:\\FILE0000.TIF"},
      {"C:\\FILE0000.TIF", TScanSaveOpt::sSinglePage, 12, "C:\\FILE0012.TIF"},
      {"c:\\scans\\page.tif", TScanSaveOpt::sSinglePage, 7, "C:\\SCANS\\PAGE0007.TIF"},
      {"", TScanSaveOpt::sSinglePage, 3, "C:\\SCAN0003.TIF"},
      {"C:\\FILE0000.TIF", TScanSaveOpt::sMultiPageAppend, 12, "C:\\FILE.TIF"},
      {"D:\\A.B", TScanSaveOpt::sSinglePage, 1, "D:\\AB00001.B"},
      {"noext", TScanSaveOpt::sMultiPageOverWrite, 0, "C:\\NOEX.TIF"},
      {"C:\\FILE.TIF", TScanSaveOpt::sSinglePage, 9900, "C:\\FILE9900.TIF"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ComposeScanFileName(c.pattern, c.opt, c.number), c.result) << c.pattern;
}

TEST(ViewerSettingsTest, ClampedProperties) {
  struct Case { int32_t (ViewerSettings::*get)() const; void (ViewerSettings::*set)(int32_t);
                int32_t asked, kept; };
  const Case cases[] = {
      {&ViewerSettings::ScanDpi, &ViewerSettings::SetScanDpi, 10, 30},
      {&ViewerSettings::ScanDpi, &ViewerSettings::SetScanDpi, 5000, 3600},
      {&ViewerSettings::ScanDpi, &ViewerSettings::SetScanDpi, 300, 300},
      {&ViewerSettings::ScanBright, &ViewerSettings::SetScanBright, -2000, -1000},
      {&ViewerSettings::ScanContrast, &ViewerSettings::SetScanContrast, 1001, 1000},
      {&ViewerSettings::MagnifyScale, &ViewerSettings::SetMagnifyScale, 0, 1},
      {&ViewerSettings::MagnifyScale, &ViewerSettings::SetMagnifyScale, 1500, 1000},
  };
  for (const Case& c : cases) {
    ViewerSettings s;
    (s.*c.set)(c.asked);
    EXPECT_EQ((s.*c.get)(), c.kept) << c.asked;
  }
  ViewerSettings d;
  EXPECT_EQ(d.ScanDpi(), 200);
  EXPECT_EQ(d.MagnifyScale(), 200);
}
