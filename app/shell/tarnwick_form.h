// TTarnwickForm: the program's main window: menus, toolbar, status bar, the thumbnail strip's
// area, the splitter and Panel1 with the document viewer, the settings that the window reads
// when it is first shown and writes when it closes, and a handler for every command.
//
// The handlers are methods of this class. Those that only open another window or end the
// program live in tarnwick_form_commands.cpp; those of the scan, page, export and strip
// commands start as stubs in tarnwick_form_pending.cpp and move to files of their own.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>

#include "child_pane.h"
#include "main_window_state.h"
#include "ks_image_thumbnail.h"
#include "qm_document_image.h"
#include "qm_save_image_thrd.h"
#include "scan_error_box.h"
#include "scanner_choices.h"
#include "shell_layout.h"
#include "tarnwick_settings.h"

namespace tarnwick {

class TSplitter;
class TOpenForm;
class TConBForm;
class TAboutForm;
class TScanForm;
class TKSImageThumbnail;
class FormScan;

class TTarnwickForm {
 public:
  static constexpr const wchar_t* kClassName = L"TTarnwickForm";
  static constexpr const wchar_t* kTitle = L"Folvex";

  TTarnwickForm();
  ~TTarnwickForm();
  TTarnwickForm(const TTarnwickForm&) = delete;
  TTarnwickForm& operator=(const TTarnwickForm&) = delete;

  // Makes the window (FormCreate runs inside); the command line's first argument, if any.
  bool Create(const std::wstring& firstArgument);
  // Shows the window maximised; FormShow runs first, and again after each restore from
  // minimised.
  void ShowMaximized();
  HWND Handle() const { return handle_; }
  // The message loop's key preview: answers true when the message was taken.
  bool PreviewKey(const MSG& msg);

  // Events of the window.
  void FormCreate();
  void FormShow();
  void FormClose();
  void FormKeyDown(WORD key);
  void ShowHint(const std::wstring& hint);
  void SplitterMoved();

  // File menu.
  void OpenBatch1Click();
  void Save1Click();
  void PDFFileFormat1Click();
  void TIFMultiPage1Click();
  void SelectScanner1Click();
  void Normal1Click();  // ScanPage1, ScanPage3 and the Scan button
  void Print1Click();
  void PrintSetup1Click();
  void Exit1Click();
  // Edit menu, the strip's pop-up and the toolbar's delete button.
  void Delete1Click();
  void ImportImage1Click();
  // View menu.
  void N901Click();
  void N1801Click();
  void N2701Click();
  void Scaling1Click(int command);  // FitWindow1, N251 .. N2001
  void ibdocBestFitClick();         // also FittoWidth1
  void Invert1Click();
  void Mirror1Click(int command);   // Horizontal1, Vertical1, HorzVert1
  void DesKew1Click();
  // Options and Help.
  void ScannerSettings1Click();
  void OnLineHelp1Click();
  void About1Click();
  // Toolbar.
  void FirstpageClick();
  void PriorpageClick();
  void NextpageClick();
  void LastpageClick();
  void ibdocPanZoomClick();
  void ibdocZoomInClick();
  void ibdocZoomOutClick();
  void ibdocInvertClick();
  void ibdocRotate90Click();
  void ibdocRotate180Click();
  void ibdocResetZoomClick();
  // Called by the scan entry points; bound to no component.
  void Scan1Click();
  void SaveAsPDFFile1Click();
  void SaveAsMultiTIF1Click();
  // A scan run is going on: the window refuses to close.
  bool ScanRunning() const;
  // The thumbnail strip: placed on the window at creation (fills the area left of the
  // splitter), re-arranged after the splitter or the strip moved, and filled from a folder.
  void PlaceThumbnailStrip();
  void ArrangeThumbnailStrip();
  void LoadBatchThumbnails(int first, int last, const std::string& folder);
  // Page browsing: the strip's events and the page shown from the file list.
  void KSImageThumbnail1GetImageHandle(const std::string& file, HGLOBAL& dib);
  void KSImageThumbnail1ThumbClick(int index, const std::string& file, int pageNo);
  void ShowBatchPage(int kind);  // 0 prior, 1 next, 2 first, 3 last
  void RenumberBatchFiles();
  // Batch export.
  void ExportBatchToMultiTiff();
  void ExportBatchToPdf();
  // The scanner settings form's slot, made at program start after the about box.
  void CreateScanForm();
  // The capability query while the scan library is bound: the scanner settings form's lists,
  // the capability flags and maximum area in `state`; false when it could not run (the scan
  // error has been shown).
  bool QueryScannerCaps();

  // Components and state the commands use.
  TarnwickSettings settings;   // the current settings
  MainWindowState state;
  TChildPane Panel1;
  qm::QmDocumentImage QmDocumentImage1;
  TChildPane StripArea;        // where the thumbnail strip sits
  std::unique_ptr<TKSImageThumbnail> KSImageThumbnail1;  // fills StripArea
  HWND ImageToolBar = nullptr;
  HWND StatusBar1 = nullptr;
  HWND FileListBox1 = nullptr; // hidden, sorted: the files of the browse folder
  HMENU MainMenu1 = nullptr;
  HMENU PopupMenu1 = nullptr;
  std::unique_ptr<qm::QmSaveImageThrd> saveQueue;
  HGLOBAL pendingPage = nullptr;  // a page block the page callback still holds
  OSVERSIONINFOW osVersion{};
  std::wstring userName;          // read off the NT family only
  std::wstring settingsFile;      // where the settings file lives
  std::wstring programIniFile;    // the INI named after the program
  std::wstring commandLinePath;   // the first argument, made absolute before anything moves
  std::unique_ptr<TOpenForm> OpenForm;
  std::unique_ptr<TConBForm> ConBForm;
  std::unique_ptr<TAboutForm> AboutForm;
  std::unique_ptr<TScanForm> ScanForm;
  // The scan library binding every scanner command shares (app/scanner), and the lists and
  // flags of the last capability query.
  AppScanLibrary scanner;
  ScannerChoices scannerChoices = DesignScannerChoices();

  // Status bar panel texts.
  void SetStatusText(int panel, const std::wstring& text);
  // The toolbar's buttons all at once (disabled at start).
  void SetToolBarEnabled(bool enabled);
  // Points the hidden file list at a folder (its files in name order).
  void SetFileListFolder(const std::wstring& folder);
  void ArrangePanes();
  // A scanned page shown: the strip hidden or shown and the panes split for it.
  void SplitPanesForScannedPage(bool hideStrip);

 private:
  FormScan& Scan();
  std::shared_ptr<FormScan> scan_;  // the scan commands, made at the first use
  static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  void CreateBars();
  void LoadToolbarImages();
  void SetTexts();
  void RunCommand(int command);
  std::wstring HintOf(int command) const;
  void GiveProgramFolderNullAcl();
  void CheckSettingsOwner();

  HWND handle_ = nullptr;
  HIMAGELIST ImageList1 = nullptr;
  std::unique_ptr<TSplitter> splitter_;
  ShellLayout layout_;
  bool shown_ = false;        // the first show has read the settings
  bool minimized_ = false;
};

}  // namespace tarnwick
