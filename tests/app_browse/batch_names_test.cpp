// Page file names, the readers file types choose, page steps and zoom steps.
#include "batch_names.h"

#include <gtest/gtest.h>

#include "page_status.h"
#include "page_step.h"
#include "zoom_steps.h"

namespace tarnwick {
namespace {

TEST(BatchNames, NamesAndExtensions) {
  EXPECT_EQ(ExtensionOf("000003.tif"), ".tif");
  EXPECT_EQ(ExtensionOf("c:\\a.b\\file"), "");
  EXPECT_EQ(ExtensionOf("x.tar.gz"), ".gz");
  EXPECT_EQ(NameOf("c:\\batch\\000001.TIF"), "000001.TIF");
  EXPECT_EQ(JoinPath("c:\\batch", "a.tif"), "c:\\batch\\a.tif");
  EXPECT_EQ(JoinPath("c:\\", "a.tif"), "c:\\a.tif");
  EXPECT_EQ(EntryPath("c:\\batch", "000002.tif"), "c:\\batch\\000002.tif");
  EXPECT_EQ(EntryPath("c:\\batch", "Z:\\scans\\b\\000002.tif"), "Z:\\scans\\b\\000002.tif");
  EXPECT_EQ(EntryPath("c:\\batch", "\\\\server\\b\\1.tif"), "\\\\server\\b\\1.tif");
  EXPECT_EQ(EntryPath("", "a.tif"), "a.tif");
  EXPECT_EQ(PageFileName(7, ".jpg"), "000007.jpg");
  EXPECT_EQ(PageFileName(1234567, ".tif"), "1234567.tif");
}

// A file named as a page is a page even when nothing can be read from it; anything else that
// cannot be read is not a page of the batch.
TEST(BatchNames, FilesOfABatchArePagesUnreadablePagesOrNoPages) {
  struct {
    const char* name;
    const char* type;
    bool readWhole;
    BatchEntry entry;
  } cases[] = {
      {"000001.tif", "TIFF", true, BatchEntry::Page},
      {"000002.tif", "TIFF", false, BatchEntry::Unreadable},  // cut short
      {"000003.TIF", "", false, BatchEntry::Unreadable},      // random bytes: no type at all
      {"000004.jpeg", "", false, BatchEntry::Unreadable},
      {"000005.dat", "BMP", false, BatchEntry::Unreadable},   // an image type by its contents
      {"notes.txt", "", false, BatchEntry::NotAPage},
      {"thumbs.db", "DAT", false, BatchEntry::NotAPage},
      {"000006", "", false, BatchEntry::NotAPage},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ClassifyBatchEntry(c.name, c.type, c.readWhole), c.entry) << c.name;
}

TEST(BatchNames, EveryImageTypeHasItsReaderAndOthersNone) {
  struct {
    const char* type;
    PageReader reader;
  } cases[] = {{"TIFF", PageReader::Tiff}, {"tiff", PageReader::Tiff}, {"BMP", PageReader::Bmp},
               {"png", PageReader::Png},   {"GIF", PageReader::Gif},   {"PCX", PageReader::Pcx},
               {"Jpeg", PageReader::Jpeg}, {"PCD", PageReader::Pcd},   {"TGA", PageReader::Tga},
               {"", PageReader::None},     {"TXT", PageReader::None},  {"JPG", PageReader::None}};
  for (const auto& c : cases) EXPECT_EQ(ReaderForType(c.type), c.reader) << c.type;
}

TEST(PageStep, StepsStayInsideTheListAsItIsNow) {
  struct {
    PageStep step;
    int current, count, want;
  } cases[] = {
      {PageStep::Next, 4, 5, 4},   // next on the last page stays
      {PageStep::Prior, 0, 5, 0},  // prior on the first stays
      {PageStep::Next, 1, 5, 2},  {PageStep::Prior, 3, 5, 2},
      {PageStep::First, 3, 5, 0}, {PageStep::Last, 0, 5, 4},
      {PageStep::Next, 9, 3, 2},   // the list shrank under the current index
      {PageStep::Prior, 9, 3, 1},  {PageStep::Prior, -4, 3, 0},
      {PageStep::First, 0, 0, -1}, {PageStep::Last, 0, 0, -1}, {PageStep::Next, 3, 0, -1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PickBatchPage(c.step, c.current, c.count), c.want)
        << int(c.step) << " from " << c.current << " of " << c.count;
}

TEST(PageStep, RouteByEditionSettingsAndStrip) {
  constexpr auto kFirst = Edition::kFirst, kSecond = Edition::kSecond;
  constexpr auto None = PageStepRoute::None, List = PageStepRoute::FileList,
                 Strip = PageStepRoute::Strip;
  struct {
    Edition edition;
    bool dontSave, thumbnailShow, visible, enabled;
    PageStepRoute want;
  } cases[] = {
      {kFirst, true, false, true, true, None},     {kSecond, true, false, true, true, None},
      {kFirst, false, true, false, true, List},    {kSecond, false, true, false, true, Strip},
      {kFirst, false, true, true, true, Strip},    {kFirst, false, false, false, true, Strip},
      {kFirst, false, false, true, false, None},   {kSecond, false, false, true, false, Strip},
      {kSecond, false, true, false, false, Strip}, {kSecond, false, false, true, true, Strip},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PageStepRouteOf(c.edition, c.dontSave, c.thumbnailShow, c.visible, c.enabled), c.want)
        << int(c.edition) << c.dontSave << c.thumbnailShow << c.visible << c.enabled;
  EXPECT_TRUE(OpenBatchShowsStrip(kFirst));
  EXPECT_FALSE(OpenBatchShowsStrip(kSecond));
}

TEST(ViewSteps, ZoomStopsAt1000AndGoesDownWhileAboveZero) {
  EXPECT_EQ(ZoomedIn(995), 1000);
  EXPECT_EQ(ZoomedIn(1000), 1000);
  EXPECT_EQ(ZoomedIn(998), 1003);
  EXPECT_EQ(ZoomedOut(100), 95);
  EXPECT_EQ(ZoomedOut(0), 0);
  EXPECT_EQ(PageStatusText("TIFF", 1700, 2200, 1, "BW"),
            "File Type:TIFF Width:1700 Height:2200 Bit Depth:1 Color Representation:BW");
}

}  // namespace
}  // namespace tarnwick
