#include "scan_error_box.h"

#include "resource_texts.h"

namespace tarnwick {

void ScanErrorBox::ShowScanError() {
  MessageBoxW(owner, TextW(1014).c_str(), L"Folvex", MB_OK | MB_ICONERROR);
}

}  // namespace tarnwick
