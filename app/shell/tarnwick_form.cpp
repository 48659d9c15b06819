// The main window: its class, creation (FormCreate), panes and message handling.
#include "tarnwick_form.h"

#include <commctrl.h>
#include <shlobj.h>

#include "about_form.h"
#include "conb_form.h"
#include "ks_image_thumbnail.h"
#include "open_form.h"
#include "scan_form.h"
#include "settings_place.h"
#include "splitter.h"
#include "standard_form_font.h"
#include "tarnwick_ids.h"
#include "win_ini_file.h"

namespace tarnwick {

namespace {

constexpr bool kSecond = kBuiltEdition == Edition::kSecond;
// The second edition's window is laid out smaller and centred on the screen.
constexpr int kDesignWidth = kSecond ? 753 : 793, kDesignHeight = kSecond ? 511 : 551;

std::wstring ProgramPath() {
  wchar_t buffer[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::wstring(buffer, n) : std::wstring();
}

std::wstring DocumentsFolder() {
  wchar_t buffer[MAX_PATH];
  if (!SHGetSpecialFolderPathW(nullptr, buffer, CSIDL_PERSONAL, FALSE)) return std::wstring();
  return buffer;
}

}  // namespace

TTarnwickForm::TTarnwickForm() = default;

TTarnwickForm::~TTarnwickForm() {
  if (handle_) DestroyWindow(handle_);
  if (ImageList1) ImageList_Destroy(ImageList1);
}

bool TTarnwickForm::Create(const std::wstring& firstArgument) {
  // The window changes the current folder when it is made: the path must not depend on it.
  if (!firstArgument.empty()) {
    wchar_t buffer[MAX_PATH];
    DWORD n = GetFullPathNameW(firstArgument.c_str(), MAX_PATH, buffer, nullptr);
    if (n > 0 && n < MAX_PATH) commandLinePath.assign(buffer, n);
  }
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &TTarnwickForm::StaticWndProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  MainMenu1 = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAINMENU1));
  HMENU popupBar = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_POPUPMENU1));
  PopupMenu1 = popupBar ? GetSubMenu(popupBar, 0) : nullptr;
  CreateWindowExW(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                  CW_USEDEFAULT, kDesignWidth, kDesignHeight, nullptr, MainMenu1, instance, this);
  if (kSecond && handle_) {
    // Centred on the screen; that is where it comes back to from maximised.
    SetWindowPos(handle_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - kDesignWidth) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - kDesignHeight) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return handle_ != nullptr;
}

void TTarnwickForm::ShowMaximized() {
  FormShow();
  ShowWindow(handle_, SW_SHOWMAXIMIZED);
  UpdateWindow(handle_);
}

void TTarnwickForm::FormCreate() {
  osVersion.dwOSVersionInfoSize = sizeof(osVersion);
  osVersion.dwPlatformId = VER_PLATFORM_WIN32_NT;
  if (!kSecond) {
    // The second edition neither asks the version nor moves the current folder.
    if (!GetVersionExW(&osVersion)) osVersion.dwPlatformId = VER_PLATFORM_WIN32_NT;
    // Page files and dialogs start from the Windows folder, as they always have.
    wchar_t windows[MAX_PATH];
    UINT n = GetWindowsDirectoryW(windows, MAX_PATH);
    if (n > 0 && n < MAX_PATH) SetCurrentDirectoryW(windows);
  }
  state.viewCommands = false;
  SetStandardFormFont(handle_);

  CreateBars();
  RECT client;
  GetClientRect(handle_, &client);
  layout_.Start(client.right - client.left);
  Panel1.SetName("Panel1");
  Panel1.CreateHandle(handle_);
  Panel1.InsertControl(&QmDocumentImage1);
  QmDocumentImage1.SetName("QmDocumentImage1");
  QmDocumentImage1.SetAlign(qm::TAlign::alClient);
  QmDocumentImage1.SetColor(static_cast<qm::TColor>(0x00C0C0C0));  // silver
  QmDocumentImage1.SetScaleDoc(qm::TScaleToGray::S_Gray_Anti_256);
  QmDocumentImage1.SetImageReadRes(qm::TLoadResolution::lAutoMatic);
  qm::ViewerSettings& viewer = QmDocumentImage1.Settings();
  viewer.PrintScaleDoc = qm::TScaleToGray::S_Gray_None;
  viewer.ImageWriteRes = qm::TSaveResolution::sMonoChrome;
  viewer.TifSaveCompress = qm::TTiffCompression::sNONE;
  viewer.TifSaveOptions = qm::TTifSaveOpt::tiffAppend;
  viewer.ControlMode = qm::TControlMode::cmNone;
  splitter_ = std::make_unique<TSplitter>();
  splitter_->SetName("Splitter1");
  splitter_->CreateHandle(handle_);
  splitter_->OnMoved = [this](int32_t left) {
    RECT r;
    GetClientRect(handle_, &r);
    if (layout_.MoveSplitter(left, r.right - r.left)) {
      ArrangePanes();
      SplitterMoved();
    }
  };
  FileListBox1 = CreateWindowExW(0, L"LISTBOX", nullptr, WS_CHILD | LBS_SORT | LBS_NOINTEGRALHEIGHT,
                                 0, 0, 10, 10, handle_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_FILELISTBOX1)),
                                 GetModuleHandleW(nullptr), nullptr);
  PlaceThumbnailStrip();
  ArrangePanes();

  saveQueue = std::make_unique<qm::QmSaveImageThrd>(this);
  GiveProgramFolderNullAcl();

  std::wstring program = ProgramPath();
  programIniFile = WideOf(ProgramIniPath(Utf8Of(program)));
  settingsFile = WideOf(SettingsFilePath(static_cast<int>(osVersion.dwPlatformId),
                                         Utf8Of(DocumentsFolder()), Utf8Of(program)));
  CheckSettingsOwner();
}

void TTarnwickForm::GiveProgramFolderNullAcl() {
  std::wstring folder = WideOf(ExtractFilePath(Utf8Of(ProgramPath())));
  SECURITY_DESCRIPTOR sd;
  if (folder.empty() || !InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION)) return;
  // A present but null access list: every user may write the program's INI beside it.
  if (SetSecurityDescriptorDacl(&sd, TRUE, nullptr, FALSE))
    SetFileSecurityW(folder.c_str(), DACL_SECURITY_INFORMATION, &sd);
}

void TTarnwickForm::CheckSettingsOwner() {
  if (!ChecksSettingsOwner(static_cast<int>(osVersion.dwPlatformId))) return;
  wchar_t name[121] = {};
  DWORD size = 120;
  if (GetUserNameW(name, &size)) userName = name;
  WinIniFile ini(settingsFile);
  bool exists = GetFileAttributesW(settingsFile.c_str()) != INVALID_FILE_ATTRIBUTES;
  std::string stored = exists ? ini.ReadString(kNameSection, kUserNameKey, "") : "";
  if (SettingsBelongToOtherUser(exists, stored, Utf8Of(userName))) DeleteFileW(settingsFile.c_str());
  ini.WriteString(kNameSection, kUserNameKey, Utf8Of(userName));
}

void TTarnwickForm::ArrangePanes() {
  if (!handle_) return;
  RECT client;
  GetClientRect(handle_, &client);
  RECT bar{};
  int toolbar = 0, status = 0;
  if (ImageToolBar && GetWindowRect(ImageToolBar, &bar)) toolbar = bar.bottom - bar.top;
  if (StatusBar1 && IsWindowVisible(StatusBar1) && GetWindowRect(StatusBar1, &bar))
    status = bar.bottom - bar.top;
  PaneLayout panes = layout_.Arrange(client.right, client.bottom, toolbar, status);
  Panel1.SetBounds(panes.panel.left, panes.panel.top, panes.panel.width, panes.panel.height);
  if (splitter_)
    splitter_->SetBounds(panes.splitter.left, panes.splitter.top, panes.splitter.width,
                         panes.splitter.height);
  StripArea.SetBounds(panes.strip.left, panes.strip.top, panes.strip.width, panes.strip.height);
  ArrangeThumbnailStrip();
}

void TTarnwickForm::SplitPanesForScannedPage(bool hideStrip) {
  if (KSImageThumbnail1 && KSImageThumbnail1->Visible() == hideStrip)
    KSImageThumbnail1->SetVisible(!hideStrip);
  RECT client{};
  if (handle_) GetClientRect(handle_, &client);
  if (layout_.SplitForScannedPage(client.right, hideStrip)) ArrangePanes();
}

void TTarnwickForm::SetStatusText(int panel, const std::wstring& text) {
  if (StatusBar1) SendMessageW(StatusBar1, SB_SETTEXTW, panel, reinterpret_cast<LPARAM>(text.c_str()));
}

void TTarnwickForm::SetFileListFolder(const std::wstring& folder) {
  state.browseFolder = Utf8Of(folder);
  if (!FileListBox1) return;
  SendMessageW(FileListBox1, LB_RESETCONTENT, 0, 0);
  std::wstring pattern = folder;
  if (!pattern.empty() && pattern.back() != L'\\') pattern += L'\\';
  pattern += L"*.*";
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      SendMessageW(FileListBox1, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(found.cFileName));
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

bool TTarnwickForm::PreviewKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || !handle_) return false;
  if (msg.hwnd != handle_ && !IsChild(handle_, msg.hwnd)) return false;
  FormKeyDown(static_cast<WORD>(msg.wParam));
  return false;  // the focused control still gets the key
}

LRESULT CALLBACK TTarnwickForm::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<TTarnwickForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->handle_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TTarnwickForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->handle_ = nullptr;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  return self->WndProc(msg, wParam, lParam);
}

LRESULT TTarnwickForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      FormCreate();
      return 0;
    case WM_SIZE:
      if (ImageToolBar) SendMessageW(ImageToolBar, TB_AUTOSIZE, 0, 0);
      if (StatusBar1) SendMessageW(StatusBar1, WM_SIZE, 0, 0);
      if (wParam == SIZE_MINIMIZED) {
        minimized_ = true;
        return 0;
      }
      ArrangePanes();
      if (minimized_) {
        minimized_ = false;
        FormShow();  // shown again after a minimise
      }
      return 0;
    case WM_COMMAND:
      if (lParam == 0 || reinterpret_cast<HWND>(lParam) == ImageToolBar) {
        RunCommand(LOWORD(wParam));
        return 0;
      }
      break;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->code == TTN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        static std::wstring tip;
        tip = HintOf(static_cast<int>(header->idFrom));
        info->lpszText = const_cast<wchar_t*>(tip.c_str());
        return 0;
      }
      if (header->hwndFrom == ImageToolBar && header->code == TBN_HOTITEMCHANGE) {
        auto* hot = reinterpret_cast<NMTBHOTITEM*>(lParam);
        ShowHint((hot->dwFlags & HICF_LEAVING) ? std::wstring() : HintOf(hot->idNew));
        return 0;
      }
      break;
    }
    case WM_CONTEXTMENU: {
      HWND from = reinterpret_cast<HWND>(wParam);
      HWND strip = StripArea.Handle();
      if (PopupMenu1 && strip && (from == strip || IsChild(strip, from))) {
        POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (p.x == -1 && p.y == -1) GetCursorPos(&p);
        TrackPopupMenu(PopupMenu1, TPM_LEFTALIGN | TPM_RIGHTBUTTON, p.x, p.y, 0, handle_, nullptr);
        return 0;
      }
      break;
    }
    case WM_CLOSE:
      // The scan library calls back into this window until its pass returns.
      if (ScanRunning()) return 0;
      FormClose();
      DestroyWindow(handle_);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(handle_, msg, wParam, lParam);
}

}  // namespace tarnwick
