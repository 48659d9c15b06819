#include "ask_save_file_name.h"

#include <cstring>
#include <string>
#include <vector>

#include "debug_log.h"
#include "localisation.h"
#include "save_filter.h"
#include "settings_store.h"
#include "tag_state.h"
#include "tag_types.h"

namespace {

BOOL ShowSystemDialog(OPENFILENAMEA* dialog) { return GetSaveFileNameA(dialog); }

void ShowPathTooLong(HWND owner, const char* text) {
  MessageBoxA(owner, text, "Pavlot", MB_OK | MB_ICONWARNING);
}

DWORD SystemDialogError() { return CommDlgExtendedError(); }

bool SystemFolderExists(const char* folder) {
  const DWORD attributes = GetFileAttributesA(folder);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

const SaveDialogPort kSystemPort = {ShowSystemDialog, ShowPathTooLong, SystemDialogError,
                                    SystemFolderExists};
const SaveDialogPort* g_port = &kSystemPort;

int FileFormatType() { return kTagTable[kRowFileFormat].Type; }

std::vector<int32_t> FormatChoices(const TagState* record) {
  std::vector<int32_t> formats;
  if (!record || record->Count <= 0 || !record->Choices) return formats;
  const int size = TagTypeSize(FileFormatType());
  const char* items = static_cast<const char*>(record->Choices);
  for (int32_t i = 0; i < record->Count; ++i) formats.push_back(ReadNumber(FileFormatType(), items + i * size));
  return formats;
}

std::string TooLongText() {
  char file[144] = {};
  ReadSetting(kGeneralKey, "LOCALIZE", file, kSettingString, sizeof file);
  char section[8] = {};
  GetLanguageCode(section);
  return LocalText(file[0] ? file : kLocalisationFile, section, "FileNameTooLong",
                   "The path is too long for a page file name (at most 128 characters). "
                   "Choose a shorter folder or name.");
}

}  // namespace

void SetSaveDialogPort(const SaveDialogPort* port) { g_port = port ? port : &kSystemPort; }

int32_t AskSaveFileName(HWND owner, char* fileName, TagState* fileFormat) {
  return AskSaveFileNameResult(owner, fileName, fileFormat) == SaveDialogResult::Chosen ? 1 : 0;
}

SaveDialogResult AskSaveFileNameResult(HWND owner, char* fileName, TagState* fileFormat) {
  LogIn("AskSaveFileName");
  char initialFolder[kSaveFileNameSize] = {};
  ReadSetting(kGeneralKey, kDefaultPathValue, initialFolder, kSettingString, sizeof initialFolder);
  // A folder that has gone since (a removed stick, a deleted batch) would keep the dialog from
  // opening at all; the dialog's own default serves then.
  bool (*exists)(const char*) = g_port->folderExists ? g_port->folderExists : SystemFolderExists;
  if (initialFolder[0] && !exists(initialFolder)) initialFolder[0] = '\0';
  const int32_t current = fileFormat ? RawToInt(FileFormatType(), static_cast<uint32_t>(fileFormat->Current)) : 0;
  const SaveFilter filter = BuildSaveFilter(FormatChoices(fileFormat), current);

  char path[kSaveFileNameSize] = {};
  char title[kSaveFileNameSize] = {};
  OPENFILENAMEA dialog;
  for (;;) {
    std::memset(path, 0, sizeof path);
    std::memset(title, 0, sizeof title);
    std::memset(&dialog, 0, sizeof dialog);
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrFileTitle = title;
    dialog.nMaxFileTitle = sizeof title;
    dialog.lpstrInitialDir = initialFolder[0] ? initialFolder : nullptr;
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_SHOWHELP;
    dialog.lpstrDefExt = filter.defaultExtension.c_str();
    if (!g_port->show(&dialog)) {
      const DWORD error = g_port->dialogError ? g_port->dialogError() : 0;
      if (error != 0 && initialFolder[0]) {
        // Shown again without the folder: it may have gone between the test and the dialog.
        LogDetail("AskSaveFileName", "dialog error ", static_cast<int32_t>(error));
        initialFolder[0] = '\0';
        continue;
      }
      LogOut("AskSaveFileName", error != 0 ? -1 : 0);
      return error != 0 ? SaveDialogResult::Failed : SaveDialogResult::Cancelled;
    }
    path[sizeof path - 1] = '\0';
    if (std::strlen(path) <= kFileNameTagLength) break;
    // Cutting the path would write the pages somewhere the user did not choose.
    g_port->pathTooLong(owner, TooLongText().c_str());
  }

  if (fileName) lstrcpynA(fileName, path, static_cast<int>(kFileNameTagLength + 1));
  const char* lastSlash = std::strrchr(path, '\\');
  if (lastSlash) WriteSettingString(kGeneralKey, kDefaultPathValue, std::string(path, static_cast<size_t>(lastSlash + 1 - path)).c_str());
  if (fileFormat) fileFormat->Current = IntToRaw(FileFormatType(), FormatOfFilterLine(filter, dialog.nFilterIndex));
  LogOut("AskSaveFileName", 1);
  return SaveDialogResult::Chosen;
}
