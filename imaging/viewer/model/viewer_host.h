// What the viewer's logic tells its window: events (the window fires them with itself as
// sender), the paint-box layout, the control's own size and repainting.
#pragma once
#include <cstdint>
#include <string>

#include "viewer_geometry.h"
#include "viewer_types.h"

namespace qm {

class ViewerHost {
 public:
  virtual ~ViewerHost() = default;
  // OnProgress; answers True when the handler asked to cancel (False without a handler).
  virtual bool Progress(int16_t progress, const std::string& text) = 0;
  virtual void Info(const InfoReport& info) = 0;
  virtual bool Tag(const TiffTagRecord& tag) = 0;  // True: the handler asked to cancel
  virtual void FinishedLoadSave() = 0;
  virtual void ShowDibBetweenScan() = 0;
  // OnScanFileName; answers False when no handler is assigned.
  virtual bool ScanFileNameHandler(std::string& fileName, int16_t& scanPage) = 0;
  // Size the paint box, update the scroll bars and repaint.
  virtual void ApplyLayout(QmSize paintBox) = 0;
  virtual void SetControlSize(QmSize size) = 0;  // AutoSize
  virtual QmSize OuterSize() = 0;
  virtual void Repaint() = 0;
  // A page left the current TIFF, or one was inserted into the file saved to: the annotation
  // layer keeps its pages in step. Nothing by default.
  virtual void PageDeleted(int16_t page) {}
  virtual void PageInserted(int16_t page) {}
  // OnPictorelError with the library's last failure; False when no handler is assigned, and the
  // failure is then raised.
  virtual bool DllErrorHandled(int16_t code, const std::string& text) { return false; }
};

}  // namespace qm
