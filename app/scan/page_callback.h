// AcquirePageCallback: the page callback the scan loop hands to ZebAcquire. Each finished page
// DIB is taken over, named, shown, thumbnailed and saved down exactly one branch; nothing is
// thrown back into the scan library, and no page block is left held when the callback returns.
// The second edition previews every page, reads only the resolution of the driver window after
// the preview and the thumbnail, sends pages of every depth to the PDF writer and the queue
// (converted to a depth they take, or refused with one message a run), lists no saved page
// file, and answers an empty page with 0. A page file written at once is thumbnailed after it is
// on disk; a page that cannot be written is not counted and stops the scan (PageWriteError).
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "driver_window_settings.h"
#include "edition.h"
#include "page_target.h"
#include "page_write_error.h"

namespace tarnwick {

// The settings a page reads.
struct PageSettings {
  int SaveFormat = 9;
  int ImageType = 0;
  bool DontSaveImage = false;
  bool ShowUI = false;
  bool FitToPage = true;
  bool ThumbnailShow = false;  // "ThumnailShow": on hides the strip
  int JpegQuality = 75;
  int JpegSmooth = 0;
};

// The scan run's state that the callback reads and advances.
struct PageRun {
  int Counter = 0;
  std::string LastFile;
  int Dpi = 200;
  std::string BatchFolder;
  std::string OutputDocument;  // in the document modes: the file the pages go into
  bool PdfMode = false;
  bool MultipageMode = false;
  bool DocumentListed = false;  // the document's name is in the file list
  bool DepthRefusalShown = false;  // a page of a depth no writer takes was reported this run
  // A page could not be written: it is not counted, and the scan was told to stop.
  bool WriteFailed = false;
  bool DiskFull = false;
  std::string FailedFile;
};

// Where the pages go in the main window. Each may raise; the callback shows the error's text.
class PageReceivers {
 public:
  virtual ~PageReceivers() = default;
  virtual DriverWindowSettings DriverWindow(int passDpi) = 0;
  // The viewer shows its own copy of the page.
  virtual void ShowPage(HGLOBAL page) = 0;
  virtual void Zoom(bool fitToPage) = 0;
  // ThumbnailShow on: the strip is hidden; off: shown, and the page is added (the strip keeps
  // no reference to the block).
  virtual void LayOutStrip(bool hideStrip) = 0;
  virtual void AddThumbnail(HGLOBAL page, const std::string& fileName, int pageNo) = 0;
  // Takes the block over, also when it raises. A page the document did not take raises
  // PageWriteError, the document keeping the pages before it.
  virtual void AddPdfPage(const std::string& document, int pageNo, HGLOBAL page, int dpi,
                          int imageType) = 0;
  // Converts the page and writes it now; the caller keeps and frees the block. A write that
  // fails raises PageWriteError, with no part of the page left on disk.
  virtual void WritePageFile(HGLOBAL page, const PageTarget& target, bool jpeg, int dpi,
                             int jpegQuality) = 0;
  // Takes the block over.
  virtual void QueuePage(const std::string& fileName, HGLOBAL page, int kind, int jpegQuality,
                         int jpegSmooth) = 0;
  virtual void AddToFileList(const std::string& fileName) = 0;
  virtual void ShowError(const std::string& text) = 0;
};

// Gives a page block of any size back.
void FreePageBlock(std::uintptr_t block);

class PageCallback {
 public:
  using FreeProc = void (*)(std::uintptr_t block);
  PageCallback(PageReceivers& receivers, PageRun& run, const PageSettings& settings,
               FreeProc freeBlock = FreePageBlock, Edition edition = kBuiltEdition)
      : receivers_(receivers), run_(run), settings_(settings), free_(freeBlock),
        edition_(edition) {}

  // The contract of the scan library's page procedure; never raises.
  int32_t OnEvent(void* data, uint32_t* size, int32_t event) noexcept;

 private:
  int32_t PageDone(HGLOBAL page);
  // The page just counted was not written: uncounted, noted for the run, and the scan stops.
  int32_t WriteFailed(const PageWriteError& e, const std::string& lastFileBefore);
  // The answer to a page that cannot be read: -1; the second edition answers 0.
  int32_t RefusedAnswer() const { return edition_ == Edition::kSecond ? 0 : -1; }
  template <class Step> void Shown(Step step);

  PageReceivers& receivers_;
  PageRun& run_;
  PageSettings settings_;
  FreeProc free_;
  Edition edition_;
};

// The callback ZebAcquire gets: passes each event to the page callback of the scan running now.
// With none running a page is freed and refused.
int32_t __stdcall AcquirePageCallback(void* data, uint32_t* size, int32_t event);

// Makes `callback` the one AcquirePageCallback serves while the scope lasts.
class CurrentPageCallback {
 public:
  explicit CurrentPageCallback(PageCallback& callback);
  ~CurrentPageCallback();
  CurrentPageCallback(const CurrentPageCallback&) = delete;
  CurrentPageCallback& operator=(const CurrentPageCallback&) = delete;

 private:
  PageCallback* previous_;
};

}  // namespace tarnwick
