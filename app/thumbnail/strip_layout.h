// The thumbnail strip's arithmetic: thumbnail sizes, where the next thumbnail goes, when a row
// is full and the visible area has room, and which pages the controls show after a scroll or a
// jump. Platform-free; TKSImageThumbnail applies it to its controls.
#pragma once
#include <cstdint>

#include "edition.h"

namespace tarnwick {

struct ThumbSize {
  int32_t width = 0;
  int32_t height = 0;
  bool Empty() const { return width <= 0 || height <= 0; }
};

// The page fitted into maxWidth x maxHeight, keeping its proportions, rounded halves to even;
// 0 x 0 for a page without width or height.
ThumbSize FitThumbSize(int32_t width, int32_t height, int32_t maxWidth, int32_t maxHeight);
// The gray copy a black-and-white page is thumbnailed from: a twentieth of each side, rounded,
// never below one pixel.
ThumbSize GrayCopySize(int32_t width, int32_t height);

constexpr int32_t kLabelHeight = 34;
constexpr int32_t kLabelGap = 2;
constexpr int32_t kFirstLeft = 5;
constexpr int32_t kFirstTop = 5;

struct StripGeometry {
  int32_t windowWidth = 0;     // the strip's window
  int32_t clientHeight = 0;
  int32_t scrollBarWidth = 0;  // the system's vertical scroll bar
  int32_t thumbWidth = 60;     // ThumbnailWidth
  int32_t thumbHeight = 60;    // ThumbnailHeight
  int32_t RowStep() const { return kLabelHeight + thumbHeight + 5; }
};

struct StripLayout {
  Edition ForEdition = kBuiltEdition;
  int32_t NextLeft = kFirstLeft;
  int32_t NextTop = kFirstTop;
  bool RoomLeft = true;
  int32_t ExtraHeight = 0;
  int32_t PagesPerRow = 0;
  bool FirstRowOpen = true;

  bool AtBatchStart() const { return NextLeft == kFirstLeft && NextTop == kFirstTop; }
  void Restart();  // a new batch: room, no extra rows, the first row open
  bool RowFull(const StripGeometry& g) const;
  // A thumbnail `width` wide was made at (NextLeft, NextTop) for pageNo. The first edition keeps
  // room while one more row would fit; the second while NextTop is above the client height.
  void PlacedThumb(int32_t width, int32_t pageNo, const StripGeometry& g);
  // No room was left: the page only advances the position, by 1.5 times the last width.
  void SkippedThumb(int32_t lastWidth, int32_t pageNo, const StripGeometry& g);
  // A thumbnail built on demand; true while NextTop is still above the client height. When it
  // is not, the second edition adds a row to ExtraHeight and sets *range to it (the strip's
  // vertical range); *range is left alone otherwise.
  bool PlacedOnDemand(int32_t width, int32_t pageNo, const StripGeometry& g,
                      int32_t* range = nullptr);

 private:
  void BreakRow(int32_t pageNo, const StripGeometry& g, int32_t newLeft);
};

// The page offset that shows the last page with n controls: n x ((pageCount - 1) div n).
int32_t LastPageOffset(int32_t pageCount, int32_t controls);

struct ScrollInput {
  int code = 0;              // SB_LINEUP 0 .. SB_THUMBPOSITION 4; other codes move nothing
  int32_t position = 0;      // the thumb position of code 4
  int32_t increment = 99;
  int32_t offset = 0;        // PageOffset
  int32_t pagesPerRow = 0;
  int32_t controls = 0;
  int32_t firstHidden = -1;  // index of the first hidden control, -1 for none
  int32_t pageCount = 0;
};

struct ScrollResult {
  bool refill = false;       // the controls show other pages
  int32_t offset = 0;
  int32_t position = -1;     // the scroll position to set (code 4), -1 to leave it
};

// The offset stays within 0 and the row that holds the last page, so a scroll never leaves
// every control empty.
ScrollResult ScrollPages(const ScrollInput& in);

// The vertical range of a strip of many pages: round(pageCount x height / width) x 25; 0 (keep
// the range) for a strip without width.
int32_t ManyPagesRange(int32_t pageCount, int32_t stripHeight, int32_t stripWidth);

}  // namespace tarnwick
