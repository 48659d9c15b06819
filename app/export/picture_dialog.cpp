#include "picture_dialog.h"

#include <commdlg.h>

#include <exception>

#include "page_file_reader.h"
#include "picture_dialog_ids.h"
#include "win_ini_file.h"

namespace tarnwick {

namespace {

constexpr wchar_t kPictureFilter[] =
    L"All (*.jpg;*.jpeg;*.bmp;*.png;*.pcx;*.gif;*.pcd;*.tif;*.tga)\0"
    L"*.jpg;*.jpeg;*.bmp;*.png;*.pcx;*.gif;*.pcd;*.tif;*.tga\0"
    L"JPEG Image File (*.jpg;*.jpeg)\0*.jpg;*.jpeg\0"
    L"Bitmaps (*.bmp)\0*.bmp\0";

// The picture shown in the preview; the hook dialog keeps it in its user data.
struct Preview {
  HGLOBAL dib = nullptr;
  ~Preview() { Set(nullptr); }
  void Set(HGLOBAL next) {
    if (dib) GlobalFree(dib);
    dib = next;
  }
};

void LoadPreview(HWND hook, Preview& preview) {
  wchar_t path[MAX_PATH] = {};
  HWND dialog = GetParent(hook);
  HGLOBAL dib = nullptr;
  if (SendMessageW(dialog, CDM_GETFILEPATH, MAX_PATH, reinterpret_cast<LPARAM>(path)) > 0 &&
      !(GetFileAttributesW(path) & FILE_ATTRIBUTE_DIRECTORY)) {
    try {
      QmFileInfo info;
      dib = ReadPageFile(Utf8Of(path), info);
    } catch (const std::exception&) {
      dib = nullptr;  // no preview for a file that cannot be read
    }
  }
  preview.Set(dib);
  InvalidateRect(GetDlgItem(hook, IDC_PICTUREPREVIEW), nullptr, TRUE);
}

// The picture fitted into the box, its proportions kept.
void DrawPreview(const DRAWITEMSTRUCT& item, const Preview& preview) {
  FillRect(item.hDC, &item.rcItem, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  if (!preview.dib) return;
  auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(preview.dib));
  if (!header) return;
  const int colours = header->biBitCount <= 8
                          ? (header->biClrUsed ? int(header->biClrUsed) : 1 << header->biBitCount)
                          : (header->biCompression == BI_BITFIELDS ? 3 : 0);
  const void* bits = reinterpret_cast<const uint8_t*>(header) + header->biSize + colours * sizeof(RGBQUAD);
  const int w = header->biWidth, h = header->biHeight < 0 ? -header->biHeight : header->biHeight;
  const int boxW = item.rcItem.right - item.rcItem.left, boxH = item.rcItem.bottom - item.rcItem.top;
  if (w > 0 && h > 0 && boxW > 0 && boxH > 0) {
    int drawW = boxW, drawH = MulDiv(h, boxW, w);
    if (drawH > boxH) {
      drawH = boxH;
      drawW = MulDiv(w, boxH, h);
    }
    SetStretchBltMode(item.hDC, HALFTONE);
    StretchDIBits(item.hDC, item.rcItem.left + (boxW - drawW) / 2, item.rcItem.top + (boxH - drawH) / 2,
                  drawW, drawH, 0, 0, w, h, bits, reinterpret_cast<BITMAPINFO*>(header),
                  DIB_RGB_COLORS, SRCCOPY);
  }
  GlobalUnlock(preview.dib);
}

UINT_PTR CALLBACK PreviewHook(HWND hook, UINT msg, WPARAM, LPARAM lParam) {
  auto* preview = reinterpret_cast<Preview*>(GetWindowLongPtrW(hook, GWLP_USERDATA));
  switch (msg) {
    case WM_INITDIALOG: {
      auto* dialog = reinterpret_cast<OPENFILENAMEW*>(lParam);
      SetWindowLongPtrW(hook, GWLP_USERDATA, static_cast<LONG_PTR>(dialog->lCustData));
      return TRUE;
    }
    case WM_NOTIFY:
      if (preview && reinterpret_cast<NMHDR*>(lParam)->code == CDN_SELCHANGE) LoadPreview(hook, *preview);
      return FALSE;
    case WM_DRAWITEM:
      if (preview) DrawPreview(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam), *preview);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

std::vector<std::wstring> ChoosePictures(HWND owner) {
  std::vector<wchar_t> buffer(32768, L'\0');
  Preview preview;
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.hInstance = GetModuleHandleW(nullptr);
  dialog.lpstrFilter = kPictureFilter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = static_cast<DWORD>(buffer.size());
  dialog.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY |
                 OFN_ENABLEHOOK | OFN_ENABLETEMPLATE;
  dialog.lpfnHook = PreviewHook;
  dialog.lpTemplateName = MAKEINTRESOURCEW(IDD_PICTUREPREVIEW);
  dialog.lCustData = reinterpret_cast<LPARAM>(&preview);
  std::vector<std::wstring> files;
  if (!GetOpenFileNameW(&dialog)) return files;
  // One file: its full name. Several: the folder, then each name, each ended by a null.
  std::wstring first(buffer.data());
  const wchar_t* next = buffer.data() + first.size() + 1;
  if (!*next) {
    files.push_back(first);
    return files;
  }
  while (*next) {
    std::wstring name(next);
    files.push_back(first + (first.back() == L'\\' ? L"" : L"\\") + name);
    next += name.size() + 1;
  }
  return files;
}

}  // namespace tarnwick
