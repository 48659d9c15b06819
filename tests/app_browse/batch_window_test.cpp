// Browsing, deleting and exporting a batch through the main window made in process, the
// dialogs answered by an operator thread through the test driver.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "batch_fixture.h"
#include "batch_names.h"
#include "crde_bindings.h"
#include "resource_texts.h"
#include "settings_files.h"
#include "tarnwick_ids.h"
#include "win_driver.h"

using tarnwick::NameOf;
using tarnwick::TextW;

namespace {

const std::string kBatch = "c:\\temp\\browse_batch";
const std::string kOut = "c:\\temp\\browse_out";

std::string Utf8Text(int id) { return windriver::Utf8(TextW(id)); }

// Beside the test program, where the readers' check finds it.
std::string Kept(const std::string& name) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

class BatchWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings_.Clear();
    pages_ = WriteBatch(kBatch, 5);
    for (const std::string& page : pages_) before_.push_back(FileBytes(page));
  }
  void TearDown() override { RemoveFolder(kBatch); }
  SettingsFiles settings_;
  std::vector<std::string> pages_;
  std::vector<std::string> before_;
};

TEST_F(BatchWindowTest, StartedWithAPageFileItShowsTheBatchAndAClickShowsThatPageFitted) {
  BatchWindow w(L"c:\\temp\\browse_batch\\000001.tif");
  EXPECT_EQ(w.Captions(), std::vector<std::string>({"Page 1", "Page 2", "Page 3", "Page 4", "Page 5"}));
  EXPECT_TRUE(IsWindowEnabled(w.form.KSImageThumbnail1->Handle()));
  w.ClickPage(3);
  ASSERT_TRUE(w.form.QmDocumentImage1.HasImage());
  EXPECT_EQ(w.form.QmDocumentImage1.Document().FileName(), kBatch + "\\000003.tif");
  EXPECT_NE(w.form.QmDocumentImage1.ScalePercent(), 100.0f) << "fitted to the viewer";
  HGLOBAL shown = w.form.QmDocumentImage1.GetDibHandle();
  HGLOBAL page3 = ReadTiffFile(pages_[2], 0, false, 0, nullptr, nullptr);
  EXPECT_EQ(DibPixels(shown), DibPixels(page3));
  GlobalFree(page3);
  std::string status = windriver::StatusBarText(w.form.StatusBar1, 1);
  EXPECT_EQ(status.rfind("File Type:TIFF Width:320 Height:200 Bit Depth:1", 0), 0u) << status;
  EXPECT_EQ(w.form.state.currentPage, 2);
  // Steps over the file list stay inside it.
  w.form.NextpageClick();
  w.form.NextpageClick();
  w.form.NextpageClick();
  Pump(100);
  EXPECT_EQ(w.form.QmDocumentImage1.Document().FileName(), kBatch + "\\000005.tif");
  w.form.FirstpageClick();
  w.form.PriorpageClick();
  Pump(100);
  EXPECT_EQ(w.form.QmDocumentImage1.Document().FileName(), kBatch + "\\000001.tif");
}

TEST_F(BatchWindowTest, ViewCommandsWorkOnThePageShownAndTheToolbarsWaitForTheFlag) {
  BatchWindow w(L"c:\\temp\\browse_batch\\000001.tif");
  w.ClickPage(1);
  qm::QmDocumentImage& viewer = w.form.QmDocumentImage1;
  ASSERT_TRUE(viewer.HasImage());
  const std::string original = DibPixels(viewer.GetDibHandle());
  ASSERT_EQ(original.rfind("320x200x1:", 0), 0u);
  auto command = [&](int id) {
    SendMessageW(w.form.Handle(), WM_COMMAND, id, 0);
    Pump(50);
  };
  auto shape = [&] {
    const std::string pixels = DibPixels(viewer.GetDibHandle());
    return pixels.substr(0, pixels.find(':'));
  };
  // Flag clear: the toolbar's rotation, invert and reset zoom do nothing; the menu's act.
  w.form.state.viewCommands = false;
  command(IDB_IBDOCROTATE90);
  command(IDB_IBDOCINVERT);
  EXPECT_EQ(DibPixels(viewer.GetDibHandle()), original);
  command(IDM_N2001);
  command(IDB_IBDOCRESETZOOM);
  EXPECT_EQ(viewer.ScalePercent(), 200.0f);
  command(IDM_N901);
  EXPECT_EQ(shape(), "200x320x1");
  // Flag set: the toolbar's rotation by -90 degrees turns the page back as it was.
  w.form.state.viewCommands = true;
  command(IDB_IBDOCROTATE90);
  EXPECT_EQ(DibPixels(viewer.GetDibHandle()), original);
  command(IDB_IBDOCINVERT);
  EXPECT_NE(DibPixels(viewer.GetDibHandle()), original);
  command(IDM_INVERT1);
  EXPECT_EQ(DibPixels(viewer.GetDibHandle()), original);
  command(IDM_HORIZONTAL1);
  EXPECT_NE(DibPixels(viewer.GetDibHandle()), original);
  command(IDM_HORIZONTAL1);
  EXPECT_EQ(DibPixels(viewer.GetDibHandle()), original);
  command(IDM_N1801);
  command(IDB_IBDOCROTATE180);
  EXPECT_EQ(DibPixels(viewer.GetDibHandle()), original);
  // Zoom: in by 5 from the menu's 200 %, reset to 100 %, out by 5.
  command(IDB_IBDOCZOOMIN);
  EXPECT_EQ(viewer.ScalePercent(), 205.0f);
  command(IDB_IBDOCRESETZOOM);
  EXPECT_EQ(viewer.ScalePercent(), 100.0f);
  command(IDB_IBDOCZOOMOUT);
  EXPECT_EQ(viewer.ScalePercent(), 95.0f);
  command(IDB_IBDOCPANZOOM);
  EXPECT_EQ(viewer.ControlMode(), qm::TControlMode::cmPanning);
  command(IDB_IBDOCPANZOOM);
  EXPECT_EQ(viewer.ControlMode(), qm::TControlMode::cmNone);
}

TEST_F(BatchWindowTest, DeletingPageTwoRenumbersTheRestWithoutAGap) {
  BatchWindow w(L"c:\\temp\\browse_batch\\000001.tif");
  w.ClickPage(2);
  std::string text;
  Operator op({AnswerBox(IDYES, &text)});
  w.form.Delete1Click();
  ASSERT_EQ(op.Finish(), 1);
  EXPECT_EQ(text, Utf8Text(1003));
  EXPECT_EQ(FolderNames(kBatch),
            std::vector<std::string>({"000001.tif", "000002.tif", "000003.tif", "000004.tif"}));
  EXPECT_EQ(FileBytes(kBatch + "\\000001.tif"), before_[0]);
  EXPECT_EQ(FileBytes(kBatch + "\\000002.tif"), before_[2]);
  EXPECT_EQ(FileBytes(kBatch + "\\000003.tif"), before_[3]);
  EXPECT_EQ(FileBytes(kBatch + "\\000004.tif"), before_[4]);
  EXPECT_EQ(w.form.KSImageThumbnail1->PageCount(), 4);
  EXPECT_EQ(w.Captions().size(), 4u);
}

TEST_F(BatchWindowTest, AReadOnlyPageIsNotDeletedAndEveryFileStaysAsItWas) {
  BatchWindow w(L"c:\\temp\\browse_batch\\000001.tif");
  SetFileAttributesA(pages_[1].c_str(), FILE_ATTRIBUTE_READONLY);
  w.ClickPage(2);
  std::string text;
  Operator op({AnswerBox(IDYES), AnswerBox(IDOK, &text)});
  w.form.Delete1Click();
  ASSERT_EQ(op.Finish(), 2);
  EXPECT_EQ(text, Utf8Text(1004));
  for (size_t i = 0; i < pages_.size(); ++i) EXPECT_EQ(FileBytes(pages_[i]), before_[i]) << pages_[i];
  EXPECT_EQ(FolderNames(kBatch).size(), 5u);
  EXPECT_EQ(w.form.KSImageThumbnail1->PageCount(), 5);
}

TEST_F(BatchWindowTest, DeleteReachesOnlyThePageShownNowAndNeverWithShift) {
  BatchWindow w(L"c:\\temp\\browse_batch\\000001.tif");
  struct {
    const char* what;
    std::function<void()> after;
  } cases[] = {
      {"the batch was read again", [&] { w.form.LoadBatchThumbnails(0, 4, kBatch); }},
      {"the view was cleared", [&] { w.form.QmDocumentImage1.ClearImage(); }},
      {"a scanned page is shown", [&] {
         HGLOBAL scanned = MakeBatchPage(9);
         w.form.QmDocumentImage1.ShowScannedDib(scanned, "c:\\temp\\scan\\000001.tif");
         GlobalFree(scanned);
       }},
      {"Shift+Delete is the viewer's", [&] {
         BYTE keys[256];
         GetKeyboardState(keys);
         keys[VK_SHIFT] = 0x80;
         SetKeyboardState(keys);
         MSG key{w.form.Handle(), WM_KEYDOWN, VK_DELETE, 0};
         w.form.PreviewKey(key);
         keys[VK_SHIFT] = 0;
         SetKeyboardState(keys);
       }},
  };
  for (auto& c : cases) {
    w.ClickPage(1);
    w.ClickPage(2);
    ASSERT_EQ(w.form.QmDocumentImage1.Document().FileName(), kBatch + "\\000002.tif") << c.what;
    c.after();
    Operator op({AnswerBox(IDNO, nullptr, 1500)});
    w.form.Delete1Click();
    EXPECT_EQ(op.Finish(), 0) << c.what << ": no question was asked";
    for (size_t i = 0; i < pages_.size(); ++i) EXPECT_EQ(FileBytes(pages_[i]), before_[i]) << c.what;
  }
  // The Delete key alone asks.
  w.ClickPage(1);
  w.ClickPage(2);
  Operator op({AnswerBox(IDNO)});
  MSG key{w.form.Handle(), WM_KEYDOWN, VK_DELETE, 0};
  w.form.PreviewKey(key);
  EXPECT_EQ(op.Finish(), 1);
  EXPECT_EQ(FolderNames(kBatch).size(), 5u);
}

TEST_F(BatchWindowTest, ExportingToTheSameTiffTwiceGivesTheBatchOnceInNameOrder) {
  RemoveFolder(kOut);
  CreateDirectoryA(kOut.c_str(), nullptr);
  // A file of no image type in the batch is left out.
  { std::ofstream(kBatch + "\\notes.txt") << "not a page"; }
  BatchWindow w(L"c:\\temp\\browse_batch\\000001.tif");
  EXPECT_EQ(w.Captions().size(), 5u) << "the strip leaves the text file out";
  const std::string target = kOut + "\\scan.tif";
  for (int round = 0; round < 2; ++round) {
    std::string text;
    Operator op({FileDialog(Utf8Text(1027), L"c:\\temp\\browse_out\\scan", 20000,
                            round == 0 ? "export_tiff_dialog.png" : ""),
                 AnswerBox(IDOK, &text)});
    w.form.TIFMultiPage1Click();
    ASSERT_EQ(op.Finish(), 2) << round;
    EXPECT_EQ(text, Utf8Text(1025)) << round;
    QmPageInfo info;
    ASSERT_TRUE(GetImageFileInfo(target, 0, info));
    EXPECT_EQ(info.pages, 5) << round;
    for (int page = 0; page < 5; ++page) {
      HGLOBAL exported = ReadTiffFile(target, 0, false, page, nullptr, nullptr);
      HGLOBAL source = ReadTiffFile(pages_[size_t(page)], 0, false, 0, nullptr, nullptr);
      EXPECT_EQ(DibPixels(exported), DibPixels(source)) << "page " << page + 1;
      GlobalFree(exported);
      GlobalFree(source);
    }
  }
  EXPECT_EQ(FolderNames(kOut), std::vector<std::string>({"scan.tif"})) << "no temporary file left";
  // Kept for the readers' check.
  CopyFileA(target.c_str(), Kept("browse_export.tif").c_str(), FALSE);
  // A document that cannot be put in place (its name is a folder's) is reported as failed.
  const std::string blocked = kOut + "\\blocked.tif";
  CreateDirectoryA(blocked.c_str(), nullptr);
  std::string text;
  Operator op({FileDialog(Utf8Text(1027), L"c:\\temp\\browse_out\\blocked"), AnswerBox(IDOK, &text)});
  w.form.TIFMultiPage1Click();
  EXPECT_EQ(op.Finish(), 2);
  EXPECT_EQ(text, Utf8Text(1026));
  EXPECT_EQ(FolderNames(kOut), std::vector<std::string>({"scan.tif"})) << "no temporary file left";
  RemoveDirectoryA(blocked.c_str());
  RemoveFolder(kOut);
}

TEST_F(BatchWindowTest, ExportingToPdfWritesEveryPageAndSaysSoOnlyWhenWritten) {
  RemoveFolder(kOut);
  CreateDirectoryA(kOut.c_str(), nullptr);
  BatchWindow w(L"c:\\temp\\browse_batch\\000001.tif");
  std::string text;
  Operator op({FileDialog(Utf8Text(1009), L"c:\\temp\\browse_out\\scan", 20000, "export_pdf_dialog.png"),
               AnswerBox(IDOK, &text, 20000, "export_pdf_done_box.png")});
  w.form.PDFFileFormat1Click();
  ASSERT_EQ(op.Finish(), 2);
  EXPECT_EQ(text, Utf8Text(1023));
  EXPECT_FALSE(w.form.state.pdfMode) << "the scan loop's PDF mode is left as it was";
  EXPECT_EQ(FolderNames(kOut), std::vector<std::string>({"scan.pdf"}));
  CopyFileA((kOut + "\\scan.pdf").c_str(), Kept("browse_export.pdf").c_str(), FALSE);
  // With no batch open the command only says that it cannot.
  BatchWindow empty;
  Operator none({AnswerBox(IDOK, &text)});
  empty.form.PDFFileFormat1Click();
  ASSERT_EQ(none.Finish(), 1);
  EXPECT_EQ(text, Utf8Text(1024));
  RemoveFolder(kOut);
}

// A BMP file of `bits` (16 or 32) per pixel, each row a ramp of colours.
void WriteDeepBmp(const std::string& name, int bits, int width, int height) {
  const int stride = (width * bits + 31) / 32 * 4;
  std::string bytes(14 + 40 + size_t(stride) * height, '\0');
  auto put = [&](size_t at, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) bytes[at + i] = char(v >> (8 * i));
  };
  put(0, 'B' | ('M' << 8), 2);
  put(2, uint32_t(bytes.size()), 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, uint32_t(width), 4);
  put(22, uint32_t(height), 4);
  put(26, 1, 2);
  put(28, uint32_t(bits), 2);
  put(38, 7874, 4);  // 200 dpi
  put(42, 7874, 4);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const size_t at = 54 + size_t(y) * stride + size_t(x) * (bits / 8);
      if (bits == 16) put(at, uint32_t((x % 32) << 10 | (y % 32) << 5 | 7), 2);
      else put(at, uint32_t((x * 4 % 256) << 16 | (y * 4 % 256) << 8 | 60), 4);
    }
  std::ofstream(name, std::ios::binary) << bytes;
}

// A batch holding a 16-bit and a 32-bit page (an imported BMP, say) is exported whole: those
// pages are converted to colour, not the export failed.
TEST_F(BatchWindowTest, ExportingToPdfConvertsPagesOfOtherDepths) {
  RemoveFolder(kOut);
  CreateDirectoryA(kOut.c_str(), nullptr);
  RemoveFolder(kBatch);
  WriteBatch(kBatch, 1);
  WriteDeepBmp(kBatch + "\\000002.bmp", 16, 120, 80);
  WriteDeepBmp(kBatch + "\\000003.bmp", 32, 90, 70);
  BatchWindow w(L"c:\\temp\\browse_batch\\000001.tif");
  ASSERT_EQ(w.Captions().size(), 3u);
  std::string text;
  Operator op({FileDialog(Utf8Text(1009), L"c:\\temp\\browse_out\\deep"), AnswerBox(IDOK, &text)});
  w.form.PDFFileFormat1Click();
  ASSERT_EQ(op.Finish(), 2);
  EXPECT_EQ(text, Utf8Text(1023));
  EXPECT_EQ(FolderNames(kOut), std::vector<std::string>({"deep.pdf"}));
  // Kept for the readers' check: three pages, the last two in colour at their own sizes.
  CopyFileA((kOut + "\\deep.pdf").c_str(), Kept("browse_export_depths.pdf").c_str(), FALSE);
}

// Three page files that cannot be read (cut short, random bytes, ten bytes) among five: each is
// said with message 1008 when the batch opens, the others keep their numbers, and both exports
// write the pages they can, name the three missing ones and report no success.
TEST_F(BatchWindowTest, UnreadablePagesAreEachSaidKeepTheirPlaceAndExportsNameThem) {
  RemoveFolder(kOut);
  CreateDirectoryA(kOut.c_str(), nullptr);
  const std::string whole = FileBytes(pages_[1]);
  { std::ofstream(pages_[1], std::ios::binary) << whole.substr(0, whole.size() / 2); }
  {
    std::ofstream random(pages_[2], std::ios::binary);
    uint32_t x = 2463534242u;
    for (int i = 0; i < 4000; ++i) {
      x ^= x << 13, x ^= x >> 17, x ^= x << 5;
      random.put(static_cast<char>(x));
    }
  }
  { std::ofstream(pages_[3], std::ios::binary) << "0123456789"; }
  std::string said[3];
  Operator opening({AnswerBox(IDOK, &said[0]), AnswerBox(IDOK, &said[1]), AnswerBox(IDOK, &said[2])});
  BatchWindow w(L"c:\\temp\\browse_batch\\000001.tif");
  ASSERT_EQ(opening.Finish(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(said[i].rfind(Utf8Text(1008), 0), 0u) << said[i];
    EXPECT_NE(said[i].find(NameOf(pages_[size_t(i) + 1])), std::string::npos) << said[i];
  }
  EXPECT_EQ(w.Captions(), std::vector<std::string>({"Page 1", "Page 2", "Page 3", "Page 4", "Page 5"}))
      << "the unreadable pages keep their places, blank";
  auto expectMissingNamed = [&](const std::string& text, int failedId) {
    EXPECT_EQ(text.rfind(Utf8Text(failedId), 0), 0u) << text;
    EXPECT_NE(text.find(Utf8Text(1043)), std::string::npos) << text;
    for (int page : {1, 2, 3}) EXPECT_NE(text.find(NameOf(pages_[size_t(page)])), std::string::npos) << text;
  };
  std::string text;
  Operator tif({FileDialog(Utf8Text(1027), L"c:\\temp\\browse_out\\scan"), AnswerBox(IDOK, &text)});
  w.form.TIFMultiPage1Click();
  ASSERT_EQ(tif.Finish(), 2);
  expectMissingNamed(text, 1026);
  QmPageInfo info;
  ASSERT_TRUE(GetImageFileInfo(kOut + "\\scan.tif", 0, info));
  EXPECT_EQ(info.pages, 2);
  Operator pdf({FileDialog(Utf8Text(1009), L"c:\\temp\\browse_out\\scan"), AnswerBox(IDOK, &text)});
  w.form.PDFFileFormat1Click();
  ASSERT_EQ(pdf.Finish(), 2);
  expectMissingNamed(text, 1024);
  EXPECT_EQ(FolderNames(kOut), std::vector<std::string>({"scan.pdf", "scan.tif"}));
  RemoveFolder(kOut);
}

}  // namespace

