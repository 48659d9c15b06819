#include "form_scan.h"

#include <commdlg.h>

#include <stdexcept>

#include "add_pdf_page.h"
#include "conb_form.h"
#include "dlg_form.h"
#include "failure_text_ids.h"
#include "interface_texts.h"
#include "ks_image_thumbnail.h"
#include "menu_captions.h"
#include "page_file_undo.h"
#include "page_write_error.h"
#include "pdf_dll.h"
#include "resource_texts.h"
#include "save_page_image.h"
#include "scanner_caps.h"
#include "tarnwick_form.h"
#include "tarnwick_ids.h"

namespace tarnwick {

namespace {

constexpr DWORD kSaveQueueWaitMs = 60000;
constexpr int kNoPageTextId = 1371;

std::wstring WideOfUtf8(const std::string& s) { return Wide(Utf8ToUtf16(s)); }
std::string Utf8OfWide(const std::wstring& s) { return Utf16ToUtf8(FromWide(s)); }

PageSettings PageSettingsOf(const TarnwickSettings& s) {
  PageSettings p;
  p.SaveFormat = s.saveFormat;
  p.ImageType = s.imageType;
  p.DontSaveImage = s.dontSaveImage;
  p.ShowUI = s.showUI;
  p.FitToPage = s.fitToPage;
  p.ThumbnailShow = s.thumnailShow;
  p.JpegQuality = s.jpegQualty;
  p.JpegSmooth = s.jpegSmooth;
  return p;
}

}  // namespace

FormScan::FormScan(TTarnwickForm& form)
    : form_(form), commands_(form.settings, form.state, form.scanner.library, *this) {}

void* FormScan::OwnerWindow() { return form_.Handle(); }

void FormScan::ClearFileList() {
  if (form_.FileListBox1) SendMessageW(form_.FileListBox1, LB_RESETCONTENT, 0, 0);
}

void FormScan::EnableThumbnailStrip(bool enabled) {
  if (form_.StripArea.Handle()) EnableWindow(form_.StripArea.Handle(), enabled);
}

void FormScan::ClearThumbnailStrip() {
  documentListed_ = depthRefusalShown_ = false;
  if (TKSImageThumbnail* strip = form_.KSImageThumbnail1.get()) {
    strip->ClearThumbnails();
    strip->ResetPosition();
  }
}

// The main window's query: the settings form's lists and the flags the scan reads. The query
// alone does not count as the settings form having been opened.
void FormScan::QueryScannerCaps() { form_.QueryScannerCaps(); }

int FormScan::PaperListCount() { return static_cast<int>(form_.scannerChoices.papers.size()); }

bool FormScan::AskDocumentName(bool pdf, const std::string& folder, std::string* chosen) {
  wchar_t file[MAX_PATH] = {};
  const std::wstring dir = WideOfUtf8(folder);
  const std::wstring title = TextW(pdf ? 1009 : 1027);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = form_.Handle();
  ofn.lpstrFilter = pdf ? L"PDF File\0*.pdf\0" : L"TIF File\0*.tif\0";
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrInitialDir = dir.c_str();
  ofn.lpstrTitle = title.c_str();
  ofn.lpstrDefExt = pdf ? L"pdf" : L"tif";
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameW(&ofn)) return false;
  *chosen = Utf8OfWide(file);
  return true;
}

ScanClock FormScan::Now() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

int32_t FormScan::Acquire() {
  MainWindowState& state = form_.state;
  if (state.pageCounter == 0) documentListed_ = depthRefusalShown_ = false;
  PageRun run;
  run.Counter = state.pageCounter;
  run.LastFile = state.pageFileName;
  run.Dpi = state.currentDpi;
  run.BatchFolder = state.batchFolder;
  run.OutputDocument = state.outputDocName;
  run.PdfMode = state.pdfMode;
  run.MultipageMode = state.multiTifMode;
  run.DocumentListed = documentListed_;
  run.DepthRefusalShown = depthRefusalShown_;
  failedBefore_ = form_.saveQueue ? form_.saveQueue->FailedCount() : 0;
  PageCallback callback(*this, run, PageSettingsOf(form_.settings));
  int32_t status;
  {
    CurrentPageCallback current(callback);
    status = form_.scanner.library.Acquire(AcquirePageCallback);
  }
  state.pageCounter = run.Counter;
  state.pageFileName = run.LastFile;
  state.currentDpi = run.Dpi;
  documentListed_ = run.DocumentListed;
  depthRefusalShown_ = run.DepthRefusalShown;
  pageWriteFailed_ = run.WriteFailed;
  if (run.WriteFailed) ShowPageWriteFailure(run.DiskFull, run.FailedFile);
  return status;
}

// Told once the scanner has stopped: why the page was not saved, which file, and that the
// pages before it are kept.
void FormScan::ShowPageWriteFailure(bool diskFull, const std::string& file) {
  SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
  const std::wstring text = TextW(diskFull ? kTextDiskFull : kTextPageNotWritten) + L"\n" +
                            WideOfUtf8(file) + L"\n" + TextW(kTextScanStoppedPagesKept);
  MessageBoxW(form_.Handle(), text.c_str(), TTarnwickForm::kTitle, MB_OK | MB_ICONERROR);
}

int FormScan::WaitForPageFiles() {
  if (!form_.saveQueue) return 0;
  HCURSOR previous = SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
  const int waiting = WaitForSaveQueue(*form_.saveQueue, kSaveQueueWaitMs);
  SetCursor(previous);
  return waiting + (form_.saveQueue->FailedCount() - failedBefore_);
}

ContinueChoice FormScan::AskContinue(int32_t pages) {
  TConBForm* dialog = form_.ConBForm.get();
  if (!dialog) return ContinueChoice::Stop;
  dialog->feederAvailable = form_.state.feederAvailable;
  dialog->scanMethodForced = form_.state.scanMethodForced;
  dialog->scanMethodSetting = form_.settings.scanMethod;
  dialog->SetPageInfo(pages);
  dialog->SetCanBtnEnabled(true);
  if (dialog->ShowModal(form_.Handle()) != IDOK) return ContinueChoice::Stop;
  return dialog->ScanMethod() == 0 ? ContinueChoice::Feeder : ContinueChoice::Flatbed;
}

void FormScan::ShowPaperMessage() {
  const std::wstring text = TextW(1031) + L"\n\r" + TextW(1032);
  MessageBoxW(form_.Handle(), text.c_str(), TTarnwickForm::kTitle, MB_OK | MB_ICONINFORMATION);
}

void FormScan::ShowScanError(const std::string& detail) {
  SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
  std::wstring text = TextW(1014);
  if (!detail.empty()) text += L"\n" + WideOfUtf8(detail);
  MessageBoxW(form_.Handle(), text.c_str(), TTarnwickForm::kTitle, MB_OK | MB_ICONERROR);
}

void FormScan::ShowNoPageMessage() {
  SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
  const std::wstring text = TextW(kNoPageTextId);
  MessageBoxW(form_.Handle(), text.c_str(), TTarnwickForm::kTitle, MB_OK | MB_ICONINFORMATION);
}

void FormScan::RemoveEmptyFolder(const std::string& folder) {
  RemoveDirectoryW(WideOfUtf8(folder).c_str());  // refused while anything is in it
}

void FormScan::FinishPdfDocument() {
  int32_t finished;
  {
    TDlgForm note(form_.Handle());
    note.SetText(TextW(1021));
    note.Update();
    finished = _makepdf("c:\\\\df", 1, 1, 1, 0, 0, 0, 0, nullptr);
  }
  if (finished < 0) {
    const std::wstring text = TextW(kTextDocumentNotFinished) + L"\n" +
                              WideOfUtf8(form_.state.outputDocName);
    MessageBoxW(form_.Handle(), text.c_str(), TTarnwickForm::kTitle, MB_OK | MB_ICONERROR);
  }
}

void FormScan::DiscardDocumentTemp(const std::string& target) {
  tarnwick::DiscardDocumentTemp(target);
}

bool FormScan::PutDocumentInPlace(const std::string& target) {
  return tarnwick::PutDocumentInPlace(target);
}

void FormScan::EnableViewCommands(bool enabled) {
  if (enabled) form_.SetToolBarEnabled(true);
  SetMenuCommandEnabled(form_.MainMenu1, IDM_VIEW1, enabled);
  SetMenuCommandEnabled(form_.MainMenu1, IDM_EDIT1, enabled);
  if (form_.Handle()) DrawMenuBar(form_.Handle());
}

DriverWindowSettings FormScan::DriverWindow(int passDpi) {
  return ReadDriverWindowFromRegistry(passDpi);
}

void FormScan::ShowPage(HGLOBAL page) { form_.QmDocumentImage1.ShowScannedDib(page, "x"); }

void FormScan::Zoom(bool fitToPage) {
  if (fitToPage)
    form_.QmDocumentImage1.BestFit();
  else
    form_.QmDocumentImage1.SetScalePercent(100);
  form_.QmDocumentImage1.Invalidate(false);
}

void FormScan::LayOutStrip(bool hideStrip) { form_.SplitPanesForScannedPage(hideStrip); }

void FormScan::AddThumbnail(HGLOBAL page, const std::string& fileName, int pageNo) {
  if (TKSImageThumbnail* strip = form_.KSImageThumbnail1.get()) strip->AddPage(page, fileName, pageNo);
}

void FormScan::AddPdfPage(const std::string& document, int pageNo, HGLOBAL page, int dpi,
                          int imageType) {
  try {
    tarnwick::AddPdfPage(document, pageNo, page, dpi, imageType);
  } catch (const PdfPageError& e) {
    // The writer has taken the page's part back out of the document.
    throw PageWriteError(document, DiskFullFor(document, GetLastError()), e.what());
  }
}

void FormScan::WritePageFile(HGLOBAL page, const PageTarget& target, bool jpeg, int dpi,
                             int jpegQuality) {
  PageFileUndo undo(target.FileName);
  try {
    WritePageImageFile(page, target, jpeg, dpi, jpegQuality);
  } catch (const std::exception& e) {
    const bool diskFull = DiskFullFor(target.FileName, GetLastError());
    undo.Undo();
    throw PageWriteError(target.FileName, diskFull, e.what());
  }
}

void FormScan::QueuePage(const std::string& fileName, HGLOBAL page, int kind, int jpegQuality,
                         int jpegSmooth) {
  if (!form_.saveQueue) {
    FreePageBlock(reinterpret_cast<std::uintptr_t>(page));
    throw std::runtime_error("Could not write " + fileName);
  }
  form_.saveQueue->AddSaveJob(fileName, page, 6, static_cast<uint8_t>(kind), 0, 0, 0, jpegQuality,
                              jpegSmooth, 0);
}

void FormScan::AddToFileList(const std::string& fileName) {
  if (!form_.FileListBox1) return;
  const std::wstring name = WideOfUtf8(fileName);
  SendMessageW(form_.FileListBox1, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

void FormScan::ShowError(const std::string& text) {
  const std::wstring wide = WideOfUtf8(text);
  MessageBoxW(form_.Handle(), wide.c_str(), TTarnwickForm::kTitle, MB_OK | MB_ICONERROR);
}

}  // namespace tarnwick
