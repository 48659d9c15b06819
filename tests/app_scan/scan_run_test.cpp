#include "scan_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

using namespace tarnwick;

namespace {

// A main window whose operator answers from a script.
struct ScriptedHost : ScanRunHost {
  std::deque<ContinueChoice> answers;
  std::deque<bool> paper;
  int failPass = 0;   // the pass (1-based) that fails
  int throwPass = 0;  // the pass that raises
  int passes = 0;
  int unwrittenPass = 0;  // the pass that stopped at a page it could not write
  std::vector<std::string> log;
  bool BatchMustStop() override { return passes == unwrittenPass; }
  bool RunPass(bool continuing) override {
    ++passes;
    log.push_back(continuing ? "pass+" : "pass");
    if (passes == throwPass) throw std::runtime_error("raised");
    return passes != failPass;
  }
  ContinueChoice AskContinue() override {
    log.push_back("ask");
    ContinueChoice c = answers.front();
    answers.pop_front();
    return c;
  }
  bool PaperPresent() override {
    log.push_back("paper?");
    bool p = paper.front();
    paper.pop_front();
    return p;
  }
  void SetScanMethod(int m) override { log.push_back("method " + std::to_string(m)); }
  void ShowPaperMessage() override { log.push_back("no paper"); }
  void Stopped() override { log.push_back("stopped"); }
  void FreeScanLibrary() override { log.push_back("free"); }
  void FinishDocument() override { log.push_back("finish"); }
  void RunEnded() override { log.push_back("ended"); }
};

using C = ContinueChoice;
using Log = std::vector<std::string>;

}  // namespace

TEST(ScanRun, ContinuedPassesRunOneAfterAnotherAndFinishOnce) {
  ScriptedHost h;
  h.answers = {C::Flatbed, C::Flatbed, C::Flatbed, C::Stop};
  EXPECT_EQ(RunScanPasses(h), RunEnd::Stopped);
  EXPECT_EQ(h.log, (Log{"pass", "ask", "method 1", "pass+", "ask", "method 1", "pass+", "ask",
                        "method 1", "pass+", "ask", "stopped", "free", "finish", "ended"}));
}

TEST(ScanRun, HundredsOfPassesDoNotNest) {
  ScriptedHost h;
  for (int i = 0; i < 500; ++i) h.answers.push_back(C::Feeder), h.paper.push_back(true);
  h.answers.push_back(C::Stop);
  EXPECT_EQ(RunScanPasses(h), RunEnd::Stopped);
  EXPECT_EQ(h.passes, 501);
  EXPECT_EQ(std::count(h.log.begin(), h.log.end(), "finish"), 1);
}

TEST(ScanRun, NoPaperOnContinueClosesTheBatchAndStillFinishes) {
  ScriptedHost h;
  h.answers = {C::Feeder, C::Feeder};
  h.paper = {true, false};
  EXPECT_EQ(RunScanPasses(h), RunEnd::NoPaper);
  EXPECT_EQ(h.log, (Log{"pass", "ask", "paper?", "method 0", "pass+", "ask", "paper?", "free",
                        "no paper", "finish", "ended"}));
}

TEST(ScanRun, AFailedOrRaisingPassEndsTheRunAndTheDocumentIsStillFinished) {
  ScriptedHost failing;
  failing.answers = {C::Flatbed, C::Flatbed};
  failing.failPass = 2;
  EXPECT_EQ(RunScanPasses(failing), RunEnd::Failed);
  EXPECT_EQ(failing.log, (Log{"pass", "ask", "method 1", "pass+", "finish"}));

  ScriptedHost raising;
  raising.throwPass = 1;
  EXPECT_THROW(RunScanPasses(raising), std::runtime_error);
  EXPECT_EQ(raising.log, (Log{"pass", "finish"}));
}

// A page that could not be written ends the batch after its pass as Stop would, without asking
// the operator to load more paper; the document is finished with the pages written.
TEST(ScanRun, APageNotWrittenEndsTheBatchWithoutAskingToContinue) {
  ScriptedHost h;
  h.answers = {C::Feeder};
  h.paper = {true};
  h.unwrittenPass = 2;
  EXPECT_EQ(RunScanPasses(h), RunEnd::Stopped);
  EXPECT_EQ(h.log, (Log{"pass", "ask", "paper?", "method 0", "pass+", "stopped", "free", "finish",
                        "ended"}));
}
