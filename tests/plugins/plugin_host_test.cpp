// The file-format plug-in host through pavlot.dll, with fixture plug-ins beside it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugin_case.h"

namespace {

constexpr uint16_t kTagCompression = 0x9210;
constexpr uint16_t kTagCompressQuality = 0x920A;
constexpr uint16_t kTagFileFormat = 0x9301;
constexpr uint16_t kTagTransferMode = 0x9102;
constexpr int32_t kNotBound = -7;
constexpr int32_t kNoPlugInForFile = -24;

using PluginHost = PluginCase;

HGLOBAL SomeDib() { return GlobalAlloc(GMEM_MOVEABLE, 64); }

TEST_F(PluginHost, WithoutAnyPlugInEveryFileExportAnswersNotBound) {
  Start();
  char text[64] = {};
  uint16_t* list = nullptr;
  int32_t count = 0;
  ScanPageInfo page{};
  HGLOBAL dib = nullptr;
  EXPECT_EQ(pavlot.ZebFileCreate("a.tif", &page, 0), kNotBound);
  EXPECT_EQ(pavlot.ZebFileSave(text, 1, 1, 1, 0), kNotBound);
  EXPECT_EQ(pavlot.ZebFileClose(0), kNotBound);
  EXPECT_EQ(pavlot.ZebGetCompMode(&list, &count, 0), kNotBound);
  EXPECT_EQ(pavlot.ZebGetFileExt(&list, &count, 0), kNotBound);
  EXPECT_EQ(pavlot.ZebGetFileExtStr(text), kNotBound);
  EXPECT_EQ(pavlot.ZebOpenImage("a.tif", &count, 0, 0), kNotBound);
  EXPECT_EQ(pavlot.ZebGetImage(&dib, nullptr, 0, 0), kNotBound);
  EXPECT_EQ(pavlot.ZebCloseImage(), kNotBound);
  EXPECT_EQ(pavlot.ZebSetPageIndex(0, 0), kNotBound);
  EXPECT_EQ(pavlot.ZebSaveAs(nullptr, "a.tif", 0, 0), kNotBound);
  EXPECT_EQ(pavlot.ZebConvertFile("a.tif", "b.pdf", 0, 0, 0, 0), kNotBound);
  // File transfer is offered only with a plug-in.
  EXPECT_EQ(Choices16(kTagTransferMode), (std::vector<int32_t>{0, 1}));
}

TEST_F(PluginHost, PlugInsAreFoundBesideTheLibraryNotInTheCurrentFolder) {
  ProvidePlugins({"FileBJpg"}, workFolder);
  ProvidePlugins({"FileATif"});
  Start();
  char text[64] = {};
  EXPECT_EQ(pavlot.ZebGetFileExtStr(text), 0);
  EXPECT_STREQ(text, "tif");
  EXPECT_EQ(GetModuleHandleA("FileBJpg.dll"), nullptr);
  EXPECT_EQ(pavlot.ZebSaveAs(nullptr, "page.jpg", 0, 0), kNotBound);
  EXPECT_EQ(Choices16(kTagTransferMode), (std::vector<int32_t>{0, 1, 2}));
  // Every format a plug-in offers joins FILEFORMAT's choices.
  EXPECT_EQ(Choices16(kTagFileFormat), (std::vector<int32_t>{0, 1}));
}

TEST_F(PluginHost, APlugInWithoutARequiredEntryPointIsNotListedNorKept) {
  ProvidePlugins({"FileATif", "FileEBad"});
  Start();
  int32_t pages = 0;
  EXPECT_EQ(pavlot.ZebOpenImage("page.bad", &pages, 0, 0), kNoPlugInForFile);
  EXPECT_EQ(GetModuleHandleA("FileEBad.dll"), nullptr);
  EXPECT_EQ(Choices16(kTagFileFormat), (std::vector<int32_t>{0, 1}));  // no 6 from it
}

TEST_F(PluginHost, SaveAsChoosesByExtensionIgnoringCaseAndElseByFileFormat) {
  ProvidePlugins({"FileATif", "FileBJpg"});
  Start();
  HGLOBAL dib = SomeDib();
  TakeLog();
  EXPECT_EQ(pavlot.ZebSaveAs(dib, "c:\\out\\page.TIF", 3, 4), 0);
  EXPECT_EQ(TakeLog(), "FileATif:FileSaveAs(null,dib,c:\\out\\page.TIF,3,4,1,0,0)\n");
  EXPECT_EQ(pavlot.ZebSaveAs(dib, "page.Jpg", 0, 0), 0);
  EXPECT_EQ(TakeLog(), "FileBJpg:FileSaveAs(null,dib,page.Jpg,0,0,1,0,0)\n");
  char text[64] = {};
  EXPECT_EQ(pavlot.ZebGetFileExtStr(text), 0);
  EXPECT_STREQ(text, "jpg");  // the chosen plug-in became current
  ASSERT_EQ(Set16(kTagFileFormat, 0), 0);
  EXPECT_EQ(pavlot.ZebSaveAs(dib, "c:\\a.b\\page", 0, 0), 0);
  EXPECT_EQ(TakeLog(), "FileATif:FileSaveAs(null,dib,c:\\a.b\\page,0,0,1,0,0)\n");
  EXPECT_EQ(pavlot.ZebSaveAs(dib, "page.xyz", 0, 0), kNotBound);
  EXPECT_EQ(pavlot.ZebSaveAs(dib, nullptr, 0, 0), kNotBound);
  EXPECT_EQ(TakeLog(), "");
  GlobalFree(dib);
}

TEST_F(PluginHost, SaveOptionsFollowCompressionAndQuality) {
  ProvidePlugins({"FileATif"});
  Start();
  ASSERT_EQ(Set16(kTagCompressQuality, 7), 0);
  const struct {
    int16_t compression;
    const char* options;
  } rows[] = {{11, "0,1,7"}, {5, "1,0,7"}, {0, "1,0,7"}};
  for (const auto& r : rows) {
    ASSERT_EQ(Set16(kTagCompression, r.compression), 0) << r.compression;
    ScanPageInfo page{};
    page.Compression = r.compression;
    TakeLog();
    EXPECT_EQ(pavlot.ZebFileCreate("p.tif", &page, 99), 0);
    EXPECT_EQ(TakeLog(), "FileATif:FileCreate(p.tif," + std::to_string(r.compression) + "," + r.options + ")\n");
  }
  EXPECT_EQ(pavlot.ZebFileSave("rows", 2, 2, 1, 0), 0);
  EXPECT_EQ(pavlot.ZebFileClose(1), 0);
  EXPECT_EQ(TakeLog(), "FileATif:FileSave(2,2,1)\nFileATif:FileClose(1)\n");
}

TEST_F(PluginHost, ConversionToPdfTakesTheFirstPlugInOfferingTheCompression) {
  ProvidePlugins({"FileATif", "FileCPdf", "FileDPdf"});
  Start();
  const struct {
    int16_t compression;
    const char* chosen;
    const char* options;
  } rows[] = {{11, "FileDPdf", "0,1,0"}, {5, "FileCPdf", "1,0,0"}};
  for (const auto& r : rows) {
    ASSERT_EQ(Set16(kTagCompression, r.compression), 0);
    TakeLog();
    EXPECT_EQ(pavlot.ZebConvertFile("out.tif", "in.PDF", 0, 0, 1, 2), 0);
    // (1 + 2 x 32) x 4
    EXPECT_EQ(TakeLog(), std::string(r.chosen) + ":FileSaveAs(in.PDF,nodib,out.tif,260,0," + r.options + ")\n");
    // Every list the walk asked for was given back, not only the chosen plug-in's.
    EXPECT_EQ(LiveBlocks("FileCPdf"), 0);
    EXPECT_EQ(LiveBlocks("FileDPdf"), 0);
  }
  // A target named "pdf" is checked the same way.
  ASSERT_EQ(Set16(kTagCompression, 11), 0);
  TakeLog();
  EXPECT_EQ(pavlot.ZebConvertFile("out.pdf", "in.tif", 0, 0, 0, 0), 0);
  EXPECT_EQ(TakeLog(), "FileDPdf:FileSaveAs(in.tif,nodib,out.pdf,0,0,0,1,0)\n");
}

TEST_F(PluginHost, ConversionWithoutATargetExtensionChoosesByFileFormat) {
  ProvidePlugins({"FileATif", "FileBJpg"});
  Start();
  ASSERT_EQ(Set16(kTagFileFormat, 2), 0);
  TakeLog();
  EXPECT_EQ(pavlot.ZebConvertFile("c:\\out\\page", "in.tif", 0, 0, 0, 0), 0);
  EXPECT_EQ(TakeLog(), "FileBJpg:FileSaveAs(in.tif,nodib,c:\\out\\page,0,0,1,0,0)\n");
  EXPECT_EQ(pavlot.ZebConvertFile("out", "in", 0, 0, 0, 0), 0);
  EXPECT_EQ(TakeLog(), "FileBJpg:FileSaveAs(in,nodib,out,0,0,1,0,0)\n");
  EXPECT_EQ(pavlot.ZebConvertFile("out.tif", "in.jpg", 0, 0, 0, 0), 0);
  EXPECT_EQ(TakeLog(), "FileATif:FileSaveAs(in.jpg,nodib,out.tif,0,0,1,0,0)\n");
  EXPECT_EQ(pavlot.ZebConvertFile(nullptr, "in.jpg", 0, 0, 0, 0), kNotBound);
  EXPECT_EQ(LiveBlocks("FileATif"), 0);
  EXPECT_EQ(LiveBlocks("FileBJpg"), 0);
}

TEST_F(PluginHost, DjvuWithoutADjvuPlugInAnswersNotBound) {
  ProvidePlugins({"FileATif", "FileCPdf"});
  Start();
  TakeLog();
  EXPECT_EQ(pavlot.ZebConvertFile("out.tif", "scan.djvu", 0, 0, 0, 0), kNotBound);
  EXPECT_EQ(pavlot.ZebSaveAs(nullptr, "scan.djvu", 0, 0), kNotBound);
  int32_t pages = 0;
  EXPECT_EQ(pavlot.ZebOpenImage("scan.djvu", &pages, 0, 0), kNoPlugInForFile);
  // Nothing was written or opened: only the close every opening starts with.
  EXPECT_EQ(TakeLog(), "FileATif:CloseImageFile\n");
}

TEST_F(PluginHost, OpeningANameNoPlugInClaimsAnswersNoPlugInForFile) {
  ProvidePlugins({"FileATif"});
  Start();
  int32_t pages = 0;
  for (const char* name : {"page.xyz", "page", "c:\\dir.tif\\page", "page.", ""})
    EXPECT_EQ(pavlot.ZebOpenImage(name, &pages, 0, 0), kNoPlugInForFile) << name;
  EXPECT_EQ(pavlot.ZebOpenImage(nullptr, &pages, 0, 0), kNoPlugInForFile);
}

TEST_F(PluginHost, ReadingStaysWithThePlugInThatOpenedTheFile) {
  ProvidePlugins({"FileATif", "FileBJpg"});
  Start();
  int32_t pages = 0;
  TakeLog();
  EXPECT_EQ(pavlot.ZebOpenImage("in.tif", &pages, 0, 0), 0);
  EXPECT_EQ(pages, 2);
  HGLOBAL dib = nullptr;
  EXPECT_EQ(pavlot.ZebGetImage(&dib, nullptr, 0, 0), 0);
  // Saving the page elsewhere makes the JPEG plug-in current...
  EXPECT_EQ(pavlot.ZebSaveAs(SomeDib(), "page.jpg", 0, 0), 0);
  // ...but the next page still comes from the file that was opened.
  EXPECT_EQ(pavlot.ZebSetPageIndex(1, 0), 0);
  EXPECT_EQ(pavlot.ZebGetImage(&dib, nullptr, 0, 0), 0);
  EXPECT_EQ(pavlot.ZebCloseImage(), 0);
  EXPECT_EQ(TakeLog(),
            "FileATif:CloseImageFile\nFileATif:OpenImageFile(in.tif)\nFileATif:GetImageData\n"
            "FileBJpg:FileSaveAs(null,dib,page.jpg,0,0,1,0,0)\n"
            "FileATif:SetPageIndex(1)\nFileATif:GetImageData\nFileATif:CloseImageFile\n");
  // With nothing open, reading goes to the current plug-in again.
  EXPECT_EQ(pavlot.ZebSetPageIndex(0, 0), 0);
  EXPECT_EQ(TakeLog(), "FileBJpg:SetPageIndex(0)\n");
}

TEST_F(PluginHost, OpeningClosesTheOpenImageAndTheFullReleaseClosesItToo) {
  ProvidePlugins({"FileATif", "FileBJpg"});
  Start();
  int32_t pages = 0;
  EXPECT_EQ(pavlot.ZebOpenImage("one.tif", &pages, 0, 0), 0);
  TakeLog();
  EXPECT_EQ(pavlot.ZebOpenImage("two.jpg", &pages, 0, 0), 0);
  EXPECT_EQ(TakeLog(), "FileATif:CloseImageFile\nFileBJpg:OpenImageFile(two.jpg)\n");
  EXPECT_EQ(pavlot.ZebFree(), 0);
  EXPECT_EQ(TakeLog(), "FileBJpg:CloseImageFile\n");
  EXPECT_EQ(GetModuleHandleA("FileATif.dll"), nullptr);
  EXPECT_EQ(GetModuleHandleA("FileBJpg.dll"), nullptr);
  char text[64] = {};
  EXPECT_EQ(pavlot.ZebGetFileExtStr(text), kNotBound);
  // A new start finds them again.
  EXPECT_EQ(pavlot.ZebLoad(nullptr), 0);
  EXPECT_EQ(pavlot.ZebGetFileExtStr(text), 0);
  EXPECT_STREQ(text, "tif");
}

// ZebBlankPage on a file reads every page into one information record that starts with bytes 42
// and 43 at 0 and 1, and makes no test when the plug-in leaves the field at byte 40 non-zero.
TEST_F(PluginHost, BlankPageOfAFileFollowsTheInformationRecord) {
  ProvidePlugins({"FileATif"});
  Start();
  const int16_t file = 2;
  SetEnvironmentVariableA("PLUGIN_FIXTURE_PAGE", "white");
  TakeLog();
  EXPECT_EQ(pavlot.ZebBlankPage("page.tif", &file), -26);
  EXPECT_EQ(TakeLog(),
            "FileATif:CloseImageFile\nFileATif:OpenImageFile(page.tif)\nFileATif:SetPageIndex(0)\n"
            "FileATif:GetImageData(0,1)\nFileATif:SetPageIndex(1)\nFileATif:GetImageData(0,1)\n"
            "FileATif:CloseImageFile\n");
  SetEnvironmentVariableA("PLUGIN_FIXTURE_PAGE", "notest");
  EXPECT_EQ(pavlot.ZebBlankPage("page.tif", &file), 0);
  SetEnvironmentVariableA("PLUGIN_FIXTURE_PAGE", nullptr);
}

TEST_F(PluginHost, MissingOptionalEntryPointsAnswerNotBound) {
  ProvidePlugins({"FileFBmp"});
  Start();
  int32_t pages = 0;
  EXPECT_EQ(pavlot.ZebOpenImage("page.bmp", &pages, 0, 0), kNotBound);
  EXPECT_EQ(pavlot.ZebSaveAs(nullptr, "page.bmp", 0, 0), kNotBound);
  EXPECT_EQ(pavlot.ZebConvertFile("page.bmp", "in.tif", 0, 0, 0, 0), kNotBound);
}

TEST_F(PluginHost, TheTagModelSeesEveryPlugInsFormatsAndTheCurrentOnesModes) {
  ProvidePlugins({"FileATif", "FileBJpg", "FileCPdf"});
  Start();
  EXPECT_EQ(Choices16(kTagFileFormat), (std::vector<int32_t>{0, 1, 2, 3}));
  EXPECT_EQ(Choices16(kTagCompression), (std::vector<int32_t>{0, 5, 11}));  // FileATif is current
  // Building the records asked every plug-in for its lists; each list was given back.
  for (const char* p : {"FileATif", "FileBJpg", "FileCPdf"}) EXPECT_EQ(LiveBlocks(p), 0) << p;
  uint16_t* list = nullptr;
  int32_t count = 0;
  EXPECT_EQ(pavlot.ZebGetFileExt(&list, &count, 0), 0);
  ASSERT_EQ(count, 1);
  EXPECT_EQ(list[0], 0);
  // The caller's list stays its own until it gives it back.
  EXPECT_EQ(LiveBlocks("FileATif"), 1);
  HGLOBAL block = GlobalHandle(list);
  GlobalUnlock(block);
  GlobalFree(block);
  EXPECT_EQ(LiveBlocks("FileATif"), 0);
}

}  // namespace
