// "Import Image" of the strip's pop-up, "Print" and "Save".
#include <windows.h>

#include <stdexcept>

#include "batch_names.h"
#include "export_plan.h"
#include "message_dialogs.h"
#include "page_file_reader.h"
#include "picture_dialog.h"
#include "qm_printer.h"
#include "resource_texts.h"
#include "tarnwick_form.h"
#include "win_ini_file.h"

namespace tarnwick {

void TTarnwickForm::ImportImage1Click() {
  // Without a batch folder the copies would land in the root of the current drive.
  if (state.browseFolder.empty() ||
      GetFileAttributesW(WideOf(state.browseFolder).c_str()) == INVALID_FILE_ATTRIBUTES) {
    ErrorDialog(handle_, 1029);
    return;
  }
  std::vector<std::wstring> chosen = ChoosePictures(handle_);
  if (chosen.empty()) return;
  try {
    // Numbered from the folder as it is now, not from a list read before.
    SetFileListFolder(WideOf(state.browseFolder));
    int count = static_cast<int>(SendMessageW(FileListBox1, LB_GETCOUNT, 0, 0));
    std::vector<std::string> sources;
    for (const std::wstring& file : chosen) sources.push_back(Utf8Of(file));
    for (const ImportCopy& copy : PlanImport(state.browseFolder, count, sources))
      CopyFileW(WideOf(copy.source).c_str(), WideOf(copy.target).c_str(), TRUE);  // never over a file
    SetFileListFolder(WideOf(state.browseFolder));
    count = static_cast<int>(SendMessageW(FileListBox1, LB_GETCOUNT, 0, 0));
    LoadBatchThumbnails(0, count - 1, state.browseFolder);
    state.batchHasPages = count > 0;
  } catch (const std::exception&) {
    ErrorDialog(handle_, 1029);
  }
}

void TTarnwickForm::Print1Click() {
  try {
    qm::TQmPrinter& printer = qm::Printer();
    QmDocumentImage1.PrintImage(0, 0, printer.PageWidth(), printer.PageHeight());
  } catch (const std::exception&) {
    ErrorDialog(handle_, 1028);
  }
}

void TTarnwickForm::Save1Click() {
  const std::string file = state.shownPageFile;
  if (file.empty()) return;
  ShowingErrors(handle_, [&] {
    QmFileInfo info;
    if (!GetFileInfo(file, info) || ReaderForType(info.format) != PageReader::Tiff) return;
    QmDocumentImage1.SaveToTiff(file, 50, qm::TScaleToGray::S_Gray_Anti_16, 4);
  });
}

}  // namespace tarnwick
