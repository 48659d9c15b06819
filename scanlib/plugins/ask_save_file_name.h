// The save dialog that names the page file of a file-transfer scan.
#pragma once
#include <windows.h>
#include <commdlg.h>

#include <cstddef>
#include <cstdint>

struct TagState;

constexpr size_t kSaveFileNameSize = 144;  // the dialog's file name and title buffers
constexpr size_t kFileNameTagLength = 128;  // characters the file-name tag holds

// Shows the system's save dialog owned by `owner`, one filter line per format of FILEFORMAT's
// record (`fileFormat`), starting in the folder chosen last time while that folder still exists
// (else in the dialog's own default). On OK copies the chosen path into `fileName`, keeps its
// folder for next time, sets FILEFORMAT's Current to the format of the selected filter line and
// answers non-zero; on cancel, or when the dialog cannot be shown, answers 0. A path too long
// for the file-name tag is refused with a message and the dialog is shown again, so `fileName`
// may be the tag's own buffer (kFileNameTagLength + 1 bytes).
int32_t AskSaveFileName(HWND owner, char* fileName, TagState* fileFormat);

// What the save dialog came to.
enum class SaveDialogResult { Chosen, Cancelled, Failed };
// AskSaveFileName telling a cancel from a dialog that could not be shown.
SaveDialogResult AskSaveFileNameResult(HWND owner, char* fileName, TagState* fileFormat);

// The dialog and the message as AskSaveFileName uses them, so a test can stand in for both.
struct SaveDialogPort {
  BOOL (*show)(OPENFILENAMEA* dialog);
  void (*pathTooLong)(HWND owner, const char* text);
  // After show answered FALSE: 0 when the user cancelled, else why the dialog failed
  // (CommDlgExtendedError). Empty: every FALSE is a cancel.
  DWORD (*dialogError)();
  // Whether a folder exists. Empty: the file system is asked.
  bool (*folderExists)(const char* folder);
};
void SetSaveDialogPort(const SaveDialogPort* port);  // nullptr: the system's

// Where the folder chosen last time is kept: this value under HKCU "Software\Quandrix".
constexpr const char* kDefaultPathValue = "DefaultPath";
