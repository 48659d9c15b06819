// The second edition's capability query: no SCANTYPE flag and choice asked first, the model
// table keyed on the product name that replaces the tests' flags, and the paper rules without
// the height clamp and with the smaller business-card rule. Each case is also run for the first
// edition, which knows no models.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "fake_pavlot.h"
#include "scan_library.h"
#include "scanner_caps.h"

namespace tarnwick {
namespace {

std::vector<int> Indexes(const std::vector<ScanChoice>& list) {
  std::vector<int> t;
  for (const ScanChoice& c : list) t.push_back(c.index);
  return t;
}

class EditionCapsTest : public ::testing::Test {
 protected:
  bool Query(Edition edition) {
    ScanBinding binding(library, nullptr);
    return QueryScannerCaps(library, &choices, {&scanMethod, &filter, edition});
  }
  FakePavlotLoader loader;
  CountingErrors errors;
  ScanLibrary library{loader, errors};
  ScannerChoices choices = DesignScannerChoices();
  int scanMethod = 1, filter = 3;
};

TEST_F(EditionCapsTest, SecondEditionReadsTheModelAfterTheTestsAndAsksNoScanTypeFirst) {
  Scanner().productName = "ZS-3000";
  ASSERT_TRUE(Query(Edition::kSecond));
  const std::vector<std::string> want = {"ZebLoad",         "SetValue 9100 1", "SetValue 9100 2",
                                         "SetValue 9101 1", "GetValue 9004",
                                         "SetValue 9052 5242800"};
  ASSERT_GE(Scanner().calls.size(), want.size());
  EXPECT_EQ(std::vector<std::string>(Scanner().calls.begin(), Scanner().calls.begin() + want.size()),
            want);
  EXPECT_TRUE(Scanner().dirtyBuffers.empty());
}

struct ModelCase {
  const char* name;
  const char* model;             // "" : the product name is not answered
  std::set<int32_t> refused;     // SCANTYPE values the scanner refuses
  bool duplexRefused;
  bool feeder, forced, duplex;   // second edition
  int method;                    // "Scan Method" after the query, from 1
};

class ModelTable : public EditionCapsTest, public ::testing::WithParamInterface<ModelCase> {};

TEST_P(ModelTable, ReplacesTheTestedFlagsOfKnownModelsOnly) {
  const ModelCase& c = GetParam();
  Scanner().productName = c.model;
  Scanner().refusedScanTypes = c.refused;
  Scanner().duplexRefused = c.duplexRefused;
  ASSERT_TRUE(Query(Edition::kSecond));
  EXPECT_EQ(choices.feederAvailable, c.feeder);
  EXPECT_EQ(choices.methodForced, c.forced);
  EXPECT_EQ(choices.duplexAvailable, c.duplex);
  EXPECT_EQ(scanMethod, c.method);  // the table never changes the setting

  // The first edition keeps what the tests found, whatever the model.
  const bool feeder = !c.refused.count(1), flatbed = !c.refused.count(2);
  scanMethod = 1;
  ASSERT_TRUE(Query(Edition::kFirst));
  EXPECT_EQ(choices.feederAvailable, feeder);
  EXPECT_EQ(choices.methodForced, !(feeder && flatbed));
  EXPECT_EQ(choices.duplexAvailable, !c.duplexRefused);
}

INSTANTIATE_TEST_SUITE_P(
    Models, ModelTable,
    ::testing::Values(
        // A scanner that takes nothing, so each flag the table sets is its own.
        ModelCase{"RM430", "RM430", {1, 2}, true, true, true, true, 1},
        ModelCase{"RM430D2", "RM430D2", {1, 2}, true, true, true, true, 1},
        ModelCase{"RM150", "RM150", {1, 2}, true, true, true, true, 1},
        ModelCase{"RM410", "RM410", {1, 2}, true, true, true, false, 1},
        ModelCase{"RM6000s", "RM6000s", {1, 2}, true, true, false, true, 1},
        ModelCase{"RM5100", "RM5100", {1, 2}, true, true, false, true, 1},
        // A scanner that takes everything.
        ModelCase{"RMB9", "RMB9", {}, false, false, false, false, 1},
        ModelCase{"RMB9plus", "RMB9+", {}, false, false, false, false, 1},
        // Compared exactly: longer, shorter, other case and padded names are other models.
        ModelCase{"RM430D", "RM430D", {1, 2}, true, false, true, false, 1},
        ModelCase{"RM4300", "RM4300", {}, false, true, false, true, 1},
        ModelCase{"RM43", "RM43", {1, 2}, true, false, true, false, 1},
        ModelCase{"rm430", "rm430", {1, 2}, true, false, true, false, 1},
        ModelCase{"RM430_space", "RM430 ", {1, 2}, true, false, true, false, 1},
        ModelCase{"RM6000", "RM6000", {}, false, true, false, true, 1},
        ModelCase{"unanswered", "", {2}, false, true, true, true, 0},
        // The tests force "Scan Method" to the feeder; the table's "not forced" leaves it so.
        ModelCase{"RM6000s_feeder_only", "RM6000s", {2}, false, true, false, true, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PaperRules, SecondEditionKeepsTallHeightsAndTakesSmallerBusinessCards) {
  struct Case {
    float width, height;
    std::vector<int> first, second;
    float firstHeight;  // the height the first edition keeps
  } cases[] = {
      {8.5f, 17.0f, {0, 1, 2, 3, 4}, {0, 1, 2, 3, 4, 6, 7}, 11.69f},
      {8.5f, 15.5f, {0, 1, 2, 3, 4}, {0, 1, 2, 3, 4}, 11.69f},
      {8.5f, 14.0f, {0, 1, 2, 3, 4}, {0, 1, 2, 3, 4}, 14.0f},
      {4.0f, 6.0f, {4}, {0, 1, 2, 3, 4, 5, 6, 7}, 6.0f},
      {4.1f, 5.7f, {4}, {4}, 5.7f},
      {4.0f, 5.0f, {4}, {4}, 5.0f},
      {4.2f, 6.0f, {0, 1, 2, 3, 4}, {0, 1, 2, 3, 4}, 6.0f},
      {0.0f, 0.0f, {0, 1, 2, 3, 4, 5, 6, 7}, {0, 1, 2, 3, 4, 5, 6, 7}, 0.0f},
  };
  for (const Case& c : cases) {
    float h1 = c.height, h2 = c.height;
    EXPECT_EQ(Indexes(PaperChoicesFor(c.width, &h1, Edition::kFirst)), c.first)
        << c.width << " x " << c.height;
    EXPECT_EQ(Indexes(PaperChoicesFor(c.width, &h2, Edition::kSecond)), c.second)
        << c.width << " x " << c.height;
    EXPECT_FLOAT_EQ(h1, c.firstHeight);
    EXPECT_FLOAT_EQ(h2, c.height);
  }
}

}  // namespace
}  // namespace tarnwick
