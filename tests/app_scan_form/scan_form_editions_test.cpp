// The scanner settings form's rules where the two editions differ: what a show runs, the image
// type and device-window rules, Default, the quality message and where the presets write.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "memory_ini.h"
#include "scan_form_model.h"

namespace tarnwick {
namespace {

ScannerChoices DuplexScanner() {
  ScannerChoices c;
  c.feederAvailable = c.duplexAvailable = true;
  c.maxWidth = 8.5f;
  c.maxHeight = 14.0f;
  c.resolutions = ResolutionChoicesUpTo(600);
  c.papers = PaperChoicesFor(c.maxWidth, &c.maxHeight);
  c.filterTextIds = FilterChoiceTextIds();
  return c;
}

const char* Name(Edition e) { return e == Edition::kSecond ? "second" : "first"; }

class ScanFormEditions : public ::testing::TestWithParam<Edition> {
 protected:
  bool Second() const { return GetParam() == Edition::kSecond; }
  ScanFormModel& Create() {
    model_ = std::make_unique<ScanFormModel>(choices, settings, settingsFile, programIni, GetParam());
    return *model_;
  }
  ScanFormModel& Show() {
    Create().FormShow();
    return *model_;
  }
  ScannerChoices choices = DuplexScanner();
  TarnwickSettings settings;
  MemoryIni settingsFile, programIni;
  std::unique_ptr<ScanFormModel> model_;
};

TEST_P(ScanFormEditions, BlackAndWhiteKeepsItsTrackBarsOnlyInTheSecondEdition) {
  settings.imageType = 0;
  settings.brightness = 40;
  settings.contrast = -30;
  ScanFormModel& m = Show();
  EXPECT_EQ(m.controls.trackBarsEnabled, Second());
  EXPECT_EQ(m.controls.slidersShown, Second());
  EXPECT_EQ(m.controls.brightness, 40) << "the device-window rule reloads it in the first";
  EXPECT_TRUE(m.controls.filterEnabled);

  // Choosing a type afterwards: the second edition's rule touches only the filter list.
  struct Step {
    int type;
    bool filter, firstBars;
    int firstBrightness;
  } steps[] = {{1, true, true, 25}, {2, false, true, 25}, {0, true, false, 0},
               {-1, true, false, 25}};  // no type chosen: nothing changes
  for (const Step& s : steps) {
    m.controls.brightness = 25;
    m.controls.imageType = s.type;
    m.ScanColorResolutionComboChange();
    EXPECT_EQ(m.controls.filterEnabled, s.filter) << s.type;
    EXPECT_EQ(m.controls.trackBarsEnabled, Second() || s.firstBars) << s.type;
    EXPECT_EQ(m.controls.brightness, Second() ? 25 : s.firstBrightness) << s.type;
  }
  m.controls.imageType = 0;
  m.ScanColorResolutionComboChange();
  ASSERT_EQ(m.ApplyBtnClick(), ApplyResult::Applied);
  EXPECT_EQ(settings.brightness, Second() ? 25 : 0);
}

TEST_P(ScanFormEditions, PngHidesTheRangeOnlyInTheSecondEdition) {
  settings.saveFormat = kSaveFormatPng;
  ScanFormModel& m = Show();
  EXPECT_TRUE(m.controls.qualityShown);
  EXPECT_EQ(m.controls.qualityLabelId, kQualityLabelPng);
  EXPECT_EQ(m.controls.rangeShown, !Second());
  m.controls.saveFormat = kSaveFormatJpeg;
  m.SaveFmtCombxChange();
  EXPECT_TRUE(m.controls.rangeShown);
  m.controls.saveFormat = kSaveFormatPng;
  m.SaveFmtCombxChange();
  EXPECT_EQ(m.controls.rangeShown, !Second());
}

TEST_P(ScanFormEditions, EachShowPlacesTheQualityEditAsTheStoredFormatNeeds) {
  // The form keeps its controls between shows; a show must not leave what the last one placed.
  settings.saveFormat = kSaveFormatPng;
  ScanFormModel& m = Show();
  settings.saveFormat = kSaveFormatJpeg;
  m.FormShow();
  EXPECT_TRUE(m.controls.qualityShown);
  EXPECT_TRUE(m.controls.rangeShown);
  EXPECT_EQ(m.controls.qualityLabelId, kQualityLabelJpeg) << "not the PNG label of the last show";
  settings.saveFormat = 0;
  m.FormShow();
  EXPECT_FALSE(m.controls.qualityShown) << "BMP has no quality";
  EXPECT_FALSE(m.controls.rangeShown);
}

TEST_P(ScanFormEditions, ARefusedQualityKeepsTheDialogOpenAndAsksYesNoInTheSecondEdition) {
  ScanFormModel& m = Show();
  EXPECT_EQ(m.QualityMessageButtons(), Second() ? MessageButtons::YesNo : MessageButtons::Ok);
  m.controls.quality = "1";
  m.controls.imageType = 2;
  m.controls.resolution = 5;
  EXPECT_EQ(m.OkBtnClick(), ApplyResult::BadQuality) << "the dialog stays open";
  EXPECT_EQ(settings.imageType, 0);
  EXPECT_EQ(settings.resolution, 2);
  // The operator's edits are still there to be mended and applied.
  m.controls.quality = "80";
  EXPECT_EQ(m.OkBtnClick(), ApplyResult::Applied);
  EXPECT_EQ(settings.imageType, 2);
  EXPECT_EQ(settings.resolution, 5);
}

TEST_P(ScanFormEditions, PresetApplyWritesItsFileOfTheEdition) {
  settings.funcbtn = true;
  ScanFormModel& m = Show();
  m.controls.preset = 4;
  m.FuncRaidoBoxClick();
  m.controls.fitPage = true;
  ASSERT_EQ(m.ApplyBtnClick(), ApplyResult::Applied);
  MemoryIni& written = Second() ? programIni : settingsFile;
  MemoryIni& untouched = Second() ? settingsFile : programIni;
  EXPECT_EQ(written.ReadString("Settingss", "Items", ""), "4");
  EXPECT_EQ(written.ReadString("Settings", "FitToPage", ""), "1");
  EXPECT_EQ(written.KeyCount("Settings"), 16u);
  EXPECT_FALSE(untouched.Has("Settingss", "Items"));
  EXPECT_EQ(untouched.KeyCount("Settings"), 0u);
}

TEST_P(ScanFormEditions, DefaultLeavesTheFilterInTheSecondEdition) {
  settings.imageType = 2;
  settings.filter = 0;
  ScanFormModel& m = Show();
  ASSERT_FALSE(m.controls.filterEnabled);
  ASSERT_EQ(m.DefaultBtnClick(), ApplyResult::Applied);
  EXPECT_EQ(settings.imageType, 0);
  EXPECT_EQ(settings.filter, Second() ? 0 : 2);
  EXPECT_EQ(m.controls.filterEnabled, !Second()) << "the image-type rule runs only in the first";
  EXPECT_EQ(settings.saveFormat, kSaveFormatTiffPlain);
}

TEST_P(ScanFormEditions, DeviceWindowRuleForTheQualityEditAndTrackBars) {
  settings.imageType = 0;
  ScanFormModel& m = Show();
  m.controls.showUI = true;
  m.UICheckBoxClick();
  EXPECT_EQ(m.controls.qualityEnabled, !Second());
  EXPECT_FALSE(m.controls.trackBarsEnabled);
  EXPECT_FALSE(m.controls.listsEnabled);
  m.controls.showUI = false;
  m.UICheckBoxClick();
  EXPECT_TRUE(m.controls.qualityEnabled);
  EXPECT_EQ(m.controls.trackBarsEnabled, Second()) << "black-and-white";
  EXPECT_TRUE(m.controls.listsEnabled);
}

TEST_P(ScanFormEditions, TheDeviceWindowShownAtShowAndDroppedAfterACancel) {
  settings.showUI = true;
  ScanFormModel& m = Show();
  EXPECT_TRUE(m.controls.showUI);
  EXPECT_FALSE(m.controls.listsEnabled);
  EXPECT_FALSE(m.controls.scanMethodEnabled);
  EXPECT_FALSE(m.controls.trackBarsEnabled);
  EXPECT_EQ(m.controls.qualityEnabled, !Second());

  // Unchecked by Default (which applies), then the dialog shown again: nothing stays disabled.
  ASSERT_EQ(m.DefaultBtnClick(), ApplyResult::Applied);
  EXPECT_FALSE(settings.showUI);
  m.FormShow();
  EXPECT_TRUE(m.controls.listsEnabled);
  EXPECT_TRUE(m.controls.scanMethodEnabled);
  EXPECT_TRUE(m.controls.qualityEnabled);

  // Checked by the operator and cancelled: the next show follows the setting again.
  m.controls.showUI = true;
  m.UICheckBoxClick();
  m.FormShow();
  EXPECT_FALSE(m.controls.showUI);
  EXPECT_TRUE(m.controls.listsEnabled);
  EXPECT_TRUE(m.controls.filterEnabled);
  EXPECT_TRUE(m.controls.invertEnabled);
  EXPECT_TRUE(m.controls.qualityEnabled);
  EXPECT_TRUE(m.controls.duplexEnabled);
}

TEST_P(ScanFormEditions, TheQualityEditIsAnEditOfTheListsInTheSecondEdition) {
  ScanFormModel& m = Create();
  EXPECT_EQ(m.controls.autoCrop, !Second()) << "as the form is laid out";
  m.FormShow();
  ASSERT_EQ(m.ApplyBtnClick(), ApplyResult::Applied);
  ASSERT_TRUE(m.controls.duplexEnabled);
  m.controls.scanMethod = 1;  // the flatbed picked, its click not yet handled
  m.controls.quality = "30";
  m.JpgEdtChange();
  EXPECT_TRUE(m.controls.applyEnabled);
  EXPECT_EQ(m.controls.duplexEnabled, !Second()) << "the duplex rule runs with the edit";
}

INSTANTIATE_TEST_SUITE_P(Editions, ScanFormEditions,
                         ::testing::Values(Edition::kFirst, Edition::kSecond),
                         [](const auto& info) { return std::string(Name(info.param)); });

}  // namespace
}  // namespace tarnwick
