// The half of the viewer's imaging port that works on page-DIB blocks and files directly with
// global memory and kernel32; the readers and image operations are left to the bindings.
#pragma once
#include <windows.h>

#include <stdexcept>
#include <string>

#include "imaging_port.h"

namespace qm {

// What the viewer raises when a caller gives it something it cannot work with.
class QmViewerError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class DibBlockPort : public ImagingPort {
 public:
  bool FileExists(const std::string& name) override;
  int64_t FileSize(const std::string& name) override;
  DibFacts Facts(DibRef dib) override;
  void SetPixelsPerMetre(DibRef dib, int32_t x, int32_t y) override;
  void InvertPixelRows(DibRef dib, size_t bytes) override;
  size_t PixelBytes(DibRef dib) override;
  DibRef Duplicate(DibRef dib) override;
  void Free(DibRef dib) override;
  int ScreenBitDepth() override;
  void SetOperationText(const std::string& text) override { operation_ = text; }
  std::string OperationText() override { return operation_; }
  [[noreturn]] void Raise(const std::string& message) override { throw QmViewerError(message); }

 private:
  std::string operation_;
};

// Bytes in front of a DIB's pixel rows: the header and its colour table.
size_t DibHeaderBytes(const BITMAPINFOHEADER& h);
// A new movable block holding a byte copy of the given one; 0 for 0 or when memory runs out.
HGLOBAL CopyDibBlock(HGLOBAL dib);

}  // namespace qm
