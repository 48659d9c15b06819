#include "viewer_mouse.h"

#include <cmath>

namespace qm {

namespace {
constexpr unsigned kLButtonDown = 0x201, kLButtonUp = 0x202,
                   kRButtonDown = 0x204, kRButtonUp = 0x205;
}  // namespace

const char* CursorResourceName(int index) {
  switch (index) {
    case kGrabHandCursor: return "GRABHAND";
    case kRubberBandCursor: return "RUBBAND";
    case kAnnotationsCursor: return "ANNO";
    case kZoomInCursor: return "ZOOMIN";
    case kZoomOutCursor: return "ZOOMOUT";
    default: return nullptr;
  }
}

ModeCursor ModeCursorFor(TControlMode mode) {
  switch (mode) {
    case TControlMode::cmNone: return {0, true};
    case TControlMode::cmMagnify: return {0, false};
    case TControlMode::cmPanning: return {kGrabHandCursor, true};
    case TControlMode::cmRubberBand:
    case TControlMode::cmZoomRubberBand: return {kRubberBandCursor, true};
    case TControlMode::cmAnnotationEdit: return {kAnnotationsCursor, false};
    case TControlMode::cmZoomIn: return {kZoomInCursor, false};
    case TControlMode::cmZoomOut: return {kZoomOutCursor, false};
  }
  return {};
}

int BandQuadrant(int32_t dx, int32_t dy) {
  int q = 0;
  if (dx >= 0 && dy <= 0) q = 1;
  if (dx <= 0 && dy <= 0) q = 2;
  if (dx <= 0 && dy >= 0) q = 3;
  if (dx >= 0 && dy >= 0) q = 4;
  return q;
}

std::optional<QmPoint> ZoomBandEnd(QmPoint start, QmPoint pointer, QmSize box) {
  // A box cleared while the band is drawn has no proportions to keep.
  if (box.width <= 0 || box.height <= 0) return std::nullopt;
  double dx = double(pointer.x) - start.x, dy = double(pointer.y) - start.y;
  double r = double(box.height) / double(box.width);
  double w = std::fabs(std::sqrt(dx * dx + dy * dy) / std::sqrt(r * r + 1.0));
  double v = w * r;
  switch (BandQuadrant(pointer.x - start.x, pointer.y - start.y)) {
    case 1: v = -v; break;
    case 2: w = -w; v = -v; break;
    case 3: w = -w; break;
    default: break;
  }
  return QmPoint{TruncToInt(start.x + w), TruncToInt(start.y + v)};
}

ScrollPositions PanPositions(QmPoint panStart, QmPoint pointerClient) {
  return {panStart.x - pointerClient.x, panStart.y - pointerClient.y};
}

SourceRect MagnifierSource(QmPoint p, const MagnifierSettings& m, bool grayCopy,
                           float scalePercent, int32_t h) {
  double mag = m.scale / 100.0;
  double s = double(scalePercent) / 100.0;
  double sx = double(p.x) - m.xOffset, sy = double(p.y) - m.yOffset;
  double bottom = double(h) - sy - m.height / mag;
  if (grayCopy)
    return {TruncToInt(sx), TruncToInt(bottom), TruncToInt(m.width / mag), TruncToInt(m.height / mag)};
  return {TruncToInt(sx / s), TruncToInt(bottom / s), TruncToInt(m.width / mag / s),
          TruncToInt(m.height / mag / s)};
}

bool MagnifierOutside(QmPoint p, QmSize box) { return p.x > box.width || p.y > box.height; }

ClientRect MagnifierClientRect(QmPoint p, const MagnifierSettings& m, QmPoint origin) {
  return {p.x + origin.x, p.y + origin.y, p.x + m.width + origin.x, p.y + m.height + origin.y};
}

ViewerMouse::Press ViewerMouse::MouseDown(TControlMode mode, TMouseButton bandButton, int button,
                                          QmPoint p) {
  rightBand_ = false;
  drag_ = false;
  switch (mode) {
    case TControlMode::cmPanning:
      if (button != kButtonLeft) return {};
      drag_ = true;
      panActive_ = true;
      panStart_ = p;
      return {PressAction::kPan};
    case TControlMode::cmRubberBand:
    case TControlMode::cmZoomRubberBand:
      if (button == kButtonRight && bandButton == TMouseButton::mbRight) {
        rightBand_ = true;
      } else if (button == kButtonLeft && bandButton == TMouseButton::mbLeft) {
        drag_ = true;
      } else {
        return {};
      }
      band_ = {p, p};
      return {PressAction::kBand};
    case TControlMode::cmAnnotationEdit:
      return {PressAction::kAnnotation, AnnotationDownMessage(button)};
    case TControlMode::cmZoomIn:
      return {button == kButtonLeft ? PressAction::kZoomIn : PressAction::kNone};
    case TControlMode::cmZoomOut:
      return {button == kButtonLeft ? PressAction::kZoomOut : PressAction::kNone};
    default:
      return {};
  }
}

bool ViewerMouse::MoveBand(TControlMode mode, QmPoint p, QmSize paintBox) {
  if (!BandActive()) return false;
  if (mode == TControlMode::cmRubberBand) {
    band_.end = p;
    return true;
  }
  if (mode != TControlMode::cmZoomRubberBand) return false;
  auto end = ZoomBandEnd(band_.start, p, paintBox);
  if (!end) return false;
  band_.end = *end;
  return true;
}

std::optional<ScrollPositions> ViewerMouse::MovePan(QmPoint pointerClient,
                                                    ScrollPositions now) const {
  if (!Panning() || now.horizontal < 0 || now.vertical < 0) return std::nullopt;
  return PanPositions(panStart_, pointerClient);
}

std::optional<QmBand> ViewerMouse::MouseUp(TControlMode mode, int button, QmPoint p) {
  if (mode == TControlMode::cmPanning) {
    drag_ = false;
    panActive_ = false;
    panStart_ = p;
    return std::nullopt;
  }
  if (mode != TControlMode::cmRubberBand && mode != TControlMode::cmZoomRubberBand)
    return std::nullopt;
  if (button == kButtonRight && rightBand_) {
    rightBand_ = false;
    return band_;
  }
  if (button == kButtonLeft && drag_) {
    drag_ = false;
    return band_;
  }
  return std::nullopt;
}

unsigned ViewerMouse::AnnotationDownMessage(int button) {
  return button == kButtonRight ? kRButtonDown : kLButtonDown;
}

unsigned ViewerMouse::AnnotationUpMessage(int button) {
  return button == kButtonLeft ? kLButtonUp : kRButtonUp;
}

}  // namespace qm
