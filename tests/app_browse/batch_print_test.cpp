// "Print" on the page shown: one page on the test printer of Wine's PostScript driver, and
// without a printer the message and a program that goes on; "Print Setup" chooses the printer.
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

// The print setup dialog's printer list: cmb1 in the setup template, cmb4 in the print one.
constexpr int kSetupPrinterCombo = 0x470, kPrintPrinterCombo = 0x473;

// Waits for the print setup dialog, keeps the printer it shows, picks `printer` (empty: none)
// and presses OK, or Cancel when `cancel`. A dialog it cannot work is cancelled, so that the
// command's modal loop ends.
Operator::Step PrintSetup(const std::string& printer, std::string* shown, bool cancel = false) {
  return [=] {
    HWND dialog = windriver::FindTopWindow("#32770", "Print Setup", 20000);
    if (!dialog) return false;
    Sleep(300);
    auto press = [&](int button) {
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
      return windriver::WaitGone("#32770", "Print Setup", 10000);
    };
    int comboId = kSetupPrinterCombo;
    HWND combo = GetDlgItem(dialog, comboId);
    if (!combo) combo = GetDlgItem(dialog, comboId = kPrintPrinterCombo);
    if (!combo) return press(IDCANCEL) && false;
    if (shown) {
      const int at = int(SendMessageW(combo, CB_GETCURSEL, 0, 0));
      wchar_t text[256] = {};
      if (at >= 0) SendMessageW(combo, CB_GETLBTEXT, at, reinterpret_cast<LPARAM>(text));
      *shown = windriver::Utf8(text);
    }
    if (!printer.empty()) {
      const std::wstring wide = windriver::Wide(printer);
      if (SendMessageW(combo, CB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(wide.c_str())) == CB_ERR)
        return press(IDCANCEL) && false;
      SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    }
    Sleep(100);
    return press(cancel ? IDCANCEL : IDOK);
  };
}

// Print Setup chooses the printer "Print" prints on: with two printers, the page goes to the one
// chosen, not to the default, and the dialog opens on the chosen one next time.
TEST(BatchPrint, PrintSetupChoosesThePrinterThePagePrintsOn) {
  if (RemoveTestPrinters() > 0) GTEST_SKIP() << "the prefix has printers of its own";
  SettingsFiles settings;
  settings.Clear();
  WriteBatch(kBatch, 2);
  const std::string out = OutDir();
  const std::string chosenName = std::string(kTestPrinterPrefix) + "chosen";
  const std::string defaultName = std::string(kTestPrinterPrefix) + "default";
  const std::string toChosen = out + "chosen.ps", toDefault = out + "default.ps";
  DeleteFileA(toChosen.c_str());
  DeleteFileA(toDefault.c_str());
  std::string message;
  ASSERT_TRUE(AddTestPrinter(chosenName, toChosen, message)) << message;
  ASSERT_TRUE(AddTestPrinter(defaultName, toDefault, message)) << message;  // the default now
  qm::Printer().SetPrinterName("");
  {
    BatchWindow w(L"c:\\temp\\browse_batch\\000001.tif");
    w.ClickPage(2);
    ASSERT_TRUE(w.form.QmDocumentImage1.HasImage());
    std::string shown;
    {
      Operator op({PrintSetup(chosenName, &shown)});
      w.form.PrintSetup1Click();
      ASSERT_EQ(op.Finish(), 1);
    }
    EXPECT_EQ(shown, defaultName) << "the dialog opens on the default printer at first";
    EXPECT_EQ(qm::Printer().PrinterName(), chosenName);
    Operator none({AnswerBox(IDOK, nullptr, 1500)});
    w.form.Print1Click();
    EXPECT_EQ(none.Finish(), 0) << "printing said nothing";
    EXPECT_NE(GetFileAttributesA(toChosen.c_str()), INVALID_FILE_ATTRIBUTES) << "nothing on the chosen printer";
    EXPECT_EQ(GetFileAttributesA(toDefault.c_str()), INVALID_FILE_ATTRIBUTES) << "printed on the default";
    // Opened again it shows the chosen printer; a cancel keeps it.
    {
      Operator op({PrintSetup("", &shown, true)});
      w.form.PrintSetup1Click();
      ASSERT_EQ(op.Finish(), 1);
    }
    EXPECT_EQ(shown, chosenName);
    EXPECT_EQ(qm::Printer().PrinterName(), chosenName);
  }
  qm::Printer().SetPrinterName("");
  RemoveTestPrinter(chosenName);
  RemoveTestPrinter(defaultName);
  RemoveFolder(kBatch);
}

}  // namespace
