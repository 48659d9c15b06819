#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "file_name_rule.h"
#include "load_checks.h"
#include "scan_prop_rec.h"
#include "step_rounding.h"
#include "tag_model_fixture.h"

namespace {

TEST(StepRounding, IntegersRoundToTheStepAndStayInTheRange) {
  struct Case { int32_t v, min, max, step, expected; };
  const Case cases[] = {
      {310, 50, 600, 25, 300}, {313, 50, 600, 25, 325}, {300, 50, 600, 25, 300},
      {255, 0, 255, 2, 255},   // rounding up would give 256
      {70, 70, 600, 50, 70},   // rounding down would give 50
      {7, 0, 10, 0, 7},        // a step below 1 rounds nothing
      {7, 0, 10, -3, 7},
  };
  for (const Case& c : cases)
    EXPECT_EQ(RoundToStep(c.v, c.step, c.min, c.max), c.expected) << c.v << " step " << c.step;
}

TEST(StepRounding, FloatsRoundHalvesUpAndSkipANonPositiveStep) {
  struct Case { float v, step, min, max, expected; };
  const Case cases[] = {
      {1.26f, 0.5f, 0.0f, 10.0f, 1.5f}, {1.24f, 0.5f, 0.0f, 10.0f, 1.0f},
      {1.25f, 0.5f, 0.0f, 10.0f, 1.5f}, {9.9f, 0.5f, 0.0f, 9.8f, 9.8f},
      {2.2f, 0.0f, 0.0f, 5.0f, 2.2f},   {2.2f, -1.0f, 0.0f, 5.0f, 2.2f},
  };
  for (const Case& c : cases)
    EXPECT_FLOAT_EQ(RoundToStep(c.v, c.step, c.min, c.max), c.expected) << c.v;
  const float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_FLOAT_EQ(RoundToStep(2.2f, nan, 0.0f, 5.0f), 2.2f);
}

TEST(StepRounding, CallerScaleMapsOntoTheDriverRange) {
  struct Case { int32_t v, min, max, step, expected; };
  const Case cases[] = {
      {1000, 0, 255, 1, 255}, {-1000, 0, 255, 1, 0}, {0, 0, 255, 1, 128},
      {500, 0, 255, 1, 191},  {500, -1000, 1000, 1, 500}, {-1000, -1000, 1000, 1, -1000},
      {0, -1000, 1000, 1, 0}, {1000, 0, 255, 2, 255},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MapFromCallerScale(c.v, c.min, c.max, c.step), c.expected) << c.v;
}

using LoadChecks = TagModelTest;

TEST_F(LoadChecks, ListRangeStepAndChoiceChecks) {
  IntRange(kRowXResolution, 50, 600, 100);
  EXPECT_EQ(CheckLoadedInt(kRowXResolution, g_tagStates[kRowXResolution], kCheckS, 310), 300);
  EXPECT_EQ(CheckLoadedInt(kRowXResolution, g_tagStates[kRowXResolution], kCheckS, 590), 600);
  EXPECT_EQ(CheckLoadedInt(kRowXResolution, g_tagStates[kRowXResolution], kCheckS, 700), 50);
  IntRange(kRowXResolution, 50, 560, 100);  // rounding 555 up would pass the maximum
  EXPECT_EQ(CheckLoadedInt(kRowXResolution, g_tagStates[kRowXResolution], kCheckS, 555), 560);
  IntList(kRowXResolution, {100, 200, 300, 600});
  EXPECT_EQ(CheckLoadedInt(kRowXResolution, g_tagStates[kRowXResolution], kCheckS, 310), 100);
  EXPECT_EQ(CheckLoadedInt(kRowXResolution, g_tagStates[kRowXResolution], kCheckS, 600), 600);

  g_tagStates[kRowFeederType].Count = -1;
  EXPECT_EQ(CheckLoadedInt(kRowFeederType, g_tagStates[kRowFeederType], kCheckL, 77), 77);

  IntRange(kRowBlankHold, 1, 360, 1);
  EXPECT_EQ(CheckLoadedInt(kRowBlankHold, g_tagStates[kRowBlankHold], kCheckR, 400), 1);
  g_tagStates[kRowBlankHold].Count = 5;  // R ignores Count
  EXPECT_EQ(CheckLoadedInt(kRowBlankHold, g_tagStates[kRowBlankHold], kCheckR, 116), 116);

  IntList(kRowDeskew, {0, 1});
  EXPECT_EQ(CheckLoadedInt(kRowDeskew, g_tagStates[kRowDeskew], kCheckC, 5), 0);
  EXPECT_EQ(CheckLoadedInt(kRowAutoCrop, g_tagStates[kRowAutoCrop], kCheckC, 5), 5);
  IntList(kRowLanguage, {1, 2});
  EXPECT_EQ(CheckLoadedInt(kRowLanguage, g_tagStates[kRowLanguage], kCheckZ, 3), 0);
  EXPECT_EQ(CheckLoadedInt(kRowLanguage, g_tagStates[kRowLanguage], kCheckZ, 2), 2);
  EXPECT_EQ(CheckLoadedInt(kRowScanType, g_tagStates[kRowScanType], kCheckZ, 2), 0);

  IntList(kRowPageSize, {0, 1, 2});
  EXPECT_EQ(CheckLoadedPageSize(kRowPageSize, g_tagStates[kRowPageSize], 7), 1);
  EXPECT_EQ(CheckLoadedPageSize(kRowPageSize, g_tagStates[kRowPageSize], 2), 2);
}

TEST_F(LoadChecks, OwnRules) {
  EXPECT_EQ(ClampMinBuffer(1000), 32768);
  EXPECT_EQ(ClampMinBuffer(5000000), 2100000);
  EXPECT_EQ(ClampMinBuffer(-1), 2100000);  // unsigned: a huge value
  EXPECT_EQ(ClampMinBuffer(65536), 65536);
  EXPECT_EQ(CheckLoadedHighlight(300), 255);
  EXPECT_EQ(CheckLoadedShadow(-5), 0);
  EXPECT_EQ(CheckCallerScale(1200), 0);
  EXPECT_EQ(CheckCallerScale(-1000), -1000);

  FloatRange(kRowGamma, 0.1f, 4.0f, 0.1f);
  EXPECT_FLOAT_EQ(CheckLoadedGamma(g_tagStates[kRowGamma], 0, 9.0f), 2.2f);
  EXPECT_FLOAT_EQ(CheckLoadedGamma(g_tagStates[kRowGamma], 2, 9.0f), 1.0f);
  EXPECT_FLOAT_EQ(CheckLoadedGamma(g_tagStates[kRowGamma], 1, 1.0f), 1.0f);
  FloatRange(kRowGamma, 0.0f, 4.0f, 0.0f);  // a zero step must not give NaN
  EXPECT_FLOAT_EQ(CheckLoadedGamma(g_tagStates[kRowGamma], 0, 2.2f), 2.2f);
  FloatList(kRowGamma, {1.0f, 1.8f});
  EXPECT_FLOAT_EQ(CheckLoadedGamma(g_tagStates[kRowGamma], 0, 2.0f), 2.2f);
  EXPECT_FLOAT_EQ(CheckLoadedGamma(g_tagStates[kRowGamma], 0, 1.8f), 1.8f);
}

TEST_F(LoadChecks, FilterOutsideTheChannelsPicksTheMaster) {
  for (int32_t f : {-1, 4, 7, 255, 32767}) EXPECT_EQ(ChannelIndexFor(f), 0) << f;
  for (int32_t f : {0, 1, 2, 3}) EXPECT_EQ(ChannelIndexFor(f), f);
}

TEST(FileNames, ExtensionsDecideTheFormatAndMissingOnesAreAppended) {
  struct Case { const char* text; int32_t format; const char* stored; int32_t newFormat; };
  const Case cases[] = {
      {"scan", 0, "scan.tif", 0},
      {"scan.PCX", 0, "scan.PCX", 7},
      {"c:\\out.dir\\scan", 2, "c:\\out.dir\\scan.jpg", 2},
      {"c:\\out.dir\\page.Jpeg", 0, "c:\\out.dir\\page.Jpeg", 2},
      {"page.djv", 0, "page.djv", 6},
      {"page.xyz", 3, "page.xyz", 3},
      {"page", 5, "page", 5},
      {"page", 8, "page.tga", 8},
  };
  for (const Case& c : cases) {
    char out[kFileNameSize];
    int32_t format = -2;
    ASSERT_EQ(ApplyFileName(c.text, c.format, out, &format), 0) << c.text;
    EXPECT_STREQ(out, c.stored);
    EXPECT_EQ(format, c.newFormat) << c.text;
  }
}

TEST(FileNames, NamesThatDoNotFitAreRefused) {
  char out[kFileNameSize];
  int32_t format = 0;
  std::string fits(124, 'a');
  EXPECT_EQ(ApplyFileName(fits.c_str(), 0, out, &format), 0);
  EXPECT_EQ(std::strlen(out), 128u);
  std::string full(128, 'a');
  EXPECT_EQ(ApplyFileName(full.c_str(), 0, out, &format), -8);  // no room for ".tif"
  EXPECT_EQ(ApplyFileName((full + ".tif").c_str(), 0, out, &format), -8);
  std::string withExt(124, 'a');
  withExt += ".tif";
  EXPECT_EQ(ApplyFileName(withExt.c_str(), 1, out, &format), 0);
  EXPECT_EQ(format, 0);
}

TEST(ScanPropRec, FieldsSitWhereCallersPutThem) {
  TScanPropRec r{};
  r.XRes = 0x11223344;
  r.Size.Left = 1.5f;
  r.ShowUI = 0xABCD;
  unsigned char bytes[44];
  std::memcpy(bytes, &r, 44);
  EXPECT_EQ(bytes[6], 0x44);
  EXPECT_EQ(bytes[9], 0x11);
  float left;
  std::memcpy(&left, bytes + 26, 4);
  EXPECT_EQ(left, 1.5f);
  EXPECT_EQ(bytes[42], 0xCD);
  EXPECT_EQ(bytes[43], 0xAB);
}

}  // namespace
