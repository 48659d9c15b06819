// The scan-area dialog without its window: the area on a copy of the settings dialog's working
// record, the values its fields show and take, and the preview's geometry. Platform-free.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "dialog_values.h"
#include "label_list.h"

enum class AreaField { kX, kY, kWidth, kLength };

struct AreaSnapshot {
  DialogWorkRecord work;      // the settings dialog's working record
  TagChoices pageSize;
  TagChoices feederType;
  PaperTable papers;          // in 1/300 inch
  bool lastStatusOk = true;   // the library's last status is 0: OK can be pressed
};

// A rectangle in client pixels.
struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const PixelRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

class AreaModel {
 public:
  AreaModel(const AreaSnapshot& snapshot, const TextSource& text);

  const DialogWorkRecord& work() const { return work_; }
  const std::vector<LabelEntry>& pageSizes() const { return pageSizes_; }
  int pageSizeEntry() const { return EntryShownFor(pageSizes_, work_.paper); }
  bool landscapeEnabled() const { return landscapeEnabled_; }
  bool sideEnabled(int side) const;
  bool okEnabled() const { return snap_.lastStatusOk; }

  // A field's text in the current unit ("%3.2f").
  std::string FieldText(AreaField field) const;
  int32_t Value(AreaField field) const;  // 1/300 inch

  // What the operator does.
  void TypeField(AreaField field, double typed);  // a modified field, in the current unit
  void PickPageSize(int entry);
  void SetLandscape(bool on);
  void SetSide(int side);
  void SetUnit(int unit);

 private:
  void CheckLandscape();
  int32_t MaxOf(AreaField field) const;

  AreaSnapshot snap_;
  DialogWorkRecord work_;
  std::vector<LabelEntry> pageSizes_;
  bool landscapeEnabled_ = true;
  bool sidesOpen_ = true;
};

// The typed number of a field in 1/300 inch, before the area's rules: inch t x 300, cm
// t x 118.11, pixel t x 300 / resolution (a resolution below 1 counts as 300), kept within
// 0..maximum.
int32_t TypedToArea(double typed, int unit, int32_t resolution, int32_t maximum);

// A value in 1/300 inch as its field shows it.
std::string AreaFieldText(int32_t v, int unit, int32_t resolution);

// The preview: its rectangle inside the etched frame, its scale and the area on it.
struct PreviewGeometry {
  PixelRect preview;
  double scale = 0;  // preview pixels per inch
  PixelRect area;
};

// frame: the etched frame in client pixels; widestChar and textHeight from the dialog's font;
// captionHeight the system's caption height.
PixelRect PreviewRect(const PixelRect& frame, int widestChar, int textHeight, int captionHeight);
PreviewGeometry ComputePreview(const PixelRect& preview, const DialogWorkRecord& work);
