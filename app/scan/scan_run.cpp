#include "scan_run.h"

namespace tarnwick {

namespace {

RunEnd RunPassesUntilStop(ScanRunHost& host) {
  bool continuing = false;
  for (;;) {
    if (!host.RunPass(continuing)) return RunEnd::Failed;
    switch (host.BatchMustStop() ? ContinueChoice::Stop : host.AskContinue()) {
      case ContinueChoice::Stop:
        host.Stopped();
        host.FreeScanLibrary();
        return RunEnd::Stopped;
      case ContinueChoice::Flatbed:
        host.SetScanMethod(1);
        break;
      case ContinueChoice::Feeder:
        if (!host.PaperPresent()) {
          host.FreeScanLibrary();
          host.ShowPaperMessage();
          return RunEnd::NoPaper;
        }
        host.SetScanMethod(0);
        break;
    }
    continuing = true;
  }
}

}  // namespace

RunEnd RunScanPasses(ScanRunHost& host) {
  RunEnd end;
  try {
    end = RunPassesUntilStop(host);
  } catch (...) {
    host.FinishDocument();
    throw;
  }
  host.FinishDocument();
  if (end != RunEnd::Failed) host.RunEnded();
  return end;
}

}  // namespace tarnwick
