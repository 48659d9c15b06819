#include "strip_layout.h"

#include <algorithm>
#include <cmath>

namespace tarnwick {

namespace {
int32_t RoundEven(double v) { return int32_t(std::nearbyint(v)); }
}  // namespace

ThumbSize FitThumbSize(int32_t w, int32_t h, int32_t maxW, int32_t maxH) {
  ThumbSize s;
  if (w <= 0 || h <= 0 || maxW <= 0 || maxH <= 0) return s;
  if (w < h) {
    s.height = std::min(h, maxH);
    s.width = RoundEven(double(w) * s.height / h);
  } else {
    s.width = std::min(w, maxW);
    s.height = RoundEven(double(h) * s.width / w);
  }
  s.width = std::max(s.width, 1);
  s.height = std::max(s.height, 1);
  return s;
}

ThumbSize GrayCopySize(int32_t w, int32_t h) {
  return ThumbSize{std::max(RoundEven(w / 20.0), 1), std::max(RoundEven(h / 20.0), 1)};
}

void StripLayout::Restart() {
  RoomLeft = true;
  ExtraHeight = 0;
  FirstRowOpen = true;
}

bool StripLayout::RowFull(const StripGeometry& g) const {
  return g.scrollBarWidth + g.thumbWidth >= g.windowWidth - NextLeft;
}

void StripLayout::BreakRow(int32_t pageNo, const StripGeometry& g, int32_t newLeft) {
  NextLeft = newLeft;
  NextTop += g.RowStep();
  if (FirstRowOpen) {
    PagesPerRow = pageNo;
    FirstRowOpen = false;
  }
}

void StripLayout::PlacedThumb(int32_t width, int32_t pageNo, const StripGeometry& g) {
  NextLeft += width + width / 3;
  if (RowFull(g)) BreakRow(pageNo, g, kFirstLeft);
  if (ForEdition == Edition::kSecond) {
    if (NextTop < g.clientHeight) return;
    RoomLeft = false;
    ExtraHeight += g.RowStep();
    return;
  }
  if (kLabelHeight + g.thumbHeight + NextTop + 5 < g.clientHeight) return;
  RoomLeft = NextTop < g.clientHeight;
  ExtraHeight += g.RowStep();
}

void StripLayout::SkippedThumb(int32_t lastWidth, int32_t pageNo, const StripGeometry& g) {
  NextLeft += lastWidth + lastWidth / 2;
  if (!RowFull(g)) return;
  BreakRow(pageNo, g, kFirstLeft);
  ExtraHeight += g.RowStep();
}

bool StripLayout::PlacedOnDemand(int32_t width, int32_t pageNo, const StripGeometry& g,
                                 int32_t* range) {
  NextLeft += width + width / 2;
  if (RowFull(g)) BreakRow(pageNo, g, 12);
  if (NextTop < g.clientHeight) return true;
  if (ForEdition == Edition::kSecond) {
    ExtraHeight += g.RowStep();
    if (range) *range = ExtraHeight;
  }
  return false;
}

int32_t LastPageOffset(int32_t pageCount, int32_t controls) {
  if (controls <= 0 || pageCount <= 0) return 0;
  return controls * ((pageCount - 1) / controls);
}

ScrollResult ScrollPages(const ScrollInput& in) {
  ScrollResult r;
  r.offset = in.offset;
  const int32_t perRow = std::max(in.pagesPerRow, 1);
  const int32_t last = LastPageOffset(in.pageCount, perRow);
  int32_t next = in.offset;
  switch (in.code) {
    case 0: next = in.offset - perRow; break;
    case 1: next = in.offset + perRow; break;
    case 2: next = in.offset - in.controls; break;
    case 3: next = in.offset + (in.firstHidden >= 0 ? in.firstHidden : in.controls); break;
    case 4: {
      const int32_t rows = in.increment > 0 ? RoundEven(double(in.position) / in.increment) : 0;
      next = rows * perRow;
      r.position = rows * in.increment;
      break;
    }
    default: return r;
  }
  next = std::clamp(next, 0, std::max(last, 0));
  r.refill = next != in.offset;
  r.offset = next;
  return r;
}

int32_t ManyPagesRange(int32_t pageCount, int32_t stripHeight, int32_t stripWidth) {
  if (stripWidth <= 0) return 0;
  return RoundEven(double(pageCount) * stripHeight / stripWidth) * 25;
}

}  // namespace tarnwick
