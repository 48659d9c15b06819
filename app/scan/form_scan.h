// The scan commands in the main window: the window, dialogs and components they reach, and
// where each page of the page callback goes (viewer, thumbnail strip, PDF writer, page files,
// save queue, file list).
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "page_callback.h"
#include "scan_commands.h"
#include "scan_files.h"
#include "scan_library.h"

namespace tarnwick {

class TTarnwickForm;

class FormScan : public ScanWindow, public PageReceivers {
 public:
  explicit FormScan(TTarnwickForm& form);
  ScanCommands& Commands() { return commands_; }

  // ScanWindow
  void* OwnerWindow() override;
  void ClearFileList() override;
  void EnableThumbnailStrip(bool enabled) override;
  void ClearThumbnailStrip() override;
  void SetBrowseFolder(const std::string& folder) override {}
  void QueryScannerCaps() override;
  int PaperListCount() override;
  bool AskDocumentName(bool pdf, const std::string& folder, std::string* chosen) override;
  ScanClock Now() override;
  FolderMaker& Folders() override { return folders_; }
  int32_t Acquire() override;
  int WaitForPageFiles() override;
  ContinueChoice AskContinue(int32_t pages) override;
  void ShowPaperMessage() override;
  void ShowScanError(const std::string& detail) override;
  void FinishPdfDocument() override;
  void DiscardDocumentTemp(const std::string& target) override;
  bool PutDocumentInPlace(const std::string& target) override;
  void EnableViewCommands(bool enabled) override;
  void ShowNoPageMessage() override;
  void RemoveEmptyFolder(const std::string& folder) override;
  bool PageWriteFailed() override { return pageWriteFailed_; }

  // PageReceivers
  DriverWindowSettings DriverWindow(int passDpi) override;
  void ShowPage(HGLOBAL page) override;
  void Zoom(bool fitToPage) override;
  void LayOutStrip(bool hideStrip) override;
  void AddThumbnail(HGLOBAL page, const std::string& fileName, int pageNo) override;
  void AddPdfPage(const std::string& document, int pageNo, HGLOBAL page, int dpi,
                  int imageType) override;
  void WritePageFile(HGLOBAL page, const PageTarget& target, bool jpeg, int dpi,
                     int jpegQuality) override;
  void QueuePage(const std::string& fileName, HGLOBAL page, int kind, int jpegQuality,
                 int jpegSmooth) override;
  void AddToFileList(const std::string& fileName) override;
  void ShowError(const std::string& text) override;

 private:
  TTarnwickForm& form_;
  WindowsFolderMaker folders_;
  ScanCommands commands_;
  void ShowPageWriteFailure(bool diskFull, const std::string& file);

  int failedBefore_ = 0;
  bool pageWriteFailed_ = false;  // the last acquisition stopped at a page it could not write
  bool documentListed_ = false;
  bool depthRefusalShown_ = false;  // kept across the passes of a run
};

}  // namespace tarnwick
