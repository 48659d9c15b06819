// QmViewerDocument's image edits: rotation, mirroring, inversion, skew measurement and
// deskewing, and a pasted page. Each redoes the layout, which rebuilds the gray display copy.
#include <algorithm>

#include "viewer_document.h"

namespace qm {

void QmViewerDocument::RotateBy(uint32_t fill, double angle) {
  if (!dib_) port_.Raise("Input image is empty");
  port_.SetOperationText("Rotating Image ");
  ReportProgress(0);
  DibRef rotated = port_.Rotate(dib_, fill, angle);
  ReportProgress(100);
  // A rotation the library could not do leaves the page as it was.
  if (rotated) {
    TakeDib(rotated);
    FreeGray();
  }
  Relayout();
}

void QmViewerDocument::MirrorBy(int first, int second) {
  if (!dib_) port_.Raise("Input image is empty");
  port_.SetOperationText("Mirroring Image ");
  ReportProgress(0);
  if (DibRef mirrored = port_.Mirror(dib_, first, second)) {
    TakeDib(mirrored);
    FreeGray();
  }
  ReportProgress(100);
  Relayout();
}

void QmViewerDocument::InvertColors() {
  if (!dib_) port_.Raise("Input image is empty");
  port_.SetOperationText("Inverting Image");
  ReportProgress(0);
  DibFacts f = port_.Facts(dib_);
  if (f.bitCount == 1) {
    // A top-down page has a negative height: its rows are counted the same.
    size_t rows = size_t(f.height < 0 ? -int64_t(f.height) : int64_t(f.height));
    size_t bytes = (size_t(uint32_t(f.width)) + 31) / 32 * 4 * rows;
    port_.InvertPixelRows(dib_, std::min(bytes, port_.PixelBytes(dib_)));
  } else {
    port_.Invert(dib_);
  }
  ReportProgress(100);
  FreeGray();
  Relayout();
}

double QmViewerDocument::MeasureSkew(const DeskewSettings& s) {
  if (!dib_) port_.Raise("Input image is empty");
  port_.SetOperationText("Deskewing Image ");
  ReportProgress(0);
  double angle = port_.MeasureSkew(dib_, s.subsampling, s.grayValue, s.range, s.angleResolution,
                                   s.lineResolution);
  ReportProgress(100);
  return angle;
}

void QmViewerDocument::Deskew(int16_t background, const DeskewSettings& s) {
  if (!dib_) port_.Raise("Input image is empty");
  RotateBy(background == 1 ? 0x000000u : 0xFFFFFFu, -MeasureSkew(s));
}

void QmViewerDocument::ShowPastedDib(DibRef block) {
  FreeGray();
  TakeDib(block);
  DibFacts f = dib_ ? port_.Facts(dib_) : DibFacts{};
  imageSize_ = {f.width, f.height < 0 ? -f.height : f.height};
  Relayout();
  host_.Repaint();
}

}  // namespace qm
