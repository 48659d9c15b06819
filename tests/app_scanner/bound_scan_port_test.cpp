// The scan pass's port over the binding: numbers in their tag's size, texts zero-filled to the
// tag's buffer, unanswered reads as 0 and "", and an unbound library refusing every call.
#include <gtest/gtest.h>

#include "bound_scan_port.h"
#include "fake_pavlot.h"

namespace tarnwick {
namespace {

TEST(BoundScanPort, TagsTravelInTheirOwnSizeAndUnansweredReadsAsNothing) {
  FakePavlotLoader loader;
  CountingErrors errors;
  ScanLibrary library(loader, errors);
  ScanBinding binding(library, nullptr);
  BoundScanPort port(library);

  EXPECT_EQ(port.SetNumber(kTagAutoCropId, 1), 0);
  EXPECT_EQ(Scanner().bytesSet[kTagAutoCropId], 2);
  EXPECT_EQ(port.SetText(kTagDitherId, "None"), 0);
  EXPECT_EQ(Scanner().textsSet[kTagDitherId], "None");
  // A text longer than the tag's buffer is cut, never overrun.
  EXPECT_EQ(port.SetText(kTagDitherId, std::string(40, 'x')), 0);
  EXPECT_EQ(Scanner().textsSet[kTagDitherId], std::string(32, 'x'));

  int32_t answer = 77;
  EXPECT_NE(port.GetNumber(kTagPaperPresentId, &answer), 0);
  EXPECT_EQ(answer, 0);
  EXPECT_EQ(port.GetText(kTagProductNameId), "");
  Scanner().productName = "RM720D";
  EXPECT_EQ(port.GetText(kTagProductNameId), "RM720D");
  EXPECT_EQ(port.SetProp(TScanPropRec{}), 0);
  EXPECT_EQ(errors.shown, 0);
}

TEST(BoundScanPort, WithoutTheLibraryEveryCallIsRefusedWithOneError) {
  FakePavlotLoader loader({}, false);
  CountingErrors errors;
  ScanLibrary library(loader, errors);
  ScanBinding binding(library, nullptr);
  BoundScanPort port(library);
  int32_t answer = 5;
  EXPECT_EQ(port.SetNumber(kTagInvertId, 1), kScanEntryNotBound);
  EXPECT_EQ(port.GetNumber(kTagPaperPresentId, &answer), kScanEntryNotBound);
  EXPECT_EQ(answer, 0);
  EXPECT_EQ(port.GetText(kTagProductNameId), "");
  EXPECT_EQ(port.SetProp(TScanPropRec{}), kScanEntryNotBound);
  EXPECT_EQ(errors.shown, 1);
}

}  // namespace
}  // namespace tarnwick
