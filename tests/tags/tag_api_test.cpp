#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "driver_bindings.h"
#include "library_state.h"
#include "plugin_formats.h"
#include "settings_store.h"
#include "tag_api_fixture.h"
#include "tag_exports.h"
#include "tag_ids.h"
#include "tag_lifecycle.h"
#include "tag_records.h"
#include "tag_state.h"

namespace {

using TagApi = TagApiTest;

TEST_F(TagApi, StartBuildsEveryRecordAndReachesStateFive) {
  ASSERT_EQ(Start(), 0);
  EXPECT_EQ(gLib.state, kStateReady);
  EXPECT_EQ(Flag(kTagXResolution), kFlagRange);
  EXPECT_EQ(Flag(kTagYResolution), kFlagList);
  EXPECT_EQ(Flag(kTagFileName), kFlagUnsupported);
  EXPECT_EQ(Flag(kTagXferCount), kFlagUnsupported);
  int32_t flag = 0;
  for (uint32_t tag : {0x9001u, 0x9002u, 0x9003u, 0x9213u})
    EXPECT_EQ(ZebGetTagFlag(tag, &flag), kZebNotBound) << std::hex << tag;
  EXPECT_EQ(GetText(kTagProductName), "SimScan 3000");
  EXPECT_EQ(GetText(kTagDither), "None");
  EXPECT_EQ(Get16(kTagAskDriver), 77);  // asked from the driver

  // PIXELTYPE gets 255 after the driver's 2; SCANTYPE a 0 before the driver's list.
  int16_t choice = 0;
  ASSERT_EQ(ZebGetTagChoice(kTagPixelType, 3, &choice), 0);
  EXPECT_EQ(choice, 255);
  ASSERT_EQ(ZebGetTagChoice(kTagScanType, 0, &choice), 0);
  EXPECT_EQ(choice, 0);
  // COMPRESSION starts from one 0, not from a row of zeros.
  EXPECT_EQ(g_tagStates[kRowCompression].Count, 1);
  // MULTIPAGE without a plug-in: no items.
  EXPECT_EQ(g_tagStates[kRowMultiPage].Count, 0);
}

TEST_F(TagApi, RoundingToTheStepIsWrittenBack) {
  ASSERT_EQ(Start(), 0);
  struct Case { int32_t in; int32_t rc; int32_t back; int32_t current; };
  const Case cases[] = {{310, 0, 300, 300}, {313, 0, 325, 325}, {600, 0, 600, 600},
                        {40, -8, 40, 600}, {601, -8, 601, 600}};
  for (const Case& c : cases) {
    int32_t v = c.in;
    EXPECT_EQ(ZebSetValue(kTagXResolution, &v), c.rc) << c.in;
    EXPECT_EQ(v, c.back) << c.in;
    EXPECT_EQ(Get32(kTagXResolution), c.current) << c.in;
  }
  EXPECT_EQ(Set32(kTagYResolution, 250), kZebValueRefused);
  EXPECT_EQ(Set32(kTagYResolution, 600), 0);
}

TEST_F(TagApi, ChoiceIndexesBeyondTheChoicesAnswerMinus7) {
  ASSERT_EQ(Start(), 0);
  int32_t v = 0;
  EXPECT_EQ(ZebGetTagChoice(kTagYResolution, 3, &v), 0);
  EXPECT_EQ(v, 600);
  EXPECT_EQ(ZebGetTagChoice(kTagYResolution, 4, &v), kZebNotBound);
  EXPECT_EQ(ZebGetTagChoice(kTagYResolution, -1, &v), kZebNotBound);
  EXPECT_EQ(ZebGetTagChoice(kTagXResolution, 0, &v), kZebNotBound);
  EXPECT_EQ(ZebGetTagChoice(kTagXResolution, 4, &v), kZebNotBound);
  const int32_t range[] = {50, 600, 25};
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(ZebGetTagChoice(kTagXResolution, i, &v), 0);
    EXPECT_EQ(v, range[i - 1]);
  }
  char text[34];
  EXPECT_EQ(ZebGetTagChoice(kTagDither, 1, text), 0);
  EXPECT_STREQ(text, "Diffusion");
}

TEST_F(TagApi, BrightnessAtTheEndsOfItsScaleAndBeyond) {
  ASSERT_EQ(Start(), 0);
  struct Case { int32_t in; int32_t rc; int16_t stored; };
  const Case cases[] = {{1000, 0, 255}, {-1000, 0, 0}, {0, 0, 128}, {500, 0, 191},
                        {1001, -8, 191}, {-1001, -8, 191}};
  for (const Case& c : cases) {
    EXPECT_EQ(Set16(kTagBrightness, c.in), c.rc) << c.in;
    EXPECT_EQ(Get16(kTagBrightness), c.stored) << c.in;
  }
  // A -1000..1000 driver keeps the caller's value as it is.
  EXPECT_EQ(Set16(kTagContrast, -20), 0);
  EXPECT_EQ(Get16(kTagContrast), -20);
}

TEST_F(TagApi, BlackAndWhiteCascadesIntoDepthAndFileFormat) {
  ASSERT_EQ(Start(), 0);
  ASSERT_EQ(Set16(kTagPixelType, 2), 0);
  EXPECT_EQ(Get16(kTagBitsPerPixel), 24);
  ASSERT_EQ(Set16(kTagFileFormat, 2), 0);
  ASSERT_EQ(Set16(kTagPixelType, 0), 0);
  EXPECT_EQ(Get16(kTagFileFormat), 0);
  EXPECT_EQ(Get16(kTagBitsPerPixel), 1);
  ASSERT_EQ(Set16(kTagPixelType, 1), 0);
  EXPECT_EQ(Get16(kTagBitsPerPixel), 8);
  EXPECT_FLOAT_EQ(GetFloat(kTagGamma), 2.2f);
  ASSERT_EQ(Set16(kTagBitsPerPixel, 1), 0);
  EXPECT_EQ(Get16(kTagPixelType), 0);
}

TEST_F(TagApi, FileNamesAndTheirFormats) {
  ASSERT_EQ(Start(), 0);
  ASSERT_EQ(ZebSetValue(kTagFileName, const_cast<char*>("scan")), 0);
  EXPECT_EQ(GetText(kTagFileName), "scan.tif");
  ASSERT_EQ(ZebSetValue(kTagFileName, const_cast<char*>("scan.PCX")), 0);
  EXPECT_EQ(GetText(kTagFileName), "scan.PCX");
  EXPECT_EQ(Get16(kTagFileFormat), 7);
  ASSERT_EQ(ZebSetValue(kTagFileName, const_cast<char*>("c:\\a.b\\page")), 0);
  EXPECT_EQ(GetText(kTagFileName), "c:\\a.b\\page.pcx");
  std::string tooLong(128, 'x');
  EXPECT_EQ(ZebSetValue(kTagFileName, tooLong.data()), kZebValueRefused);
  EXPECT_EQ(GetText(kTagFileName), "c:\\a.b\\page.pcx");
}

TEST_F(TagApi, AnAreaPastTheEdgeIsShortened) {
  ASSERT_EQ(Start(), 0);
  ASSERT_EQ(Get16(kTagUnits), 2);
  EXPECT_EQ(GetFloat(kTagPhysicalWidth), 2550.0f);
  ASSERT_EQ(SetFloat(kTagImageWidth, 2000.0f), 0);
  ASSERT_EQ(SetFloat(kTagXPosition, 1000.0f), 0);
  EXPECT_EQ(GetFloat(kTagImageWidth), 1550.0f);
  ASSERT_EQ(SetFloat(kTagImageWidth, 2550.0f), 0);
  EXPECT_EQ(GetFloat(kTagXPosition), 0.0f);
  // LENGTHDETECT's maximum follows the area.
  ASSERT_EQ(SetFloat(kTagImageLength, 3000.0f), 0);
  EXPECT_EQ(static_cast<int32_t>(g_tagStates[kRowLengthDetect].Max), 1200);
}

TEST_F(TagApi, UnitRoundTrip) {
  ASSERT_EQ(Start(), 0);
  ASSERT_EQ(SetFloat(kTagImageWidth, 2550.0f), 0);
  struct Step { int16_t unit; float width; };
  const Step steps[] = {{0, 8.5f}, {1, 21.59f}, {0, 8.5f}, {2, 2550.0f}};
  for (const Step& s : steps) {
    ASSERT_EQ(Set16(kTagUnits, s.unit), 0);
    EXPECT_EQ(GetFloat(kTagImageWidth), s.width) << s.unit;
    EXPECT_EQ(GetFloat(kTagPhysicalWidth), s.width) << s.unit;
  }
}

TEST_F(TagApi, ResettingUnitsAloneConvertsTheArea) {
  ASSERT_EQ(Start(), 0);
  ASSERT_EQ(Set16(kTagUnits, 0), 0);
  ASSERT_EQ(SetFloat(kTagImageWidth, 8.5f), 0);
  int16_t unit = -1;
  ASSERT_EQ(ZebResetValue(kTagUnits, &unit), 0);
  EXPECT_EQ(unit, 2);
  EXPECT_EQ(GetFloat(kTagImageWidth), 2550.0f);
  EXPECT_EQ(GetFloat(kTagPhysicalWidth), 2550.0f);
}

TEST_F(TagApi, PageSizeSetsTheArea) {
  ASSERT_EQ(Start(), 0);
  int16_t sizes[12];
  int n = 0;
  for (int i = 0; ZebGetTagChoice(kTagPageSize, i, &sizes[n]) == 0 && n < 12; ++i) ++n;
  EXPECT_EQ(std::vector<int16_t>(sizes, sizes + n), (std::vector<int16_t>{0, 1, 2, 3, 5, 6, 9, 10, 11}));
  ASSERT_EQ(Set16(kTagPageSize, 10), 0);
  EXPECT_EQ(GetFloat(kTagImageWidth), 1800.0f);
  EXPECT_EQ(GetFloat(kTagImageLength), 1200.0f);
  EXPECT_EQ(GetFloat(kTagXPosition), 0.0f);
}

TEST_F(TagApi, ScanTypeTakesThePhysicalSizeAndAShortListGivesItsLast) {
  ASSERT_EQ(Start(), 0);
  // Height list: 4200 (largest), 3300, 4200; width list: 2550, 2550.
  ASSERT_EQ(Set16(kTagScanType, 1), 0);
  EXPECT_EQ(GetFloat(kTagPhysicalHeight), 3300.0f);
  EXPECT_EQ(Get16(kTagPageSize), 11);
  ASSERT_EQ(Set16(kTagScanType, 2), 0);
  EXPECT_EQ(GetFloat(kTagPhysicalHeight), 4200.0f);
  EXPECT_EQ(Set16(kTagScanType, 3), kZebValueRefused);
  EXPECT_EQ(SetFloat(kTagPhysicalHeight, 1.0f), kZebNotBound);

  // A driver with one physical size: SCANTYPE 1 clamps to it.
  ZebFreeTag();
  gLib.state = kStateStarted;
  gFake.answers[kTagPhysicalWidth] = {0, {}, {}};  // no list: only the largest, 0
  ASSERT_EQ(Start(), 0);
  g_tagStates[kRowPhysicalWidth].Count = 1;
  ASSERT_EQ(Set16(kTagScanType, 1), 0);
  float w = -1;
  EXPECT_EQ(ZebGetTagChoice(kTagPhysicalWidth, 0, &w), 0);
  EXPECT_EQ(w, 0.0f);
}

TEST_F(TagApi, ResetAllRestoresTheDefaultsAndLeavesThePointer) {
  ASSERT_EQ(Start(), 0);
  ASSERT_EQ(Set32(kTagXResolution, 600), 0);
  ASSERT_EQ(Set16(kTagThreshold, 7), 0);
  ASSERT_EQ(Set16(kTagBrightness, 1000), 0);
  ASSERT_EQ(ZebSetValue(kTagDither, const_cast<char*>("Diffusion")), 0);
  int32_t guard[2] = {0x5A5A5A5A, 0x5A5A5A5A};
  ASSERT_EQ(ZebResetValue(0xFFFF, &guard[0]), 0);
  EXPECT_EQ(guard[0], 0x5A5A5A5A);
  EXPECT_EQ(guard[1], 0x5A5A5A5A);
  EXPECT_EQ(Get32(kTagXResolution), 300);
  EXPECT_EQ(Get16(kTagThreshold), 128);
  EXPECT_EQ(Get16(kTagBrightness), 128);  // 0 on the caller's scale
  EXPECT_EQ(GetText(kTagDither), "None");
  EXPECT_FLOAT_EQ(GetFloat(kTagGamma), 2.2f);
  int16_t v = 0;
  ASSERT_EQ(ZebResetValue(kTagThreshold, &v), 0);
  EXPECT_EQ(v, 128);
  EXPECT_EQ(ZebResetValue(0x9213, &v), kZebNotBound);
}

TEST_F(TagApi, FilterBeyondTheChannelsUsesTheMaster) {
  ASSERT_EQ(Start(), 0);
  g_tagStates[kRowFilter].Count = -1;  // as a TWAIN source that takes any value
  ASSERT_EQ(Set16(kTagFilter, 7), 0);
  ASSERT_EQ(Set16(kTagPixelType, 2), 0);
  ASSERT_EQ(Set16(kTagBrightness, 1000), 0);
  EXPECT_EQ(ColourValues(kRowBrightness)[0], 255);
  EXPECT_EQ(Get16(kTagBrightness), 255);
  ASSERT_EQ(SetFloat(kTagGamma, 1.5f), 0);
  EXPECT_FLOAT_EQ(GammaValues()[0], 1.5f);
}

TEST_F(TagApi, FreeingTwiceFreesNothingTwice) {
  ASSERT_EQ(Start(), 0);
  ZebFreeTag();
  for (const TagState& s : g_tagStates) {
    EXPECT_EQ(s.Choices, nullptr);
    if (IsChannelRow(static_cast<int>(&s - g_tagStates))) {
      EXPECT_EQ(s.Current, 0u);
    }
  }
  EXPECT_EQ(gLib.state, kStateDriverStarted);
  ZebFreeTag();
  FreeTagRecords();
}

TEST_F(TagApi, EntryChecks) {
  int32_t flag = 0;
  gLib.state = kStateNotStarted;
  EXPECT_EQ(ZebGetTagFlag(kTagUnits, &flag), kZebNotStarted);
  EXPECT_EQ(ZebResetValue(kTagUnits, nullptr), kZebNotStarted);
  gLib.state = kStateStarted;
  EXPECT_EQ(ZebGetTagFlag(kTagUnits, &flag), kZebNotStarted);
  EXPECT_EQ(ZebGetTagChoice(kTagUnits, 0, &flag), kZebNotStarted);
  // ZebSetTagChoice starts the driver itself.
  EXPECT_EQ(ZebSetTagChoice(kTagUnits, 0, 0), 0);
  EXPECT_EQ(gLib.state, kStateReady);
  gLib.driverKind = -1;
  EXPECT_EQ(ZebGetTagFlag(kTagUnits, &flag), kZebNoSource);
  gLib.driverKind = 0;
  gLib.lastStatus = kZebNoSource;
  EXPECT_EQ(ZebGetValue(kTagUnits, &flag), kZebNoSource);
  EXPECT_EQ(ZebSetValue(kTagUnits, &flag), kZebNoSource);
  gLib.lastStatus = 0;
  // State 4: the records are built on the first call.
  ZebFreeTag();
  EXPECT_EQ(gLib.state, kStateDriverStarted);
  EXPECT_EQ(Flag(kTagXResolution), kFlagRange);
  EXPECT_EQ(gLib.state, kStateReady);
}

TEST_F(TagApi, ASourceDialogThatStartedTheDriverIsNotStartedAgain) {
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kGeneralKey, 0, KEY_WRITE, &key), ERROR_SUCCESS);
  RegDeleteValueA(key, "SOURCENAME");
  RegCloseKey(key);
  gSelectSource = [] {
    WriteSettingString(kGeneralKey, "SOURCENAME", "Sim");
    return InitDrv(0);
  };
  EXPECT_EQ(ZebInitTag(), 0);
  EXPECT_EQ(gInitDrvCalls, 1);
  EXPECT_EQ(gFake.loads, 1);
  EXPECT_EQ(gLib.state, kStateReady);
}

TEST_F(TagApi, RecordsNotBuiltByTheDriverAreSafelyUnsupported) {
  // A driver kind that no record builder serves.
  ASSERT_EQ(Start(kKindWithoutBuilder), 0);
  for (int row = 0; row < kTagCount; ++row) {
    const uint16_t tag = kTagTable[row].Tag;
    EXPECT_EQ(Flag(tag), kFlagUnsupported) << std::hex << tag;
    char value[256] = {};
    EXPECT_EQ(ZebGetValue(tag, value), 0);
    EXPECT_EQ(ZebGetTagChoice(tag, 0, value), 0);
  }
  EXPECT_EQ(Set16(kTagBrightness, 300), 0);
  EXPECT_EQ(ZebSetValue(kTagDither, const_cast<char*>("Anything")), 0);
  EXPECT_EQ(GetText(kTagDither), "Anything");
}

TEST_F(TagApi, AQueryTheDriverRefusesLeavesThatRowUnsupported) {
  gFake.queryFails = {kTagThreshold};
  ASSERT_EQ(Start(), 0);
  EXPECT_EQ(Flag(kTagThreshold), kFlagUnsupported);
  EXPECT_EQ(Flag(kTagInvert), kFlagList);
}

TEST_F(TagApi, StringsAreBoundedByTheTagSize) {
  ASSERT_EQ(Start(kKindWithoutBuilder), 0);
  std::string longText(255, 'd');
  EXPECT_EQ(ZebSetValue(kTagDither, longText.data()), 0);
  EXPECT_EQ(GetText(kTagDither), std::string(32, 'd'));
}

TEST_F(TagApi, ValuesSurviveARestartThroughTheRegistry) {
  ASSERT_EQ(Start(), 0);
  ASSERT_EQ(Set32(kTagXResolution, 425), 0);
  ASSERT_EQ(Set16(kTagBrightness, 1000), 0);
  ASSERT_EQ(Set16(kTagUnits, 0), 0);
  ASSERT_EQ(SetFloat(kTagImageWidth, 8.0f), 0);
  ZebFreeTag();
  gLib.state = kStateStarted;
  ASSERT_EQ(Start(), 0);
  EXPECT_EQ(Get32(kTagXResolution), 425);
  EXPECT_EQ(Get16(kTagBrightness), 255);  // stored as 1000, mapped once
  EXPECT_EQ(Get16(kTagUnits), 0);
  EXPECT_EQ(GetFloat(kTagImageWidth), 8.0f);
}

}  // namespace

namespace {

TEST_F(TagApiTest, LanguageIsAListOnlyTagSentToTheDriverWithANewFont) {
  ASSERT_EQ(Start(), 0);
  gFake.sent.clear();
  const int fonts = gFontsMade;
  EXPECT_EQ(Set16(kTagLanguage, 4), kZebValueRefused);
  ASSERT_EQ(Set16(kTagLanguage, 2), 0);
  EXPECT_EQ(SentTags(), (std::vector<uint16_t>{kTagLanguage}));
  EXPECT_EQ(gFontsMade, fonts + 1);
  EXPECT_EQ(ReadSettingInt(kScanDataKey, "LANGUAGE", -1), 2);
}

TEST_F(TagApiTest, EnergySavingGoesToTheDriverAndNotSettableTagsAnswerMinus7) {
  ASSERT_EQ(Start(), 0);
  gFake.sent.clear();
  ASSERT_EQ(Set16(kTagEnergySaving, 30), 0);
  EXPECT_EQ(SentTags(), (std::vector<uint16_t>{kTagEnergySaving}));
  EXPECT_EQ(Set16(kTagEnergySaving, 721), kZebValueRefused);
  for (uint16_t tag : {kTagProductName, kTagDevice5, kTagDevice6, kTagDeviceA, kTagAskDriver,
                       kTagPaperPresent, kTagPhysicalWidth})
    EXPECT_EQ(Set16(tag, 0), kZebNotBound) << std::hex << tag;
  EXPECT_EQ(Set16(0x9213, 0), kZebNotBound);
}

}  // namespace

namespace {

TEST_F(TagApiTest, ValuesSurviveARestartThroughTheFallbackFile) {
  ASSERT_EQ(Start(), 0);
  FailRegistryWrites(true);
  ASSERT_EQ(Set32(kTagXResolution, 425), 0);
  ASSERT_EQ(Set16(kTagContrast, -20), 0);
  ASSERT_EQ(SetFloat(kTagImageLength, 3000.0f), 0);
  EXPECT_TRUE(SettingsFallbackActive());
  EXPECT_EQ(FallbackText("XRESOLUTION"), "425");
  EXPECT_EQ(FallbackText("CONTRAST"), "-20");
  EXPECT_EQ(FallbackText("IMAGELENGTH"), "3000.00");
  ZebFreeTag();
  gLib.state = kStateStarted;
  ASSERT_EQ(Start(), 0);
  EXPECT_EQ(Get32(kTagXResolution), 425);
  EXPECT_EQ(Get16(kTagContrast), -20);
  EXPECT_EQ(GetFloat(kTagImageLength), 3000.0f);
}

}  // namespace

namespace {

TEST_F(TagApiTest, PageSizesFromCentimetresKeepLetterAndLegal) {
  WriteSettingInt(kScanDataKey, "UNITS", 1);
  gFake.answers[kTagPhysicalWidth] = {1, {21.59}, {}};
  gFake.answers[kTagPhysicalHeight] = {2, {35.56, 27.94}, {}};
  ASSERT_EQ(Start(), 0);
  ASSERT_EQ(Get16(kTagUnits), 1);
  std::vector<int16_t> sizes;
  int16_t v = 0;
  for (int i = 0; ZebGetTagChoice(kTagPageSize, i, &v) == 0; ++i) sizes.push_back(v);
  EXPECT_EQ(sizes, (std::vector<int16_t>{0, 1, 2, 3, 5, 6, 9, 10, 11}));
  // The cm margin, put on the 0.01 grid when the records are done.
  EXPECT_FLOAT_EQ(BitsToFloat(g_tagStates[kRowImageWidth].Min), 0.54f);
  EXPECT_FLOAT_EQ(BitsToFloat(g_tagStates[kRowXPosition].Max), 21.05f);
  EXPECT_FLOAT_EQ(BitsToFloat(g_tagStates[kRowXPosition].Step), 0.01f);
}

// The TWAIN engine as far as the paper sensor needs it.
std::vector<uint32_t> gTwainSet;
int32_t __stdcall FakeTwainOpenDS(TW_IDENTITY*) { return 0; }
int32_t __stdcall FakeTwainSetValue(uint32_t cap, uint32_t, void*) {
  gTwainSet.push_back(cap);
  return 0;
}
int32_t __stdcall FakeTwainGetValue(uint32_t cap, uint32_t, void** block) {
  if (cap != 0x1003) return -7;
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 8);
  auto* p = static_cast<uint8_t*>(GlobalLock(h));
  p[0] = 6;  // TWTY_BOOL
  p[2] = 1;  // loaded
  *block = p;
  return 5;  // TWON_ONEVALUE
}

TEST_F(TagApiTest, TwainPaperSensorEnablesTheFeederAndReadsLoaded) {
  gTwain.TWAINOpenDS = FakeTwainOpenDS;
  gTwain.TWAINSetValue = FakeTwainSetValue;
  gTwain.TWAINGetValue = FakeTwainGetValue;
  ASSERT_EQ(Start(1), 0);
  gTwainSet.clear();  // building the records talks to the source too
  EXPECT_EQ(Get16(kTagPaperPresent), 1);
  EXPECT_EQ(gTwainSet, (std::vector<uint32_t>{0x1002}));
  gTwain = TwainBinding{};
}

}  // namespace

namespace {

// One plug-in writing formats 5 and 6 with compression modes 0 and 4.
int32_t gCurrentPlugin = -1;
const PluginFormats kOnePlugin = {
    [] { return 1; },
    [](int32_t, int32_t, int32_t* list, int32_t max) {
      if (max >= 2) {
        list[0] = 5;
        list[1] = 6;
      }
      return 2;
    },
    [](int32_t* list, int32_t max) {
      if (max >= 2) {
        list[0] = 0;
        list[1] = 4;
      }
      return 2;
    },
    [](int32_t index) { gCurrentPlugin = index; },
};

std::vector<int32_t> Choices(uint16_t tag) {
  std::vector<int32_t> items;
  int16_t v = 0;
  for (int i = 0; ZebGetTagChoice(tag, i, &v) == 0; ++i) items.push_back(v);
  return items;
}

TEST_F(TagApiTest, PlugInsAddFormatsCompressionModesAndMultiPage) {
  SetPluginFormats(&kOnePlugin);
  WriteSettingInt(kScanDataKey, "FILEFORMAT", 5);
  gCurrentPlugin = -1;
  ASSERT_EQ(Start(), 0);
  EXPECT_EQ(Choices(kTagFileFormat), (std::vector<int32_t>{0, 1, 2, 3, 5, 6}));
  EXPECT_EQ(Choices(kTagCompression), (std::vector<int32_t>{0, 4}));
  EXPECT_EQ(Choices(kTagMultiPage), (std::vector<int32_t>{0, 1, 2}));
  EXPECT_EQ(Choices(kTagTransferMode), (std::vector<int32_t>{0, 1, 2}));
  EXPECT_EQ(Get16(kTagFileFormat), 5);
  EXPECT_EQ(gCurrentPlugin, 0);
  ASSERT_EQ(Set16(kTagCompression, 4), 0);
  ASSERT_EQ(Set16(kTagFileFormat, 0), 0);
  EXPECT_EQ(Get16(kTagCompression), 0);
  SetPluginFormats(nullptr);
}

// Two plug-ins, the first writing one page per file, the second whole documents: MULTIPAGE's
// choices after a start are those of the plug-in the stored file format made current.
int32_t gTwoCurrent = -1;
const PluginFormats kTwoPlugins = {
    [] { return 2; },
    [](int32_t index, int32_t, int32_t* list, int32_t max) {
      if (index == 0) {
        if (max >= 1) list[0] = 5;
        return 1;
      }
      if (max >= 2) list[0] = list[1] = 7;
      return 2;
    },
    [](int32_t*, int32_t) { return 0; },
    [](int32_t index) { gTwoCurrent = index; },
    [] { return gTwoCurrent; },
};

TEST_F(TagApiTest, MultiPageFollowsTheCurrentPlugIn) {
  SetPluginFormats(&kTwoPlugins);
  WriteSettingInt(kScanDataKey, "FILEFORMAT", 7);
  gTwoCurrent = -1;
  ASSERT_EQ(Start(), 0);
  EXPECT_EQ(gTwoCurrent, 1);
  EXPECT_EQ(Choices(kTagMultiPage), (std::vector<int32_t>{0, 1, 2}));
  EXPECT_EQ(Set16(kTagMultiPage, 1), 0);
  SetPluginFormats(nullptr);
}

}  // namespace
