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
  void ClearFileList() override { log.push_back("file list cleared"); }
  void EnableThumbnailStrip(bool on) override { log.push_back(on ? "strip on" : "strip off"); }
  void ClearThumbnailStrip() override { log.push_back("strip cleared"); }
  void SetBrowseFolder(const std::string&) override {}
  void QueryScannerCaps() override {
    log.push_back("caps");
    Scanner().calls.push_back("caps");
  }
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
  void ShowPaperMessage() override {
    log.push_back("no paper");
    Scanner().calls.push_back("no paper");
  }
  void ShowScanError(const std::string& detail) override { errors.push_back(detail); }
  void FinishPdfDocument() override { log.push_back("pdf end"); }
  void DiscardDocumentTemp(const std::string& t) override { log.push_back("discard " + t); }
  bool PutDocumentInPlace(const std::string& t) override {
    log.push_back("in place " + t);
    return true;
  }
  void EnableViewCommands(bool on) override { viewEnabled = on; }
  void ShowNoPageMessage() override { log.push_back("no page"); }
  void RemoveEmptyFolder(const std::string& f) override { log.push_back("remove " + f); }
};

struct ScanCommandsTest : ::testing::Test {
  FakePavlotLoader loader;
  CountingErrors bindErrors;
  ScanLibrary library{loader, bindErrors};
  TarnwickSettings settings;
  MainWindowState state;
  RecordingWindow window;
  ScanCommands commands{settings, state, library, window};
  ScanCommands second{settings, state, library, window, Edition::kSecond};
  ScanCommands& Of(Edition e) { return e == Edition::kSecond ? second : commands; }
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
  // The library's life, the paper answers and the scans as one line.
  static std::string Course() {
    std::string out;
    for (const std::string& c : Scanner().calls)
      if (c == "ZebLoad" || c == "ZebFree" || c == "caps" || c == "GetValue 9603" ||
          c == "Acquire" || c == "no paper")
        out += (out.empty() ? "" : ", ") + (c == "GetValue 9603" ? std::string("paper") : c);
    return out;
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

namespace {
RecordingWindow* g_window = nullptr;
int g_firstAcquire = 0;
}

// A source that ends a pass with no page says so; a run that brought no page at all takes its
// empty dated folder away again, and one that did keeps it.
TEST_F(ScanCommandsTest, APassWithoutPagesIsSaidAndARunWithoutPagesLeavesNoFolder) {
  settings.saveFormat = 9;
  window.pagesPerPass = 0;
  commands.Normal1Click();
  EXPECT_EQ(Count("no page"), 1);
  EXPECT_EQ(Count("remove c:\\scans\\20240307-110509"), 1);
  EXPECT_TRUE(window.errors.empty());

  // Nothing in the first pass, pages in the second: one message, the folder stays.
  window.log.clear();
  window.answers = {C::Flatbed, C::Stop};
  g_window = &window;
  g_firstAcquire = Scanner().acquires + 1;
  Scanner().duringAcquire = [] { g_window->pagesPerPass = Scanner().acquires == g_firstAcquire ? 0 : 3; };
  commands.Normal1Click();
  EXPECT_EQ(Count("no page"), 1);
  EXPECT_EQ(state.pageCounter, 3);
  for (const std::string& line : window.log) EXPECT_NE(line.rfind("remove", 0), 0u) << line;

  // A failed acquisition shows its error, not the message; a document run has no folder.
  window.log.clear();
  Scanner().duringAcquire = nullptr;
  window.pagesPerPass = 0;
  Scanner().acquireStatus = -12;
  settings.saveFormat = 11;
  commands.Normal1Click();
  EXPECT_EQ(Count("no page"), 0);
  EXPECT_EQ(window.errors.size(), 1u);
  for (const std::string& line : window.log) EXPECT_NE(line.rfind("remove", 0), 0u) << line;
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

// The plain scan of each edition, from the Scan button to the end of the run: where the library
// is bound, queried and released, and which paper answer decides.
TEST_F(ScanCommandsTest, PlainScanBindsQueriesAndChecksPaperAsEachEditionDoes) {
  struct Case {
    Edition edition;
    int scanMethod;
    bool showUI;
    std::deque<int16_t> paper;
    const char* course;
    int methodAfter;
  };
  const Case cases[] = {
      {Edition::kFirst, 0, false, {1},
       "ZebLoad, caps, paper, Acquire, ZebFree", 0},
      {Edition::kFirst, 0, false, {0}, "ZebLoad, caps, paper, no paper, ZebFree", 0},
      // the device window sends the first edition to the flatbed
      {Edition::kFirst, 0, true, {0}, "ZebLoad, caps, paper, Acquire, ZebFree", 1},
      // the second edition releases after its checks, asks the paper again for the feeder,
      // and the run binds and queries anew
      {Edition::kSecond, 0, false, {0, 1},
       "ZebLoad, caps, paper, ZebFree, ZebLoad, paper, ZebFree, ZebLoad, caps, Acquire, ZebFree",
       0},
      {Edition::kSecond, 0, false, {1, 0},
       "ZebLoad, caps, paper, ZebFree, ZebLoad, paper, ZebFree, no paper", 0},
      {Edition::kSecond, 1, false, {0},
       "ZebLoad, caps, paper, ZebFree, ZebLoad, caps, Acquire, ZebFree", 1},
      // no flatbed forced, no fresh answer with the device window
      {Edition::kSecond, 0, true, {0},
       "ZebLoad, caps, paper, ZebFree, ZebLoad, caps, Acquire, ZebFree", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(int(c.edition)) + " method " + std::to_string(c.scanMethod) +
                 " showUI " + std::to_string(c.showUI));
    Scanner() = FakeScanner{};
    Scanner().paperAnswers = c.paper;
    window.log.clear();
    settings.saveFormat = 9;
    settings.scanMethod = c.scanMethod;
    settings.showUI = c.showUI;
    Of(c.edition).Normal1Click();
    EXPECT_EQ(Course(), c.course);
    EXPECT_EQ(settings.scanMethod, c.methodAfter);
    EXPECT_EQ(library.Depth(), 0);
    const bool first = c.edition == Edition::kFirst;
    EXPECT_EQ(Count("file list cleared"), first ? 1 : 0);
    ASSERT_FALSE(window.log.empty());
    EXPECT_EQ(window.log.front(), first ? "file list cleared" : "strip off");
    // the strip is enabled at the end, whether the run stopped or nothing was scanned
    const auto lastStrip = std::find_if(window.log.rbegin(), window.log.rend(), [](auto& l) {
      return l.rfind("strip o", 0) == 0;
    });
    ASSERT_NE(lastStrip, window.log.rend());
    EXPECT_EQ(*lastStrip, "strip on");
  }
}

TEST_F(ScanCommandsTest, TheSecondEditionGivesTheStripBackWhenItScansNothing) {
  settings.scanMethod = 0;
  Scanner().paperPresent = 0;
  second.Normal1Click();
  EXPECT_EQ(window.log, (std::vector<std::string>{"strip off", "caps", "no paper", "strip on"}));
  EXPECT_EQ(Scanner().acquires, 0);

  window.log.clear();
  settings.dontSaveImage = true;  // the strip stays off with nothing saved
  second.Normal1Click();
  EXPECT_EQ(window.log, (std::vector<std::string>{"strip off", "caps", "no paper", "strip off"}));

  window.log.clear();
  FakePavlotLoader absent({}, false);
  ScanLibrary none{absent, bindErrors};
  ScanCommands noLibrary{settings, state, none, window, Edition::kSecond};
  noLibrary.Normal1Click();
  EXPECT_EQ(window.log, (std::vector<std::string>{"strip off", "strip off"}));
  EXPECT_EQ(bindErrors.shown, 1);
}

TEST_F(ScanCommandsTest, TheSecondEditionsRunQueriesOnlyWhileTheSettingsFormWasNotOpened) {
  settings.saveFormat = 9;
  for (Edition e : {Edition::kFirst, Edition::kSecond})
    for (bool opened : {false, true}) {
      SCOPED_TRACE(std::to_string(int(e)) + " opened " + std::to_string(opened));
      Scanner() = FakeScanner{};
      Scanner().paperPresent = 1;
      window.log.clear();
      state.capsQueried = opened;
      window.answers = {C::Flatbed, C::Stop};  // a continued pass never queries
      Of(e).Normal1Click();
      EXPECT_EQ(Count("caps"), e == Edition::kSecond && !opened ? 2 : 1);
      EXPECT_EQ(Scanner().acquires, 2);
      EXPECT_EQ(state.capsQueried, opened);  // a scan's query is no opening of the form
    }
}

TEST_F(ScanCommandsTest, ContinuingWithTheFeederRebindsBeforeThePaperAnswerInTheSecondEdition) {
  settings.saveFormat = 9;
  settings.scanMethod = 0;
  for (Edition e : {Edition::kFirst, Edition::kSecond}) {
    SCOPED_TRACE(int(e));
    Scanner() = FakeScanner{};
    Scanner().paperPresent = 1;
    window.answers = {C::Feeder, C::Stop};
    state.capsQueried = true;
    Of(e).Normal1Click();
    const std::string run = Course();
    const std::string tail = run.substr(run.find("Acquire"));
    EXPECT_EQ(tail, e == Edition::kSecond ? "Acquire, ZebFree, ZebLoad, paper, Acquire, ZebFree"
                                          : "Acquire, paper, Acquire, ZebFree");
    EXPECT_EQ(library.Depth(), 0);
    EXPECT_EQ(Scanner().zebLoads, Scanner().zebFrees);
  }
}

TEST_F(ScanCommandsTest, TheSecondEditionsPdfScanChecksPaperThenScansUnderTheSaveAsBinding) {
  settings.saveFormat = 11;
  settings.scanMethod = 0;
  Scanner().paperPresent = 1;
  window.answers = {C::Stop};
  second.Normal1Click();
  EXPECT_EQ(Course(),
            "ZebLoad, caps, paper, ZebFree, ZebLoad, paper, ZebFree, ZebLoad, paper, caps, "
            "Acquire, ZebFree");
  EXPECT_EQ(Count("pdf end"), 1);
  EXPECT_EQ(Count("ask pdf"), 1);
  EXPECT_FALSE(state.pdfMode);
}
