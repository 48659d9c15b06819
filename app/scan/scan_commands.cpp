#include "scan_commands.h"

#include <exception>
#include <optional>

#include "bound_scan_port.h"
#include "document_name.h"
#include "scan_library.h"
#include "scan_loop_rules.h"
#include "scan_pass_setup.h"

namespace tarnwick {

namespace {

// Statuses of an acquisition the operator ended: no error to show.
bool OperatorStopped(int32_t status) { return status == -4 || status == -5; }

// Marks the run for its duration, also when it ends by an error.
struct RunningScope {
  bool& flag;
  explicit RunningScope(bool& f) : flag(f) { flag = true; }
  ~RunningScope() { flag = false; }
};

}  // namespace

bool ScanCommands::PaperPresentNow() {
  BoundScanPort port(library_);
  return PaperInFeeder(port);
}

void ScanCommands::Normal1Click() {
  if (running_) return;
  const PlainScanStart start = PlainScanStartOf(edition_);
  bool dispatched = false;
  try {
    if (start.ClearFileList) window_.ClearFileList();
    window_.EnableThumbnailStrip(start.StripEnabled);
    state_.pdfMode = state_.multiTifMode = false;
    settings_.pdf = false;
    std::optional<ScanBinding> binding(std::in_place, library_, window_.OwnerWindow());
    if (!library_.Require({ScanEntry::ZebSetProp, ScanEntry::ZebAcquire, ScanEntry::ZebSetValue,
                           ScanEntry::ZebGetValue}))
      return RestoreStripAfterNoRun(start);
    window_.QueryScannerCaps();
    const bool paper = PaperPresentNow();
    if (ForcesFlatbedWithDeviceWindow(edition_, settings_.showUI, state_.scanMethodForced))
      settings_.scanMethod = 1;
    if (!start.KeepBinding) binding.reset();
    switch (PlainScanRouteOf(edition_, settings_.scanMethod, settings_.showUI, paper)) {
      case PlainScanRoute::Dispatch: break;
      case PlainScanRoute::PaperMessage:
        window_.ShowPaperMessage();
        return RestoreStripAfterNoRun(start);
      case PlainScanRoute::AskPaperAgain: {
        bool fresh;
        {
          ScanBinding again(library_, window_.OwnerWindow());
          fresh = PaperPresentNow();
        }
        if (!fresh) {
          window_.ShowPaperMessage();
          return RestoreStripAfterNoRun(start);
        }
        break;
      }
    }
    dispatched = true;
    Dispatch();
  } catch (const std::exception& e) {
    window_.ShowScanError(e.what());
    if (!dispatched) RestoreStripAfterNoRun(start);
  }
}

// A plain scan that disabled the strip for its run and then scanned nothing gives it back, so the
// batch shown stays browsable.
void ScanCommands::RestoreStripAfterNoRun(const PlainScanStart& start) {
  if (!start.StripEnabled) window_.EnableThumbnailStrip(!settings_.dontSaveImage);
}

bool ScanCommands::PaperPresent() {
  if (RebindsBeforeFeederPaper(edition_)) library_.Rebind(window_.OwnerWindow());
  return PaperPresentNow();
}

void ScanCommands::Dispatch() {
  switch (settings_.saveFormat) {
    case 10: SaveAsMultiTIF1Click(); break;
    case 11: SaveAsPDFFile1Click(); break;
    default: Scan1Click(); break;
  }
}

void ScanCommands::SaveAsDocument(bool pdf) {
  if (running_) return;
  ScanBinding binding(library_, window_.OwnerWindow());
  window_.EnableThumbnailStrip(false);
  state_.pdfMode = settings_.pdf = pdf;
  state_.multiTifMode = !pdf;
  documentTarget_.clear();
  if (settings_.dontSaveImage) {
    Scan1Click();
    return;
  }
  std::string chosen;
  if (!window_.AskDocumentName(pdf, settings_.path, &chosen)) return;
  documentTarget_ = DocumentNameWithExtension(chosen, pdf ? ".pdf" : ".tif");
  // The PDF writer keeps its own temporary file until the end call; TIFF pages are added to a
  // file of ours beside the target.
  state_.outputDocName = documentTarget_;
  if (!pdf) {
    window_.DiscardDocumentTemp(documentTarget_);
    state_.outputDocName = DocumentTempName(documentTarget_);
  }
  if (settings_.scanMethod != 0 || settings_.showUI || PaperPresentNow())
    Scan1Click();
  else
    window_.ShowPaperMessage();
}

void ScanCommands::Scan1Click() {
  if (running_) return;
  RunningScope running(running_);
  ScanBinding binding(library_, window_.OwnerWindow());
  madeFolder_.clear();
  try {
    RunScanPasses(*this);
  } catch (const std::exception& e) {
    window_.EnableViewCommands(false);
    window_.ShowScanError(e.what());
  }
  // A dated folder with no page in it would only stand for a batch that never was.
  if (!madeFolder_.empty() && state_.pageCounter == 0) window_.RemoveEmptyFolder(madeFolder_);
  madeFolder_.clear();
}

bool ScanCommands::StartBatch() {
  window_.ClearThumbnailStrip();
  std::string folder = BatchFolderName(settings_.path, window_.Now());
  if (!settings_.dontSaveImage && !state_.pdfMode && !state_.multiTifMode) {
    const std::optional<std::string> made = MakeBatchFolder(folder, window_.Folders());
    if (!made) {
      window_.ShowScanError(folder);
      return false;
    }
    folder = *made;
    madeFolder_ = folder;
  }
  state_.batchFolder = folder;
  state_.browseFolder = folder;
  window_.SetBrowseFolder(folder);
  state_.pageCounter = 0;
  state_.pageFileName.clear();
  return true;
}

bool ScanCommands::RunPass(bool continuing) {
  try {
    state_.continueBatch = continuing;
    if (!continuing && QueriesCapsAtNewBatch(edition_, state_.capsQueried))
      window_.QueryScannerCaps();
    if (!continuing && !StartBatch()) {
      window_.EnableViewCommands(false);
      return false;
    }
    ScanPassSettings s;
    s.ImageType = settings_.imageType;
    s.ScanMethod = settings_.scanMethod;
    s.Resolution = settings_.resolution;
    s.Size = settings_.size;
    s.Filter = settings_.filter;
    s.ShowUI = settings_.showUI;
    s.Duplex = settings_.duplex;
    s.Invert = settings_.invert;
    s.AutoCrop = settings_.autoCrop;
    s.Brightness = settings_.brightness;
    s.Contrast = settings_.contrast;
    s.PaperListCount = window_.PaperListCount();
    s.ForEdition = edition_;
    BoundScanPort port(library_);
    const ScanPassSetup setup =
        SendScanPassSettings(port, s, {state_.maxScanWidth, state_.maxScanHeight});
    settings_.size = setup.Size;
    state_.currentDpi = setup.Dpi;

    const int pagesBefore = state_.pageCounter;
    const int32_t status = window_.Acquire();
    pageWriteFailed_ = window_.PageWriteFailed();
    if (status == 0) state_.viewCommands = true;
    const int notWritten = window_.WaitForPageFiles();
    // A page that could not be written stopped the scan; that has been said.
    if (status != 0 && !OperatorStopped(status) && !pageWriteFailed_)
      window_.ShowScanError("ZebAcquire: " + std::to_string(status));
    else if (state_.pageCounter == pagesBefore)
      window_.ShowNoPageMessage();
    if (notWritten > 0)
      window_.ShowScanError(std::to_string(notWritten) + " page file(s) not written");
    return true;
  } catch (const std::exception& e) {
    window_.EnableViewCommands(false);
    window_.ShowScanError(e.what());
    return false;
  }
}

ContinueChoice ScanCommands::AskContinue() { return window_.AskContinue(state_.pageCounter); }

void ScanCommands::Stopped() {
  state_.continueBatch = false;
  window_.EnableThumbnailStrip(!settings_.dontSaveImage);
}

void ScanCommands::FinishDocument() {
  state_.continueBatch = false;
  if (settings_.dontSaveImage || documentTarget_.empty()) return;
  if (state_.pdfMode) {
    window_.FinishPdfDocument();
    state_.pdfMode = settings_.pdf = false;
  } else if (state_.multiTifMode && !window_.PutDocumentInPlace(documentTarget_)) {
    window_.ShowScanError(documentTarget_);
  }
  documentTarget_.clear();
}

void ScanCommands::RunEnded() {
  window_.EnableViewCommands(true);
  state_.batchHasPages = settings_.saveFormat < 10;
}

}  // namespace tarnwick
