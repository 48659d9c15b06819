// The plug-in choice over a list of stand-in entries.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "plugin_choice.h"
#include "plugin_codes.h"
#include "plugin_host.h"
#include "plugin_list.h"
#include "tag_state.h"

namespace {

uint16_t* Block(const std::vector<uint16_t>& codes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (codes.size() + 1) * sizeof(uint16_t));
  auto* items = static_cast<uint16_t*>(GlobalLock(block));
  std::memcpy(items, codes.data(), codes.size() * sizeof(uint16_t));
  return items;
}

// Three stand-ins: "tif" (format 0, modes 5), "pdf" (format 3, modes 5), "PDF" (format 3, modes 11).
template <int N>
struct Fake {
  static const char* ext;
  static std::vector<uint16_t> formats, modes;
  static int32_t __stdcall ExtStr(char* text) { return lstrcpynA(text, ext, 64) ? 0 : -1; }
  static int32_t __stdcall Exts(uint16_t** list, int32_t* count, int32_t) {
    *list = Block(formats);
    *count = static_cast<int32_t>(formats.size());
    return 0;
  }
  static int32_t __stdcall Modes(uint16_t** list, int32_t* count, int32_t) {
    *list = Block(modes);
    *count = static_cast<int32_t>(modes.size());
    return 0;
  }
  static PluginEntry Entry() {
    PluginEntry e;
    e.GetFileExtStr = ExtStr;
    e.GetFileExts = Exts;
    e.GetCompMode = Modes;
    return e;
  }
};
template <> const char* Fake<0>::ext = "tif";
template <> std::vector<uint16_t> Fake<0>::formats = {0, 1};
template <> std::vector<uint16_t> Fake<0>::modes = {5};
template <> const char* Fake<1>::ext = "pdf";
template <> std::vector<uint16_t> Fake<1>::formats = {3};
template <> std::vector<uint16_t> Fake<1>::modes = {5};
template <> const char* Fake<2>::ext = "PDF";
template <> std::vector<uint16_t> Fake<2>::formats = {3};
template <> std::vector<uint16_t> Fake<2>::modes = {11};

class PluginChoice : public ::testing::Test {
 protected:
  void SetUp() override {
    UnloadPlugins();
    AppendPlugin(Fake<0>::Entry());
    AppendPlugin(Fake<1>::Entry());
    AppendPlugin(Fake<2>::Entry());
    MakePluginCurrent(0);
    SetCurrentInt(kRowCompression, 0);
    SetCurrentInt(kRowFileFormat, 0);
  }
  void TearDown() override { UnloadPlugins(); }
};

TEST_F(PluginChoice, ByExtensionTakesTheFirstMatchAndChecksThePdfMode) {
  const struct {
    const char* extension;
    int32_t compression;
    int32_t chosen;
  } rows[] = {{"TIF", kAnyCompression, 0}, {"pdf", kAnyCompression, 1}, {"pdf", 5, 1},
              {"pdf", 11, 2},             {"pdf", 4, kNoPlugin},        {"tif", 11, 0},
              {"jpg", kAnyCompression, kNoPlugin}, {"", kAnyCompression, kNoPlugin}};
  for (const auto& r : rows) {
    MakePluginCurrent(0);
    EXPECT_EQ(ChooseByExtension(r.extension, r.compression), r.chosen) << r.extension << " " << r.compression;
    // No match leaves the current entry alone.
    EXPECT_EQ(CurrentPluginIndex(), r.chosen == kNoPlugin ? 0 : r.chosen);
  }
}

TEST_F(PluginChoice, ByFormatLooksAtTheFirstFormatOnly) {
  EXPECT_EQ(ChooseByFormat(3), 1);
  EXPECT_EQ(ChooseByFormat(0), 0);
  EXPECT_EQ(ChooseByFormat(1), kNoPlugin);
}

TEST_F(PluginChoice, ConversionsChooseBySourceTargetOrFormat) {
  SetCurrentInt(kRowCompression, 11);
  SetCurrentInt(kRowFileFormat, 3);
  EXPECT_EQ(ChooseForConversion("out.tif", "in.pdf"), 2);
  EXPECT_EQ(ChooseForConversion("out.pdf", "in.tif"), 2);
  EXPECT_EQ(ChooseForConversion("out", "in.tif"), 1);  // by FILEFORMAT 3
  SetCurrentInt(kRowCompression, 5);
  EXPECT_EQ(ChooseForConversion("out.tif", "in.pdf"), 1);
  EXPECT_EQ(ChooseForSave("page"), 1);
  EXPECT_EQ(ChooseForSave("page.Tif"), 0);
}

TEST_F(PluginChoice, PageFileKeepsAMatchingCurrentPlugInElseWalksTheList) {
  int32_t count = 0;
  MakePluginCurrent(2);
  EXPECT_TRUE(ChoosePluginForPageFile("c:\\scan\\doc.pdf", &count));
  EXPECT_EQ(CurrentPluginIndex(), 2);  // "PDF" matches without regard to case
  EXPECT_EQ(count, -1);
  EXPECT_TRUE(ChoosePluginForPageFile("c:\\scan\\doc.tif", &count));
  EXPECT_EQ(CurrentPluginIndex(), 0);
  EXPECT_EQ(count, 2);
  EXPECT_FALSE(ChoosePluginForPageFile("c:\\scan\\doc.jpg", &count));
  EXPECT_EQ(CurrentPluginIndex(), kNoPlugin);
  EXPECT_FALSE(ChoosePluginForPageFile("c:\\scan.tif\\doc", &count));
  EXPECT_TRUE(ChoosePluginForPageFile("doc.tif", nullptr));
}

}  // namespace

namespace {

// A plug-in that claims more codes than its block holds.
int32_t __stdcall Boasting(uint16_t** list, int32_t* count, int32_t) {
  *list = Block({3, 4});
  *count = 100000;
  return 0;
}

TEST(PluginCodes, ACountBeyondTheBlockIsCutToTheBlock) {
  PluginEntry e;
  e.GetFileExts = Boasting;
  e.GetCompMode = Boasting;
  for (const std::vector<int32_t>& codes : {FileFormatsOf(e), CompressionModesOf(e)}) {
    ASSERT_GE(codes.size(), 2u);
    EXPECT_LE(codes.size(), 3u);  // the block holds one spare item
    EXPECT_EQ(codes[0], 3);
    EXPECT_EQ(codes[1], 4);
  }
}

}  // namespace
