// QueryScannerCaps over a fake pavlot.dll: the flags and forced method, the maximum resolution
// from a list or a range, the paper list with its table indexes, the colour filter, values in
// each tag's own size, and a library missing its entry points.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_pavlot.h"
#include "scan_library.h"
#include "scanner_caps.h"

namespace tarnwick {
namespace {

std::vector<std::string> Texts(const std::vector<ScanChoice>& list) {
  std::vector<std::string> t;
  for (const ScanChoice& c : list) t.push_back(c.text);
  return t;
}

std::vector<int> Indexes(const std::vector<ScanChoice>& list) {
  std::vector<int> t;
  for (const ScanChoice& c : list) t.push_back(c.index);
  return t;
}

class ScannerCapsTest : public ::testing::Test {
 protected:
  bool Query() {
    ScanBinding binding(library, nullptr);
    return QueryScannerCaps(library, &choices, {&scanMethod, &filter});
  }
  FakePavlotLoader loader;
  CountingErrors errors;
  ScanLibrary library{loader, errors};
  ScannerChoices choices = DesignScannerChoices();
  int scanMethod = 1, filter = 3;
};

TEST_F(ScannerCapsTest, AsksTheLibraryInItsOrderWithEachValueInItsTagsSize) {
  ASSERT_TRUE(Query());
  const std::vector<std::string> want = {
      "ZebLoad", "GetTagFlag 9100", "GetTagChoice 9100 2", "SetValue 9100 1", "SetValue 9100 2",
      "SetValue 9101 1", "SetValue 9052 5242800", "GetTagFlag 9200", "GetTagChoice 9200 0"};
  ASSERT_GE(Scanner().calls.size(), want.size());
  EXPECT_EQ(std::vector<std::string>(Scanner().calls.begin(), Scanner().calls.begin() + want.size()), want);
  const std::vector<std::string> tail = {"GetValue 9209", "SetValue 9209 2", "GetValue 9504",
                                         "GetValue 9401", "GetValue 9400", "ZebFree"};
  EXPECT_EQ(std::vector<std::string>(Scanner().calls.end() - tail.size(), Scanner().calls.end()), tail);
  EXPECT_EQ(Scanner().bytesSet[0x9100], 2);
  EXPECT_EQ(Scanner().bytesSet[0x9101], 2);
  EXPECT_EQ(Scanner().bytesSet[0x9209], 2);
  EXPECT_EQ(Scanner().bytesSet[0x9052], 4);
  EXPECT_TRUE(Scanner().dirtyBuffers.empty()) << Scanner().dirtyBuffers.front();
  // FILTER answers 16 bits: the setting takes exactly that value.
  EXPECT_EQ(filter, 2);
  EXPECT_EQ(choices.filterTextIds, (std::vector<int>{521, 522, 523, 524}));
  EXPECT_FLOAT_EQ(choices.maxWidth, 8.5f);
  EXPECT_FLOAT_EQ(choices.maxHeight, 14.0f);
}

struct MethodCase {
  const char* name;
  std::set<int32_t> refused;
  bool duplexRefused;
  bool feeder, forced, duplex;
  int method;  // "Scan Method" after the query, from 1 before it
};

class ScannerCapsMethods : public ScannerCapsTest, public ::testing::WithParamInterface<MethodCase> {};

TEST_P(ScannerCapsMethods, FlagsAndForcedMethod) {
  const MethodCase& c = GetParam();
  Scanner().refusedScanTypes = c.refused;
  Scanner().duplexRefused = c.duplexRefused;
  ASSERT_TRUE(Query());
  EXPECT_EQ(choices.feederAvailable, c.feeder);
  EXPECT_EQ(choices.methodForced, c.forced);
  EXPECT_EQ(choices.duplexAvailable, c.duplex);
  EXPECT_EQ(scanMethod, c.method);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScannerCapsMethods,
    ::testing::Values(MethodCase{"both", {}, false, true, false, true, 1},
                      MethodCase{"feeder_only", {2}, false, true, true, true, 0},
                      MethodCase{"flatbed_only", {1}, true, false, true, false, 1},
                      MethodCase{"neither", {1, 2}, true, false, true, false, 1}),
    [](const auto& info) { return std::string(info.param.name); });

struct ResolutionCase {
  const char* name;
  int32_t flag;
  std::vector<int32_t> list;
  int32_t rangeMax;
  size_t count;
  const char* last;
};

class ScannerCapsResolutions : public ScannerCapsTest,
                               public ::testing::WithParamInterface<ResolutionCase> {};

TEST_P(ScannerCapsResolutions, ListEndsAtTheScannersMaximum) {
  const ResolutionCase& c = GetParam();
  Scanner().resolutionFlag = c.flag;
  Scanner().resolutions = c.list;
  Scanner().rangeMax = c.rangeMax;
  ASSERT_TRUE(Query());
  ASSERT_EQ(choices.resolutions.size(), c.count);
  EXPECT_EQ(choices.resolutions.back().text, c.last);
  for (size_t i = 0; i < choices.resolutions.size(); ++i)
    EXPECT_EQ(choices.resolutions[i].index, static_cast<int>(i));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScannerCapsResolutions,
    ::testing::Values(
        // The list's third item is 150; the maximum is its largest item.
        ResolutionCase{"list_to_600", kTagFlagList, {75, 100, 150, 200, 240, 300, 400, 600}, 0, 10, "600"},
        ResolutionCase{"list_unordered_to_300", kTagFlagList, {300, 100, 200, 150}, 0, 5, "300"},
        ResolutionCase{"list_to_400", kTagFlagList, {100, 200, 400}, 0, 7, "400"},
        ResolutionCase{"range_to_1200", kTagFlagRange, {}, 1200, 11, "1200"},
        ResolutionCase{"range_to_2400", kTagFlagRange, {}, 2400, 12, "2400"},
        ResolutionCase{"range_to_75", kTagFlagRange, {}, 75, 1, "100"},
        ResolutionCase{"empty_list", kTagFlagList, {}, 0, 12, "2400"},
        ResolutionCase{"unsupported", kTagFlagUnsupported, {}, 0, 12, "2400"}),
    [](const auto& info) { return std::string(info.param.name); });

struct PaperCase {
  const char* name;
  float width, height;
  std::vector<int> indexes;
  float heightAfter;  // inches
  int16_t units = 0;
};

class ScannerCapsPapers : public ScannerCapsTest, public ::testing::WithParamInterface<PaperCase> {};

TEST_P(ScannerCapsPapers, PapersThatFitTheMaximumAreaWithTheirTableIndexes) {
  const PaperCase& c = GetParam();
  Scanner().width = c.width;
  Scanner().height = c.height;
  Scanner().units = c.units;
  ASSERT_TRUE(Query());
  EXPECT_EQ(Indexes(choices.papers), c.indexes);
  EXPECT_FLOAT_EQ(choices.maxHeight, c.heightAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScannerCapsPapers,
    ::testing::Values(PaperCase{"legal", 8.5f, 14.0f, {0, 1, 2, 3, 4}, 14.0f},
                      PaperCase{"tall_narrow_clamped", 8.5f, 17.0f, {0, 1, 2, 3, 4}, 11.69f},
                      PaperCase{"tabloid_wide", 11.69f, 17.0f, {0, 1, 2, 3, 4, 6, 7}, 17.0f},
                      PaperCase{"card", 4.0f, 6.0f, {4}, 6.0f},
                      PaperCase{"wider_than_a3", 12.0f, 17.0f, {0, 1, 2, 3, 4, 5, 6, 7}, 17.0f},
                      PaperCase{"unknown", 0.0f, 0.0f, {0, 1, 2, 3, 4, 5, 6, 7}, 0.0f},
                      // Sizes in the unit UNITS holds, as a scanner starting in pixels answers.
                      PaperCase{"legal_in_pixels", 2550.0f, 4200.0f, {0, 1, 2, 3, 4}, 14.0f, 2},
                      PaperCase{"tabloid_in_cm", 29.0f, 43.18f, {0, 1, 2, 3, 4, 6, 7}, 17.0f, 1},
                      PaperCase{"unknown_unit", 8.5f, 14.0f, {0, 1, 2, 3, 4, 5, 6, 7}, 0.0f, 7}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScannerCapsTest, PaperTextsAreTheQuerysLiterals) {
  Scanner().width = 11.69f;
  Scanner().height = 17.0f;
  ASSERT_TRUE(Query());
  EXPECT_EQ(Texts(choices.papers),
            (std::vector<std::string>{"A4", "Letter", "B5", "A5", "Bussiness Card",
                                      "A4 - 29.7 x 21.0 cm", "Letter - 11 x 8.5 in"}));
}

TEST_F(ScannerCapsTest, UnansweredValuesKeepWhatWasThere) {
  Scanner().areaAnswered = false;
  choices.maxWidth = 8.5f;
  choices.maxHeight = 11.0f;
  ASSERT_TRUE(Query());
  EXPECT_FLOAT_EQ(choices.maxWidth, 8.5f);
  EXPECT_FLOAT_EQ(choices.maxHeight, 11.0f);
  EXPECT_EQ(choices.papers.size(), 5u);

  Scanner().filter = 9;  // not a filter: the setting stays
  filter = 1;
  ASSERT_TRUE(Query());
  EXPECT_EQ(filter, 1);
}

TEST_F(ScannerCapsTest, LibraryWithoutAnEntryPointShowsOneErrorAndCallsNothing) {
  for (const char* name : {"ZebGetValue", "ZebSetValue", "ZebGetTagFlag", "ZebGetTagChoice"}) {
    FakePavlotLoader missing({name});
    CountingErrors shown;
    ScanLibrary lib(missing, shown);
    ScannerChoices kept = DesignScannerChoices();
    int method = 1, f = 3;
    {
      ScanBinding binding(lib, nullptr);
      EXPECT_FALSE(QueryScannerCaps(lib, &kept, {&method, &f})) << name;
    }
    EXPECT_EQ(shown.shown, 1) << name;
    EXPECT_EQ(Scanner().calls, (std::vector<std::string>{"ZebLoad", "ZebFree"})) << name;
    EXPECT_EQ(kept.resolutions.size(), 11u);
    EXPECT_EQ(kept.papers.size(), 8u);
    EXPECT_EQ(f, 3);
  }
}

TEST(ScannerChoices, NearestEntryForAStoredIndexBeyondTheList) {
  const std::vector<ScanChoice> five = ResolutionChoicesUpTo(300);
  float h = 17.0f;
  const std::vector<ScanChoice> seven = PaperChoicesFor(11.69f, &h);
  struct Case {
    const std::vector<ScanChoice>* list;
    int value, position;
  } cases[] = {{&five, 10, 4}, {&five, 2, 2}, {&five, -1, 0}, {&five, 2147483647, 4},
               {&seven, 5, 4},  // A3 on a list without it: the nearer of 4 and 6, the lower
               {&seven, 6, 5}, {&seven, 7, 6}};
  for (const Case& c : cases)
    EXPECT_EQ(NearestChoice(*c.list, c.value), c.position) << c.value;
  EXPECT_EQ(NearestChoice({}, 3), -1);
}

}  // namespace
}  // namespace tarnwick
