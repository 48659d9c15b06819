// QmDocumentImage's mouse modes: the mode cursors, pan, magnifier, the rubber bands and the
// zoom clicks. The decisions are ViewerMouse's; this file draws and moves what they say.
#include <cstdlib>

#include "dib_block_port.h"
#include "qm_document_image.h"
#include "qm_screen_cursors.h"

namespace qm {

namespace {
constexpr int kFirstModeCursor = kGrabHandCursor;
}  // namespace

void QmDocumentImage::ConstructMouseModes() {
  HINSTANCE program = GetModuleHandleA(nullptr);
  for (int slot = 0; slot < 5; ++slot) {
    int index = kFirstModeCursor + slot;
    modeCursors_[slot] = LoadCursorA(program, CursorResourceName(index));
    SetScreenCursor(index, modeCursors_[slot]);
  }
  magnifierRegion_ = CreateRectRgn(0, 0, 0, 0);
}

void QmDocumentImage::DestroyMouseModes() {
  if (magnifier_) DeleteObject(magnifier_);
  if (magnifierRegion_) DeleteObject(magnifierRegion_);
  magnifier_ = nullptr;
  magnifierRegion_ = nullptr;
}

HCURSOR QmDocumentImage::ModeCursorHandle(int index) const {
  int slot = index - kFirstModeCursor;
  return slot >= 0 && slot < 5 ? modeCursors_[slot] : nullptr;
}

void QmDocumentImage::SetModeCursorIndex(int slot, int16_t index) {
  if (cursorIndexes_[slot] == index) return;
  cursorIndexes_[slot] = index;
  SetScreenCursor(index, modeCursors_[slot]);
}

void QmDocumentImage::SetControlMode(TControlMode mode) {
  if (mode == settings_.ControlMode) return;
  settings_.ControlMode = mode;
  ModeCursor m = ModeCursorFor(mode);
  if (m.controlCursor != 0) {
    HCURSOR shown = ModeCursorHandle(m.controlCursor);
    HCURSOR previous = ::SetCursor(shown);
    if (!cursorSaved_) {
      savedCursor_ = previous;
      cursorSaved_ = true;
    }
  } else if (cursorSaved_) {
    ::SetCursor(savedCursor_);
  }
  // The fixed indexes, whatever the cursor properties hold.
  SetControlCursor(m.controlCursor);
  paint_.SetControlCursor(m.controlCursor);
  // Removes a magnifier left on the page.
  if (HandleAllocated())
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  // The annotation engine has the mouse in its own mode only.
  annotations_.SetEditMode(mode == TControlMode::cmAnnotationEdit);
  if (m.annotationBandOff) annotations_.RubberBandOff();
}

void QmDocumentImage::ScrollMessageHandled(TScrollBarKind kind) {
  if (kind == TScrollBarKind::sbHorizontal) OnHScrollBarClick(this);
  else OnVScrollBarClick(this);
}

void QmDocumentImage::ModeMouseDown(int button, WPARAM, int32_t x, int32_t y) {
  TControlMode mode = settings_.ControlMode;
  auto press = mouse_.MouseDown(mode, settings_.RubberBandBtn, button, {x, y});
  // Presses in the annotation edit mode reach the layer with every mouse message.
  switch (press.action) {
    case ViewerMouse::PressAction::kZoomIn:
    case ViewerMouse::PressAction::kZoomOut: {
      HCURSOR before = ::SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
      float step = press.action == ViewerMouse::PressAction::kZoomIn ? 1.0f : -1.0f;
      SetScalePercent(ScalePercent() + step);
      ::SetCursor(before);
      break;
    }
    default:
      break;
  }
}

void QmDocumentImage::ModeMouseMove(WPARAM, int32_t x, int32_t y) {
  TControlMode mode = settings_.ControlMode;
  switch (mode) {
    case TControlMode::cmMagnify:
      ShowMagnifier(x, y);
      break;
    case TControlMode::cmPanning: {
      ScrollPositions now{HorzScrollBar().Position(), VertScrollBar().Position()};
      if (auto to = mouse_.MovePan(ToClient(x, y), now)) {
        HorzScrollBar().SetPosition(to->horizontal);
        VertScrollBar().SetPosition(to->vertical);
      }
      break;
    }
    case TControlMode::cmRubberBand:
    case TControlMode::cmZoomRubberBand: {
      QmBand old = mouse_.Band();
      if (mouse_.MoveBand(mode, {x, y}, {paint_.Width(), paint_.Height()})) {
        DrawBand(old);
        DrawBand(mouse_.Band());
      }
      break;
    }
    default:
      break;
  }
}

void QmDocumentImage::ModeMouseUp(int button, WPARAM keys, int32_t x, int32_t y) {
  TControlMode mode = settings_.ControlMode;
  if (auto band = mouse_.MouseUp(mode, button, {x, y})) {
    DrawBand(*band);
    OnRubberband(this, button, keys, band->start.x, band->start.y, band->end.x, band->end.y);
  }
}

void QmDocumentImage::DrawBand(const QmBand& b) {
  HDC dc = paint_.GetCanvas();
  if (!dc) return;
  // Drawn twice, the band is gone: that is how it is erased.
  int previous = SetROP2(dc, R2_NOT);
  MoveToEx(dc, b.start.x, b.start.y, nullptr);
  LineTo(dc, b.start.x, b.end.y);
  LineTo(dc, b.end.x, b.end.y);
  LineTo(dc, b.end.x, b.start.y);
  LineTo(dc, b.start.x, b.start.y);
  SetROP2(dc, previous);
  paint_.ReleaseCanvas(dc);
}

void QmDocumentImage::ShowMagnifier(int32_t x, int32_t y) {
  const ViewerSettings& s = settings_;
  MagnifierSettings m{s.MagnifyWidth, s.MagnifyHeight, s.MagnifyXOffset, s.MagnifyYOffset,
                      s.MagnifyScale()};
  bool showInternal = true;
  QmSize box{paint_.Width(), paint_.Height()};
  HGLOBAL source = reinterpret_cast<HGLOBAL>(doc_.GrayShown() ? doc_.GrayCopy() : doc_.Dib());
  if (MagnifierOutside({x, y}, box) || !source || m.width <= 0 || m.height <= 0) {
    OnMagnify(this, nullptr, showInternal, x, y, x + m.width, y + m.height);
    return;
  }
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  if (!magnifier_ || magnifierSize_ != QmSize{m.width, m.height}) {
    if (magnifier_) DeleteObject(magnifier_);
    magnifier_ = CreateCompatibleBitmap(screen, m.width, m.height);
    magnifierSize_ = {m.width, m.height};
  }
  ReleaseDC(nullptr, screen);
  HGDIOBJ before = SelectObject(memory, magnifier_);
  RECT all{0, 0, m.width, m.height};
  HBRUSH ground = CreateSolidBrush(ColorToRgb(Color()));
  FillRect(memory, &all, ground);
  DeleteObject(ground);
  if (auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(source))) {
    const uint8_t* bits = reinterpret_cast<const uint8_t*>(header) + DibHeaderBytes(*header);
    HPALETTE palette = PaletteFor(source, header);
    HPALETTE previous = nullptr;
    if (palette) {
      previous = SelectPalette(memory, palette, FALSE);
      RealizePalette(memory);
    }
    SetStretchBltMode(memory, COLORONCOLOR);
    SourceRect r = MagnifierSource({x, y}, m, doc_.GrayShown(), ScalePercent(), box.height);
    StretchDIBits(memory, 0, 0, m.width, m.height, r.x, r.y, r.width, r.height, bits,
                  reinterpret_cast<BITMAPINFO*>(header), DIB_RGB_COLORS, SRCCOPY);
    if (palette) SelectPalette(memory, previous, FALSE);
    GlobalUnlock(source);
  }
  // The handler may draw the bitmap itself: it is not held by our context meanwhile.
  SelectObject(memory, before);
  OnMagnify(this, magnifier_, showInternal, x, y, x + m.width, y + m.height);
  if (showInternal && magnifier_) {
    ClientRect c = MagnifierClientRect({x, y}, m, {paint_.Left(), paint_.Top()});
    HRGN now = CreateRectRgn(c.left, c.top, c.right, c.bottom);
    HRGN uncovered = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(uncovered, magnifierRegion_, now, RGN_DIFF);
    if (HandleAllocated())
      RedrawWindow(Handle(), nullptr, uncovered, RDW_INVALIDATE | RDW_ALLCHILDREN);
    DeleteObject(uncovered);
    DeleteObject(magnifierRegion_);
    magnifierRegion_ = now;
    before = SelectObject(memory, magnifier_);
    if (HDC dc = paint_.GetCanvas()) {
      BitBlt(dc, x, y, m.width, m.height, memory, 0, 0, SRCCOPY);
      paint_.ReleaseCanvas(dc);
    }
    SelectObject(memory, before);
  }
  DeleteDC(memory);
}

}  // namespace qm
