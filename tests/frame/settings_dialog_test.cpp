// The scanner settings dialog's rules, without a window.
#include <gtest/gtest.h>

#include "dialog_test_texts.h"
#include "settings_dialog.h"
#include "step_rounding.h"
#include "tag_ids.h"

namespace {

SettingsSnapshot Scanner() {
  SettingsSnapshot s;
  s.productName = "ZS-3000";
  s.units = 2;
  s.pixelType = ListOf({0, 1, 2, 255}, 0, 0);
  s.bitsPerPixel = 1;
  s.dithers = {"None", "Bayer", "Halftone"};
  s.dither = "None";
  s.resolution = ListOf({75, 100, 150, 200, 240, 300, 400, 600}, 300, 300);
  s.scanType = ListOf({0, 1, 2}, 1, 0);
  s.pageSize = ListOf({0, 1, 2, 3, 5, 6}, 2, 2);
  s.feederType = ListOf({0, 1}, 0, 0);
  s.brightness = RangeOf(0, 255, 1, 128, 128);
  s.contrast = RangeOf(0, 255, 1, 128, 128);
  s.papers = ScannerPapers();
  return s;
}

const TagWrite* Find(const std::vector<TagWrite>& writes, uint16_t tag) {
  for (const TagWrite& w : writes)
    if (w.tag == tag && w.kind != TagWrite::kPageStyle) return &w;
  return nullptr;
}

int32_t Written(const SettingsModel& m, uint16_t tag) {
  const std::vector<TagWrite> w = m.OkWrites();
  const TagWrite* t = Find(w, tag);
  return t ? t->number : -12345;
}

TEST(SettingsDialog, OkWritesEveryValueInItsOrder) {
  SettingsModel m(Scanner(), EnglishLabels());
  std::vector<uint16_t> tags;
  for (const TagWrite& w : m.OkWrites()) tags.push_back(w.kind == TagWrite::kPageStyle ? 0 : w.tag);
  const std::vector<uint16_t> expected = {kTagUnits, kTagPixelType, kTagBitsPerPixel, kTagGamma,
                                          kTagScanType, kTagDither, kTagPageSize, kTagXPosition,
                                          kTagYPosition, kTagImageWidth, kTagImageLength,
                                          kTagXResolution, kTagYResolution, 0, kTagFeederType,
                                          kTagBrightness, kTagContrast};
  EXPECT_EQ(tags, expected);
  EXPECT_EQ(m.caption(), "ZS-3000 - Scanner Settings");
}

// Entries keep their values: lists with missing labels or values missing from the front pick
// and store the value shown, never the entry's position.
TEST(SettingsDialog, EntriesStandForTheirOwnValues) {
  SettingsSnapshot s = Scanner();
  s.pixelType = ListOf({1, 2}, 2, 1);           // no black-and-white
  s.scanType = ListOf({0, 1, 2}, 1, 1);
  s.pageSize = ListOf({0, 1, 2, 5}, 5, 2);
  // Blank labels in the file: those values are left out of the lists.
  SettingsModel m(s, TextsFrom({{"IMAGETYPE1", "Gray"}, {"IMAGETYPE2", "Color"},
                                {"SCANMETHOD0", ""}, {"SCANMETHOD1", "Feeder"},
                                {"SCANMETHOD2", "Flatbed"}, {"PAPERSIZE0", ""}, {"PAPERSIZE1", ""},
                                {"PAPERSIZE2", "Letter"}, {"PAPERSIZE5", "A4"}}));
  ASSERT_EQ(m.imageTypes().size(), 2u);
  EXPECT_EQ(m.imageTypeEntry(), 1);
  EXPECT_EQ(m.scanMethodEntry(), 0);  // "Feeder" is the first labelled method
  EXPECT_EQ(m.pageSizeEntry(), 1);
  EXPECT_EQ(Written(m, kTagPixelType), 2);
  EXPECT_EQ(Written(m, kTagScanType), 1);
  EXPECT_EQ(Written(m, kTagPageSize), 5);
  m.PickScanMethod(1);
  EXPECT_EQ(Written(m, kTagScanType), 2);
  m.PickImageType(0);
  EXPECT_EQ(Written(m, kTagPixelType), 1);
  EXPECT_EQ(Written(m, kTagBitsPerPixel), 8);
}

// Lists left empty (every label blank, built-in ones included): the stored values stay.
TEST(SettingsDialog, WithEmptyListsTheStoredValuesStay) {
  SettingsSnapshot s = Scanner();
  s.pixelType.current = 1;
  s.scanType.current = 2;
  s.pageSize.current = 3;
  SettingsModel m(s, [](const char*, const char*, int) { return std::string(); });
  EXPECT_TRUE(m.imageTypes().empty());
  m.PickImageType(0);  // nothing to pick
  m.Default();
  EXPECT_EQ(Written(m, kTagPixelType), 1);
  EXPECT_EQ(Written(m, kTagScanType), 2);
  EXPECT_EQ(Written(m, kTagPageSize), 3);
}

TEST(SettingsDialog, DefaultSelectsTheDefaultValues) {
  SettingsSnapshot s = Scanner();
  s.pixelType = ListOf({0, 1, 2, 255}, 2, 1);
  s.scanType = ListOf({0, 1, 2}, 2, 1);
  s.pageSize = ListOf({0, 1, 2, 3, 5, 6}, 6, 5);
  s.feederType = ListOf({0, 1}, 0, 1);
  s.resolution.deflt = 200;
  s.brightness.deflt = 100;
  SettingsModel m(s, TextsFrom({{"IMAGETYPE1", "Gray"}, {"IMAGETYPE2", "Color"},
                                {"SCANMETHOD1", "Feeder"}, {"SCANMETHOD2", "Flatbed"},
                                {"PAPERSIZE5", "A4"}, {"PAPERSIZE6", "A5"}}));
  m.SetBrightness(10);
  m.Default();
  EXPECT_EQ(m.imageType(), 1);
  EXPECT_EQ(m.work().scanMethod, 1);  // the feeder, not the entry at position 1
  EXPECT_EQ(m.work().paper, 5);
  EXPECT_EQ(m.work().side, 1);
  EXPECT_EQ(m.resolution(), 200);
  EXPECT_EQ(m.brightness().value, 100);
  EXPECT_EQ(m.work().width, 2480);
  EXPECT_EQ(m.work().x, 0);  // the feeder starts at the edge
}

TEST(SettingsDialog, ResolutionListAndTypedValues) {
  EXPECT_EQ(ResolutionList(RangeOf(75, 600, 1, 300)), (std::vector<int32_t>{75, 100, 200, 300, 400, 500, 600}));
  EXPECT_EQ(ResolutionList(RangeOf(100, 250, 1, 100)), (std::vector<int32_t>{100, 200}));
  const TagChoices list = ListOf({75, 100, 150, 200, 240, 300, 400, 600}, 300);
  EXPECT_EQ(ResolutionList(list), list.items);
  struct Case { int32_t typed, stored; } cases[] = {{250, 240}, {170, 150}, {175, 150}, {5000, 600},
                                                    {0, 75}, {-3, 75}, {400, 400}};
  for (const Case& c : cases) EXPECT_EQ(SnapResolution(list, c.typed), c.stored) << c.typed;
  EXPECT_EQ(SnapResolution(RangeOf(75, 600, 1, 300), 9000), 600);

  SettingsModel m(Scanner(), EnglishLabels());
  m.TypeResolution(250);
  EXPECT_EQ(Written(m, kTagXResolution), 240);
  EXPECT_EQ(Written(m, kTagYResolution), 240);
  m.TypeResolution(9000);
  m.EndResolutionTyping();
  EXPECT_EQ(m.resolution(), 600);
  m.PickResolution(3);
  EXPECT_EQ(Written(m, kTagXResolution), 200);
}

TEST(SettingsDialog, PageSidesFollowFeederTypeAndScanMethod) {
  SettingsSnapshot s = Scanner();
  s.feederType = ListOf({0, 1}, 2);  // a stored Rear the scanner does not offer
  SettingsModel m(s, EnglishLabels());
  EXPECT_TRUE(m.sideEnabled(1));
  EXPECT_FALSE(m.sideEnabled(2));
  EXPECT_EQ(m.work().side, 0);
  m.SetSide(2);
  EXPECT_EQ(Written(m, kTagFeederType), 0);
  m.SetSide(1);
  EXPECT_EQ(Written(m, kTagFeederType), 1);
  m.PickScanMethod(2);  // the flatbed has one side
  EXPECT_FALSE(m.sideEnabled(1));
  EXPECT_EQ(m.work().side, 0);

  s.feederType = ListOf({0}, 0);
  SettingsModel simplex(s, EnglishLabels());
  EXPECT_FALSE(simplex.sideEnabled(1));
  EXPECT_FALSE(simplex.sideEnabled(2));
}

TEST(SettingsDialog, ImageTypeSetsDepthAndGamma) {
  SettingsSnapshot s = Scanner();
  s.gamma = {1.0f, 1.5f, 1.6f, 1.7f};
  SettingsModel m(s, EnglishLabels());
  EXPECT_TRUE(m.ditherEnabled());
  m.PickImageType(1);
  EXPECT_FALSE(m.ditherEnabled());
  EXPECT_EQ(m.bitsPerPixel(), 8);
  EXPECT_FLOAT_EQ(m.gamma()[0], 2.2f);
  EXPECT_FLOAT_EQ(m.gamma()[1], 1.5f);
  m.PickImageType(2);
  EXPECT_EQ(m.bitsPerPixel(), 24);
  EXPECT_FLOAT_EQ(m.gamma()[0], 2.2f);
  m.PickImageType(0);
  EXPECT_EQ(m.bitsPerPixel(), 1);
  EXPECT_FLOAT_EQ(m.gamma()[0], 1.0f);
  EXPECT_FLOAT_EQ(m.gamma()[3], 1.7f);
  m.PickDither(2);
  const std::vector<TagWrite> w = m.OkWrites();
  EXPECT_EQ(Find(w, kTagDither)->text, "Halftone");
}

TEST(SettingsDialog, BrightnessIsClampedAndWrittenOnTheCallersScale) {
  SettingsSnapshot s = Scanner();
  s.brightness = RangeOf(-100, 100, 1, 20);
  s.contrast = RangeOf(0, 255, 1, 128);
  SettingsModel m(s, EnglishLabels());
  EXPECT_EQ(m.brightness().value, 20);
  m.SetBrightness(500);
  EXPECT_EQ(m.brightness().value, 100);
  EXPECT_EQ(Written(m, kTagBrightness), 1000);
  EXPECT_EQ(Written(m, kTagContrast), 0);
  m.SetContrast(-4);
  EXPECT_EQ(Written(m, kTagContrast), -1000);
  m.SetBrightness(-100 + 1);
  EXPECT_EQ(MapFromCallerScale(Written(m, kTagBrightness), -100, 100, 1), -99);
}

TEST(SettingsDialog, CallerScaleOfADriverValueMapsBack) {
  struct Range { int32_t min, max, step; } ranges[] = {{0, 255, 1}, {-100, 100, 1}, {0, 10, 1},
                                                       {-1000, 1000, 1}, {0, 2000, 1}, {0, 254, 2}};
  for (const Range& r : ranges)
    for (int32_t v = r.min; v <= r.max; v += r.step)
      ASSERT_EQ(MapFromCallerScale(CallerScaleFor(v, r.min, r.max, r.step), r.min, r.max, r.step), v)
          << r.min << ".." << r.max << " value " << v;
  EXPECT_EQ(CallerScaleFor(128, 0, 255, 1), 0);
  EXPECT_EQ(CallerScaleFor(0, -100, 100, 1), 0);
  EXPECT_EQ(CallerScaleFor(5, 5, 5, 1), 0);
}

TEST(SettingsDialog, LandscapeOnlyWhenTheTurnedPaperFits) {
  SettingsSnapshot s = Scanner();
  s.pageSize.current = 3;  // Legal: 14 inch long, the device is 8.5 inch wide
  s.pageStyleRead = true;
  s.pageStyle = 1;
  SettingsModel m(s, EnglishLabels());
  EXPECT_FALSE(m.landscapeEnabled());
  EXPECT_EQ(m.work().landscape, 0);
  EXPECT_EQ(m.work().width, 2550);
  EXPECT_EQ(m.work().length, 4200);
  m.SetLandscape(true);
  EXPECT_EQ(m.work().landscape, 0);

  s.pageSize.current = 6;  // A5 turns within the device
  SettingsModel a5(s, EnglishLabels());
  EXPECT_TRUE(a5.landscapeEnabled());
  EXPECT_EQ(a5.work().landscape, 1);
  EXPECT_EQ(a5.work().width, 2480);
  EXPECT_EQ(a5.work().length, 1748);
  a5.SetLandscape(false);
  EXPECT_EQ(a5.work().width, 1748);
  const std::vector<TagWrite> w = a5.OkWrites();
  for (const TagWrite& t : w)
    if (t.kind == TagWrite::kPageStyle) EXPECT_EQ(t.number, 0);
}

TEST(SettingsDialog, APickedPaperIsCentredForTheAutomaticMethod) {
  SettingsSnapshot s = Scanner();
  s.scanType.current = 0;
  SettingsModel m(s, EnglishLabels());
  m.PickPageSize(5);  // A5
  EXPECT_EQ(m.work().paper, 6);
  EXPECT_EQ(m.work().x, (2550 - 1748) / 2);
  EXPECT_EQ(m.work().y, 0);
  m.PickScanMethod(1);
  m.PickPageSize(4);  // A4
  EXPECT_EQ(m.work().x, 0);
  EXPECT_EQ(m.work().width, 2480);
}

TEST(SettingsDialog, AreaIsWrittenInTheUnit) {
  EXPECT_NEAR(AreaInUnit(2550, 0), 8.5f, 1e-5);
  EXPECT_NEAR(AreaInUnit(300, 1), 2.54f, 1e-5);
  EXPECT_EQ(AreaInUnit(64, 2), 64.0f);
  SettingsModel m(Scanner(), EnglishLabels());
  DialogWorkRecord w = m.work();
  w.unit = 0;
  w.x = 300;
  w.width = 600;
  m.AreaChosen(w);
  const std::vector<TagWrite> writes = m.OkWrites();
  EXPECT_EQ(Find(writes, kTagUnits)->number, 0);
  EXPECT_NEAR(Find(writes, kTagXPosition)->real, 1.0f, 1e-5);
  EXPECT_NEAR(Find(writes, kTagImageWidth)->real, 2.0f, 1e-5);
}

TEST(SettingsDialog, AnEmptyMaximumBecomesLetter) {
  SettingsSnapshot s = Scanner();
  s.papers = PaperTable{};
  SettingsModel m(s, EnglishLabels());
  EXPECT_EQ(m.work().maxWidth, 2550);
  EXPECT_EQ(m.work().maxLength, 3300);
  EXPECT_EQ(m.work().width, 2550);
}

}  // namespace
