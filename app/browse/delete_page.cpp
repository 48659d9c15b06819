// Deleting the page shown and renumbering the batch's files so that no number is missing.
#include <windows.h>

#include <chrono>
#include <stdexcept>

#include "batch_names.h"
#include "message_dialogs.h"
#include "page_file_reader.h"
#include "renumber_plan.h"
#include "resource_texts.h"
#include "tarnwick_form.h"
#include "win_ini_file.h"

namespace tarnwick {

namespace {

class FolderFileOps : public BatchFileOps {
 public:
  explicit FolderFileOps(const std::string& folder) : folder_(folder) {}
  bool Rename(const std::string& from, const std::string& to) override {
    return MoveFileW(Path(from).c_str(), Path(to).c_str()) != 0;
  }
  bool Delete(const std::string& name) override { return DeleteFileW(Path(name).c_str()) != 0; }

 private:
  std::wstring Path(const std::string& name) const { return WideOf(JoinPath(folder_, name)); }
  std::string folder_;
};

// Pages the save queue still writes would land in the folder between the renames.
constexpr std::chrono::seconds kQueueWait{60};

}  // namespace

void TTarnwickForm::RenumberBatchFiles() {
  if (saveQueue && !saveQueue->WaitIdle(kQueueWait))
    throw std::runtime_error("the save queue is still writing into the batch");
  SetFileListFolder(WideOf(state.browseFolder));
  FolderFileOps ops(state.browseFolder);
  if (!RunRenamePlan(PlanRenumber(FileListEntries(FileListBox1)), ops))
    throw std::runtime_error("a page file of the batch could not be renamed");
}

void TTarnwickForm::Delete1Click() {
  // Only the page the viewer shows from this batch, and only while it shows it.
  const std::string file = state.shownPageFile;
  if (file.empty() || !QmDocumentImage1.HasImage() ||
      !SameName(QmDocumentImage1.Document().FileName(), file))
    return;
  if (!ConfirmDialog(handle_, 1003)) return;
  QmDocumentImage1.ClearImage();
  state.shownPageFile.clear();
  bool failed = false;
  try {
    if (saveQueue && !saveQueue->WaitIdle(kQueueWait))
      throw std::runtime_error("the save queue is still writing into the batch");
    if (!DeleteFileW(WideOf(file).c_str())) throw std::runtime_error("the page file stays");
    RenumberBatchFiles();
  } catch (const std::exception&) {
    failed = true;
  }
  // The strip shows the folder as it is now, whatever the delete got to.
  SetFileListFolder(WideOf(state.browseFolder));
  int count = static_cast<int>(SendMessageW(FileListBox1, LB_GETCOUNT, 0, 0));
  LoadBatchThumbnails(0, count - 1, state.browseFolder);
  if (SendMessageW(FileListBox1, LB_GETCOUNT, 0, 0) == 0) state.batchHasPages = false;
  if (failed) MessageText(handle_, TextW(1004));
}

}  // namespace tarnwick
