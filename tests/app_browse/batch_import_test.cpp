// Opening a batch through the open-batch dialog, importing pictures into it, and the page
// steps and deletes that must follow the folder as it is now.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "batch_fixture.h"
#include "crde_bindings.h"
#include "forms_ids.h"
#include "resource_texts.h"
#include "settings_files.h"
#include "win_driver.h"

using tarnwick::TextW;

namespace {

const std::string kBatch = "c:\\temp\\browse_batch";
const std::string kSource = "c:\\temp\\browse_src";

std::string Utf8Text(int id) { return windriver::Utf8(TextW(id)); }

// The operator double-clicks a folder of the open-batch dialog and presses its OK button.
Operator::Step OpenFolder(const std::string& name) {
  return [=] {
    HWND dialog = windriver::FindTopWindow("#32770", "*", 20000);
    for (int tries = 0; dialog && tries < 100 && !GetDlgItem(dialog, IDC_DIRECTORYLISTBOX1); ++tries) {
      Sleep(100);
      dialog = windriver::FindTopWindow("#32770", "*", 1000);
    }
    if (!dialog) return false;
    Sleep(200);
    HWND list = GetDlgItem(dialog, IDC_DIRECTORYLISTBOX1);
    std::vector<std::string> items = windriver::ListBoxItems(list);
    for (size_t i = 0; i < items.size(); ++i) {
      if (items[i] != name) continue;
      SendMessageW(list, LB_SETCURSEL, i, 0);
      SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_DIRECTORYLISTBOX1, LBN_DBLCLK),
                   reinterpret_cast<LPARAM>(list));
      Sleep(100);
      PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
      return true;
    }
    return false;
  };
}

class BatchImportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings_.Clear();
    pages_ = WriteBatch(kBatch, 5);
  }
  void TearDown() override {
    RemoveFolder(kBatch);
    RemoveFolder(kSource);
  }
  SettingsFiles settings_;
  std::vector<std::string> pages_;
};

TEST_F(BatchImportTest, TheOpenBatchDialogOpensTheFolderAndImportsNumberOnFromTheFolderAsItIs) {
  BatchWindow w;
  Operator open({OpenFolder("browse_batch")});
  w.form.OpenBatch1Click();
  ASSERT_EQ(open.Finish(), 1);
  EXPECT_EQ(w.Captions().size(), 5u);
  EXPECT_TRUE(w.form.state.batchHasPages);
  EXPECT_TRUE(IsWindowEnabled(w.form.KSImageThumbnail1->Handle()));

  RemoveFolder(kSource);
  CreateDirectoryA(kSource.c_str(), nullptr);
  HGLOBAL a = MakeBatchPage(7), b = MakeBatchPage(8), c = MakeBatchPage(9);
  ASSERT_TRUE(WritePngFile(kSource + "\\a.png", 1, 0, a, nullptr, nullptr));
  ASSERT_TRUE(WriteBmpFile(kSource + "\\b.bmp", 1, b, nullptr, nullptr));
  ASSERT_TRUE(WriteBmpFile(kSource + "\\c.bmp", 1, c, nullptr, nullptr));
  GlobalFree(a);
  GlobalFree(b);
  GlobalFree(c);

  bool preview = false;
  Operator import({[&] {
                     HWND dialog = windriver::FindTopWindow("#32770", "*", 20000);
                     // The preview lives in the dialog's child template, made after the dialog.
                     for (int i = 0; dialog && !preview && i < 100; ++i) {
                       preview = windriver::FindControl(dialog, 2601) != nullptr;
                       if (!preview) Sleep(100);
                     }
                     return dialog != nullptr;
                   },
                   FileDialog("*", L"c:\\temp\\browse_src"),
                   FileDialog("*", L"\"a.png\" \"b.bmp\"", 20000, "import_dialog.png")});
  w.form.ImportImage1Click();
  ASSERT_EQ(import.Finish(), 3);
  EXPECT_TRUE(preview) << "the dialog has its picture preview";
  EXPECT_EQ(FileBytes(kBatch + "\\000006.png"), FileBytes(kSource + "\\a.png"));
  EXPECT_EQ(FileBytes(kBatch + "\\000007.bmp"), FileBytes(kSource + "\\b.bmp"));
  EXPECT_EQ(w.Captions().size(), 7u);
  EXPECT_EQ(w.form.KSImageThumbnail1->PageCount(), 7);

  // A file that came into the folder behind the program's back is counted too.
  CopyFileA(pages_[0].c_str(), (kBatch + "\\000008.tif").c_str(), TRUE);
  Operator again({FileDialog("*", L"c:\\temp\\browse_src\\c.bmp")});
  w.form.ImportImage1Click();
  ASSERT_EQ(again.Finish(), 1);
  EXPECT_EQ(FileBytes(kBatch + "\\000009.bmp"), FileBytes(kSource + "\\c.bmp"));
  EXPECT_EQ(FolderNames(kBatch).size(), 9u);
}

TEST_F(BatchImportTest, WithNoBatchOpenImportCopiesNothingAndSaysSo) {
  BatchWindow w;
  std::string text;
  Operator op({AnswerBox(IDOK, &text)});
  w.form.ImportImage1Click();
  ASSERT_EQ(op.Finish(), 1);
  EXPECT_EQ(text, Utf8Text(1029));
  // Nor do the page steps or a delete on an empty viewer do anything.
  w.form.ShowBatchPage(1);
  w.form.ShowBatchPage(3);
  Operator none({AnswerBox(IDNO, nullptr, 1000)});
  w.form.Delete1Click();
  EXPECT_EQ(none.Finish(), 0);
}

TEST_F(BatchImportTest, TheStripsPageNumberNotItsControlIndexIsThePageStepsStart) {
  WriteBatch(kBatch, 10);
  BatchWindow w(L"c:\\temp\\browse_batch\\000001.tif");
  tarnwick::TKSImageThumbnail& strip = *w.form.KSImageThumbnail1;
  ASSERT_EQ(strip.PageCount(), 10);
  // A scrolled strip: its first control shows page 7.
  const int pageNo = 7;
  w.form.KSImageThumbnail1ThumbClick(0, kBatch + "\\000007.tif", pageNo);
  Pump(100);
  EXPECT_EQ(w.form.state.currentPage, pageNo - 1);
  // With the strip hidden the step goes over the file list from there.
  w.form.settings.thumnailShow = true;
  strip.SetVisible(false);
  w.form.NextpageClick();
  Pump(100);
  char expected[32];
  snprintf(expected, sizeof expected, "\\%06d.tif", pageNo + 1);
  EXPECT_EQ(w.form.QmDocumentImage1.Document().FileName(), kBatch + expected);
  // A list that shrank under the current index is stepped from its end.
  for (int n = 10; n > 3; --n) {
    char name[32];
    snprintf(name, sizeof name, "\\%06d.tif", n);
    DeleteFileA((kBatch + name).c_str());
  }
  w.form.SetFileListFolder(L"c:\\temp\\browse_batch");
  w.form.NextpageClick();
  Pump(100);
  EXPECT_EQ(w.form.QmDocumentImage1.Document().FileName(), kBatch + "\\000003.tif");
}

TEST_F(BatchImportTest, ADeleteWaitsForThePagesTheSaveQueueStillWritesIntoTheBatch) {
  BatchWindow w(L"c:\\temp\\browse_batch\\000001.tif");
  w.ClickPage(2);
  // A large colour page takes the queue a while.
  const int width = 3000, height = 3000, stride = ((width * 24 + 31) / 32) * 4;
  HGLOBAL big = GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + SIZE_T(stride) * height);
  auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(big));
  *header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, 24};
  header->biXPelsPerMeter = header->biYPelsPerMeter = 7874;
  auto* rows = reinterpret_cast<uint8_t*>(header + 1);
  uint32_t seed = 1;
  for (SIZE_T i = 0; i < SIZE_T(stride) * height; ++i) rows[i] = uint8_t((seed = seed * 1103515245 + 12345) >> 24);
  GlobalUnlock(big);
  Operator op({AnswerBox(IDYES)});
  w.form.saveQueue->AddSaveJob(kBatch + "\\000006.png", big, 6, 2, 0, 0, 0, 25, 25, 0);
  w.form.Delete1Click();
  ASSERT_EQ(op.Finish(), 1);
  EXPECT_EQ(FolderNames(kBatch), std::vector<std::string>({"000001.tif", "000002.tif", "000003.tif",
                                                           "000004.tif", "000005.png"}));
}

}  // namespace
