// The main window's run-time state, not stored between runs: what the scan, page and export
// commands read and change while the program runs.
#pragma once
#include <cstdint>
#include <string>

namespace tarnwick {

struct MainWindowState {
  bool viewCommands = false;     // a scanner was chosen, a scan returned or a batch was opened
  bool batchHasPages = false;    // the batch exports require it
  bool continueBatch = false;
  bool capsQueried = false;
  bool feederAvailable = false;  // the scanner accepted the feeder as scan method
  bool scanMethodForced = false; // the scanner does not accept both feeder and flatbed
  bool duplexAvailable = false;
  int32_t pageCounter = 0;
  int32_t currentDpi = 200;      // the scan pass's resolution, read by the page callback
  int32_t currentPage = 0;
  float maxScanWidth = 0;        // inches, 0 until the capability query
  float maxScanHeight = 0;
  std::string pageFileName;
  std::string shownPageFile;     // the batch page the viewer shows, which Delete removes
  std::string batchFolder;
  std::string browseFolder;      // the folder the file list shows
  bool pdfMode = false;
  bool multiTifMode = false;
  std::string outputDocName;

  // What every show of the window after the settings are read starts from.
  void ResetRun() {
    continueBatch = batchHasPages = capsQueried = false;
    pageCounter = currentPage = 0;
    maxScanWidth = maxScanHeight = 0;
  }
};

}  // namespace tarnwick
