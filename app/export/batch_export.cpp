// "Save Batch As": every page of the batch, in name order, into one multipage TIFF file or
// one PDF document. The document is made beside the chosen file and replaces it only when it
// is complete, so a second export to the same name gives the same document, not one of twice
// the pages, and a failed one leaves the earlier file as it was.
#include <windows.h>

#include <commdlg.h>

#include <memory>
#include <stdexcept>

#include "add_pdf_page.h"
#include "dlg_form.h"
#include "failure_text_ids.h"
#include "export_plan.h"
#include "ltfil12.h"
#include "ltkrn12.h"
#include "message_dialogs.h"
#include "page_depth.h"
#include "page_depth_block.h"
#include "page_file_reader.h"
#include "pdf_dll.h"
#include "resource_texts.h"
#include "status_progress.h"
#include "tarnwick_form.h"
#include "win_ini_file.h"

namespace tarnwick {

namespace {

constexpr int32_t kMultiPageQuality = 5;
constexpr uint32_t kFirstPageFlags = 2;  // a new file
constexpr uint32_t kNextPageFlags = 6;   // added to the file

// The save dialog; the chosen name, or empty when it was cancelled.
std::wstring ChooseDocument(HWND owner, const wchar_t* filter, int titleId,
                            const std::wstring& folder) {
  wchar_t name[MAX_PATH] = {};
  std::wstring title = TextW(titleId);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = name;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrTitle = title.c_str();
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
  return GetSaveFileNameW(&dialog) ? std::wstring(name) : std::wstring();
}

// The files of the browse folder with their types, as the file-information routine gives them.
std::vector<BatchFile> BatchFiles(HWND list, const std::string& folder) {
  std::vector<BatchFile> files;
  for (const std::string& name : FileListEntries(list)) {
    QmFileInfo info;
    bool known = false;
    try {
      known = GetFileInfo(JoinPath(folder, name), info);
    } catch (const std::exception&) {
    }
    files.push_back({name, known ? info.format : std::string()});
  }
  return files;
}

// The page at a depth the PDF writer takes, as a scanned page would reach it (an imported
// 32-bit BMP, a 16-bit page): the block itself, or its converted copy with the block freed; 0
// when it cannot be converted.
HGLOBAL PdfDepthPage(HGLOBAL page) {
  if (!page) return nullptr;
  const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(page));
  const int bits = header && GlobalSize(page) >= sizeof(BITMAPINFOHEADER) ? header->biBitCount : -1;
  if (header) GlobalUnlock(page);
  if (DepthStepFor(kBuiltEdition, SaveBranch::PdfPage, bits) == DepthStep::AsIs) return page;
  const HGLOBAL converted = ConvertedPageBlock(page);
  GlobalFree(page);
  return converted;
}

// The end of an export: done only when every page is in the document; otherwise the failure,
// and the files that are not in the document, one a line.
void ReportExport(HWND owner, bool written, const std::vector<std::string>& missing, int doneId,
                  int failedId) {
  if (written && missing.empty()) return InformationDialog(owner, doneId);
  std::wstring text = TextW(failedId);
  if (!missing.empty()) {
    text += L"\n" + TextW(kTextPagesNotInDocument);
    for (const std::string& page : missing) text += L"\n" + WideOf(NameOf(page));
  }
  MessageBoxW(owner, text.c_str(), TTarnwickForm::kTitle, MB_OK | MB_ICONERROR);
}

void ReplaceTarget(const ExportPlan& plan) {
  if (!MoveFileExW(WideOf(plan.temporary).c_str(), WideOf(plan.target).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
    throw std::runtime_error("the document could not be put in place");
}

}  // namespace

void TTarnwickForm::TIFMultiPage1Click() {
  if (!state.batchHasPages) return;
  std::wstring chosen = ChooseDocument(handle_, L"Tif Document\0*.tif\0", 1027, std::wstring());
  if (chosen.empty()) return;
  state.outputDocName = ExportDocumentName(Utf8Of(chosen), ".tif");
  ExportBatchToMultiTiff();
}

void TTarnwickForm::ExportBatchToMultiTiff() {
  ExportPlan plan;
  bool written = false;
  std::vector<std::string> missing;
  {
    TDlgForm note(handle_);
    note.SetText(TextW(1022));
    note.Update();
    SetFileListFolder(WideOf(state.browseFolder));
    std::vector<BatchFile> files = BatchFiles(FileListBox1, state.browseFolder);
    StatusProgress progress(StatusBar1, static_cast<int>(files.size()));
    plan = PlanBatchExport(state.browseFolder, files, state.outputDocName);
    DeleteFileW(WideOf(plan.temporary).c_str());
    try {
      int pages = 0;
      for (const std::string& page : plan.pages) {
        LtBitmapHandle bitmap{};
        int32_t loaded = L_LoadBitmap(page.c_str(), &bitmap, 0, 1, nullptr, nullptr);
        if (loaded != kLtSuccess) {
          L_FreeBitmap(&bitmap);
          missing.push_back(page);  // the others still go in; the end says which did not
          progress.Step();
          continue;
        }
        int32_t saved = L_SaveFile(plan.temporary.c_str(), &bitmap, kLtFileTiff, 0,
                                   kMultiPageQuality, pages == 0 ? kFirstPageFlags : kNextPageFlags,
                                   nullptr, nullptr, nullptr);
        L_FreeBitmap(&bitmap);
        if (saved != kLtSuccess) throw std::runtime_error("a page could not be written: " + page);
        ++pages;
        progress.Step();
      }
      if (pages == 0) throw std::runtime_error("the batch holds no page");
      ReplaceTarget(plan);
      written = true;
    } catch (const std::exception&) {
      DeleteFileW(WideOf(plan.temporary).c_str());
    }
  }
  ReportExport(handle_, written, missing, 1025, 1026);
}

void TTarnwickForm::PDFFileFormat1Click() {
  if (!state.batchHasPages) {
    InformationDialog(handle_, 1024);
    return;
  }
  std::wstring chosen = ChooseDocument(handle_, L"PDF File\0*.pdf\0", 1009, WideOf(settings.path));
  if (chosen.empty()) return;
  state.outputDocName = ExportDocumentName(Utf8Of(chosen), ".pdf");
  // The scan loop reads the PDF mode; an export only borrows it.
  const bool pdfMode = state.pdfMode;
  state.pdfMode = true;
  ExportBatchToPdf();
  state.pdfMode = pdfMode;
}

void TTarnwickForm::ExportBatchToPdf() {
  bool written = false;
  std::vector<std::string> missing;
  {
    TDlgForm note(handle_);
    note.SetText(TextW(1021));
    note.Update();
    SetFileListFolder(WideOf(state.browseFolder));
    std::vector<BatchFile> files = BatchFiles(FileListBox1, state.browseFolder);
    StatusProgress progress(StatusBar1, static_cast<int>(files.size()));
    ExportPlan plan = PlanBatchExport(state.browseFolder, files, state.outputDocName);
    const std::wstring temporary = WideOf(plan.temporary);
    DeleteFileW(temporary.c_str());
    try {
      int pageNo = 0;
      for (const std::string& page : plan.pages) {
        QmFileInfo info;
        HGLOBAL dib = nullptr;
        try {
          dib = PdfDepthPage(ReadPageFile(page, info));
        } catch (const std::exception&) {
        }
        if (PageBlockSize(dib) == 0) {
          if (dib) GlobalFree(dib);
          missing.push_back(page);
          progress.Step();
          continue;
        }
        AddPdfPage(plan.temporary, ++pageNo, dib, 0, 0);  // takes the block over
        progress.Step();
      }
      if (pageNo == 0) throw std::runtime_error("the batch holds no page");
      if (_pdfEndFile() != kPdfOk || GetFileAttributesW(temporary.c_str()) == INVALID_FILE_ATTRIBUTES)
        throw std::runtime_error("the document was not finished");
      ReplaceTarget(plan);
      written = true;
    } catch (const std::exception&) {
      _pdfEndFile();  // a document left open would take the next scan's pages
      DeleteFileW(temporary.c_str());
    }
  }
  ReportExport(handle_, written, missing, 1023, 1024);
}

}  // namespace tarnwick
