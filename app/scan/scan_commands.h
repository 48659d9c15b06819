// The scan commands of the main window: Normal1Click (the Scan button and the "Scan Page"
// items), the save-as dispatch to SaveAsPDFFile1Click and SaveAsMultiTIF1Click, and Scan1Click,
// which runs the passes of one batch. The library is bound once for the whole run (in the
// second edition the plain scan binds and releases it for its checks, and the run binds it
// again); commands asked for while a run is going on are refused. Platform-free: the window's
// part is ScanWindow.
#pragma once
#include <cstdint>
#include <string>

#include "batch_folder.h"
#include "edition.h"
#include "main_window_state.h"
#include "scan_loop_rules.h"
#include "scan_run.h"
#include "tarnwick_settings.h"

namespace tarnwick {

class ScanLibrary;

// What the commands ask of the main window, its components and dialogs.
class ScanWindow {
 public:
  virtual ~ScanWindow() = default;
  virtual void* OwnerWindow() = 0;
  virtual void ClearFileList() = 0;
  virtual void EnableThumbnailStrip(bool enabled) = 0;
  // A new batch: no thumbnails, layout position (5, 5), no scroll range.
  virtual void ClearThumbnailStrip() = 0;
  virtual void SetBrowseFolder(const std::string& folder) = 0;
  // QueryScannerCaps into the settings form's lists (the library is bound).
  virtual void QueryScannerCaps() = 0;
  virtual int PaperListCount() = 0;
  // The save dialog of a document mode (overwrite asked there); false when cancelled.
  virtual bool AskDocumentName(bool pdf, const std::string& folder, std::string* chosen) = 0;
  virtual ScanClock Now() = 0;
  virtual FolderMaker& Folders() = 0;
  // ZebAcquire with the page callback; pages land in the state while it runs.
  virtual int32_t Acquire() = 0;
  // Waits (bounded) until every page of the pass is written; answers the pages that are not.
  virtual int WaitForPageFiles() = 0;
  // "Prepare Scanner" with the page count: Stop, or the scan method to continue with.
  virtual ContinueChoice AskContinue(int32_t pages) = 0;
  virtual void ShowPaperMessage() = 0;
  // Message 1014 with a detail line when there is one.
  virtual void ShowScanError(const std::string& detail) = 0;
  // The end call of the PDF writer, with the "Information" note shown meanwhile.
  virtual void FinishPdfDocument() = 0;
  virtual void DiscardDocumentTemp(const std::string& target) = 0;
  virtual bool PutDocumentInPlace(const std::string& target) = 0;
  // Toolbar and the "View" and "Edit" menus after a run (disabled after a failure).
  virtual void EnableViewCommands(bool enabled) = 0;
  // The source ended a pass without delivering a page.
  virtual void ShowNoPageMessage() = 0;
  // Removes the folder when it holds nothing (a batch folder of a run that brought no page).
  virtual void RemoveEmptyFolder(const std::string& folder) = 0;
  // The last acquisition stopped at a page it could not write, and the operator has been told.
  virtual bool PageWriteFailed() { return false; }
};

class ScanCommands : private ScanRunHost {
 public:
  ScanCommands(TarnwickSettings& settings, MainWindowState& state, ScanLibrary& library,
               ScanWindow& window, Edition edition = kBuiltEdition)
      : settings_(settings), state_(state), library_(library), window_(window),
        edition_(edition) {}

  void Normal1Click();
  void SaveAsPDFFile1Click() { SaveAsDocument(true); }
  void SaveAsMultiTIF1Click() { SaveAsDocument(false); }
  void Scan1Click();

  // A run is going on: scan commands are refused and the window must not close.
  bool Running() const { return running_; }

 private:
  void SaveAsDocument(bool pdf);
  void Dispatch();
  bool PaperPresentNow();
  void RestoreStripAfterNoRun(const PlainScanStart& start);

  // ScanRunHost
  bool RunPass(bool continuing) override;
  bool BatchMustStop() override { return pageWriteFailed_; }
  ContinueChoice AskContinue() override;
  bool PaperPresent() override;
  void SetScanMethod(int method) override { settings_.scanMethod = method; }
  void ShowPaperMessage() override { window_.ShowPaperMessage(); }
  void Stopped() override;
  void FreeScanLibrary() override {}  // the command's binding is released when it returns
  void FinishDocument() override;
  void RunEnded() override;

  bool StartBatch();

  TarnwickSettings& settings_;
  MainWindowState& state_;
  ScanLibrary& library_;
  ScanWindow& window_;
  Edition edition_;
  bool running_ = false;
  bool pageWriteFailed_ = false;  // the batch ends after this pass
  std::string documentTarget_;  // the chosen PDF or TIFF; the pages go to its temporary name
  std::string madeFolder_;      // the batch folder this run made
};

}  // namespace tarnwick
