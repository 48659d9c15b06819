#include "dialog_template_choice.h"

namespace {

struct TemplateNames {
  const char* large;
  const char* small;
  const char* smallTallText;
};

TemplateNames NamesOf(LibraryDialog dialog) {
  switch (dialog) {
    case LibraryDialog::kArea:
      return {"AREA_1024_768", "AREA_800_600", "AREA_800_600_SPECIAL"};
    case LibraryDialog::kMore:
      return {"MORE_1024_768", "MORE_800_600", "MORE_800_600_SPECIAL"};
    case LibraryDialog::kSettings:
    default:
      return {"MAINDIALOG_1024_768", "MAINDIALOG_800_600", "MAINDIALOG_800_600_SPECIAL"};
  }
}

}  // namespace

TemplateChoice ChooseDialogTemplate(LibraryDialog dialog, int screenWidth, int digitizedY,
                                    int textHeight) {
  const TemplateNames names = NamesOf(dialog);
  if (screenWidth >= 1024) return {names.large};
  if (digitizedY > 120) return {nullptr};
  return {textHeight > 16 ? names.smallTallText : names.small};
}
