// LoadScanLibrary / FreeScanLibrary over a fake pavlot.dll: binding by name, the nesting count,
// the cleared table after the outermost free, and the guard in front of every entry point.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "fake_pavlot.h"
#include "scan_library.h"

namespace tarnwick {
namespace {

int kOwner;

TEST(ScanLibrary, BindsTheTenEntryPointsByNameStartsAndStopsTheLibrary) {
  FakePavlotLoader loader;
  CountingErrors errors;
  ScanLibrary library(loader, errors);
  library.Load(&kOwner);
  EXPECT_EQ(loader.loadedFile, "pavlot.dll");
  EXPECT_EQ(Scanner().zebLoads, 1);
  EXPECT_EQ(Scanner().owner, &kOwner);
  for (int i = 0; i < kScanEntryCount; ++i)
    EXPECT_TRUE(IsScanEntryBound(library.Entries(), static_cast<ScanEntry>(i))) << kScanEntryNames[i];
  EXPECT_EQ(library.SelectSource(), 0);

  library.Free();
  EXPECT_EQ(Scanner().zebFrees, 1);
  EXPECT_EQ(loader.unloads, 1);
  EXPECT_FALSE(library.Loaded());
  for (int i = 0; i < kScanEntryCount; ++i)
    EXPECT_FALSE(IsScanEntryBound(library.Entries(), static_cast<ScanEntry>(i))) << kScanEntryNames[i];
  EXPECT_EQ(errors.shown, 0);
}

TEST(ScanLibrary, ZebLoadsOwnFailureIsNoBindingError) {
  // Before a scanner is chosen the library answers "no source" and still offers its dialog.
  FakePavlotLoader loader;
  CountingErrors errors;
  ScanLibrary library(loader, errors);
  Scanner().loadStatus = -10;
  ScanBinding binding(library, nullptr);
  EXPECT_EQ(library.LoadStatus(), -10);
  EXPECT_TRUE(library.Require({ScanEntry::ZebSelectSource}));
  EXPECT_EQ(errors.shown, 0);
}

TEST(ScanLibrary, NestedBindingKeepsTheLibraryUntilTheOutermostFree) {
  FakePavlotLoader loader;
  CountingErrors errors;
  ScanLibrary library(loader, errors);
  library.Load(nullptr);
  {
    ScanBinding inner(library, nullptr);  // a save-as dispatch inside a running scan
    EXPECT_EQ(library.Depth(), 2);
  }
  EXPECT_EQ(Scanner().zebLoads, 1);
  EXPECT_EQ(Scanner().zebFrees, 0);
  EXPECT_EQ(loader.unloads, 0);
  EXPECT_TRUE(library.Loaded());
  int16_t invert = 1;
  EXPECT_EQ(library.SetValue(0x9300, &invert), 0);  // the running scan's calls still reach it

  library.Free();
  EXPECT_EQ(Scanner().zebFrees, 1);
  EXPECT_EQ(loader.unloads, 1);
  EXPECT_FALSE(IsScanEntryBound(library.Entries(), ScanEntry::ZebSetValue));
  EXPECT_EQ(library.SetValue(0x9300, &invert), kScanEntryNotBound);

  library.Free();  // unbalanced: nothing more
  EXPECT_EQ(Scanner().zebFrees, 1);
  EXPECT_EQ(loader.unloads, 1);
  EXPECT_EQ(library.Depth(), 0);
}

TEST(ScanLibrary, RebindReleasesAndBindsAnewUnderTheSameNesting) {
  FakePavlotLoader loader;
  CountingErrors errors;
  ScanLibrary library(loader, errors);
  library.Rebind(nullptr);  // not bound: nothing
  EXPECT_EQ(Scanner().zebLoads, 0);
  library.Load(nullptr);
  library.Load(nullptr);
  library.Rebind(&kOwner);
  EXPECT_EQ(Scanner().zebFrees, 1);
  EXPECT_EQ(Scanner().zebLoads, 2);
  EXPECT_EQ(loader.unloads, 1);
  EXPECT_EQ(Scanner().owner, &kOwner);
  EXPECT_EQ(library.Depth(), 2);
  int16_t invert = 1;
  EXPECT_EQ(library.SetValue(0x9300, &invert), 0);
  library.Free();
  EXPECT_TRUE(library.Loaded());
  library.Free();
  EXPECT_FALSE(library.Loaded());
  EXPECT_EQ(Scanner().zebFrees, 2);
  EXPECT_EQ(errors.shown, 0);
}

TEST(ScanLibrary, MissingLibraryBindsNothingAndTheCommandShowsOneError) {
  FakePavlotLoader loader({}, false);
  CountingErrors errors;
  ScanLibrary library(loader, errors);
  {
    ScanBinding binding(library, nullptr);
    EXPECT_EQ(errors.shown, 0) << "binding itself shows nothing";
    EXPECT_EQ(library.LoadStatus(), kScanEntryNotBound);
    EXPECT_FALSE(library.Require({ScanEntry::ZebSelectSource}));
    EXPECT_FALSE(library.Require({ScanEntry::ZebGetValue}));
    int16_t filter = 0;
    EXPECT_EQ(library.GetValue(0x9209, &filter), kScanEntryNotBound);
    EXPECT_EQ(errors.shown, 1);
  }
  EXPECT_EQ(Scanner().zebFrees, 0);
  EXPECT_EQ(loader.unloads, 0);
  // The next command binds anew and reports again.
  ScanBinding next(library, nullptr);
  EXPECT_FALSE(library.Require({ScanEntry::ZebSelectSource}));
  EXPECT_EQ(errors.shown, 2);
}

class ScanLibraryMissingEntry : public ::testing::TestWithParam<int> {};

TEST_P(ScanLibraryMissingEntry, EveryCallIsGuardedAndTheRestStillWork) {
  const auto entry = static_cast<ScanEntry>(GetParam());
  const std::string name = kScanEntryNames[GetParam()];
  FakePavlotLoader loader({name});
  CountingErrors errors;
  ScanLibrary library(loader, errors);
  library.Load(nullptr);
  EXPECT_EQ(Scanner().zebLoads, entry == ScanEntry::ZebLoad ? 0 : 1);
  EXPECT_FALSE(IsScanEntryBound(library.Entries(), entry));

  int16_t value = 0;
  int32_t flag = 0;
  const int32_t answers[] = {library.SetProp(TScanPropRec{}), library.Acquire(nullptr),
                             library.SelectSource(), library.SetValue(0x9300, &value),
                             library.GetValue(0x9300, &value), library.GetTagFlag(0x9300, &flag),
                             library.GetTagChoice(0x9300, 0, &value)};
  const ScanEntry called[] = {ScanEntry::ZebSetProp,    ScanEntry::ZebAcquire,
                              ScanEntry::ZebSelectSource, ScanEntry::ZebSetValue,
                              ScanEntry::ZebGetValue,   ScanEntry::ZebGetTagFlag,
                              ScanEntry::ZebGetTagChoice};
  for (size_t i = 0; i < std::size(called); ++i) {
    if (called[i] == entry) {
      EXPECT_EQ(answers[i], kScanEntryNotBound);
    } else {
      EXPECT_NE(answers[i], kScanEntryNotBound) << kScanEntryNames[static_cast<int>(called[i])];
    }
  }
  const bool called_one = std::find(std::begin(called), std::end(called), entry) != std::end(called);
  EXPECT_EQ(errors.shown, called_one ? 1 : 0);
  EXPECT_EQ(library.Require({entry}), false);
  EXPECT_EQ(errors.shown, 1) << "once per binding";

  library.Free();
  EXPECT_EQ(Scanner().zebFrees, entry == ScanEntry::ZebFree ? 0 : 1);
  EXPECT_EQ(loader.unloads, 1);
}

INSTANTIATE_TEST_SUITE_P(EachEntry, ScanLibraryMissingEntry, ::testing::Range(0, kScanEntryCount),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string(kScanEntryNames[info.param]);
                         });

}  // namespace
}  // namespace tarnwick
