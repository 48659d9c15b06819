#include "thumb_controls.h"

namespace tarnwick {

TThumbPicture::~TThumbPicture() {
  if (picture_) DeleteObject(picture_);
}

void TThumbPicture::SetPicture(HBITMAP picture) {
  if (picture_ && picture_ != picture) DeleteObject(picture_);
  picture_ = picture;
  Invalidate(false);
}

void TThumbPicture::SetFramed(bool framed) {
  if (framed == framed_) return;
  framed_ = framed;
  Invalidate(false);
}

void TThumbPicture::SetEnabled(bool enabled) {
  if (HandleAllocated()) EnableWindow(Handle(), enabled);
}

void TThumbPicture::Paint(HDC dc) {
  RECT all{0, 0, Width(), Height()};
  HDC memory = picture_ ? CreateCompatibleDC(dc) : nullptr;
  if (memory) {
    HGDIOBJ old = SelectObject(memory, picture_);
    BitBlt(dc, 0, 0, Width(), Height(), memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
  } else {
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  if (framed_) {
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FrameRect(dc, &all, red);
    DeleteObject(red);
  }
}

TThumbLabel::TThumbLabel() {
  // "MS Sans Serif" at 8 points on the screen it is shown on.
  HDC screen = GetDC(nullptr);
  int height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  font_ = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
}

TThumbLabel::~TThumbLabel() {
  if (font_) DeleteObject(font_);
}

void TThumbLabel::SetCaption(const std::string& caption) {
  caption_ = caption;
  // Also the window's text, so that tools reading windows from outside find the page.
  SetName(caption);
  if (HandleAllocated()) SetWindowTextA(Handle(), caption.c_str());
  Invalidate();
}

void TThumbLabel::SetEnabled(bool enabled) {
  if (HandleAllocated()) EnableWindow(Handle(), enabled);
}

void TThumbLabel::Paint(HDC dc) {
  RECT r{0, 0, Width(), Height()};
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ old = SelectObject(dc, font_);
  DrawTextA(dc, caption_.c_str(), -1, &r, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
}

}  // namespace tarnwick
