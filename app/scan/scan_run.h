// A scan run: passes of the scanner until the operator stops, each followed by the "Prepare
// Scanner" question. The passes run one after another in a loop, never one inside another, and
// the output document is finished once after the last of them, however the run ended.
#pragma once

namespace tarnwick {

enum class ContinueChoice { Stop, Feeder, Flatbed };

// What the run asks of the main window.
class ScanRunHost {
 public:
  virtual ~ScanRunHost() = default;
  // One pass: a new batch unless continuing, the settings, the acquisition, the wait for the
  // page files. False when it failed; the failure has been shown.
  virtual bool RunPass(bool continuing) = 0;
  // After a pass: a page could not be saved, so no further sheet is scanned into the batch.
  virtual bool BatchMustStop() { return false; }
  virtual ContinueChoice AskContinue() = 0;
  virtual bool PaperPresent() = 0;
  virtual void SetScanMethod(int method) = 0;
  virtual void ShowPaperMessage() = 0;
  // Stop pressed: the thumbnail strip is enabled again.
  virtual void Stopped() = 0;
  virtual void FreeScanLibrary() = 0;
  // The PDF or multipage document of the run is completed (called once, on every path).
  virtual void FinishDocument() = 0;
  // The end of a run that did not fail (toolbar, menus, batch flags).
  virtual void RunEnded() = 0;
};

enum class RunEnd { Stopped, NoPaper, Failed };

RunEnd RunScanPasses(ScanRunHost& host);

}  // namespace tarnwick
