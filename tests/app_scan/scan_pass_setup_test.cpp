#include "scan_pass_setup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "scan_loop_rules.h"
#include "scan_tables.h"

using namespace tarnwick;

namespace {

// Records every call as "set 9211 None", "get 9004", "prop", "set 9204 50".
struct RecordingLibrary : ScanLibraryPort {
  std::vector<std::string> calls;
  TScanPropRec prop{};
  std::string productName;  // written into the answer when not empty
  bool garbleName = false;  // answer a name longer than the tag holds
  int32_t paper = -1;       // -1: the library writes nothing; -2: it refuses the tag
  int32_t SetNumber(uint16_t tag, int32_t value) override {
    char buf[64];
    std::snprintf(buf, sizeof buf, "set %04X %d", tag, value);
    calls.push_back(buf);
    return 0;
  }
  int32_t SetText(uint16_t tag, const std::string& text) override {
    calls.push_back("set " + Hex(tag) + " " + text);
    return 0;
  }
  int32_t GetNumber(uint16_t tag, int32_t* answer) override {
    calls.push_back("get " + Hex(tag));
    if (tag == kTagPaperPresentId && paper >= 0) *answer = paper;
    return paper == -2 ? -7 : 0;
  }
  std::string GetText(uint16_t tag) override {
    calls.push_back("get " + Hex(tag));
    if (tag == kTagProductNameId && garbleName) return std::string(40, 'X');
    return tag == kTagProductNameId ? productName : "";
  }
  static std::string Hex(uint16_t tag) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04X", tag);
    return buf;
  }
  int32_t SetProp(const TScanPropRec& p) override {
    prop = p;
    calls.push_back("prop");
    return 0;
  }
};

}  // namespace

TEST(ScanTables, ResolutionIndexGivesDpiAndAnythingElse2400) {
  const int expected[] = {100, 150, 200, 250, 300, 350, 400, 450, 500, 600, 1200, 2400, 2400};
  for (int i = 0; i < 13; ++i) EXPECT_EQ(ResolutionDpi(i), expected[i]) << i;
  EXPECT_EQ(ResolutionDpi(99), 2400);
}

TEST(ScanTables, ModelAreaByExactNameElseDefaultRow) {
  EXPECT_FLOAT_EQ(ModelMaxArea("RM720D").Length, 17.0f);
  EXPECT_FLOAT_EQ(ModelMaxArea("ORBEL m50").Width, 8.529f);
  EXPECT_FLOAT_EQ(ModelMaxArea("PX5500").Width, 11.69f);
  EXPECT_FLOAT_EQ(ModelMaxArea("rm720d").Length, 14.0f);
  EXPECT_FLOAT_EQ(ModelMaxArea("").Width, 8.505f);
}

TEST(ScanPassSetup, GrayPassSendsTagsInOrderAndBrightnessPerChannel) {
  RecordingLibrary lib;
  ScanPassSettings s;
  s.ImageType = 1;
  s.ScanMethod = 0;
  s.Duplex = true;
  s.Invert = false;
  s.AutoCrop = true;
  s.Brightness = 5;
  s.Contrast = -3;
  s.Resolution = 4;
  s.Filter = 0;  // drop-out "none": the channel loop must not leave FILTER at its last channel
  const ScanPassSetup out = SendScanPassSettings(lib, s, {8.5f, 14.0f});
  const std::vector<std::string> expected = {
      "get 9004",     "set 9101 1",   "set 9300 0",   "set 9309 1",   "set 9051 1",
      "prop",         "set 9304 1",   "set 9209 0",   "set 9204 50",  "set 9205 -30",
      "set 9209 1",   "set 9204 50",  "set 9205 -30", "set 9209 3",   "set 9204 50",
      "set 9205 -30", "set 9209 2",   "set 9204 50",  "set 9205 -30", "set 9209 0"};
  EXPECT_EQ(lib.calls, expected);
  EXPECT_EQ(+lib.prop.TransMode, 1);
  EXPECT_EQ(+lib.prop.PixelType, 1);
  EXPECT_EQ(+lib.prop.BitsPerPixel, 8);
  EXPECT_EQ(+lib.prop.ScanMethod, 1);
  EXPECT_EQ(+lib.prop.XRes, 300);
  EXPECT_EQ(+lib.prop.YRes, 300);
  EXPECT_EQ(+lib.prop.Filter, 0);
  EXPECT_EQ(+lib.prop.Brightness, 0);
  EXPECT_EQ(+lib.prop.ShowUI, 0);
  EXPECT_EQ(out.Dpi, 300);
}

TEST(ScanPassSetup, BlackAndWhiteFlatbedSendsDitherFirstAndBrightnessOnce) {
  RecordingLibrary lib;
  ScanPassSettings s;
  s.ImageType = 0;
  s.ScanMethod = 1;
  s.Invert = true;
  s.ShowUI = true;
  s.Brightness = 1;
  s.Contrast = 2;
  SendScanPassSettings(lib, s, {8.5f, 14.0f});
  const std::vector<std::string> expected = {"set 9211 None", "get 9004",    "set 9300 1",
                                             "set 9309 0",    "set 9051 1",  "prop",
                                             "set 9204 10",   "set 9205 20"};
  EXPECT_EQ(lib.calls, expected);
  EXPECT_EQ(+lib.prop.PixelType, 0);
  EXPECT_EQ(+lib.prop.BitsPerPixel, 1);
  EXPECT_EQ(+lib.prop.ScanMethod, 2);
  EXPECT_EQ(+lib.prop.ShowUI, 1);
  EXPECT_EQ(+lib.prop.XRes, 200);
}

// The tags after the record: per channel with COLORMATCH for colour in both editions and for
// gray in the first only, FILTER set back to the operator's channel after the loop; one pair
// otherwise (and no COLORMATCH, no FILTER change).
TEST(ScanPassSetup, BrightnessPerChannelForColourAndForGrayOnlyInTheFirstEdition) {
  struct Case {
    Edition edition;
    int imageType;
    bool perChannel;
  };
  const Case cases[] = {{Edition::kFirst, 0, false},  {Edition::kFirst, 1, true},
                        {Edition::kFirst, 2, true},   {Edition::kSecond, 0, false},
                        {Edition::kSecond, 1, false}, {Edition::kSecond, 2, true}};
  const std::vector<std::string> pair = {"set 9204 20", "set 9205 40"};
  std::vector<std::string> channels = {"set 9304 1"};
  for (int channel : {0, 1, 3, 2}) {
    channels.push_back("set 9209 " + std::to_string(channel));
    channels.insert(channels.end(), pair.begin(), pair.end());
  }
  channels.push_back("set 9209 1");  // back to the operator's drop-out channel
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(int(c.edition)) + " type " + std::to_string(c.imageType));
    EXPECT_EQ(BrightnessPerChannel(c.edition, c.imageType), c.perChannel);
    RecordingLibrary lib;
    ScanPassSettings s;
    s.ForEdition = c.edition;
    s.ImageType = c.imageType;
    s.ScanMethod = 1;
    s.Brightness = 2;
    s.Contrast = 4;
    s.Filter = 1;
    SendScanPassSettings(lib, s, {8.5f, 14.0f});
    const auto prop = std::find(lib.calls.begin(), lib.calls.end(), "prop");
    ASSERT_NE(prop, lib.calls.end());
    EXPECT_EQ(std::vector<std::string>(prop + 1, lib.calls.end()), c.perChannel ? channels : pair);
    EXPECT_EQ(+lib.prop.Filter, 1);
    EXPECT_EQ(+lib.prop.PixelType, c.imageType);
  }
}

struct AreaCase {
  int size;
  ScannerMaxArea scanner;
  const char* product;
  int paperListCount;
  float width, length;
};

TEST(ScanPassSetup, PaperIsClampedToTheScannerOrTheModelsArea) {
  const AreaCase cases[] = {
      {5, {8.5f, 14.0f}, "", 8, 8.5f, 14.0f},             // A3 on a legal-sized scanner
      {1, {0.0f, 0.0f}, "RM720D", 8, 8.5f, 11.0f},        // no area reported: the model's
      {5, {0.0f, 0.0f}, "RM720D", 8, 8.5f, 16.535433f},   // A3 within 8.5 x 17
      {5, {13.0f, 20.0f}, "PX5500", 8, 11.69f, 16.535433f},
      {5, {13.0f, 20.0f}, "unknown", 8, 8.505f, 14.0f},   // default row
      {0, {11.69f, 16.54f}, "", 8, 8.27f, 11.69f},        // fits as it is
      {0, {8.5f, 14.0f}, "", 1, 4.0f, 2.5f},              // one paper entry: business card
      {2, {8.5f, 14.0f}, "", 5, 6.929134f, 10.118111f},
      {3, {8.5f, 14.0f}, "", 5, 5.826772f, 8.267716f},
      {6, {11.69f, 16.54f}, "", 8, 11.69f, 8.27f},
      {7, {11.69f, 16.54f}, "", 8, 11.0f, 8.5f},
  };
  for (const AreaCase& c : cases) {
    RecordingLibrary lib;
    lib.productName = c.product;
    ScanPassSettings s;
    s.Size = c.size;
    s.PaperListCount = c.paperListCount;
    SendScanPassSettings(lib, s, c.scanner);
    EXPECT_FLOAT_EQ(+lib.prop.Size.Width, c.width) << c.size << " " << c.product;
    EXPECT_FLOAT_EQ(+lib.prop.Size.Length, c.length) << c.size << " " << c.product;
    EXPECT_EQ(+lib.prop.Size.Unit, 0);
    EXPECT_EQ(+lib.prop.Size.DefPaper, 0);
    EXPECT_EQ(+lib.prop.Size.Left, 0.0f);
    EXPECT_EQ(+lib.prop.Size.Top, 0.0f);
  }
}

TEST(ScanPassSetup, AnswersTheLibraryLeavesUnwrittenOrUnterminatedAreSafe) {
  RecordingLibrary lib;
  lib.garbleName = true;
  const ScanPassSetup out = SendScanPassSettings(lib, {}, {0.0f, 0.0f});
  EXPECT_EQ(out.ProductName.size(), 33u);
  EXPECT_FLOAT_EQ(+lib.prop.Size.Length, 11.69f);

  RecordingLibrary silent;
  EXPECT_FALSE(PaperInFeeder(silent));
  silent.paper = 1;
  EXPECT_TRUE(PaperInFeeder(silent));
  silent.paper = 0;
  EXPECT_FALSE(PaperInFeeder(silent));
  silent.paper = -2;
  EXPECT_FALSE(PaperInFeeder(silent));
}
