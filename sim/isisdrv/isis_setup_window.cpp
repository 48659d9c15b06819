#include "isis_setup_window.h"

#include <string>

#include "isis_setup_ids.h"

namespace {

struct SetupTexts {
  std::string caption, model, offer;
};

std::string OfferText(const IsisSettings& s) {
  std::string text = "Resolutions: ";
  if (s.resolutions.empty()) {
    text += std::to_string(s.resolutionMin) + " to " + std::to_string(s.resolutionMax) + " dpi";
    if (s.resolutionStep > 1) text += " by " + std::to_string(s.resolutionStep);
  } else {
    for (size_t i = 0; i < s.resolutions.size(); ++i)
      text += (i ? ", " : "") + std::to_string(s.resolutions[i]);
    text += " dpi";
  }
  text += "\r\nPage sizes: ";
  for (size_t i = 0; i < s.pageSizes.size(); ++i)
    text += (i ? ", " : "") + std::string(zebsim::PaperSizeOf(s.pageSizes[i]).name);
  text += s.duplex ? "\r\nSides: one or both" : "\r\nSides: one";
  return text;
}

INT_PTR CALLBACK SetupDlg(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_INITDIALOG) {
    const auto* texts = reinterpret_cast<const SetupTexts*>(lp);
    SetWindowTextA(dlg, texts->caption.c_str());
    SetDlgItemTextA(dlg, IDC_ISIS_SETUP_MODEL, texts->model.c_str());
    SetDlgItemTextA(dlg, IDC_ISIS_SETUP_OFFER, texts->offer.c_str());
    return TRUE;
  }
  if (msg == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
    EndDialog(dlg, LOWORD(wp));
    return TRUE;
  }
  return FALSE;
}

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&SetupDlg), &module);
  return module;
}

}  // namespace

bool ShowIsisSetupWindow(HWND parent, int model, const IsisSettings& settings) {
  const IsisModel& m = kIsisModels[model];
  SetupTexts texts{std::string(m.name) + " Setup",
                   std::string("Model ") + m.name + ", driver " + m.driver + " " + m.version,
                   OfferText(settings)};
  return DialogBoxParamA(ThisModule(), "ISISSETUP", parent, SetupDlg,
                         reinterpret_cast<LPARAM>(&texts)) == IDOK;
}
