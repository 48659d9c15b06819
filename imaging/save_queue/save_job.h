// One queued page save: what SaveImageFile needs, in its argument order.
#pragma once
#include <cstdint>
#include <string>

#if defined(_WIN32)
#define QM_CDECL __cdecl
#else
#define QM_CDECL
#endif

namespace qm {

class TSaveImages;

// The writers' progress callback: a progress value and the job's worker as data; answers 0 to
// cancel the write.
using SaveProgressProc = int16_t(QM_CDECL*)(int16_t progress, void* data);

struct TSaveImageJob {
  std::string FileName;
  std::uintptr_t Dib = 0;  // the page DIB's global handle; the queue owns it
  uint8_t ColorMode = 6;
  uint8_t FileKind = 0;
  uint8_t TiffCompression = 0;
  uint8_t TiffSaveMode = 0;
  int32_t TiffPage = 0;
  int32_t JpegQuality = 0;
  int32_t JpegSmooth = 0;
  int16_t PngValue = 0;
  TSaveImages* Thread = nullptr;
  SaveProgressProc ProgressProc = nullptr;
};

// Where the worker's jobs go: the save dispatcher and the block release in the program, fakes in
// tests. Write throws on failure; ReportFailure is told of every job that failed.
class SaveJobWriter {
 public:
  virtual ~SaveJobWriter() = default;
  virtual void Write(const TSaveImageJob& job) = 0;
  virtual void FreeDib(std::uintptr_t dib) = 0;
  virtual void ReportFailure(const TSaveImageJob& job, const std::string& message) = 0;
};

}  // namespace qm
