// The property push against a recording engine: what is sent, in which order, and what a
// refusal does to the push.
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "driver_flags.h"
#include "fix32.h"
#include "localisation.h"
#include "plugin_formats.h"
#include "recording_engine.h"
#include "tag_state.h"
#include "tag_types.h"
#include "tw_set_prop_steps.h"
#include "tw_tags.h"

namespace {

int32_t g_currentPlugin = -1;
int32_t OnePlugin() { return 1; }
int32_t NoFormats(int32_t, int32_t, int32_t*, int32_t) { return 0; }
int32_t NoModes(int32_t*, int32_t) { return 0; }
void MakeCurrent(int32_t i) { g_currentPlugin = i; }
int32_t CurrentIndex() { return g_currentPlugin; }
const PluginFormats kPlugins = {OnePlugin, NoFormats, NoModes, MakeCurrent, CurrentIndex};

uint32_t Fix(float v) {
  const Fix32 f = FloatToFix32(v);
  uint32_t bits;
  std::memcpy(&bits, &f, 4);
  return bits;
}

class Push : public ::testing::Test {
 protected:
  void SetUp() override {
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
    g_engine.Reset();
    g_currentPlugin = -1;
    SetPluginFormats(&kPlugins);
    DriverDelivers = 1;
    FeederInUse = 0;
    OwnDevice = 1;
    for (TagState& s : g_tagStates) s = TagState{};
    g_tagStates[kRowBrightness].Current = reinterpret_cast<uintptr_t>(brightness);
    g_tagStates[kRowContrast].Current = reinterpret_cast<uintptr_t>(contrast);
    g_tagStates[kRowHighlight].Current = reinterpret_cast<uintptr_t>(highlight);
    g_tagStates[kRowShadow].Current = reinterpret_cast<uintptr_t>(shadow);
    g_tagStates[kRowGamma].Current = reinterpret_cast<uintptr_t>(gamma);
    g_tagStates[kRowDither].Current = reinterpret_cast<uintptr_t>(dither);
    std::strcpy(dither, "Dither");
    Set(kRowPixelType, 1);
    Set(kRowBitsPerPixel, 8);
    Set(kRowScanType, 2);
    Set(kRowTransferMode, 1);
    Set(kRowXResolution, 300);
    Set(kRowYResolution, 200);
    Set(kRowFilter, 2);
    Set(kRowIndicators, 1);
    Set(kRowXferCount, 5);
    Set(kRowSharpen, 1);
    Set(kRowDeskew, 1);
    SetCurrentFloat(kRowPhysicalWidth, 8.5f);
    SetCurrentFloat(kRowPhysicalHeight, 14.0f);
    SetCurrentFloat(kRowXPosition, 1.0f);
    SetCurrentFloat(kRowYPosition, 1.0f);
    SetCurrentFloat(kRowImageWidth, 2.0f);
    SetCurrentFloat(kRowImageLength, 3.0f);
  }
  void TearDown() override {
    SetPluginFormats(nullptr);
    for (TagState& s : g_tagStates) s = TagState{};
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quandrix");
  }
  static void Set(int row, int32_t v) { SetCurrentInt(row, v); }

  int16_t brightness[4] = {10, 11, 12, 13};
  int16_t contrast[4] = {20, 21, 22, 23};
  int16_t highlight[4] = {250, 251, 252, 253};
  int16_t shadow[4] = {5, 6, 7, 8};
  float gamma[4] = {2.2f, 1.0f, 1.5f, 2.0f};
  char dither[33] = {};
};

TEST_F(Push, EveryValueGoesInItsFixedOrder) {
  ASSERT_EQ(TWAINSetProp(), 0);
  struct Expected {
    int32_t cap;
    uint32_t value;
  };
  const std::vector<Expected> expected = {
      {0x0100, 0}, {0x0103, 0}, {0x0101, 1}, {0x112B, 8}, {0x0101, 1},
      {0x1010, 0}, {0x1002, 0}, {0x1013, 0}, {0x111E, 0},  // flatbed, simplex, reflective
      {0x0102, 0},  // resolutions go in inches
      {0x1118, Fix(300)}, {0x1119, Fix(200)},
      {0x1106, 3}, {0x1101, Fix(10)}, {0x1103, Fix(20)}, {0x110A, Fix(250)}, {0x1113, Fix(5)},
      {0x1108, Fix(2.2f)},
      {0x1106, 1},  // FILTER 2 (green)
      {0x111F, 0}, {0x100B, 1}, {0x9050, 0}, {0x0001, 0xFFFFFFFFu}, {0x0102, 0},
      {0x1197, 0}, {0x1198, 1}, {0x1199, 0}, {0x1114, Fix(1)}, {0x9200, 0}, {0x1151, 1},
  };
  ASSERT_EQ(g_engine.pushed.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(g_engine.pushed[i].cap, expected[i].cap) << "push " << i;
    EXPECT_EQ(g_engine.pushed[i].value, expected[i].value) << "push " << std::hex << expected[i].cap;
  }
  EXPECT_EQ(FeederInUse, 0);
  EXPECT_EQ(DriverDelivers, 1);
}

TEST_F(Push, PixelTypeAndChannelsFollowTheImageType) {
  struct Case {
    int32_t pixelType, bits;
    std::vector<uint32_t> pixelTypes, filters;
  };
  const Case cases[] = {
      {2, 8, {3, 3}, {3, 0, 1, 2}},     // palette colour; one pass per channel
      {2, 24, {2, 2}, {3, 0, 1, 2}},
      {0, 1, {0, 0}, {3, 1}},
      {1, 8, {1, 1}, {3, 1}},
  };
  for (const Case& c : cases) {
    g_engine.Reset();
    Set(kRowPixelType, c.pixelType);
    Set(kRowBitsPerPixel, c.bits);
    ASSERT_EQ(TWAINSetProp(), 0);
    EXPECT_EQ(g_engine.ValuesOf(0x0101), c.pixelTypes) << c.pixelType << "/" << c.bits;
    EXPECT_EQ(g_engine.ValuesOf(0x1106), c.filters) << c.pixelType << "/" << c.bits;
  }
  // Colour: each channel's own values after its filter.
  g_engine.Reset();
  Set(kRowPixelType, 2);
  Set(kRowBitsPerPixel, 24);
  ASSERT_EQ(TWAINSetProp(), 0);
  EXPECT_EQ(g_engine.ValuesOf(0x1101), (std::vector<uint32_t>{Fix(10), Fix(11), Fix(12), Fix(13)}));
  EXPECT_EQ(g_engine.ValuesOf(0x1103), (std::vector<uint32_t>{Fix(20), Fix(21), Fix(22), Fix(23)}));
  EXPECT_EQ(g_engine.ValuesOf(0x1108), (std::vector<uint32_t>{Fix(2.2f), Fix(1), Fix(1.5f), Fix(2)}));
}

TEST_F(Push, AChannelWhoseFilterIsRefusedSendsNothingForIt) {
  Set(kRowPixelType, 2);
  Set(kRowBitsPerPixel, 24);
  g_engine.refuseValue[(uint64_t(0x1106) << 32) | 1] = -8;  // no green filter
  ASSERT_EQ(TWAINSetProp(), 0);
  EXPECT_EQ(g_engine.ValuesOf(0x1101), (std::vector<uint32_t>{Fix(10), Fix(11), Fix(13)}));
}

TEST_F(Push, TheLocalisedNoneMeansThresholdAndNoHalftoneName) {
  Set(kRowPixelType, 0);
  Set(kRowBitsPerPixel, 1);
  std::strcpy(dither, "None");
  ASSERT_EQ(TWAINSetProp(), 0);
  EXPECT_EQ(g_engine.ValuesOf(0x112C), std::vector<uint32_t>{0});
  EXPECT_TRUE(g_engine.ValuesOf(0x1109).empty());

  g_engine.Reset();
  std::strcpy(dither, "Diffusion");
  ASSERT_EQ(TWAINSetProp(), 0);
  EXPECT_EQ(g_engine.ValuesOf(0x112C), std::vector<uint32_t>{1});
  ASSERT_EQ(g_engine.ValuesOf(0x1109).size(), 1u);
  for (const Pushed& p : g_engine.pushed)
    if (p.cap == 0x1109) {
      EXPECT_EQ(p.text, "Diffusion");
    }

  // The comparison is exact: another letter case is a halftone name.
  g_engine.Reset();
  std::strcpy(dither, "none");
  ASSERT_EQ(TWAINSetProp(), 0);
  EXPECT_EQ(g_engine.ValuesOf(0x112C), std::vector<uint32_t>{1});
}

TEST_F(Push, TheNoneWordComesFromTheLocalisationFileKeptAtStartUp) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string loc = std::string(folder) + "tw_push_test.loc";
  // The language section this machine's LANGUAGE 0 picks.
  char section[8] = {};
  GetLanguageCode(section);
  WritePrivateProfileStringA(section, "None", "Nenhum", loc.c_str());
  HKEY k;
  RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quandrix", 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr);
  RegSetValueExA(k, "LOCALIZE", 0, REG_SZ, reinterpret_cast<const BYTE*>(loc.c_str()),
                 static_cast<DWORD>(loc.size() + 1));
  RegCloseKey(k);
  Set(kRowPixelType, 0);
  Set(kRowBitsPerPixel, 1);
  std::strcpy(dither, "Nenhum");
  ASSERT_EQ(TWAINSetProp(), 0);
  EXPECT_EQ(g_engine.ValuesOf(0x112C), std::vector<uint32_t>{0});
  EXPECT_TRUE(g_engine.ValuesOf(0x1109).empty());
  DeleteFileA(loc.c_str());
}

TEST_F(Push, PaperPathBySourceAndSensor) {
  struct Case {
    int32_t scanType;
    int32_t loaded;
    int32_t result;
    int32_t feederInUse;
    std::vector<uint32_t> feederEnabled;
    std::vector<uint32_t> duplex;
    std::vector<uint32_t> lightPath;
    std::vector<uint32_t> xferCount;  // empty: the push stopped before it
  };
  const Case cases[] = {
      {0, 1, 0, 1, {1}, {1}, {0}, {5}},
      {0, 0, 0, 0, {1, 0}, {0}, {0}, {0xFFFFFFFFu}},  // empty feeder: the flatbed scans
      {1, 1, 0, 1, {1}, {1}, {0}, {5}},
      {1, 0, -16, 1, {1}, {}, {}, {}},
      {2, 1, 0, 0, {0}, {0}, {0}, {0xFFFFFFFFu}},
      {3, 1, 0, 0, {0}, {0}, {1}, {0xFFFFFFFFu}},
      {4, 1, 0, 0, {0}, {0}, {1}, {0xFFFFFFFFu}},
  };
  for (const Case& c : cases) {
    g_engine.Reset();
    g_engine.feederLoaded = c.loaded;
    Set(kRowScanType, c.scanType);
    Set(kRowFeederType, 1);
    EXPECT_EQ(TWAINSetProp(), c.result) << c.scanType << "/" << c.loaded;
    EXPECT_EQ(FeederInUse, c.feederInUse) << c.scanType << "/" << c.loaded;
    EXPECT_EQ(g_engine.ValuesOf(0x1002), c.feederEnabled) << c.scanType << "/" << c.loaded;
    EXPECT_EQ(g_engine.ValuesOf(0x1013), c.duplex) << c.scanType << "/" << c.loaded;
    EXPECT_EQ(g_engine.ValuesOf(0x111E), c.lightPath) << c.scanType << "/" << c.loaded;
    EXPECT_EQ(g_engine.ValuesOf(0x0001), c.xferCount) << c.scanType << "/" << c.loaded;
    if (c.scanType == 0 && c.loaded == 0) {
      EXPECT_EQ(CurrentInt(kRowFeederType), 0);
    }
  }
}

TEST_F(Push, AFeederTheSourceWillNotEnableIsNoFeederScan) {
  Set(kRowScanType, 0);
  g_engine.refuseValue[(uint64_t(0x1002) << 32) | 1] = -8;
  ASSERT_EQ(TWAINSetProp(), 0);
  EXPECT_EQ(FeederInUse, 0);
  Set(kRowScanType, 1);
  EXPECT_EQ(TWAINSetProp(), -8);
}

TEST_F(Push, TransferMechanismAndWhoMakesThePages) {
  struct Case {
    int32_t mode;
    int32_t delivers;  // DriverDelivers before the push
    int32_t ownDevice;
    bool plugin;
    std::vector<int32_t> refused;  // capabilities the source refuses
    int32_t result;
    int32_t deliversAfter;
    std::vector<uint32_t> mechanisms;
  };
  const Case cases[] = {
      {0, 1, 1, false, {}, 0, 1, {2}},
      {1, 1, 1, false, {}, 0, 1, {0}},
      {2, 1, 1, false, {}, 0, 1, {1}},
      {7, 1, 1, false, {}, 0, 1, {2}},            // no such mode: memory blocks
      {1, 0, 1, false, {}, 0, 0, {2}},            // the library assembles pages
      {2, 0, 1, false, {}, -7, 0, {}},            // nobody writes the files
      {2, 0, 1, true, {}, 0, 0, {2}},
      {1, 1, 1, false, {0x0100}, 0, 0, {2}},      // compression refused: assembled here
      {1, 1, 0, false, {0x0100}, -7, 1, {}},
      {2, 1, 1, true, {0x110C}, 0, 0, {2}},       // file format refused: the plug-in writes
      {2, 1, 1, false, {0x110C}, -7, 1, {}},
      {2, 1, 0, true, {0x110C}, -7, 1, {}},
  };
  for (const Case& c : cases) {
    g_engine.Reset();
    for (int32_t cap : c.refused) g_engine.refuse[cap] = -8;
    g_currentPlugin = c.plugin ? 0 : -1;
    Set(kRowTransferMode, c.mode);
    Set(kRowFileFormat, 1);
    DriverDelivers = c.delivers;
    OwnDevice = c.ownDevice;
    const std::string label = std::to_string(c.mode) + "/" + std::to_string(c.delivers) + "/" +
                              std::to_string(c.ownDevice) + "/" + std::to_string(c.refused.size());
    EXPECT_EQ(TWAINSetProp(), c.result) << label;
    EXPECT_EQ(DriverDelivers, c.deliversAfter) << label;
    EXPECT_EQ(g_engine.ValuesOf(0x0103), c.mechanisms) << label;
  }
  // FILEFORMAT 1 (BMP) goes out as TWFF_BMP.
  EXPECT_EQ(g_engine.ValuesOf(0x110C), std::vector<uint32_t>{2});
}

TEST_F(Push, ARefusedNativeTransferFallsBackToMemory) {
  g_engine.refuseValue[(uint64_t(0x0103) << 32) | 0] = -8;
  ASSERT_EQ(TWAINSetProp(), 0);
  EXPECT_EQ(g_engine.ValuesOf(0x0103), (std::vector<uint32_t>{0, 2}));
  EXPECT_EQ(DriverDelivers, 0);
  g_engine.Reset();
  DriverDelivers = 1;
  g_engine.refuse[0x0103] = -8;
  EXPECT_EQ(TWAINSetProp(), -8);
}

TEST_F(Push, AFileTransferTheSourceWillNotRunNeedsAPlugIn) {
  Set(kRowTransferMode, 2);
  g_engine.refuseValue[(uint64_t(0x0103) << 32) | 1] = -8;
  EXPECT_EQ(TWAINSetProp(), -7);
  EXPECT_EQ(DriverDelivers, 0);
  g_engine.Reset();
  g_engine.refuseValue[(uint64_t(0x0103) << 32) | 1] = -8;
  DriverDelivers = 1;
  g_currentPlugin = 0;
  EXPECT_EQ(TWAINSetProp(), 0);
  EXPECT_EQ(g_engine.ValuesOf(0x0103), (std::vector<uint32_t>{1, 2}));
}

TEST_F(Push, OnlyTheNeededPushesStopIt) {
  struct Case {
    int32_t cap;
    bool stops;
  };
  // Refusals of settings a source may lack are passed over.
  const Case cases[] = {
      {0x0101, true}, {0x112B, true}, {0x1118, true}, {0x1119, true}, {0x1101, true},
      {0x1103, true}, {0x111F, true}, {0x0001, true}, {0x0102, true}, {0x1002, true},
      {0x110A, false}, {0x1113, false}, {0x1108, false}, {0x1106, false}, {0x100B, false},
      {0x9050, false}, {0x1197, false}, {0x1198, false}, {0x1199, false}, {0x9200, false},
      {0x1151, false}, {0x111E, false}, {0x1010, false}, {0x1013, false},
  };
  for (const Case& c : cases) {
    g_engine.Reset();
    g_engine.refuse[c.cap] = -13;
    EXPECT_EQ(TWAINSetProp(), c.stops ? -13 : 0) << std::hex << c.cap;
    // A stopped push sends no frame.
    EXPECT_EQ(g_engine.ValuesOf(0x1114).empty(), c.stops) << std::hex << c.cap;
  }
}

TEST_F(Push, TheFrameAnswerIsTheResult) {
  g_engine.refuse[0x1114] = -8;
  EXPECT_EQ(TWAINSetProp(), -8);
  // What follows the frame is still sent.
  EXPECT_EQ(g_engine.Caps().back(), 0x1151);
}

TEST_F(Push, TheFrameStaysInsideThePhysicalSize) {
  struct Case {
    float x, y, width, length;
    float left, top, right, bottom;
  };
  const Case cases[] = {
      {1, 1, 2, 3, 1, 1, 3, 4},
      {-1, -2, 2, 3, 0, 0, 2, 3},               // negative positions start at 0
      {1, 0, 10, 3, 0, 0, 8.5f, 3},             // wider than the paper: cut and moved to 0
      {7, 0, 3, 3, 5.5f, 0, 8.5f, 3},           // sticks out right: moved left
      {0, 12, 2, 4, 0, 10, 2, 14},              // sticks out below: moved up
      {0, 0, 8.5f, 14, 0, 0, 8.5f, 14},
  };
  for (const Case& c : cases) {
    g_engine.Reset();
    SetCurrentFloat(kRowXPosition, c.x);
    SetCurrentFloat(kRowYPosition, c.y);
    SetCurrentFloat(kRowImageWidth, c.width);
    SetCurrentFloat(kRowImageLength, c.length);
    ASSERT_EQ(TWAINSetProp(), 0);
    const Pushed* frame = nullptr;
    for (const Pushed& p : g_engine.pushed)
      if (p.cap == 0x1114) frame = &p;
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->frame[0], Fix(c.left)) << c.x << "," << c.y;
    EXPECT_EQ(frame->frame[1], Fix(c.top)) << c.x << "," << c.y;
    EXPECT_EQ(frame->frame[2], Fix(c.right)) << c.x << "," << c.y;
    EXPECT_EQ(frame->frame[3], Fix(c.bottom)) << c.x << "," << c.y;
  }
}

// The library's pixels are 300 to the inch; the source counts pixels at the scan's resolution.
TEST_F(Push, APixelFrameIsCountedAtTheScansResolution) {
  Set(kRowUnits, 2);
  Set(kRowXResolution, 100);
  Set(kRowYResolution, 200);
  SetCurrentFloat(kRowPhysicalWidth, 2550.0f);
  SetCurrentFloat(kRowPhysicalHeight, 4200.0f);
  SetCurrentFloat(kRowXPosition, 300.0f);
  SetCurrentFloat(kRowYPosition, 0.0f);
  SetCurrentFloat(kRowImageWidth, 2250.0f);
  SetCurrentFloat(kRowImageLength, 3300.0f);
  ASSERT_EQ(TWAINSetProp(), 0);
  for (const Pushed& p : g_engine.pushed)
    if (p.cap == 0x1114) {
      EXPECT_EQ(p.frame[0], Fix(100));
      EXPECT_EQ(p.frame[1], Fix(0));
      EXPECT_EQ(p.frame[2], Fix(850));
      EXPECT_EQ(p.frame[3], Fix(2200));
    }
}

TEST_F(Push, UnitsGoOutAsTwainUnits) {
  const int32_t units[][2] = {{0, 0}, {1, 1}, {2, 5}};
  for (const auto& u : units) {
    g_engine.Reset();
    Set(kRowUnits, u[0]);
    ASSERT_EQ(TWAINSetProp(), 0);
    // Inches for the resolutions first, then the unit the area goes in.
    EXPECT_EQ(g_engine.ValuesOf(0x0102), (std::vector<uint32_t>{0, static_cast<uint32_t>(u[1])}));
  }
}

TEST_F(Push, FiltersOutsideTheColoursGoAsNone) {
  const int32_t filters[][2] = {{0, 3}, {1, 0}, {2, 1}, {3, 2}, {4, 3}, {-1, 3}};
  for (const auto& f : filters) {
    g_engine.Reset();
    Set(kRowFilter, f[0]);
    ASSERT_EQ(TWAINSetProp(), 0);
    EXPECT_EQ(g_engine.ValuesOf(0x1106), (std::vector<uint32_t>{3, static_cast<uint32_t>(f[1])}));
  }
}

TEST(FitFrameSpan, TableOfSpans) {
  struct Case {
    float start, size, physical, outStart, outSize;
  };
  const Case cases[] = {
      {1, 2, 8.5f, 1, 2}, {-3, 2, 8.5f, 0, 2}, {2, 9, 8.5f, 0, 8.5f}, {7.5f, 2, 8.5f, 6.5f, 2},
      {0, 8.5f, 8.5f, 0, 8.5f}, {1, -2, 8.5f, 1, 0},
  };
  for (const Case& c : cases) {
    const FrameSpan s = FitFrameSpan(c.start, c.size, c.physical);
    EXPECT_FLOAT_EQ(s.start, c.outStart) << c.start << "+" << c.size;
    EXPECT_FLOAT_EQ(s.size, c.outSize) << c.start << "+" << c.size;
  }
}

}  // namespace
