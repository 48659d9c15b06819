#include "scan_form.h"

#include <commctrl.h>
#include <shlobj.h>

#include "resource_texts.h"
#include "scan_form_ids.h"

namespace tarnwick {

namespace {

constexpr const wchar_t* kTitle = L"Folvex";

// Controls captioned from the string table on every show.
struct Caption {
  int control, text;
};
constexpr Caption kCaptions[] = {
    {IDC_GROUPBOX1, 502},        {IDC_LABEL2, 503},          {IDC_LABEL3, 505},
    {IDC_LABEL4, 506},           {IDC_DUPLEXCHECKBOX, 510},  {IDC_UICHECKBOX, 511},
    {IDC_INVERTCK, 317},         {IDC_LABEL5, 512},          {IDC_LABEL6, 513},
    {IDC_LABEL11, 520},          {IDC_LABEL15, 514},         {IDC_BROWDIRBTN, 515},
    {IDC_LABEL7, 516},           {IDC_FITPAGECHECKBOX, 334}, {IDC_DONTSAVECHECKBOX, 345},
    {IDC_SHOWTHUMCHECKBOX, 341}, {IDC_AUTOCROPCHECKBOX, 1036}, {IDC_FUNCCHECKBOX, 1033},
    {IDC_FUNCRAIDOBOX, 1035},    {IDOK, 1},                  {IDCANCEL, 2},
    {IDC_APPLYBTN, 6},           {IDC_DEFAULTBTN, 7},        {IDC_SCANMETHODRADIOGROUP, 5},
    {IDC_SCANMETHOD_FEEDER, 3},  {IDC_SCANMETHOD_FLATBED, 4},
};

std::wstring WideAscii(const std::string& text) { return std::wstring(text.begin(), text.end()); }

void FillCombo(HWND combo, const std::vector<std::wstring>& items) {
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const std::wstring& item : items)
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

int ComboSelection(HWND combo) {
  return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
}

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(length + 1, L'\0');
  GetWindowTextW(window, text.data(), length + 1);
  text.resize(length);
  return text;
}

void Show(HWND window, bool visible) { ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE); }

// The track bar's thumb, shown or hidden as its slider.
void ShowSlider(HWND trackBar, bool shown) {
  LONG_PTR style = GetWindowLongPtrW(trackBar, GWL_STYLE);
  const LONG_PTR wanted = shown ? style & ~static_cast<LONG_PTR>(TBS_NOTHUMB) : style | TBS_NOTHUMB;
  if (wanted != style) {
    SetWindowLongPtrW(trackBar, GWL_STYLE, wanted);
    InvalidateRect(trackBar, nullptr, TRUE);
  }
}

bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// The folder browser opens on the current batch root, asked for as soon as it is initialised.
int CALLBACK BrowseStart(HWND browser, UINT msg, LPARAM, LPARAM start) {
  if (msg == BFFM_INITIALIZED) SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, start);
  return 0;
}

}  // namespace

TScanForm::TScanForm(const ScannerChoices& choices, TarnwickSettings& settings,
                     const std::wstring& settingsFile, const std::wstring& programIni)
    : model(choices, settings, settingsFile_, programIni_),
      settingsFile_(settingsFile),
      programIni_(programIni) {}

int TScanForm::TemplateId() const { return IDD_SCANFORM; }

void TScanForm::SetCaptions() {
  SetWindowTextW(Handle(), TextW(501).c_str());
  for (const Caption& c : kCaptions) SetItemText(c.control, TextW(c.text).c_str());
  for (int i = 0; i < kPresetCount; ++i)
    SetItemText(IDC_FUNC_ITEM0 + i, (TextW(1034) + std::to_wstring(i + 1)).c_str());
}

void TScanForm::FillLists() {
  const ScanFormControls& c = model.controls;
  std::vector<std::wstring> items;
  for (const ScanChoice& p : c.papers) items.push_back(WideAscii(p.text));
  FillCombo(Item(IDC_PAPERSIZECOMBOBOX), items);
  items.clear();
  for (const ScanChoice& r : c.resolutions) items.push_back(WideAscii(r.text));
  FillCombo(Item(IDC_XANDYRESOLUTION), items);
  FillCombo(Item(IDC_SCANCOLORRESOLUTIONCOMBO), {TextW(507), TextW(508), TextW(509)});
  items.clear();
  for (int id : c.filterTextIds) items.push_back(TextW(id));
  FillCombo(Item(IDC_COLORFILTERCOMBX), items);
  items.clear();
  for (const char* f : kSaveFormatItems) items.push_back(WideAscii(f));
  FillCombo(Item(IDC_SAVEFMTCOMBX), items);
}

void TScanForm::FormShow() {
  TFormWindow::FormShow();
  for (int id : {IDC_BRIGHTTRACKBAR, IDC_CONTRASTTRACKBAR})
    SendMessageW(Item(id), TBM_SETRANGE, TRUE, MAKELPARAM(kTrackMin, kTrackMax));
  SetCaptions();
  model.FormShow();
  FillLists();
  Push();
}

void TScanForm::Push() {
  const ScanFormControls& c = model.controls;
  HWND dialog = Handle();
  pushing_ = true;
  SendMessageW(Item(IDC_PAPERSIZECOMBOBOX), CB_SETCURSEL, c.paper, 0);
  SendMessageW(Item(IDC_XANDYRESOLUTION), CB_SETCURSEL, c.resolution, 0);
  SendMessageW(Item(IDC_SCANCOLORRESOLUTIONCOMBO), CB_SETCURSEL, c.imageType, 0);
  SendMessageW(Item(IDC_COLORFILTERCOMBX), CB_SETCURSEL, c.filter, 0);
  SendMessageW(Item(IDC_SAVEFMTCOMBX), CB_SETCURSEL, c.saveFormat, 0);
  for (int id : {IDC_PAPERSIZECOMBOBOX, IDC_XANDYRESOLUTION, IDC_SCANCOLORRESOLUTIONCOMBO})
    EnableWindow(Item(id), c.listsEnabled);
  EnableWindow(Item(IDC_COLORFILTERCOMBX), c.filterEnabled);

  for (int id : {IDC_SCANMETHODRADIOGROUP, IDC_SCANMETHOD_FEEDER, IDC_SCANMETHOD_FLATBED})
    EnableWindow(Item(id), c.scanMethodEnabled);
  CheckDlgButton(dialog, IDC_SCANMETHOD_FEEDER, c.scanMethod == 0 ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_SCANMETHOD_FLATBED, c.scanMethod == 1 ? BST_CHECKED : BST_UNCHECKED);

  const struct {
    int id;
    bool checked;
  } boxes[] = {{IDC_DUPLEXCHECKBOX, c.duplex},     {IDC_UICHECKBOX, c.showUI},
               {IDC_INVERTCK, c.invert},           {IDC_AUTOCROPCHECKBOX, c.autoCrop},
               {IDC_FITPAGECHECKBOX, c.fitPage},   {IDC_DONTSAVECHECKBOX, c.dontSave},
               {IDC_SHOWTHUMCHECKBOX, c.thumbnails}, {IDC_FUNCCHECKBOX, c.presets}};
  for (const auto& b : boxes) CheckDlgButton(dialog, b.id, b.checked ? BST_CHECKED : BST_UNCHECKED);
  EnableWindow(Item(IDC_DUPLEXCHECKBOX), c.duplexEnabled);
  EnableWindow(Item(IDC_INVERTCK), c.invertEnabled);

  const struct {
    int bar, label, position;
  } bars[] = {{IDC_BRIGHTTRACKBAR, IDC_BRIGHTLABEL, c.brightness},
              {IDC_CONTRASTTRACKBAR, IDC_CONTRASTLABEL, c.contrast}};
  for (const auto& b : bars) {
    SendMessageW(Item(b.bar), TBM_SETPOS, TRUE, b.position);
    SetItemText(b.label, std::to_wstring(b.position * 10).c_str());
    EnableWindow(Item(b.bar), c.trackBarsEnabled);
    ShowSlider(Item(b.bar), c.slidersShown);
  }

  SetItemText(IDC_JPGEDT, WideAscii(c.quality).c_str());
  EnableWindow(Item(IDC_JPGEDT), c.qualityEnabled);
  SetItemText(IDC_LABEL9, TextW(c.qualityLabelId).c_str());
  Show(Item(IDC_LABEL9), c.qualityShown);
  Show(Item(IDC_JPGEDT), c.qualityShown);
  Show(Item(IDC_RANGEVALUE), c.rangeShown);
  SetItemText(IDC_SCANPATHTOSAVETO, WideOf(c.path).c_str());

  EnableWindow(Item(IDC_FUNCRAIDOBOX), c.presetsEnabled);
  for (int i = 0; i < kPresetCount; ++i) {
    EnableWindow(Item(IDC_FUNC_ITEM0 + i), c.presetsEnabled);
    CheckDlgButton(dialog, IDC_FUNC_ITEM0 + i, c.preset == i ? BST_CHECKED : BST_UNCHECKED);
  }
  EnableWindow(Item(IDC_APPLYBTN), c.applyEnabled);
  pushing_ = false;
}

void TScanForm::Pull() {
  ScanFormControls& c = model.controls;
  HWND dialog = Handle();
  c.paper = ComboSelection(Item(IDC_PAPERSIZECOMBOBOX));
  c.resolution = ComboSelection(Item(IDC_XANDYRESOLUTION));
  c.imageType = ComboSelection(Item(IDC_SCANCOLORRESOLUTIONCOMBO));
  c.filter = ComboSelection(Item(IDC_COLORFILTERCOMBX));
  c.saveFormat = ComboSelection(Item(IDC_SAVEFMTCOMBX));
  c.scanMethod = IsChecked(dialog, IDC_SCANMETHOD_FEEDER)    ? 0
                 : IsChecked(dialog, IDC_SCANMETHOD_FLATBED) ? 1
                                                             : -1;
  c.duplex = IsChecked(dialog, IDC_DUPLEXCHECKBOX);
  c.showUI = IsChecked(dialog, IDC_UICHECKBOX);
  c.invert = IsChecked(dialog, IDC_INVERTCK);
  c.autoCrop = IsChecked(dialog, IDC_AUTOCROPCHECKBOX);
  c.fitPage = IsChecked(dialog, IDC_FITPAGECHECKBOX);
  c.dontSave = IsChecked(dialog, IDC_DONTSAVECHECKBOX);
  c.thumbnails = IsChecked(dialog, IDC_SHOWTHUMCHECKBOX);
  c.presets = IsChecked(dialog, IDC_FUNCCHECKBOX);
  c.brightness = static_cast<int>(SendMessageW(Item(IDC_BRIGHTTRACKBAR), TBM_GETPOS, 0, 0));
  c.contrast = static_cast<int>(SendMessageW(Item(IDC_CONTRASTTRACKBAR), TBM_GETPOS, 0, 0));
  c.quality = Utf8Of(WindowText(Item(IDC_JPGEDT)));
  for (int i = 0; i < kPresetCount; ++i)
    if (IsChecked(dialog, IDC_FUNC_ITEM0 + i)) c.preset = i;
}

bool TScanForm::Applied(ApplyResult result) {
  Push();
  if (result == ApplyResult::Applied) return true;
  const UINT buttons = model.QualityMessageButtons() == MessageButtons::YesNo ? MB_YESNO : MB_OK;
  MessageBoxW(Handle(), TextW(1010).c_str(), kTitle, buttons | MB_ICONERROR);
  return false;
}

bool TScanForm::Command(int id, int code, HWND control) {
  if (pushing_) return id != IDOK && id != IDCANCEL;
  switch (id) {
    case IDOK:
      Pull();
      if (Applied(model.OkBtnClick())) EndModal(IDOK);
      return true;
    case IDC_APPLYBTN:
      Pull();
      Applied(model.ApplyBtnClick());
      return true;
    case IDC_DEFAULTBTN:
      Pull();
      Applied(model.DefaultBtnClick());
      return true;
    case IDC_BROWDIRBTN:
      BrowDirBtnClick();
      return true;
    default: break;
  }
  const bool picked = code == CBN_SELCHANGE || code == BN_CLICKED;
  Pull();
  switch (id) {
    case IDC_SAVEFMTCOMBX:
      if (code != CBN_SELCHANGE) return false;
      model.SaveFmtCombxChange();
      break;
    case IDC_SCANCOLORRESOLUTIONCOMBO:
      if (code != CBN_SELCHANGE) return false;
      model.ScanColorResolutionComboChange();
      model.PaperSizeComboBoxChange();
      break;
    case IDC_UICHECKBOX: model.UICheckBoxClick(); break;
    case IDC_FUNCCHECKBOX: model.FuncCheckBoxClick(); break;
    case IDC_AUTOCROPCHECKBOX: model.ApplyEdited(); break;
    case IDC_JPGEDT:
      if (code != EN_CHANGE) return false;
      model.JpgEdtChange();
      break;
    case IDC_SCANPATHTOSAVETO:
      if (code != EN_CHANGE) return false;
      model.PaperSizeComboBoxChange();
      break;
    case IDC_PAPERSIZECOMBOBOX: case IDC_XANDYRESOLUTION: case IDC_COLORFILTERCOMBX:
    case IDC_DUPLEXCHECKBOX: case IDC_SCANMETHOD_FEEDER: case IDC_SCANMETHOD_FLATBED:
    case IDC_INVERTCK: case IDC_SHOWTHUMCHECKBOX: case IDC_DONTSAVECHECKBOX:
    case IDC_FITPAGECHECKBOX:
      if (!picked) return false;
      model.PaperSizeComboBoxChange();
      break;
    default:
      if (id >= IDC_FUNC_ITEM0 && id < IDC_FUNC_ITEM0 + kPresetCount && code == BN_CLICKED) {
        model.controls.preset = id - IDC_FUNC_ITEM0;
        model.FuncRaidoBoxClick();
        break;
      }
      return false;
  }
  Push();
  return true;
}

INT_PTR TScanForm::Message(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_HSCROLL || pushing_) return FALSE;
  HWND bar = reinterpret_cast<HWND>(lParam);
  if (bar != Item(IDC_BRIGHTTRACKBAR) && bar != Item(IDC_CONTRASTTRACKBAR)) return FALSE;
  Pull();
  model.ApplyEdited();
  Push();
  return TRUE;
}

void TScanForm::BrowDirBtnClick() {
  const std::wstring title = TextW(1006);
  const std::wstring start = WideOf(model.Settings().path);
  BROWSEINFOW browse{};
  browse.hwndOwner = Handle();
  browse.lpszTitle = title.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS;
  browse.lpfn = BrowseStart;
  browse.lParam = reinterpret_cast<LPARAM>(start.c_str());
  if (PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse)) {
    wchar_t path[MAX_PATH] = {};
    const bool named = SHGetPathFromIDListW(chosen, path);
    CoTaskMemFree(chosen);
    if (named) {
      Pull();
      model.FolderChosen(Utf8Of(path));
      Push();
    }
  }
  // Whatever was chosen, every user may write into the batch root.
  GiveFolderNullAcl(WideOf(model.Settings().path));
}

bool GiveFolderNullAcl(const std::wstring& folder) {
  if (folder.empty()) return false;
  SECURITY_DESCRIPTOR descriptor;
  if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION)) return false;
  if (!SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE)) return false;
  return SetFileSecurityW(folder.c_str(), DACL_SECURITY_INFORMATION, &descriptor) != 0;
}

}  // namespace tarnwick
