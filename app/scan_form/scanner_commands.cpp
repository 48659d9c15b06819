// The main window's scanner commands: "Select Scanner" and "Scanner Settings", and the scanner
// settings form made at program start.
#include <windows.h>

#include "scan_form.h"
#include "scanner_caps.h"
#include "tarnwick_form.h"

namespace tarnwick {

void TTarnwickForm::CreateScanForm() {
  scanner.errors.owner = handle_;
  ScanForm = std::make_unique<TScanForm>(scannerChoices, settings, settingsFile, programIniFile);
}

void TTarnwickForm::SelectScanner1Click() {
  ScanLibrary& library = scanner.library;
  bool chosen = false;
  {
    ScanBinding binding(library, handle_);
    if (library.Require({ScanEntry::ZebSelectSource})) {
      library.SelectSource();
      chosen = true;
    }
  }
  if (!chosen) return;  // the scan error has been shown; nothing else changes
  SetToolBarEnabled(true);
  state.viewCommands = true;
  // The settings stay in memory and are written again when the window closes.
  DeleteFileW(settingsFile.c_str());
}

bool TTarnwickForm::QueryScannerCaps() {
  // The maximum area the window keeps (0 after each show) is what an unanswered query leaves.
  scannerChoices.maxWidth = state.maxScanWidth;
  scannerChoices.maxHeight = state.maxScanHeight;
  if (!::tarnwick::QueryScannerCaps(scanner.library, &scannerChoices,
                                    {&settings.scanMethod, &settings.filter}))
    return false;
  state.feederAvailable = scannerChoices.feederAvailable;
  state.scanMethodForced = scannerChoices.methodForced;
  state.duplexAvailable = scannerChoices.duplexAvailable;
  state.maxScanWidth = scannerChoices.maxWidth;
  state.maxScanHeight = scannerChoices.maxHeight;
  return true;
}

void TTarnwickForm::ScannerSettings1Click() {
  bool queried;
  {
    ScanBinding binding(scanner.library, handle_);
    queried = QueryScannerCaps();
  }
  if (!queried) return;  // the scan error has been shown
  state.capsQueried = true;
  if (ScanForm) ScanForm->ShowModal(handle_);
  SetFocus(handle_);
}

}  // namespace tarnwick
