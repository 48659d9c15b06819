#include "file_transfer_setup.h"

#include <cstring>

#include "acquisition_state.h"
#include "ask_save_file_name.h"
#include "driver_flags.h"
#include "library_state.h"
#include "page_file_writer.h"
#include "pavlot.h"
#include "plugin_codes.h"
#include "plugin_host.h"
#include "plugin_list.h"
#include "tag_state.h"
#include "tag_table.h"
#include "tag_types.h"

namespace {

// A name from the save dialog into the file-name tag: 0, the cancel's code, or the failure's
// when the dialog could not be shown (a cancel would hide that the operator was never asked).
int32_t AskForTarget(char* target) {
  char chosen[kSaveFileNameSize] = {};
  switch (AskSaveFileNameResult(gLib.ownerWindow, chosen, &g_tagStates[kRowFileFormat])) {
    case SaveDialogResult::Cancelled: return kZebFileNameCancelled;
    case SaveDialogResult::Failed: return kZebWrongState;
    case SaveDialogResult::Chosen: break;
  }
  const size_t capacity = static_cast<size_t>(TagTypeSize(kTagTable[kRowFileName].Type));
  std::strncpy(target, chosen, capacity - 1);
  target[capacity - 1] = '\0';
  return kZebOk;
}

}  // namespace

int32_t PrepareFileTransfer() {
  char* target = CurrentText(kRowFileName);
  if (target == nullptr) return kZebNotBound;
  if (target[0] == '\0') {
    const int32_t asked = AskForTarget(target);
    if (asked != kZebOk) return asked;
  }
  int32_t formatCount = -1;
  if (ChoosePluginForPageFile(target, &formatCount)) {
    // A plug-in writing one format per file cannot hold several pages, whichever way it became
    // current.
    if (formatCount < 0 && CurrentPlugin() != nullptr)
      formatCount = static_cast<int32_t>(FileFormatsOf(*CurrentPlugin()).size());
    if (formatCount == 1) SetCurrentInt(kRowMultiPage, 0);
    DriverDelivers = 0;
  }
  SetPageFileOps(PageFileOps{ZebFileCreate, ZebFileSave, ZebFileClose});
  // Numbering must not push a page file's name past the name buffer.
  return PageFileNamesFit() ? kZebOk : kZebValueRefused;
}
