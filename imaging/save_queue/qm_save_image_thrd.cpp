#include "qm_save_image_thrd.h"

#include <stdexcept>

#include "debug_log.h"

namespace qm {

void ReleasePageBlock(HGLOBAL dib) {
  if (!dib || GlobalSize(dib) <= 1) return;
  while ((GlobalFlags(dib) & GMEM_LOCKCOUNT) != 0 && GlobalUnlock(dib)) {
  }
  GlobalFree(dib);
}

class QmSaveImageThrd::Writer : public SaveJobWriter {
 public:
  explicit Writer(SaveImageFileProc proc) : proc_(proc) {}
  void Write(const TSaveImageJob& job) override {
    if (!proc_) throw std::runtime_error("Could not write Image");
    proc_(job.FileName, reinterpret_cast<HGLOBAL>(job.Dib), job.ColorMode, job.FileKind,
          job.TiffCompression, job.TiffSaveMode, job.TiffPage, job.JpegQuality, job.JpegSmooth,
          job.PngValue, job.Thread, job.ProgressProc);
  }
  void FreeDib(std::uintptr_t dib) override { ReleasePageBlock(reinterpret_cast<HGLOBAL>(dib)); }
  void ReportFailure(const TSaveImageJob& job, const std::string& message) override {
    LogDetailText("QmSaveImageThrd", "page not written", (job.FileName + ": " + message).c_str());
  }

 private:
  SaveImageFileProc proc_;
};

QmSaveImageThrd::QmSaveImageThrd(void* owner, SaveImageFileProc saveImageFile)
    : owner_(owner), writer_(std::make_unique<Writer>(saveImageFile)),
      worker_(std::make_unique<TSaveImages>(*writer_)) {}

QmSaveImageThrd::~QmSaveImageThrd() {
  try {
    worker_->Stop();
    worker_.reset();
  } catch (...) {
    // The component goes away all the same.
  }
}

void QmSaveImageThrd::AddSaveJob(const std::string& FileName, HGLOBAL Dib, uint8_t ColorMode,
                                 uint8_t FileKind, uint8_t TiffCompression, uint8_t TiffSaveMode,
                                 int32_t TiffPage, int32_t JpegQuality, int32_t JpegSmooth,
                                 int16_t PngValue) {
  auto job = std::make_unique<TSaveImageJob>();
  job->FileName = FileName;
  job->Dib = reinterpret_cast<std::uintptr_t>(Dib);
  job->ColorMode = ColorMode;
  job->FileKind = FileKind;
  job->TiffCompression = TiffCompression;
  job->TiffSaveMode = TiffSaveMode;
  job->TiffPage = TiffPage;
  job->JpegQuality = JpegQuality;
  job->JpegSmooth = JpegSmooth;
  job->PngValue = PngValue;
  job->Thread = worker_.get();
  job->ProgressProc = &TSaveImages::ProgressProc;
  worker_->PushJob(std::move(job));
}

int32_t QmSaveImageThrd::Count() { return worker_->JobCount(); }
TQmThreadProgress QmSaveImageThrd::ThreadProgress() { return worker_->ProgressHandler(); }
void QmSaveImageThrd::SetThreadProgress(TQmThreadProgress handler) {
  worker_->SetProgressHandler(std::move(handler));
}
int32_t QmSaveImageThrd::FailedCount() { return worker_->FailedCount(); }
bool QmSaveImageThrd::WaitIdle(std::chrono::milliseconds timeout) {
  return worker_->WaitIdle(timeout);
}

}  // namespace qm
