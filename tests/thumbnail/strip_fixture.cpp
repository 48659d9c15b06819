#include "strip_fixture.h"

#include "numbered_pages.h"

StripHost::StripHost(int width, int height, int thumb, const std::string& folder) : folder_(folder) {
  CreateDirectoryA(folder_.c_str(), nullptr);
  host_.SetName("Thumbnail strip");
  host_.SetBounds(0, 0, width + 40, height + 60);
  host_.CreateHandle(nullptr);
  strip_.SetThumbnailWidth(thumb);
  strip_.SetThumbnailHeight(thumb);
  strip_.SetBounds(0, 0, width, height);
  strip_.SetColor(RGB(192, 192, 192));
  host_.InsertControl(&strip_);
  strip_.OnThumbClick = [this](tarnwick::TKSImageThumbnail*, int index, const std::string& file, int page) {
    clicks.push_back({index, file, page});
  };
  strip_.OnGetImageHandle = [this](tarnwick::TKSImageThumbnail*, const std::string& file, HGLOBAL& dib) {
    ++fetched;
    dib = ReadPageFile(file);
  };
  ShowWindow(host_.Handle(), SW_SHOWNORMAL);
  SetWindowPos(host_.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  Pump();
}

StripHost::~StripHost() { host_.RemoveControl(&strip_); }

std::string StripHost::PageFile(int page) const {
  std::string n = std::to_string(page);
  return folder_ + std::string(6 - n.size(), '0') + n + ".bmp";
}

void StripHost::ScanPages(int first, int last) {
  for (int page = first; page <= last; ++page) {
    HGLOBAL dib = MakeNumberedPage(page, page % 2 ? 1 : 8);
    WritePageFile(PageFile(page), dib);
    strip_.AddPage(dib, PageFile(page), page);
    GlobalFree(dib);
  }
  Pump();
}

void StripHost::Pump() {
  for (int round = 0; round < 3; ++round) {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
    UpdateWindow(host_.Handle());
    Sleep(20);
  }
}

COLORREF ScreenPixel(HWND window, int x, int y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  HDC screen = GetDC(nullptr);
  COLORREF c = GetPixel(screen, p.x, p.y);
  ReleaseDC(nullptr, screen);
  return c;
}
