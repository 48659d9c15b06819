// The scanner settings form's model: settings into controls and back, the enabling rules, the
// quality check, Default, the folder and the function presets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memory_ini.h"
#include "scan_form_model.h"

namespace tarnwick {
namespace {

// Every setting as the settings file would hold it, to compare whole sets.
std::map<std::string, std::string, NoCaseLess> Dump(const TarnwickSettings& s) {
  MemoryIni ini;
  SaveSettings(ini, s, "");
  return ini.sections["Settings"];
}

// The choices of a scanner like the simulated one: both methods, duplex, 600 dpi, Legal.
ScannerChoices LegalScanner() {
  ScannerChoices c;
  c.feederAvailable = c.duplexAvailable = true;
  c.maxWidth = 8.5f;
  c.maxHeight = 14.0f;
  c.resolutions = ResolutionChoicesUpTo(600);
  c.papers = PaperChoicesFor(c.maxWidth, &c.maxHeight);
  c.filterTextIds = FilterChoiceTextIds();
  return c;
}

class ScanForm : public ::testing::Test {
 protected:
  ScanFormModel& Show() {
    model_ = std::make_unique<ScanFormModel>(choices, settings, settingsFile, programIni);
    model_->FormShow();
    return *model_;
  }
  ScannerChoices choices = LegalScanner();
  TarnwickSettings settings;
  MemoryIni settingsFile, programIni;
  std::unique_ptr<ScanFormModel> model_;
};

TEST_F(ScanForm, ShowLoadsTheSettingsAndApplyWritesThemBack) {
  settings.imageType = 1;
  settings.size = 3;
  settings.resolution = 4;
  settings.scanMethod = 1;
  settings.duplex = true;
  settings.brightness = 30;
  settings.contrast = -20;
  settings.filter = 1;
  settings.saveFormat = 4;
  settings.jpegQualty = 80;
  settings.invert = settings.fitToPage = settings.autoCrop = true;
  settings.path = "d:\\scans";
  const auto before = Dump(settings);
  ScanFormModel& m = Show();
  const ScanFormControls& c = m.controls;
  EXPECT_EQ(c.imageType, 1);
  EXPECT_EQ(c.papers[c.paper].index, 3);
  EXPECT_EQ(c.resolutions[c.resolution].text, "300");
  EXPECT_EQ(c.scanMethod, 1);
  EXPECT_TRUE(c.scanMethodEnabled);
  EXPECT_TRUE(c.duplex);
  EXPECT_FALSE(c.duplexEnabled) << "flatbed";
  EXPECT_EQ(c.brightness, 30);
  EXPECT_EQ(c.contrast, -20);
  EXPECT_EQ(c.filter, 1);
  EXPECT_TRUE(c.filterEnabled);
  EXPECT_EQ(c.saveFormat, 4);
  EXPECT_EQ(c.quality, "80");
  EXPECT_TRUE(c.qualityShown);
  EXPECT_EQ(c.qualityLabelId, kQualityLabelJpeg);
  EXPECT_EQ(c.path, "d:\\scans");
  EXPECT_TRUE(c.applyEnabled);

  EXPECT_EQ(m.ApplyBtnClick(), ApplyResult::Applied);
  EXPECT_EQ(Dump(settings), before);
  EXPECT_FALSE(m.controls.applyEnabled);
  EXPECT_TRUE(settingsFile.sections.empty()) << "presets off: nothing written at Apply";
}

struct BeyondCase {
  const char* name;
  int maxDpi;
  float width, height;
  int size, resolution;          // stored
  int sizeShown, resolutionShown;  // the entries' table indexes selected
};

class ScanFormBeyondList : public ScanForm, public ::testing::WithParamInterface<BeyondCase> {};

TEST_P(ScanFormBeyondList, AStoredIndexBeyondTheListSelectsTheNearestEntry) {
  const BeyondCase& b = GetParam();
  choices.resolutions = ResolutionChoicesUpTo(b.maxDpi);
  float h = b.height;
  choices.papers = PaperChoicesFor(b.width, &h);
  settings.size = b.size;
  settings.resolution = b.resolution;
  ScanFormModel& m = Show();
  ASSERT_GE(m.controls.paper, 0);
  ASSERT_GE(m.controls.resolution, 0);
  EXPECT_EQ(m.controls.papers[m.controls.paper].index, b.sizeShown);
  EXPECT_EQ(m.controls.resolutions[m.controls.resolution].index, b.resolutionShown);
  ASSERT_EQ(m.ApplyBtnClick(), ApplyResult::Applied);
  EXPECT_EQ(settings.size, b.sizeShown);
  EXPECT_EQ(settings.resolution, b.resolutionShown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScanFormBeyondList,
    ::testing::Values(BeyondCase{"resolution_10_of_5", 300, 8.5f, 14.0f, 1, 10, 1, 4},
                      BeyondCase{"a3_of_5_papers", 600, 8.5f, 14.0f, 5, 2, 4, 2},
                      BeyondCase{"a4_landscape_of_7", 600, 11.69f, 17.0f, 6, 9, 6, 9},
                      BeyondCase{"a3_of_7_papers", 600, 11.69f, 17.0f, 5, 2, 4, 2},
                      BeyondCase{"card_only", 2400, 4.0f, 6.0f, 0, 11, 4, 11}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScanForm, TheSevenPaperListStoresTheTableIndexOfTheChosenEntry) {
  choices.maxWidth = 11.69f;
  choices.maxHeight = 17.0f;
  choices.papers = PaperChoicesFor(choices.maxWidth, &choices.maxHeight);
  ScanFormModel& m = Show();
  ASSERT_EQ(m.controls.papers.size(), 7u);
  ASSERT_EQ(m.controls.papers[5].text, "A4 - 29.7 x 21.0 cm");
  m.controls.paper = 5;
  m.PaperSizeComboBoxChange();
  ASSERT_EQ(m.ApplyBtnClick(), ApplyResult::Applied);
  EXPECT_EQ(settings.size, 6) << "A4 landscape, not A3";
}

TEST_F(ScanForm, QualityMustBeAWholeNumberFrom2To255WhateverTheFormat) {
  struct Case {
    int format;
    const char* text;
    bool accepted;
  } cases[] = {{4, "1", false},   {4, "256", false}, {4, "abc", false}, {4, "12x", false},
               {4, "", false},    {4, "-5", false},  {4, "99999999999", false},
               {6, "1", false},   // BMP/TIFF: the edit is hidden and still checked
               {4, "2", true},    {4, "255", true},  {4, " 80 ", true}, {6, "25", true}};
  for (const Case& k : cases) {
    settings = TarnwickSettings{};
    ScanFormModel& m = Show();
    m.controls.saveFormat = k.format;
    m.SaveFmtCombxChange();
    m.controls.quality = k.text;
    m.controls.imageType = 2;  // an edit that would change a setting
    const auto before = Dump(settings);
    const ApplyResult r = m.ApplyBtnClick();
    EXPECT_EQ(r == ApplyResult::Applied, k.accepted) << '"' << k.text << '"';
    if (!k.accepted) {
      EXPECT_EQ(Dump(settings), before) << '"' << k.text << "\": nothing stored";
      EXPECT_TRUE(m.controls.applyEnabled);
      EXPECT_EQ(m.OkBtnClick(), ApplyResult::BadQuality) << "OK keeps the dialog open";
    }
  }
}

TEST_F(ScanForm, JpegStoresTheQualityAndPngStoresOne) {
  for (const char* text : {"2", "90", "255"}) {
    ScanFormModel& m = Show();
    m.controls.saveFormat = kSaveFormatPng;
    m.SaveFmtCombxChange();
    EXPECT_EQ(m.controls.qualityLabelId, kQualityLabelPng);
    m.controls.quality = text;
    ASSERT_EQ(m.ApplyBtnClick(), ApplyResult::Applied);
    EXPECT_EQ(settings.png, 1) << text;
    EXPECT_EQ(settings.jpegQualty, 25) << "JPEG quality untouched";
  }
  ScanFormModel& m = Show();
  m.controls.saveFormat = kSaveFormatJpeg;
  m.controls.quality = "90";
  ASSERT_EQ(m.ApplyBtnClick(), ApplyResult::Applied);
  EXPECT_EQ(settings.jpegQualty, 90);
  EXPECT_EQ(settings.saveFormat, kSaveFormatJpeg);
}

TEST_F(ScanForm, SaveFormatShowsTheQualityEditOnlyForJpegAndPng) {
  ScanFormModel& m = Show();
  for (int format = 0; format < kSaveFormatCount; ++format) {
    m.controls.saveFormat = format;
    m.SaveFmtCombxChange();
    const bool edit = format == kSaveFormatJpeg || format == kSaveFormatPng;
    EXPECT_EQ(m.controls.qualityShown, edit) << format;
    EXPECT_EQ(m.controls.rangeShown, edit) << format;
  }
}

TEST_F(ScanForm, FilterFollowsTheListAndColourLeavesItAlone) {
  struct Case {
    int imageType, filterItem;
    size_t items;
    int stored;
  } cases[] = {{0, 1, 4, 1}, {1, 0, 4, 0}, {1, 3, 4, 3}, {2, 0, 4, 3},
               {0, 0, 3, 1}, {1, 2, 3, 3}};  // the three-channel list starts at R
  for (const Case& k : cases) {
    settings = TarnwickSettings{};  // "Filter" 3
    choices.filterTextIds = k.items == 4 ? FilterChoiceTextIds() : std::vector<int>{522, 523, 524};
    ScanFormModel& m = Show();
    m.controls.imageType = k.imageType;
    m.ScanColorResolutionComboChange();
    EXPECT_EQ(m.controls.filterEnabled, k.imageType != 2);
    m.controls.filter = k.filterItem;
    ASSERT_EQ(m.ApplyBtnClick(), ApplyResult::Applied);
    EXPECT_EQ(settings.filter, k.stored) << k.imageType << " " << k.filterItem << " " << k.items;
  }
}

TEST_F(ScanForm, ImageTypeRuleForTheTrackBarsAndFilter) {
  settings.imageType = 1;
  settings.brightness = 40;
  ScanFormModel& m = Show();
  EXPECT_TRUE(m.controls.trackBarsEnabled);
  EXPECT_TRUE(m.controls.slidersShown);
  EXPECT_EQ(m.controls.brightness, 40);
  m.controls.imageType = 0;
  m.ScanColorResolutionComboChange();
  EXPECT_FALSE(m.controls.trackBarsEnabled);
  EXPECT_FALSE(m.controls.slidersShown);
  EXPECT_EQ(m.controls.brightness, 0);
  EXPECT_TRUE(m.controls.filterEnabled);
  m.controls.imageType = 2;
  m.ScanColorResolutionComboChange();
  EXPECT_TRUE(m.controls.trackBarsEnabled);
  EXPECT_TRUE(m.controls.slidersShown);
  EXPECT_FALSE(m.controls.filterEnabled);
}

TEST_F(ScanForm, DefaultAppliesAtOnceSoCancelKeepsTheDefaults) {
  settings.imageType = 2;
  settings.size = 0;
  settings.resolution = 9;
  settings.scanMethod = 1;
  settings.duplex = settings.showUI = settings.invert = settings.autoCrop = true;
  settings.thumnailShow = settings.dontSaveImage = settings.fitToPage = true;
  settings.brightness = settings.contrast = 50;
  settings.saveFormat = 11;
  settings.filter = 0;
  settings.path = "d:\\elsewhere";
  ScanFormModel& m = Show();
  EXPECT_FALSE(m.controls.listsEnabled) << "device window";
  ASSERT_EQ(m.DefaultBtnClick(), ApplyResult::Applied);
  // Cancel: the dialog closes without another Apply.
  TarnwickSettings want;
  want.filter = 2;  // G
  want.path = "c:\\temp";
  EXPECT_EQ(Dump(settings), Dump(want));
  EXPECT_TRUE(m.controls.listsEnabled);
  EXPECT_EQ(m.controls.path, "c:\\temp");
}

struct MethodCase {
  const char* name;
  bool feeder, forced;
  int setting;
  bool enabled;
  int shown;
};

class ScanFormMethods : public ScanForm, public ::testing::WithParamInterface<MethodCase> {};

TEST_P(ScanFormMethods, GroupByTheScannersMethods) {
  const MethodCase& k = GetParam();
  choices.feederAvailable = k.feeder;
  choices.methodForced = k.forced;
  settings.scanMethod = k.setting;
  ScanFormModel& m = Show();
  EXPECT_EQ(m.controls.scanMethodEnabled, k.enabled);
  EXPECT_EQ(m.controls.scanMethod, k.shown);
  // Default keeps the only method a scanner takes.
  ASSERT_EQ(m.DefaultBtnClick(), ApplyResult::Applied);
  EXPECT_EQ(settings.scanMethod, k.enabled ? 0 : k.shown);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScanFormMethods,
                         ::testing::Values(MethodCase{"both_flatbed_set", true, false, 1, true, 1},
                                           MethodCase{"both_feeder_set", true, false, 0, true, 0},
                                           MethodCase{"feeder_only", true, true, 0, false, 0},
                                           MethodCase{"flatbed_only", false, true, 1, false, 1},
                                           MethodCase{"neither", false, false, 0, false, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScanForm, DeviceWindowDisablesWhatTheScannersWindowSetsAndUncheckingReloads) {
  settings.imageType = 1;
  settings.brightness = 20;
  settings.duplex = true;
  ScanFormModel& m = Show();
  m.controls.showUI = true;
  m.UICheckBoxClick();
  EXPECT_FALSE(m.controls.listsEnabled);
  EXPECT_FALSE(m.controls.filterEnabled);
  EXPECT_FALSE(m.controls.scanMethodEnabled);
  EXPECT_FALSE(m.controls.duplexEnabled);
  EXPECT_FALSE(m.controls.invertEnabled);
  EXPECT_FALSE(m.controls.trackBarsEnabled);
  m.controls.thumbnails = true;
  m.PaperSizeComboBoxChange();  // another edit does not give duplex back
  EXPECT_FALSE(m.controls.duplexEnabled);

  m.controls.brightness = 70;  // not applied
  m.controls.showUI = false;
  m.UICheckBoxClick();
  EXPECT_TRUE(m.controls.listsEnabled);
  EXPECT_TRUE(m.controls.trackBarsEnabled);
  EXPECT_TRUE(m.controls.duplexEnabled);
  EXPECT_EQ(m.controls.brightness, 20) << "reloaded from the settings";
  EXPECT_TRUE(m.controls.duplex);
}

TEST_F(ScanForm, DuplexOnlyWithTheFeederOfADuplexScanner) {
  settings.duplex = true;
  ScanFormModel& m = Show();
  EXPECT_TRUE(m.controls.duplexEnabled);
  m.controls.scanMethod = 1;
  m.PaperSizeComboBoxChange();
  EXPECT_FALSE(m.controls.duplexEnabled);
  m.controls.scanMethod = 0;
  m.PaperSizeComboBoxChange();
  EXPECT_TRUE(m.controls.duplexEnabled);

  choices.duplexAvailable = false;
  ScanFormModel& simplex = Show();
  EXPECT_FALSE(simplex.controls.duplex);
  EXPECT_FALSE(simplex.controls.duplexEnabled);
  ASSERT_EQ(simplex.ApplyBtnClick(), ApplyResult::Applied);
  EXPECT_FALSE(settings.duplex);
}

TEST_F(ScanForm, APresetFillsTheControlsAndReachesTheSettingsOnlyThroughApply) {
  auto& s3 = programIni.sections["3"];
  s3["Image Type"] = "2";
  s3["Size"] = "7";  // not on this scanner's list: the nearest entry
  s3["Resolution"] = "40";
  s3["Brightness"] = "500";
  s3["Contrast"] = "-30";
  s3["Path"] = "d:\\preset";
  s3["Save Format"] = "4";
  s3["Invert"] = "1";
  s3["Fittopage"] = "1";
  settings.funcbtn = true;
  const auto before = Dump(settings);
  ScanFormModel& m = Show();
  EXPECT_TRUE(m.controls.presetsEnabled);
  m.controls.preset = 3;
  m.FuncRaidoBoxClick();
  const ScanFormControls& c = m.controls;
  EXPECT_EQ(c.imageType, 2);
  EXPECT_EQ(c.papers[c.paper].index, 4);
  EXPECT_EQ(c.resolutions[c.resolution].text, "600");
  EXPECT_EQ(c.brightness, 100);
  EXPECT_EQ(c.contrast, -30);
  EXPECT_EQ(c.path, "d:\\preset");
  EXPECT_EQ(c.saveFormat, 4);
  EXPECT_TRUE(c.qualityShown);
  EXPECT_TRUE(c.invert);
  EXPECT_TRUE(c.duplex) << "the preset's default";
  EXPECT_TRUE(c.fitPage);
  EXPECT_FALSE(c.dontSave);
  EXPECT_EQ(Dump(settings), before);

  ASSERT_EQ(m.ApplyBtnClick(), ApplyResult::Applied);
  EXPECT_EQ(settings.imageType, 2);
  EXPECT_EQ(settings.size, 4);
  EXPECT_EQ(settings.resolution, 9);
  EXPECT_EQ(settings.path, "c:\\temp") << "the path edit is not applied";
  // The settings file gets the preset index and the settings at once.
  EXPECT_EQ(settingsFile.ReadString("Settingss", "Items", ""), "3");
  EXPECT_EQ(settingsFile.ReadString("Settings", "Image Type", ""), "2");
  EXPECT_EQ(settingsFile.ReadString("Settings", "FitToPage", ""), "1") << "the same key";
  EXPECT_EQ(settingsFile.KeyCount("Settings"), 16u);
}

TEST_F(ScanForm, AMissingPresetGivesItsDefaults) {
  settings.funcbtn = true;
  ScanFormModel& m = Show();
  m.controls.preset = 9;
  m.FuncRaidoBoxClick();
  EXPECT_EQ(m.controls.imageType, 0);
  EXPECT_EQ(m.controls.papers[m.controls.paper].index, 0);
  EXPECT_EQ(m.controls.resolutions[m.controls.resolution].index, 2);
  EXPECT_EQ(m.controls.saveFormat, 0);
  EXPECT_EQ(m.controls.path, "c:\\temp");
  EXPECT_TRUE(m.controls.duplex);
  m.controls.presets = false;
  m.FuncCheckBoxClick();
  EXPECT_FALSE(m.controls.presetsEnabled);
}

TEST_F(ScanForm, AChosenFolderIsTheBatchRootAtOnce) {
  ScanFormModel& m = Show();
  m.FolderChosen("");
  EXPECT_EQ(settings.path, "c:\\temp");
  m.FolderChosen("e:\\batches");
  EXPECT_EQ(settings.path, "e:\\batches");
  EXPECT_EQ(m.controls.path, "e:\\batches");
  settings.path = "";
  Show();
  EXPECT_EQ(settings.path, "c:\\temp") << "an empty root shows as c:\\temp";
}

}  // namespace
}  // namespace tarnwick
