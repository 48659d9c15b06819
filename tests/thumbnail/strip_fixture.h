// A frame window with the thumbnail strip on it, page files in a case folder, and the owner's
// OnGetImageHandle reading them; the strip's clicks recorded.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ks_image_thumbnail.h"

struct ThumbClick {
  int index;
  std::string file;
  int page;
};

class StripHost {
 public:
  // A strip of width x height pixels, thumbnails thumb x thumb, at the top left of the frame.
  StripHost(int width, int height, int thumb, const std::string& folder);
  ~StripHost();
  tarnwick::TKSImageThumbnail& Strip() { return strip_; }
  HWND Frame() const { return host_.Handle(); }
  // Pages first..last: written as files and added as a scan adds them (odd pages black and
  // white, even pages gray).
  void ScanPages(int first, int last);
  std::string PageFile(int page) const;
  void Pump();
  std::vector<ThumbClick> clicks;
  int fetched = 0;  // OnGetImageHandle calls

 private:
  qm::TQmControl host_;
  tarnwick::TKSImageThumbnail strip_;
  std::string folder_;
};

// The colour on screen at a point of a control's window.
COLORREF ScreenPixel(HWND window, int x, int y);
