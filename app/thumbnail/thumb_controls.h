// The strip's two kinds of child controls: a thumbnail picture, which keeps its unframed
// picture in memory so that the selection frame comes and goes without redrawing the page, and
// its caption label.
#pragma once
#include <windows.h>

#include <string>

#include "qm_control.h"

namespace tarnwick {

class TThumbPicture : public qm::TQmControl {
 public:
  TThumbPicture() = default;
  ~TThumbPicture() override;

  std::string Hint;   // the page file's name
  int32_t Tag = 0;    // the page number
  bool Stretch = false;

  // Takes the bitmap over (null: a blank picture) and repaints.
  void SetPicture(HBITMAP picture);
  HBITMAP Picture() const { return picture_; }
  // The one-pixel red frame along the edges.
  void SetFramed(bool framed);
  bool Framed() const { return framed_; }
  void SetEnabled(bool enabled);

 protected:
  void Paint(HDC dc) override;

 private:
  HBITMAP picture_ = nullptr;
  bool framed_ = false;
};

class TThumbLabel : public qm::TQmControl {
 public:
  TThumbLabel();
  ~TThumbLabel() override;
  int32_t Tag = 0;
  void SetCaption(const std::string& caption);
  const std::string& Caption() const { return caption_; }
  void SetEnabled(bool enabled);

 protected:
  void Paint(HDC dc) override;

 private:
  std::string caption_;
  HFONT font_ = nullptr;
};

}  // namespace tarnwick
