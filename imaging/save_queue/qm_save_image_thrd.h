// QmSaveImageThrd: the background save queue the main window owns. AddSaveJob hands a page DIB
// and its file name over and returns at once; the worker writes the pages in queue order
// through the save dispatcher and frees each block, whether the write worked or not.
#pragma once
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "save_images.h"

namespace qm {

// The save dispatcher's shape: raises on every failure.
using SaveImageFileProc = void (*)(const std::string& fileName, HGLOBAL dib, uint8_t colorMode,
                                   uint8_t fileKind, uint8_t tiffCompression, uint8_t tiffSaveMode,
                                   int32_t tiffPage, int32_t jpegQuality, int32_t jpegSmooth,
                                   int16_t pngValue, void* sender, SaveProgressProc progress);

// Gives a page DIB block back: fully unlocked and freed when it is more than one byte.
void ReleasePageBlock(HGLOBAL dib);

class QmSaveImageThrd {
 public:
  // Writes through the imaging library's save dispatcher.
  explicit QmSaveImageThrd(void* owner);
  QmSaveImageThrd(void* owner, SaveImageFileProc saveImageFile);
  // Writes every job still waiting, then ends the worker.
  ~QmSaveImageThrd();
  QmSaveImageThrd(const QmSaveImageThrd&) = delete;
  QmSaveImageThrd& operator=(const QmSaveImageThrd&) = delete;

  // Takes the block over.
  void AddSaveJob(const std::string& FileName, HGLOBAL Dib, uint8_t ColorMode, uint8_t FileKind,
                  uint8_t TiffCompression, uint8_t TiffSaveMode, int32_t TiffPage,
                  int32_t JpegQuality, int32_t JpegSmooth, int16_t PngValue);
  int32_t Count();
  TQmThreadProgress ThreadProgress();
  void SetThreadProgress(TQmThreadProgress handler);
  // Kept for stored forms; the worker runs wherever the system puts it.
  void SetThreadIdealProcessor(int32_t value) { threadIdealProcessor_ = value; }
  int32_t ThreadIdealProcessor() const { return threadIdealProcessor_; }

  int32_t FailedCount();
  bool WaitIdle(std::chrono::milliseconds timeout);
  TSaveImages& Worker() { return *worker_; }
  void* Owner() const { return owner_; }

 private:
  class Writer;
  void* owner_;
  std::unique_ptr<Writer> writer_;
  std::unique_ptr<TSaveImages> worker_;
  int32_t threadIdealProcessor_ = 1;
};

}  // namespace qm
