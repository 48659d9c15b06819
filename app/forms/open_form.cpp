#include "open_form.h"

#include "forms_ids.h"
#include "resource_texts.h"
#include "standard_form_font.h"

namespace tarnwick {

namespace {
constexpr int kIndentStep = 10;
constexpr int kGlyphWidth = 16;
}  // namespace

std::vector<std::u16string> WinFolderSource::SubFolders(const std::u16string& folder) {
  std::vector<std::u16string> out;
  std::wstring pattern = Wide(folder);
  if (!pattern.empty() && pattern.back() != L'\\') pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return out;
  do {
    std::wstring name = found.cFileName;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..")
      out.push_back(FromWide(name));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return out;
}

std::vector<std::u16string> WinFolderSource::Drives() {
  std::vector<std::u16string> out;
  DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i)
    if (mask & (1u << i)) out.push_back(std::u16string{char16_t(u'a' + i), u':'});
  return out;
}

TOpenForm::TOpenForm() : model_(std::make_unique<OpenFormModel>(source_, ProgramTexts())) {}

int TOpenForm::TemplateId() const { return IDD_OPENFORM; }

void TOpenForm::SetDirectory(const std::wstring& path) { model_->SetDirectory(FromWide(path)); }

std::wstring TOpenForm::Directory() const { return Wide(model_->Directory()); }

void TOpenForm::FormCreate() {
  TFormWindow::FormCreate();
  SendMessageW(Item(IDC_DIRECTORYLISTBOX1), LB_SETITEMHEIGHT, 0, 16);
  if (kBuiltEdition == Edition::kSecond) {
    // The second edition's dialog has a client area of 356 x 254 pixels.
    RECT r{0, 0, kSecondEditionClientWidth, kSecondEditionClientHeight};
    AdjustWindowRectEx(&r, DWORD(GetWindowLongW(Handle(), GWL_STYLE)), FALSE,
                       DWORD(GetWindowLongW(Handle(), GWL_EXSTYLE)));
    SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TOpenForm::FormShow() {
  SetStandardFormFont(Handle());
  SetWindowTextW(Handle(), TextW(401).c_str());
  SetItemText(IDOK, TextW(402).c_str());
  SetItemText(IDC_OPEN_LABEL1, TextW(403).c_str());
  SetItemText(IDCANCEL, TextW(2).c_str());
  model_->Show();
  if (model_->List().Items().empty()) model_->SetDirectory(u"c:\\");
  FillDrives();
  FillFolders();
  ShowChange();
}

void TOpenForm::FillFolders() {
  HWND list = Item(IDC_DIRECTORYLISTBOX1);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const FolderItem& item : model_->List().Items())
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item.name).c_str()));
  SendMessageW(list, LB_SETCURSEL, model_->List().CurrentIndex(), 0);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void TOpenForm::FillDrives() {
  HWND combo = Item(IDC_DRIVECOMBOBOX1);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  std::u16string current = DriveOf(model_->List().Directory());
  int index = 0;
  for (const std::u16string& drive : model_->Drives()) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(drive).c_str()));
    bool same = drive.size() == current.size() &&
                (drive[0] | 0x20) == (current.empty() ? 0 : (current[0] | 0x20));
    if (same) SendMessageW(combo, CB_SETCURSEL, index, 0);
    ++index;
  }
}

void TOpenForm::ShowChange() {
  SetItemText(IDC_PATHLBL, Wide(model_->PathLabel()).c_str());
  EnableWindow(Item(IDOK), model_->OkEnabled());
}

bool TOpenForm::Command(int id, int code, HWND control) {
  if (id == IDC_DIRECTORYLISTBOX1) {
    int index = static_cast<int>(SendMessageW(control, LB_GETCURSEL, 0, 0));
    if (code == LBN_SELCHANGE) {
      model_->Click(index);
      ShowChange();
    } else if (code == LBN_DBLCLK) {
      model_->DoubleClick(index);
      FillFolders();
      ShowChange();
    }
    return true;
  }
  if (id == IDC_DRIVECOMBOBOX1) {
    if (code == CBN_SELCHANGE) {
      wchar_t drive[8] = {};
      int index = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
      if (index >= 0 && SendMessageW(control, CB_GETLBTEXTLEN, index, 0) < 7)
        SendMessageW(control, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(drive));
      model_->ChooseDrive(FromWide(drive));
      FillFolders();
      ShowChange();
    }
    return true;
  }
  return false;
}

INT_PTR TOpenForm::Message(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DRAWITEM && wParam == IDC_DIRECTORYLISTBOX1) {
    DrawFolder(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    return TRUE;
  }
  return FALSE;
}

void TOpenForm::DrawFolder(const DRAWITEMSTRUCT& item) {
  const auto& items = model_->List().Items();
  bool selected = (item.itemState & ODS_SELECTED) != 0;
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID >= items.size()) return;
  const FolderItem& folder = items[item.itemID];
  int x = r.left + 2 + folder.indent * kIndentStep;
  int mid = (r.top + r.bottom) / 2;
  // A small folder: open (tab lifted) for the chain down to the current folder.
  HBRUSH fill = CreateSolidBrush(folder.open ? RGB(255, 224, 96) : RGB(224, 192, 64));
  RECT body{x, mid - 4, x + 12, mid + 5};
  RECT tab{x, mid - 6, x + 5, mid - 4};
  FillRect(dc, &body, fill);
  FillRect(dc, &tab, fill);
  FrameRect(dc, &body, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  DeleteObject(fill);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT text{x + kGlyphWidth + 2, r.top, r.right, r.bottom};
  std::wstring name = Wide(folder.name);
  DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &item.rcItem);
}

}  // namespace tarnwick
