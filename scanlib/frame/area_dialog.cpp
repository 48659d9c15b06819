#include "area_dialog.h"

#include <algorithm>
#include <cmath>

#include "c_locale_number.h"

namespace {

constexpr int32_t kDefaultMaxWidth = 2550;
constexpr int32_t kDefaultMaxLength = 3300;

int32_t EffectiveResolution(int32_t r) { return r < 1 ? 300 : r; }

}  // namespace

int32_t TypedToArea(double t, int unit, int32_t resolution, int32_t maximum) {
  double v;
  switch (unit) {
    case 0: v = t * 300.0; break;
    case 1: v = t * 118.11023622047243; break;
    default: v = t * 300.0 / EffectiveResolution(resolution) + 0.5; break;
  }
  if (!(v > 0)) return 0;  // negative, or not a number
  if (v > maximum) return std::max(0, maximum);
  return static_cast<int32_t>(v);
}

std::string AreaFieldText(int32_t v, int unit, int32_t resolution) {
  double shown;
  switch (unit) {
    case 0: shown = v * 0.0033333334; break;
    case 1: shown = v * 0.0084666667; break;
    default:
      shown = std::trunc(v * static_cast<double>(EffectiveResolution(resolution)) * 0.0033333334 + 0.5);
      break;
  }
  return FormatFixedC(shown, 3, 2);
}

AreaModel::AreaModel(const AreaSnapshot& s, const TextSource& text) : snap_(s), work_(s.work) {
  if (work_.maxWidth < 1 || work_.maxLength < 1) {
    work_.maxWidth = kDefaultMaxWidth;
    work_.maxLength = kDefaultMaxLength;
  }
  pageSizes_ = BuildLabelList(s.pageSize, "PAPERSIZE", text);
  CheckLandscape();
  sidesOpen_ = SidesOpen(s.feederType, work_.scanMethod);
  if (!sideEnabled(work_.side)) work_.side = 0;
}

bool AreaModel::sideEnabled(int side) const { return SideSelectable(snap_.feederType, sidesOpen_, side); }

void AreaModel::CheckLandscape() {
  const int32_t pw = work_.landscape ? work_.length : work_.width;
  const int32_t pl = work_.landscape ? work_.width : work_.length;
  landscapeEnabled_ = !(work_.maxLength < pw || work_.maxWidth < pl);
  if (!landscapeEnabled_ && work_.landscape) {
    work_.landscape = 0;
    work_.width = pw;
    work_.length = pl;
  }
}

int32_t AreaModel::MaxOf(AreaField f) const {
  return f == AreaField::kX || f == AreaField::kWidth ? work_.maxWidth : work_.maxLength;
}

int32_t AreaModel::Value(AreaField f) const {
  switch (f) {
    case AreaField::kX: return work_.x;
    case AreaField::kY: return work_.y;
    case AreaField::kWidth: return work_.width;
    default: return work_.length;
  }
}

std::string AreaModel::FieldText(AreaField f) const {
  return AreaFieldText(Value(f), work_.unit, work_.resolution);
}

void AreaModel::TypeField(AreaField f, double typed) {
  const int32_t m = MaxOf(f);
  int32_t v = TypedToArea(typed, work_.unit, work_.resolution, m);
  work_.paper = 0;
  const bool pixels = work_.unit == 2;
  switch (f) {
    case AreaField::kX:
    case AreaField::kY: {
      int32_t& size = f == AreaField::kX ? work_.width : work_.length;
      if (v + size > m) {
        v = std::max(0, std::min(v, m - kLeastArea));
        size = m - v;
      }
      (f == AreaField::kX ? work_.x : work_.y) = v;
      break;
    }
    case AreaField::kWidth:
      if (pixels) v = std::max(v, std::min(kLeastArea, m));
      else if (v < kLeastArea) v = m;
      if (v > m) v = m;
      work_.width = v;
      if (work_.x + v > m) work_.x = m - v;
      break;
    case AreaField::kLength:
      if (pixels) v = std::max(v, std::min(kLeastArea, m));
      else if (v < 1) v = m;
      if (v > m) v = m;
      work_.length = v;
      if (work_.y + v > m) work_.y = m - v;
      break;
  }
}

void AreaModel::PickPageSize(int entry) {
  work_.paper = static_cast<uint16_t>(EntryValue(pageSizes_, entry, work_.paper));
  if (work_.paper != 0 && work_.paper < 12 && snap_.papers.known[work_.paper]) {
    const int32_t pw = snap_.papers.size[work_.paper][0], pl = snap_.papers.size[work_.paper][1];
    work_.width = work_.landscape ? pl : pw;
    work_.length = work_.landscape ? pw : pl;
  }
  CheckLandscape();
  work_.y = 0;
  work_.x = work_.scanMethod == 0 ? (work_.maxWidth - work_.width) / 2 : 0;
  if (work_.x < 0) work_.x = 0;
  if (work_.x + work_.width > work_.maxWidth) {
    work_.width = std::min(work_.width, work_.maxWidth);
    work_.x = work_.maxWidth - work_.width;
  }
  if (work_.length > work_.maxLength) {
    work_.length = work_.maxLength;
    work_.y = 0;
  }
}

void AreaModel::SetLandscape(bool on) {
  if (on && !landscapeEnabled_) return;
  if ((work_.landscape != 0) != on) std::swap(work_.width, work_.length);
  work_.landscape = on ? 1 : 0;
}

void AreaModel::SetSide(int side) {
  if (side >= 0 && side <= 2 && sideEnabled(side)) work_.side = static_cast<uint16_t>(side);
}

void AreaModel::SetUnit(int unit) {
  if (unit >= 0 && unit <= 2) work_.unit = static_cast<uint16_t>(unit);
}

PixelRect PreviewRect(const PixelRect& frame, int widestChar, int textHeight, int captionHeight) {
  PixelRect r;
  r.left = frame.left + widestChar + 7;
  r.top = frame.top + textHeight - captionHeight + 3;
  r.right = frame.right - 5;
  r.bottom = frame.bottom - captionHeight - 6;
  return r;
}

PreviewGeometry ComputePreview(const PixelRect& preview, const DialogWorkRecord& work) {
  PreviewGeometry g;
  g.preview = preview;
  const int32_t maxW = work.maxWidth < 1 ? kDefaultMaxWidth : work.maxWidth;
  const int32_t maxL = work.maxLength < 1 ? kDefaultMaxLength : work.maxLength;
  const double sv = static_cast<double>(preview.bottom - preview.top) * 300.0 / maxL;
  const double sh = static_cast<double>(preview.right - preview.left) * 300.0 / maxW;
  g.scale = std::max(0.0, std::min(sv, sh));
  const double k = g.scale * 0.0033333334;
  g.area.left = preview.left + static_cast<int>(work.x * k);
  g.area.top = preview.top + static_cast<int>(work.y * k);
  g.area.right = preview.left + static_cast<int>(static_cast<double>(work.x + work.width) * k + 0.5);
  g.area.bottom = preview.top + static_cast<int>(static_cast<double>(work.y + work.length) * k + 0.5);
  return g;
}
