// "Print" on the page shown: one page on the test printer of Wine's PostScript driver, and
// without a printer the message and a program that goes on.
#include <windows.h>

#include <gtest/gtest.h>

#include "batch_fixture.h"
#include "crde_bindings.h"
#include "qm_printer.h"
#include "resource_texts.h"
#include "settings_files.h"
#include "test_printer.h"
#include "win_driver.h"

namespace {

const std::string kBatch = "c:\\temp\\browse_batch";

std::string OutDir() {
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string dir(exe);
  dir = dir.substr(0, dir.rfind('\\') + 1) + "batch_print\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

TEST(BatchPrint, ThePageShownPrintsOnOnePageAndWithoutAPrinterTheProgramGoesOn) {
  // First of all, while no job of this program holds a printer.
  if (RemoveTestPrinters() > 0) GTEST_SKIP() << "the prefix has printers of its own";
  SettingsFiles settings;
  settings.Clear();
  std::vector<std::string> pages = WriteBatch(kBatch, 5);
  const std::string out = OutDir();
  {
    BatchWindow w(L"c:\\temp\\browse_batch\\000001.tif");
    w.ClickPage(2);
    ASSERT_TRUE(w.form.QmDocumentImage1.HasImage());
    qm::Printer().SetPrinterName("");
    std::string text;
    Operator op({AnswerBox(IDOK, &text)});
    w.form.Print1Click();
    ASSERT_EQ(op.Finish(), 1);
    EXPECT_EQ(text, windriver::Utf8(tarnwick::TextW(1028)));
    EXPECT_TRUE(IsWindow(w.form.Handle()));
    EXPECT_TRUE(w.form.QmDocumentImage1.HasImage());

    const std::string printed = out + "page2.ps";
    DeleteFileA(printed.c_str());
    std::string message;
    ASSERT_TRUE(AddTestPrinter(std::string(kTestPrinterPrefix) + "batch print", printed, message)) << message;
    Operator none({AnswerBox(IDOK, nullptr, 1500)});
    w.form.Print1Click();
    EXPECT_EQ(none.Finish(), 0) << "printing said nothing";
    EXPECT_NE(GetFileAttributesA(printed.c_str()), INVALID_FILE_ATTRIBUTES);
    HGLOBAL page2 = ReadTiffFile(pages[1], 0, false, 0, nullptr, nullptr);
    ASSERT_TRUE(WriteBmpFile(out + "page2.bmp", 1, page2, nullptr, nullptr));
    GlobalFree(page2);
  }
  RemoveTestPrinter(std::string(kTestPrinterPrefix) + "batch print");
  RemoveFolder(kBatch);
}

}  // namespace
