// The scan commands over a fake pavlot.dll and a window that records what it was asked: one
// binding for a whole run, the save-as dispatch, the paper check, batch folders, the document
// written under a temporary name, failures shown, and no command or nesting while a run goes on.
#include "scan_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "fake_pavlot.h"
#include "document_name.h"
#include "scan_library.h"

using namespace tarnwick;

namespace {

struct FakeFolders : FolderMaker {
  std::set<std::string> existing;
  bool fail = false;
  Result MakeFolder(const std::string& name) override {
    if (fail) return Result::Failed;
    return existing.insert(name).second ? Result::Made : Result::Exists;
  }
};

struct RecordingWindow : ScanWindow {
  ScanLibrary* library = nullptr;
  MainWindowState* state = nullptr;
  FakeFolders folders;
  std::deque<ContinueChoice> answers;
  std::string chosenDocument = "c:\\out\\doc";  // empty: the save dialog is cancelled
  int pagesPerPass = 2;
  int notWritten = 0;
  bool throwInAcquire = false;
  std::vector<std::string> log;
  std::vector<int> freesAtAcquire;
  std::vector<std::string> errors;
  bool viewEnabled = false;

  void* OwnerWindow() override { return this; }
  void ClearFileList() override {}
  void EnableThumbnailStrip(bool on) override { log.push_back(on ? "strip on" : "strip off"); }
  void ClearThumbnailStrip() override { log.push_back("strip cleared"); }
  void SetBrowseFolder(const std::string&) override {}
  void QueryScannerCaps() override { log.push_back("caps"); }
  int PaperListCount() override { return 8; }
  bool AskDocumentName(bool pdf, const std::string&, std::string* chosen) override {
    log.push_back(pdf ? "ask pdf" : "ask tif");
    *chosen = chosenDocument;
    return !chosenDocument.empty();
  }
  ScanClock Now() override { return {2024, 3, 7, 11, 5, 9}; }
  FolderMaker& Folders() override { return folders; }
  int32_t Acquire() override {
    freesAtAcquire.push_back(Scanner().zebFrees);
    log.push_back("acquire");
    if (throwInAcquire) throw std::runtime_error("broken");
    const int32_t status = library->Acquire(nullptr);
    state->pageCounter += pagesPerPass;
    return status;
  }
  int WaitForPageFiles() override { return notWritten; }
  ContinueChoice AskContinue(int32_t pages) override {
    log.push_back("continue? " + std::to_string(pages));
    ContinueChoice c = answers.empty() ? ContinueChoice::Stop : answers.front();
    if (!answers.empty()) answers.pop_front();
    return c;
  }
  void ShowPaperMessage() override { log.push_back("no paper"); }
  void ShowScanError(const std::string& detail) override { errors.push_back(detail); }
  void FinishPdfDocument() override { log.push_back("pdf end"); }
  void DiscardDocumentTemp(const std::string& t) override { log.push_back("discard " + t); }
  bool PutDocumentInPlace(const std::string& t) override {
    log.push_back("in place " + t);
    return true;
  }
  void EnableViewCommands(bool on) override { viewEnabled = on; }
};

struct ScanCommandsTest : ::testing::Test {
  FakePavlotLoader loader;
  CountingErrors bindErrors;
  ScanLibrary library{loader, bindErrors};
  TarnwickSettings settings;
  MainWindowState state;
  RecordingWindow window;
  ScanCommands commands{settings, state, library, window};
  void SetUp() override {
    window.library = &library;
    window.state = &state;
    settings.path = "c:\\scans";
    settings.scanMethod = 1;
    Scanner().paperPresent = 1;
  }
  int Count(const std::string& line) const {
    return static_cast<int>(std::count(window.log.begin(), window.log.end(), line));
  }
};

using C = ContinueChoice;

}  // namespace

TEST_F(ScanCommandsTest, SaveAsDispatchScansUnderTheOneBindingOfTheRun) {
  for (int format : {10, 11}) {
    SCOPED_TRACE(format);
    Scanner() = FakeScanner{};
    Scanner().paperPresent = 1;
    window.freesAtAcquire.clear();
    window.log.clear();
    settings.saveFormat = format;
    settings.scanMethod = 0;  // feeder: the dispatch reads the paper answer once more
    commands.Normal1Click();
    EXPECT_EQ(window.freesAtAcquire, std::vector<int>{0});
    EXPECT_EQ(Scanner().zebLoads, 1);
    EXPECT_EQ(Scanner().zebFrees, 1);
    EXPECT_EQ(library.Depth(), 0);
    const std::string doc = format == 11 ? "c:\\out\\doc.pdf" : "c:\\out\\doc.tif";
    EXPECT_EQ(Count("discard " + doc), format == 10 ? 1 : 0);
    EXPECT_EQ(Count("in place " + doc), format == 10 ? 1 : 0);
    EXPECT_EQ(state.outputDocName, format == 10 ? doc + ".part" : doc);
    EXPECT_EQ(Count("pdf end"), format == 11 ? 1 : 0);
    EXPECT_TRUE(window.folders.existing.empty());  // the document modes make no folder
    EXPECT_FALSE(state.batchHasPages);
    EXPECT_FALSE(state.pdfMode);
  }
}

TEST_F(ScanCommandsTest, APdfBatchContinuedThreeTimesIsFinishedOnceAfterTheLastPass) {
  settings.saveFormat = 11;
  window.pagesPerPass = 1;
  window.answers = {C::Flatbed, C::Flatbed, C::Flatbed, C::Stop};
  commands.Normal1Click();
  EXPECT_EQ(Count("acquire"), 4);
  EXPECT_EQ(Count("pdf end"), 1);
  EXPECT_EQ(window.log.back(), "pdf end");
  EXPECT_EQ(state.pageCounter, 4);
  EXPECT_EQ(state.outputDocName, "c:\\out\\doc.pdf");
  EXPECT_EQ(Scanner().zebFrees, 1);
  EXPECT_TRUE(window.errors.empty());
}

TEST_F(ScanCommandsTest, ACancelledSaveDialogScansNothing) {
  settings.saveFormat = 11;
  window.chosenDocument.clear();
  commands.Normal1Click();
  EXPECT_EQ(Scanner().acquires, 0);
  EXPECT_EQ(Scanner().zebFrees, 1);
}

TEST_F(ScanCommandsTest, NoPaperInTheFeederShowsTheMessageAndMakesNoFolder) {
  settings.scanMethod = 0;
  for (int16_t answer : {int16_t(0), int16_t(2), int16_t(-1)}) {
    Scanner().paperPresent = answer;
    commands.Normal1Click();
  }
  EXPECT_EQ(Count("no paper"), 3);
  EXPECT_EQ(Scanner().acquires, 0);
  EXPECT_TRUE(window.folders.existing.empty());
  EXPECT_EQ(Scanner().zebFrees, Scanner().zebLoads);
}

TEST_F(ScanCommandsTest, NoPaperOnContinueClosesTheBatch) {
  settings.scanMethod = 0;
  settings.saveFormat = 9;
  window.answers = {C::Feeder, C::Feeder};
  Scanner().duringAcquire = [] { Scanner().paperPresent = Scanner().acquires < 2 ? 1 : 0; };
  commands.Normal1Click();
  EXPECT_EQ(Scanner().acquires, 2);
  EXPECT_EQ(Count("no paper"), 1);
  EXPECT_FALSE(state.continueBatch);
  EXPECT_EQ(Scanner().zebFrees, 1);
}

TEST_F(ScanCommandsTest, BatchFoldersAreDatedNeverReusedAndAFailureScansNothing) {
  settings.saveFormat = 9;
  commands.Normal1Click();
  EXPECT_EQ(state.batchFolder, "c:\\scans\\20240307-110509");
  EXPECT_EQ(state.browseFolder, state.batchFolder);
  commands.Normal1Click();  // the same second
  EXPECT_EQ(state.batchFolder, "c:\\scans\\20240307-110509_2");
  EXPECT_EQ(Scanner().acquires, 2);
  EXPECT_TRUE(state.batchHasPages);

  window.folders.fail = true;
  commands.Normal1Click();
  EXPECT_EQ(Scanner().acquires, 2);
  ASSERT_EQ(window.errors.size(), 1u);
  EXPECT_FALSE(window.viewEnabled);
  EXPECT_EQ(Scanner().zebFrees, 3);
}

TEST_F(ScanCommandsTest, ContinuedPassesKeepTheBatchAndItsCount) {
  settings.saveFormat = 1;
  window.answers = {C::Flatbed, C::Stop};
  commands.Normal1Click();
  EXPECT_EQ(Count("strip cleared"), 1);
  EXPECT_EQ(state.pageCounter, 4);
  EXPECT_EQ(Count("continue? 2"), 1);
  EXPECT_EQ(Count("continue? 4"), 1);
  EXPECT_EQ(window.folders.existing.size(), 1u);
}

namespace {
ScanCommands* g_commands = nullptr;
}

TEST_F(ScanCommandsTest, ScanCommandsAskedForDuringAPassAreRefused) {
  settings.saveFormat = 9;
  g_commands = &commands;
  Scanner().duringAcquire = [] {
    EXPECT_TRUE(g_commands->Running());
    g_commands->Normal1Click();
    g_commands->Scan1Click();
    g_commands->SaveAsPDFFile1Click();
  };
  commands.Normal1Click();
  EXPECT_EQ(Scanner().acquires, 1);
  EXPECT_EQ(Scanner().zebLoads, 1);
  EXPECT_FALSE(commands.Running());
}

TEST_F(ScanCommandsTest, ADriverFailureOrUnwrittenPagesAreShownAndTheBatchGoesOn) {
  settings.saveFormat = 9;
  Scanner().acquireStatus = -12;  // a jam
  window.notWritten = 2;
  window.answers = {C::Stop};
  commands.Normal1Click();
  ASSERT_EQ(window.errors.size(), 2u);
  EXPECT_NE(window.errors[0].find("-12"), std::string::npos);
  EXPECT_NE(window.errors[1].find("2 page"), std::string::npos);
  EXPECT_EQ(Count("continue? 2"), 1);

  window.errors.clear();
  window.notWritten = 0;
  Scanner().acquireStatus = -5;  // the operator cancelled: nothing to show
  commands.Normal1Click();
  EXPECT_TRUE(window.errors.empty());
}

TEST_F(ScanCommandsTest, AnErrorDuringAPassEndsTheRunReleasesAndFinishes) {
  settings.saveFormat = 11;
  window.throwInAcquire = true;
  commands.Normal1Click();
  EXPECT_EQ(window.errors, std::vector<std::string>{"broken"});
  EXPECT_FALSE(window.viewEnabled);
  EXPECT_EQ(Count("pdf end"), 1);
  EXPECT_EQ(Scanner().zebFrees, 1);
  EXPECT_FALSE(commands.Running());
}

TEST_F(ScanCommandsTest, PassSettingsFollowTheRunAndTheLibraryLogOrder) {
  settings.saveFormat = 9;
  settings.imageType = 1;
  settings.resolution = 4;
  settings.showUI = false;
  commands.Normal1Click();
  EXPECT_EQ(state.currentDpi, 300);
  const auto& calls = Scanner().calls;
  const auto prop = std::find(calls.begin(), calls.end(), "SetProp");
  const auto acquire = std::find(calls.begin(), calls.end(), "Acquire");
  ASSERT_NE(prop, calls.end());
  EXPECT_LT(prop, acquire);
  EXPECT_EQ(std::count(prop, acquire, "SetValue 9209 2"), 1);
}

TEST(DocumentName, ExtensionAppendedUnlessExactlyThere) {
  EXPECT_EQ(DocumentNameWithExtension("c:\\a\\doc", ".pdf"), "c:\\a\\doc.pdf");
  EXPECT_EQ(DocumentNameWithExtension("c:\\a\\doc.pdf", ".pdf"), "c:\\a\\doc.pdf");
  EXPECT_EQ(DocumentNameWithExtension("c:\\a\\doc.PDF", ".pdf"), "c:\\a\\doc.PDF.pdf");
  EXPECT_EQ(DocumentNameWithExtension("c:\\a.b\\doc", ".tif"), "c:\\a.b\\doc.tif");
  EXPECT_EQ(DocumentNameWithExtension("c:\\a\\doc.tiff", ".tif"), "c:\\a\\doc.tiff.tif");
  EXPECT_EQ(DocumentTempName("c:\\a\\doc.pdf"), "c:\\a\\doc.pdf.part");
}
