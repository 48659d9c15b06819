// The application's scan library binding as the main window holds it: the Windows loader and
// the scan error shown as message 1014 in an error box owned by the main window.
#pragma once
#include <windows.h>

#include "scan_library.h"
#include "scan_module_loader.h"

namespace tarnwick {

class ScanErrorBox : public ScanErrorReporter {
 public:
  void ShowScanError() override;
  HWND owner = nullptr;
};

struct AppScanLibrary {
  AppScanLibrary() : library(loader, errors) {}
  AppScanLibrary(const AppScanLibrary&) = delete;
  AppScanLibrary& operator=(const AppScanLibrary&) = delete;

  WindowsScanModuleLoader loader;
  ScanErrorBox errors;
  ScanLibrary library;
};

}  // namespace tarnwick
