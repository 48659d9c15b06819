// FormShow: the window's texts on every show; the settings, the command-line batch and the
// run-time state on the first show only, so that a restore keeps what the operator changed.
#include <windows.h>

#include "main_menu_items.h"
#include "menu_captions.h"
#include "resource_texts.h"
#include "settings_place.h"
#include "standard_form_font.h"
#include "tarnwick_form.h"
#include "win_ini_file.h"

namespace tarnwick {

namespace {
constexpr LCID kJapanese = 1041;
}

void TTarnwickForm::FormShow() {
  if (!shown_ && !commandLinePath.empty()) {
    std::wstring folder = WideOf(ExtractFilePath(Utf8Of(commandLinePath)));
    SetFileListFolder(folder);
    SetStatusText(1, L"");
    int count = static_cast<int>(SendMessageW(FileListBox1, LB_GETCOUNT, 0, 0));
    LoadBatchThumbnails(0, count - 1, Utf8Of(folder));
    state.viewCommands = true;
    if (StripArea.Handle()) EnableWindow(StripArea.Handle(), TRUE);
    if (KSImageThumbnail1->Handle()) EnableWindow(KSImageThumbnail1->Handle(), TRUE);
  }
  if (GetSystemDefaultLCID() == kJapanese) SetFormFontName(L"Terminal");
  SetTexts();
  if (!shown_) {
    WinIniFile ini(settingsFile);
    settings = LoadSettings(ini);
    // The second edition leaves the batch root to the scanner settings form.
    std::wstring root = WideOf(settings.path);
    if (kBuiltEdition == Edition::kFirst && GetFileAttributesW(root.c_str()) == INVALID_FILE_ATTRIBUTES)
      CreateDirectoryW(root.c_str(), nullptr);
    state.ResetRun();
    // A batch opened from the command line has pages to export.
    if (!commandLinePath.empty()) state.batchHasPages = SendMessageW(FileListBox1, LB_GETCOUNT, 0, 0) > 0;
  }
  LoadToolbarImages();
  shown_ = true;
}

void TTarnwickForm::SetTexts() {
  for (int i = 0; i < kMainMenuItemCount; ++i) {
    const MenuItemText& item = kMainMenuItems[i];
    if (item.captionId == 0) continue;
    std::wstring text = TextW(item.captionId);
    if (item.onlyWhenNotEmpty && text.empty()) continue;
    SetMenuCaption(MainMenu1, item.command, text);
  }
  for (int i = 0; i < kPopupMenuItemCount; ++i)
    SetMenuCaption(PopupMenu1, kPopupMenuItems[i].command, TextW(kPopupMenuItems[i].captionId));
  if (handle_) DrawMenuBar(handle_);
}

}  // namespace tarnwick
