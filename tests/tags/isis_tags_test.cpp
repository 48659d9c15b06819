// The ISIS adapter in process, over a fake bridge: the records built from the driver's offers and
// the values pushed before a scan.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "driver_flags.h"
#include "fake_isis_driver.h"
#include "isis_tags.h"
#include "library_state.h"
#include "tag_api_fixture.h"
#include "tag_exports.h"
#include "tag_ids.h"
#include "tag_lifecycle.h"

namespace {

FakeIsisOffer List(std::vector<int32_t> items, std::vector<int32_t> failing = {}) {
  FakeIsisOffer o;
  o.flags = 0x40000;
  o.items = std::move(items);
  o.failingChoices = std::move(failing);
  return o;
}
FakeIsisOffer Range(int32_t min, int32_t max, int32_t step) {
  FakeIsisOffer o;
  o.flags = 0x20000;
  o.items = {min, max, step};
  return o;
}
FakeIsisOffer Texts(std::vector<std::string> texts) {
  FakeIsisOffer o;
  o.flags = 0x40000;
  o.texts = std::move(texts);
  return o;
}
// Counted items with neither flag.
FakeIsisOffer Unflagged(std::vector<int32_t> items) {
  FakeIsisOffer o;
  o.items = std::move(items);
  return o;
}

class IsisTags : public TagApiTest {
 protected:
  void SetUp() override {
    TagApiTest::SetUp();
    InstallFakeIsisDriver();
    gLib.driverKind = kDriverIsis;
    gFakeIsis.offers[277] = List({1, 3});
    gFakeIsis.offers[258] = List({1, 8});
    gFakeIsis.offers[1507] = List({0, 1});
    gFakeIsis.values[258] = 8;
    gFakeIsis.values[277] = 1;
  }
  void TearDown() override {
    TagApiTest::TearDown();
    RemoveFakeIsisDriver();
    std::memset(gLib.sourceIdentity.Manufacturer, 0, sizeof gLib.sourceIdentity.Manufacturer);
  }
  static std::vector<int32_t> List16(uint16_t tag) {
    std::vector<int32_t> items;
    int16_t v = 0;
    for (int i = 0; i < 32 && ZebGetTagChoice(tag, i, &v) == 0; ++i) items.push_back(v);
    return items;
  }
  static int32_t SentValue(int32_t tag) {
    for (const auto& [t, v] : gFakeIsis.sent)
      if (t == tag) return v;
    return -999;
  }
  // Runs the push on its own, from the first value it sends.
  static int32_t Push() {
    gFakeIsis.sent.clear();
    return ISISSetProp();
  }
};

TEST_F(IsisTags, FeederValuesGiveEachScanAndFeederTypeOnce) {
  struct Case {
    std::vector<int32_t> feeder, scanTypes, feederTypes;
  } cases[] = {
      {{0, 4}, {0, 1}, {1}},
      {{0, 3, 4}, {0, 1}, {0, 1}},
      {{0, 1, 2, 3, 4, 5, 6, 9}, {0, 3, 2, 1}, {0, 1}},
  };
  for (const Case& c : cases) {
    gFakeIsis.offers[1300] = List(c.feeder);
    ASSERT_EQ(Start(2), 0);
    EXPECT_EQ(List16(kTagScanType), c.scanTypes);
    EXPECT_EQ(List16(kTagFeederType), c.feederTypes);
    ZebFreeTag();
    gLib.state = kStateStarted;
  }
}

// A driver listing a sample count twice must not run past the pixel types it has room for.
TEST_F(IsisTags, PixelTypesAndDepthsListEveryValueOnce) {
  gFakeIsis.offers[277] = List({1, 3, 3, 1, 3});
  ASSERT_EQ(Start(2), 0);
  EXPECT_EQ(List16(kTagPixelType), (std::vector<int32_t>{0, 1, 2}));
  EXPECT_EQ(List16(kTagBitsPerPixel), (std::vector<int32_t>{1, 8, 3, 24}));
}

TEST_F(IsisTags, ResolutionsChannelsAndTheirFallbacks) {
  gFakeIsis.offers[282] = Range(50, 600, 1);
  gFakeIsis.offers[283] = List({100, 200}, {1});  // the second choice fails
  gFakeIsis.offers[1281] = Range(128, 255, 1);
  ASSERT_EQ(Start(2), 0);
  int32_t dpi = 0;
  ASSERT_EQ(ZebGetTagChoice(kTagYResolution, 1, &dpi), 0);
  EXPECT_EQ(dpi, 50) << "a list the driver cannot give whole falls back to X's range";
  ASSERT_EQ(ZebGetTagChoice(kTagYResolution, 2, &dpi), 0);
  EXPECT_EQ(dpi, 600);
  int16_t v = -1;
  ASSERT_EQ(ZebGetTagChoice(kTagContrast, 1, &v), 0);
  EXPECT_EQ(v, 0) << "a contrast range from 128 starts at 0";
  EXPECT_EQ(List16(kTagHighlight), (std::vector<int32_t>{255}));
  EXPECT_EQ(List16(kTagShadow), (std::vector<int32_t>{0}));
  ZebFreeTag();
  gLib.state = kStateStarted;
  // No flags at all: as many entries as the driver counts, each zero.
  gFakeIsis.offers[282] = Unflagged({300, 400, 500});
  ASSERT_EQ(Start(2), 0);
  int32_t flag = 0;
  ASSERT_EQ(ZebGetTagFlag(kTagXResolution, &flag), 0);
  EXPECT_EQ(flag, kFlagList);
  for (int i = 0; i < 3; ++i) {
    dpi = -1;
    ASSERT_EQ(ZebGetTagChoice(kTagXResolution, i, &dpi), 0);
    EXPECT_EQ(dpi, 0);
  }
}

TEST_F(IsisTags, PushStopsAtTheFirstRefusalAndResetsTheDeliveryFlag) {
  gFakeIsis.offers[282] = Range(50, 600, 1);
  gFakeIsis.offers[283] = Range(50, 600, 1);
  ASSERT_EQ(Start(2), 0);
  DriverDelivers = 1;
  gFakeIsis.refuse[283] = -5;
  EXPECT_EQ(Push(), -5);
  EXPECT_EQ(gFakeIsis.sent.back().first, 283) << "nothing is sent after the refusal";
  EXPECT_EQ(DriverDelivers, 0);
}

TEST_F(IsisTags, BlackAndWhiteInvertIsReversedForTheListedMakersOnly) {
  ASSERT_EQ(Start(2), 0);
  struct Case {
    const char* maker;
    int pixelType;
    int32_t sent;
  } cases[] = {
      {"KESTRIN Imaging", 0, 1}, {"kestrin", 0, 1}, {"KESTRIN Imaging", 1, 0},
      {"Kestr", 0, 0},  // shorter than the prefix
      {"Quandrix", 0, 0},
  };
  for (const Case& c : cases) {
    lstrcpynA(gLib.sourceIdentity.Manufacturer, c.maker, sizeof gLib.sourceIdentity.Manufacturer);
    ASSERT_EQ(Set16(kTagPixelType, c.pixelType), 0);
    ASSERT_EQ(Set16(kTagInvert, 0), 0);
    ASSERT_EQ(Push(), 0);
    EXPECT_EQ(SentValue(1507), c.sent) << c.maker << " pixel type " << c.pixelType;
  }
}

// The automatic scan may run from the feeder: its pages are numbered as a feeder scan's.
TEST_F(IsisTags, EveryPushSetsTheFeederFlag) {
  gFakeIsis.offers[1300] = List({0, 2, 3});
  ASSERT_EQ(Start(2), 0);
  struct Case {
    int scanType;
    int32_t sent, feeder;
  } cases[] = {{2, 2, 0}, {0, 0, 1}, {2, 2, 0}, {1, 3, 1}};
  for (const Case& c : cases) {
    ASSERT_EQ(Set16(kTagScanType, c.scanType), 0);
    ASSERT_EQ(Push(), 0);
    EXPECT_EQ(SentValue(1300), c.sent) << c.scanType;
    EXPECT_EQ(FeederInUse, c.feeder) << c.scanType;
  }
}

// A driver reporting a step of 0 for the area: the area is sent unrounded, nothing divides by 0.
TEST_F(IsisTags, AreaStepOfZeroCountsAsOne) {
  gFakeIsis.offers[1294] = Texts({"Letter"});
  gFakeIsis.offers[256] = Range(1, 2550, 0);
  gFakeIsis.offers[257] = Range(1, 3300, 0);
  gFakeIsis.offers[286] = Range(0, 2550, 0);
  gFakeIsis.offers[287] = Range(0, 3300, 0);
  gFakeIsis.offers[282] = Range(50, 600, 1);
  gFakeIsis.offers[283] = Range(50, 600, 1);
  ASSERT_EQ(Start(2), 0);
  ASSERT_EQ(Set16(kTagUnits, 0), 0);
  ASSERT_EQ(Set32(kTagXResolution, 101), 0);
  ASSERT_EQ(Set32(kTagYResolution, 101), 0);
  ASSERT_EQ(SetFloat(kTagXPosition, 0.5f), 0);
  ASSERT_EQ(SetFloat(kTagImageWidth, 3.0f), 0);
  ASSERT_EQ(SetFloat(kTagYPosition, 0.0f), 0);
  ASSERT_EQ(SetFloat(kTagImageLength, 11.0f), 0);
  ASSERT_EQ(Push(), 0);
  EXPECT_EQ(SentValue(286), 51);
  EXPECT_EQ(SentValue(256), 303);
  EXPECT_EQ(SentValue(287), 0);
  EXPECT_EQ(SentValue(257), 1111);
}

}  // namespace
