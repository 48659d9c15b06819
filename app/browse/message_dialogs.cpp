#include "message_dialogs.h"

#include "resource_texts.h"
#include "tarnwick_form.h"

namespace tarnwick {

void ErrorDialog(HWND owner, int textId) {
  MessageBoxW(owner, TextW(textId).c_str(), TTarnwickForm::kTitle, MB_OK | MB_ICONERROR);
}

void InformationDialog(HWND owner, int textId) {
  MessageBoxW(owner, TextW(textId).c_str(), TTarnwickForm::kTitle, MB_OK | MB_ICONINFORMATION);
}

void MessageText(HWND owner, const std::wstring& text) {
  MessageBoxW(owner, text.c_str(), TTarnwickForm::kTitle, MB_OK);
}

bool ConfirmDialog(HWND owner, int textId) {
  return MessageBoxW(owner, TextW(textId).c_str(), TTarnwickForm::kTitle,
                     MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace tarnwick
