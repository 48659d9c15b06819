// The pen and brush the scan-area dialog draws its preview with: made when the dialog opens and
// deleted with it, however often it is opened.
#pragma once
#include <windows.h>

class AreaPaintTools {
 public:
  AreaPaintTools();
  ~AreaPaintTools();
  AreaPaintTools(const AreaPaintTools&) = delete;
  AreaPaintTools& operator=(const AreaPaintTools&) = delete;

  HPEN dotted() const { return dotted_; }
  HBRUSH menu() const { return menu_; }

  static int Alive();  // how many sets exist: one while an area dialog is open, else none

 private:
  HPEN dotted_;
  HBRUSH menu_;
};
