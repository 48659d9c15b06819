// Which handler each menu item, pop-up item and toolbar button runs, and the small handlers
// that only open another window or end the program.
#include <windows.h>

#include <commdlg.h>

#include "about_form.h"
#include "tarnwick_form.h"
#include "tarnwick_ids.h"

namespace tarnwick {

void TTarnwickForm::RunCommand(int command) {
  switch (command) {
    case IDM_OPENBATCH1: OpenBatch1Click(); break;
    case IDM_SAVE1: Save1Click(); break;
    case IDM_PDFFILEFORMAT1: PDFFileFormat1Click(); break;
    case IDM_TIFMULTIPAGE1: TIFMultiPage1Click(); break;
    case IDM_SELECTSCANNER1: SelectScanner1Click(); break;
    case IDM_SCANPAGE1: case IDM_SCANPAGE3: case IDB_SCAN: Normal1Click(); break;
    case IDM_PRINT1: Print1Click(); break;
    case IDM_PRINTSETUP1: PrintSetup1Click(); break;
    case IDM_EXIT1: Exit1Click(); break;
    case IDM_DELETE1: case IDM_DELETE2: case IDB_DELTOOLBUTTON: Delete1Click(); break;
    case IDM_IMPORTIMAGE1: ImportImage1Click(); break;
    case IDM_N901: N901Click(); break;
    case IDM_N1801: N1801Click(); break;
    case IDM_N2701: N2701Click(); break;
    case IDM_FITWINDOW1: case IDM_N251: case IDM_N501: case IDM_N751: case IDM_N1001:
    case IDM_N2001: Scaling1Click(command); break;
    case IDM_FITTOWIDTH1: case IDB_IBDOCBESTFIT: ibdocBestFitClick(); break;
    case IDM_INVERT1: Invert1Click(); break;
    case IDM_HORIZONTAL1: case IDM_VERTICAL1: case IDM_HORZVERT1: Mirror1Click(command); break;
    case IDM_DESKEW1: DesKew1Click(); break;
    case IDM_SCANNERSETTINGS1: ScannerSettings1Click(); break;
    case IDM_ONLINEHELP1: OnLineHelp1Click(); break;
    case IDM_ABOUT1: About1Click(); break;
    case IDB_FIRSTPAGE: FirstpageClick(); break;
    case IDB_PRIORPAGE: PriorpageClick(); break;
    case IDB_NEXTPAGE: NextpageClick(); break;
    case IDB_LASTPAGE: LastpageClick(); break;
    case IDB_IBDOCPANZOOM: ibdocPanZoomClick(); break;
    case IDB_IBDOCZOOMIN: ibdocZoomInClick(); break;
    case IDB_IBDOCZOOMOUT: ibdocZoomOutClick(); break;
    case IDB_IBDOCINVERT: ibdocInvertClick(); break;
    case IDB_IBDOCROTATE90: ibdocRotate90Click(); break;
    case IDB_IBDOCROTATE180: ibdocRotate180Click(); break;
    case IDB_IBDOCRESETZOOM: ibdocResetZoomClick(); break;
    default: break;
  }
}

void TTarnwickForm::Exit1Click() { PostMessageW(handle_, WM_CLOSE, 0, 0); }

void TTarnwickForm::About1Click() {
  if (AboutForm) AboutForm->ShowModal(handle_);
}

void TTarnwickForm::OnLineHelp1Click() {}

void TTarnwickForm::ShowHint(const std::wstring& hint) { SetStatusText(0, hint); }

void TTarnwickForm::FormKeyDown(WORD key) {
  // Shift+Delete is the viewer's cut; it must not delete the page file as well.
  if (key == VK_DELETE && !(GetKeyState(VK_SHIFT) & 0x8000)) Delete1Click();
}

void TTarnwickForm::SplitterMoved() {
  ArrangeThumbnailStrip();
  ArrangeThumbnailStrip();
}

}  // namespace tarnwick
