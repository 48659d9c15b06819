// The viewer's mouse modes without a window: what a press, a move and a release do in each
// ControlMode, the rubber band and its zoom-band proportions, the pan's scroll positions, the
// magnifier's source and screen rectangles, and the cursor each mode shows. Points are paint-box
// coordinates unless a name says client (the viewer's client area).
#pragma once
#include <cstdint>
#include <optional>

#include "viewer_geometry.h"
#include "viewer_types.h"

namespace qm {

struct QmPoint {
  int32_t x = 0, y = 0;
  bool operator==(const QmPoint&) const = default;
};

struct QmBand {
  QmPoint start, end;
  bool operator==(const QmBand&) const = default;
};

// Mouse buttons as the control layer reports them.
enum QmButton : int { kButtonLeft = 0, kButtonRight = 1, kButtonMiddle = 2 };

// Screen-cursor indexes of the mode cursors and the resources they are loaded from.
constexpr int kGrabHandCursor = 5, kRubberBandCursor = 6, kAnnotationsCursor = 7,
              kZoomInCursor = 8, kZoomOutCursor = 9;
const char* CursorResourceName(int index);  // nullptr outside 5..9

// What setting a ControlMode does besides storing it.
struct ModeCursor {
  int controlCursor = 0;  // 0: the ordinary arrow, and the saved system cursor comes back
  bool annotationBandOff = false;
};
ModeCursor ModeCursorFor(TControlMode mode);

// Zoom band: quadrant 1 (right and up) .. 4 (right and down), the last matching test winning.
int BandQuadrant(int32_t dx, int32_t dy);
// The band's end for the pointer: the diagonal as long as the pointer's distance from the start,
// the proportions those of the paint box. Nothing for a box without width or height.
std::optional<QmPoint> ZoomBandEnd(QmPoint start, QmPoint pointer, QmSize paintBox);

// Scroll positions that keep the grabbed point (pan start, paint-box coordinates at the press)
// under the pointer (client coordinates now).
struct ScrollPositions {
  int32_t horizontal = 0, vertical = 0;
  bool operator==(const ScrollPositions&) const = default;
};
ScrollPositions PanPositions(QmPoint panStart, QmPoint pointerClient);

struct MagnifierSettings {
  int32_t width = 200, height = 100;    // MagnifyWidth, MagnifyHeight
  int32_t xOffset = 2, yOffset = 2;      // MagnifyXOffset, MagnifyYOffset
  int32_t scale = 200;                   // MagnifyScale, percent
};
// Source rectangle for StretchDIBits, rows counted from the bottom of the source: the gray copy
// is at display scale, the DIB at scalePercent.
struct SourceRect {
  int32_t x = 0, y = 0, width = 0, height = 0;
  bool operator==(const SourceRect&) const = default;
};
SourceRect MagnifierSource(QmPoint pointer, const MagnifierSettings& m, bool grayCopy,
                           float scalePercent, int32_t paintBoxHeight);
// The pointer lies outside the image (right of or below the paint box).
bool MagnifierOutside(QmPoint pointer, QmSize paintBox);
// The magnifier's rectangle in client coordinates: left, top, right, bottom.
struct ClientRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const ClientRect&) const = default;
};
ClientRect MagnifierClientRect(QmPoint pointer, const MagnifierSettings& m, QmPoint paintBoxOrigin);

// A press, move and release in the current mode: the band and pan state between them.
class ViewerMouse {
 public:
  enum class PressAction { kNone, kPan, kBand, kAnnotation, kZoomIn, kZoomOut };
  struct Press {
    PressAction action = PressAction::kNone;
    unsigned annotationMessage = 0;  // WM_LBUTTONDOWN or WM_RBUTTONDOWN for the annotation layer
  };
  Press MouseDown(TControlMode mode, TMouseButton bandButton, int button, QmPoint p);

  // A band in progress (either button).
  bool BandActive() const { return rightBand_ || drag_; }
  bool Panning() const { return drag_ && panActive_; }
  const QmBand& Band() const { return band_; }
  // Moves the band's end; False (nothing to redraw) when no band is in progress, or when the
  // zoom band has no box to take its proportions from.
  bool MoveBand(TControlMode mode, QmPoint p, QmSize paintBox);
  // New scroll positions while a pan is in progress and both positions are at least 0.
  std::optional<ScrollPositions> MovePan(QmPoint pointerClient, ScrollPositions now) const;

  // The band to report (and erase) when this release ends one; annotation releases are the
  // window's (WM_LBUTTONUP for the left button, WM_RBUTTONUP for any other).
  std::optional<QmBand> MouseUp(TControlMode mode, int button, QmPoint p);
  static unsigned AnnotationUpMessage(int button);
  static constexpr unsigned kAnnotationMoveMessage = 0x200;  // WM_MOUSEMOVE
  static unsigned AnnotationDownMessage(int button);

 private:
  QmBand band_;
  bool rightBand_ = false;
  bool drag_ = false;
  QmPoint panStart_;
  bool panActive_ = false;
};

}  // namespace qm
