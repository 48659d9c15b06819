#include "batch_fixture.h"

#include <commctrl.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "crde_bindings.h"
#include "open_form.h"
#include "win_driver.h"

HGLOBAL MakeBatchPage(int number) {
  const int width = 320, height = 200, stride = ((width + 31) / 32) * 4;
  const SIZE_T size = sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD) + SIZE_T(stride) * height;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(block));
  header->biSize = sizeof(BITMAPINFOHEADER);
  header->biWidth = width;
  header->biHeight = height;
  header->biPlanes = 1;
  header->biBitCount = 1;
  header->biSizeImage = DWORD(stride * height);
  header->biXPelsPerMeter = header->biYPelsPerMeter = 7874;  // 200 dpi
  header->biClrUsed = 2;
  auto* palette = reinterpret_cast<RGBQUAD*>(header + 1);
  palette[1] = RGBQUAD{255, 255, 255, 0};
  auto* rows = reinterpret_cast<uint8_t*>(palette + 2);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      bool black = (x >= number * 24 && x < number * 24 + 16) || (y == number * 10);
      if (!black) rows[y * stride + x / 8] |= uint8_t(0x80 >> (x % 8));
    }
  GlobalUnlock(block);
  return block;
}

void RemoveFolder(const std::string& folder) {
  for (const std::string& name : FolderNames(folder)) {
    std::string file = folder + "\\" + name;
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(file.c_str());
  }
  RemoveDirectoryA(folder.c_str());
}

std::vector<std::string> WriteBatch(const std::string& folder, int pages) {
  RemoveFolder(folder);
  CreateDirectoryA("c:\\temp", nullptr);
  CreateDirectoryA(folder.c_str(), nullptr);
  std::vector<std::string> files;
  for (int n = 1; n <= pages; ++n) {
    std::string number = std::to_string(n);
    std::string file = folder + "\\" + std::string(6 - number.size(), '0') + number + ".tif";
    HGLOBAL page = MakeBatchPage(n);
    WriteTiffFile(file, 1, 1, false, page, nullptr, nullptr);
    GlobalFree(page);
    files.push_back(file);
  }
  return files;
}

std::string FileBytes(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

std::string DibPixels(HGLOBAL dib) {
  if (!dib) return "no page";
  auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib));
  int colours = header->biBitCount <= 8 ? (header->biClrUsed ? int(header->biClrUsed) : 1 << header->biBitCount) : 0;
  const int stride = ((header->biWidth * header->biBitCount + 31) / 32) * 4;
  const int height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
  std::ostringstream out;
  out << header->biWidth << "x" << header->biHeight << "x" << header->biBitCount << ":";
  auto* palette = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const uint8_t*>(header) + header->biSize);
  for (int i = 0; i < colours; ++i) out << int(palette[i].rgbRed) << ",";
  const auto* rows = reinterpret_cast<const char*>(palette + colours);
  out << std::string(rows, rows + size_t(stride) * height);
  GlobalUnlock(dib);
  return out.str();
}

Operator::Operator(std::vector<Step> steps)
    : thread_([this, steps] {
        for (const Step& step : steps) {
          if (!step()) break;
          ++done_;
        }
        finished_ = true;
      }) {}

Operator::~Operator() {
  if (thread_.joinable()) thread_.join();
}

int Operator::Finish() {
  // The test thread keeps its windows answering while the operator works.
  while (!finished_) Pump(10);
  thread_.join();
  return done_;
}

Operator::Step AnswerBox(int button, std::string* text, DWORD timeoutMs, const std::string& picture) {
  return [=] {
    HWND box = windriver::FindTopWindow("#32770", "Folvex", timeoutMs);
    if (!box) return false;
    if (text) *text = windriver::WindowText(GetDlgItem(box, 0xFFFF));
    Sleep(50);
    if (!picture.empty()) {
      Sleep(300);
      windriver::KeepScreen(box, picture);
    }
    if (HWND b = GetDlgItem(box, button)) PostMessageW(b, BM_CLICK, 0, 0);
    for (DWORD waited = 0; IsWindow(box) && waited < timeoutMs; waited += 20) Sleep(20);
    return !IsWindow(box);
  };
}

Operator::Step FileDialog(const std::string& title, const std::wstring& name, DWORD timeoutMs,
                          const std::string& picture) {
  return [=] {
    HWND dialog = windriver::FindTopWindow("#32770", title, timeoutMs);
    if (!dialog) return false;
    Sleep(300);
    // The name goes into the explorer dialog's name box (a combo box, or the old edit).
    for (int id : {0x47c, 0x480})
      if (HWND box = GetDlgItem(dialog, id)) SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    Sleep(100);
    if (!picture.empty()) {
      RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
      Sleep(400);
      windriver::KeepScreen(dialog, picture);
    }
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    return true;
  };
}

BatchWindow::BatchWindow(const std::wstring& firstArgument) {
  InitCommonControls();
  form.Create(firstArgument);
  form.OpenForm = std::make_unique<tarnwick::TOpenForm>();
  form.ShowMaximized();
  Pump(300);
}

BatchWindow::~BatchWindow() {
  if (form.Handle()) SendMessageW(form.Handle(), WM_CLOSE, 0, 0);
  Pump(50);
}

void BatchWindow::ClickPage(int pageNo) {
  tarnwick::TKSImageThumbnail& strip = *form.KSImageThumbnail1;
  for (int i = 0; i < strip.ControlCount(); ++i)
    if (strip.Image(i)->Tag == pageNo) {
      strip.ImageClick(strip.Image(i));
      break;
    }
  Pump(100);
}

std::vector<std::string> BatchWindow::Captions() {
  std::vector<std::string> captions;
  tarnwick::TKSImageThumbnail& strip = *form.KSImageThumbnail1;
  for (int i = 0; i < strip.ControlCount(); ++i) captions.push_back(strip.Label(i)->Caption());
  return captions;
}
