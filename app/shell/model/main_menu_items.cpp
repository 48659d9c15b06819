#include "main_menu_items.h"

#include "../tarnwick_ids.h"

namespace tarnwick {

const MenuItemText kMainMenuItems[] = {
    {"File1", IDM_FILE1, 301, false, false},
    {"OpenBatch1", IDM_OPENBATCH1, 302, false, false},
    {"Save1", IDM_SAVE1, 0, false, true},
    {"SaveBatchAs1", IDM_SAVEBATCHAS1, 1018, true, true},
    {"PDFFileFormat1", IDM_PDFFILEFORMAT1, 1019, true, true},
    {"TIFMultiPage1", IDM_TIFMULTIPAGE1, 1020, true, true},
    {"SelectScanner1", IDM_SELECTSCANNER1, 303, false, false},
    {"ScanPage3", IDM_SCANPAGE3, 339, false, true},
    {"ScanPage1", IDM_SCANPAGE1, 304, false, false},
    {"Print1", IDM_PRINT1, 305, false, false},
    {"PrintSetup1", IDM_PRINTSETUP1, 306, false, false},
    {"Exit1", IDM_EXIT1, 307, false, false},
    {"Edit1", IDM_EDIT1, 308, false, false},
    {"Delete1", IDM_DELETE1, 309, false, false},
    {"View1", IDM_VIEW1, 310, false, false},
    {"Rotation1", IDM_ROTATION1, 311, false, false},
    {"N901", IDM_N901, 312, false, false},
    {"N1801", IDM_N1801, 313, false, false},
    {"N2701", IDM_N2701, 314, false, false},
    {"Scaling1", IDM_SCALING1, 315, false, false},
    {"FitWindow1", IDM_FITWINDOW1, 0, false, true},
    {"FittoWidth1", IDM_FITTOWIDTH1, 316, false, false},
    {"N251", IDM_N251, 0, false, false},
    {"N501", IDM_N501, 0, false, false},
    {"N751", IDM_N751, 0, false, false},
    {"N1001", IDM_N1001, 0, false, false},
    {"N2001", IDM_N2001, 0, false, false},
    {"Invert1", IDM_INVERT1, 317, false, false},
    {"Mirror1", IDM_MIRROR1, 318, false, false},
    {"Horizontal1", IDM_HORIZONTAL1, 319, false, false},
    {"Vertical1", IDM_VERTICAL1, 320, false, false},
    {"HorzVert1", IDM_HORZVERT1, 321, false, false},
    {"DesKew1", IDM_DESKEW1, 322, false, true},
    {"Options1", IDM_OPTIONS1, 324, false, false},
    {"ScannerSettings1", IDM_SCANNERSETTINGS1, 325, false, false},
    {"Help1", IDM_HELP1, 326, false, false},
    {"OnLineHelp1", IDM_ONLINEHELP1, 342, false, true},
    {"About1", IDM_ABOUT1, 327, false, false},
};
const int32_t kMainMenuItemCount = sizeof(kMainMenuItems) / sizeof(kMainMenuItems[0]);

const MenuItemText kPopupMenuItems[] = {
    {"ImportImage1", IDM_IMPORTIMAGE1, 1030, false, false},
    {"Delete2", IDM_DELETE2, 9, false, false},
};
const int32_t kPopupMenuItemCount = sizeof(kPopupMenuItems) / sizeof(kPopupMenuItems[0]);

const ToolButtonText kToolButtons[] = {
    {"Scan", IDB_SCAN, 0, 304},
    {"", 0, -1, 0},
    {"Firstpage", IDB_FIRSTPAGE, 24, 335},
    {"Priorpage", IDB_PRIORPAGE, 25, 336},
    {"Nextpage", IDB_NEXTPAGE, 26, 337},
    {"Lastpage", IDB_LASTPAGE, 27, 338},
    {"", 0, -1, 0},
    {"DelToolButton", IDB_DELTOOLBUTTON, 37, 343},
    {"", 0, -1, 0},
    {"ibdocPanZoom", IDB_IBDOCPANZOOM, 9, 328},
    {"ibdocZoomIn", IDB_IBDOCZOOMIN, 12, 330},
    {"ibdocZoomOut", IDB_IBDOCZOOMOUT, 13, 331},
    {"", 0, -1, 0},
    {"ibdocInvert", IDB_IBDOCINVERT, 28, 317},
    {"ibdocRotate90", IDB_IBDOCROTATE90, 6, 332},
    {"ibdocRotate180", IDB_IBDOCROTATE180, 5, 333},
    {"", 0, -1, 0},
    {"ibdocBestFit", IDB_IBDOCBESTFIT, 7, 334},
    {"ibdocResetZoom", IDB_IBDOCRESETZOOM, 8, 329},
};
const int32_t kToolButtonCount = sizeof(kToolButtons) / sizeof(kToolButtons[0]);

}  // namespace tarnwick
