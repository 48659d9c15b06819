#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "driver_flags.h"
#include "library_state.h"
#include "ks_tags.h"
#include "settings_store.h"
#include "tag_api_fixture.h"
#include "tag_exports.h"
#include "tag_ids.h"
#include "tag_state.h"

namespace {

class ScanProp : public TagApiTest {
 protected:
  void SetUp() override {
    TagApiTest::SetUp();
    folder_ = MakeTempFolder("tags_prop_log");
    DeleteFileA((folder_ + "ondrel.txt").c_str());
    WriteSettingString(kGeneralKey, "SAVEPATH", folder_.c_str());
    WriteSettingInt(kGeneralKey, "DEBUGLEVEL", 2);
  }

  // The tags ZebSetValue was called with, in order, from the debug log.
  std::vector<int32_t> SetValueTags() const {
    std::istringstream log(ReadFile(folder_ + "ondrel.txt"));
    std::vector<int32_t> tags;
    const std::string marker = "In   1: ZebSetValue : ";
    for (std::string line; std::getline(log, line);)
      if (line.rfind(marker, 0) == 0) tags.push_back(std::stoi(line.substr(marker.size())));
    return tags;
  }
  bool LogHas(const std::string& text) const {
    return ReadFile(folder_ + "ondrel.txt").find(text) != std::string::npos;
  }

  static TScanPropRec Record(uint16_t pixelType, uint16_t filter) {
    TScanPropRec r{};
    r.TransMode = 1;
    r.PixelType = pixelType;
    r.ScanMethod = 0;
    r.XRes = 300;
    r.YRes = 300;
    r.BitsPerPixel = pixelType == 0 ? 1 : pixelType == 1 ? 8 : 24;
    r.Filter = filter;
    r.Brightness = 100;
    r.Contrast = -100;
    r.Size = {0, 2, 10.0f, 20.0f, 1000.0f, 1500.0f};
    r.ShowUI = 0;
    return r;
  }

  std::string folder_;
};

constexpr int32_t T(uint16_t tag) { return tag; }

int32_t SentValue(uint16_t tag) {
  for (auto& s : gFake.sent)
    if (s.first == tag) return s.second;
  return -99999;
}

TEST_F(ScanProp, FieldsAreSetInTheirFixedOrder) {
  ASSERT_EQ(Start(), 0);
  ASSERT_EQ(ZebSetProp(Record(1, 0)), 0);
  const std::vector<int32_t> expected = {
      T(kTagTransferMode), T(kTagPixelType), T(kTagScanType), T(kTagFilter), T(kTagBrightness),
      T(kTagContrast), T(kTagXResolution), T(kTagYResolution), T(kTagBitsPerPixel), T(kTagUnits),
      T(kTagPageSize), T(kTagXPosition), T(kTagYPosition), T(kTagImageWidth), T(kTagImageLength),
      T(kTagUiControl)};
  EXPECT_EQ(SetValueTags(), expected);
  EXPECT_EQ(GetFloat(kTagImageWidth), 1000.0f);
  EXPECT_TRUE(LogHas("In   1: SetPropTWAIN"));
  EXPECT_TRUE(LogHas("Out  1: SetPropTWAIN : 0"));
}

TEST_F(ScanProp, ColourWithARefusedFilterSetsEveryChannel) {
  gFake.answers[kTagFilter] = {3, {1, 2, 3}, {}};
  ASSERT_EQ(Start(), 0);
  ASSERT_EQ(ZebSetProp(Record(2, 0)), 0);
  const std::vector<int32_t> tags = SetValueTags();
  const std::vector<int32_t> head(tags.begin(), tags.begin() + 17);
  const std::vector<int32_t> expected = {
      T(kTagTransferMode), T(kTagPixelType), T(kTagScanType), T(kTagFilter),
      T(kTagFilter), T(kTagBrightness), T(kTagContrast),
      T(kTagFilter), T(kTagBrightness), T(kTagContrast),
      T(kTagFilter), T(kTagBrightness), T(kTagContrast),
      T(kTagBrightness), T(kTagContrast), T(kTagXResolution), T(kTagYResolution)};
  EXPECT_EQ(head, expected);
  EXPECT_EQ(Get16(kTagFilter), 3);
  EXPECT_TRUE(LogHas("   1: prop.Filter : 0"));
  for (int c = 1; c <= 3; ++c) EXPECT_EQ(ColourValues(kRowContrast)[c], -100) << c;
}

TEST_F(ScanProp, GrayWithARefusedFilterUsesGreen) {
  gFake.answers[kTagFilter] = {3, {1, 2, 3}, {}};
  ASSERT_EQ(Start(), 0);
  ASSERT_EQ(ZebSetProp(Record(1, 0)), 0);
  const std::vector<int32_t> tags = SetValueTags();
  ASSERT_GE(tags.size(), 6u);
  EXPECT_EQ(tags[3], T(kTagFilter));
  EXPECT_EQ(tags[4], T(kTagFilter));
  EXPECT_EQ(tags[5], T(kTagBrightness));
  EXPECT_EQ(Get16(kTagFilter), 2);
}

TEST_F(ScanProp, ARefusedFieldEndsTheCall) {
  ASSERT_EQ(Start(), 0);
  TScanPropRec r = Record(1, 0);
  r.YRes = 250;  // not on the driver's list
  EXPECT_EQ(ZebSetProp(r), kZebValueRefused);
  const std::vector<int32_t> tags = SetValueTags();
  ASSERT_FALSE(tags.empty());
  EXPECT_EQ(tags.back(), T(kTagYResolution));
  EXPECT_TRUE(LogHas("   1: prop.YRes : 250"));
  EXPECT_FALSE(LogHas("Out  1: SetPropTWAIN"));

  r = Record(1, 0);
  r.Size.Left = 5000.0f;
  EXPECT_EQ(ZebSetProp(r), kZebValueRefused);
  EXPECT_TRUE(LogHas("   1: prop.Size.left : 5000.00"));
}

TEST_F(ScanProp, APageSizeIgnoresTheAreaFields) {
  ASSERT_EQ(Start(), 0);
  TScanPropRec r = Record(1, 0);
  r.Size.DefPaper = 5;
  r.Size.Left = 5000.0f;
  ASSERT_EQ(ZebSetProp(r), 0);
  EXPECT_EQ(GetFloat(kTagImageWidth), 2480.0f);
  EXPECT_EQ(GetFloat(kTagImageLength), 3508.0f);
  EXPECT_EQ(GetFloat(kTagXPosition), 0.0f);
}

using KSPush = TagApiTest;

TEST_F(KSPush, ValuesGoToTheDriverInOrder) {
  ASSERT_EQ(Start(), 0);
  gFake.sent.clear();
  gFake.paper = 0;
  FeederInUse = 1;  // left over from an earlier scan
  ASSERT_EQ(KSSetProp(), 0);
  const std::vector<uint16_t> expected = {
      kTagBatchScan, kTagPixelType, kTagDither, kTagBitsPerPixel, kTagScanType, kTagFeederType,
      kTagXResolution, kTagYResolution, kTagFilter, kTagBrightness, kTagContrast, kTagHighlight,
      kTagShadow, kTagGamma, kTagInvert, kTagIndicators, kTagUiControl, kTagXferCount, kTagUnits,
      kTagColorMatch, kTagSharpen, kTagDescreen, kTagOverscan, kTagBackgroundLines,
      kTagXPosition, kTagYPosition, kTagImageWidth, kTagImageLength, kTagLengthDetect,
      kTagContinueJob, kTagAutoCrop, kTagBackground};
  EXPECT_EQ(SentTags(), expected);
  EXPECT_EQ(FeederInUse, 0);
  EXPECT_EQ(DriverDelivers, 0);
  EXPECT_EQ(SentValue(kTagXferCount), -1);
}

TEST_F(KSPush, PaperInTheFeederSendsTheTransferCount) {
  ASSERT_EQ(Start(), 0);
  g_tagStates[kRowXferCount].Current = 5;
  gFake.paper = 1;
  gFake.sent.clear();
  ASSERT_EQ(KSSetProp(), 0);
  EXPECT_EQ(FeederInUse, 1);
  EXPECT_EQ(SentValue(kTagXferCount), 5);
}

TEST_F(KSPush, ColourSendsEveryChannelAndRefusalsStop) {
  ASSERT_EQ(Start(), 0);
  ASSERT_EQ(Set16(kTagPixelType, 2), 0);
  gFake.sent.clear();
  ASSERT_EQ(KSSetProp(), 0);
  int filters = 0;
  for (auto& s : gFake.sent) filters += s.first == kTagFilter;
  EXPECT_EQ(filters, 4);

  gFake.refuse[kTagPixelType] = 9;
  gFake.sent.clear();
  EXPECT_EQ(KSSetProp(), 9);
  EXPECT_EQ(SentTags(), (std::vector<uint16_t>{kTagBatchScan, kTagPixelType}));

  gFake.refuse.clear();
  gFake.refuse[kTagIndicators] = 4;  // not a stop step
  gFake.refuse[kTagImageWidth] = 6;
  gFake.sent.clear();
  EXPECT_EQ(KSSetProp(), 6);
  EXPECT_EQ(gFake.sent.back().first, kTagImageWidth);
}

TEST_F(KSPush, ARefusedChannelRetriesAndThenAnswersOne) {
  ASSERT_EQ(Start(), 0);
  ASSERT_EQ(Set16(kTagPixelType, 1), 0);
  ASSERT_EQ(Set16(kTagFilter, 3), 0);
  gFake.refuse[kTagGamma] = 2;
  gFake.sent.clear();
  EXPECT_EQ(KSSetProp(), 1);
  std::vector<int32_t> filters;
  for (auto& s : gFake.sent)
    if (s.first == kTagFilter) filters.push_back(s.second);
  EXPECT_EQ(filters, (std::vector<int32_t>{3, 0}));
}

}  // namespace
