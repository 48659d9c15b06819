#include "page_callback.h"

#include <algorithm>
#include <cstring>
#include <vector>
#include <exception>

#include "dib_layout.h"
#include "held_page.h"
#include "page_depth.h"
#include "page_depth_block.h"
#include "resource_texts.h"
#include "save_branch.h"

namespace tarnwick {

namespace {

PageCallback* g_current = nullptr;

constexpr int32_t kPageDone = 1;
// The answer that ends the scan after a page that could not be written: the driver feeds no
// further sheet.
constexpr int32_t kStopScan = -1;

struct PageHeader {
  int Bits = -1;       // -1: no DIB header in the block
  bool Sound = false;  // the whole image lies in the block, in a layout the writers read
};

PageHeader ReadPageHeader(HGLOBAL page) {
  PageHeader h;
  const SIZE_T bytes = GlobalSize(page);
  const auto* block = static_cast<const uint8_t*>(GlobalLock(page));
  if (!block) return h;
  if (bytes >= sizeof(BITMAPINFOHEADER)) {
    const auto* bih = reinterpret_cast<const BITMAPINFOHEADER*>(block);
    if (bih->biSize >= sizeof(BITMAPINFOHEADER)) h.Bits = bih->biBitCount;
    imagecore::DibLayout layout;
    h.Sound = imagecore::ParseDibLayout(block, bytes, layout) == imagecore::kOk;
  }
  GlobalUnlock(page);
  return h;
}

}  // namespace

void FreePageBlock(std::uintptr_t block) {
  HGLOBAL h = reinterpret_cast<HGLOBAL>(block);
  if (!h) return;
  for (int i = 0; i < 256 && (GlobalFlags(h) & GMEM_LOCKCOUNT) != 0; ++i) GlobalUnlock(h);
  GlobalFree(h);
}

template <class Step>
void PageCallback::Shown(Step step) {
  try {
    step();
  } catch (const PageWriteError&) {
    throw;  // not a step's failure to show and pass over: the page is lost unless handled
  } catch (const std::exception& e) {
    receivers_.ShowError(e.what());
  }
}

int32_t PageCallback::OnEvent(void* data, uint32_t* size, int32_t event) noexcept {
  if (event != kPageDone) return 0;
  try {
    if (!data) return -1;
    return PageDone(*static_cast<HGLOBAL*>(data));
  } catch (const std::exception& e) {
    try {
      receivers_.ShowError(e.what());
    } catch (...) {
    }
  } catch (...) {
  }
  return 0;
}

int32_t PageCallback::PageDone(HGLOBAL handle) {
  HeldPage held(reinterpret_cast<std::uintptr_t>(handle), free_);
  HGLOBAL page = handle;
  const bool second = edition_ == Edition::kSecond;
  if (!page || GlobalSize(page) == 0) return RefusedAnswer();
  const PageHeader header = ReadPageHeader(page);
  if (header.Bits < 0) return RefusedAnswer();

  const PageTarget target = PageTargetOf(settings_.SaveFormat, run_.MultipageMode,
                                         run_.BatchFolder, run_.Counter + 1, run_.OutputDocument);
  const SaveBranch branch = ChooseSaveBranch(
      {run_.PdfMode, settings_.DontSaveImage, target.Kind, header.Bits, edition_});
  // A page of a depth nothing takes is given back at once, not counted, and said once a run.
  const auto refuse = [&] {
    if (!run_.DepthRefusalShown) {
      run_.DepthRefusalShown = true;
      Shown([&] { receivers_.ShowError(RefusedDepthText(ProgramTexts(), header.Bits)); });
    }
    return 0;
  };
  const DepthStep depth = DepthStepFor(edition_, branch, header.Bits);
  if (depth == DepthStep::Refuse) return refuse();
  // A page that does not fit in its block is refused like an empty one (the conversion reads
  // the depths the layout rule does not know, and checks them itself).
  if (!header.Sound && depth != DepthStep::Convert) return RefusedAnswer();
  if (depth == DepthStep::Convert) {
    const HGLOBAL converted = ConvertedPageBlock(page);
    if (!converted) return refuse();
    held.Replace(reinterpret_cast<std::uintptr_t>(converted));
    page = converted;
  }
  const std::string lastFileBefore = run_.LastFile;
  ++run_.Counter;
  run_.LastFile = target.FileName;

  int imageType = settings_.ImageType;
  Shown([&] {
    if (settings_.ShowUI && !second) {
      const DriverWindowSettings w = receivers_.DriverWindow(run_.Dpi);
      run_.Dpi = w.Dpi;
      imageType = w.ImageType;
    }
    if (second || (run_.Dpi < 1200 && imageType != 2)) receivers_.ShowPage(page);
    receivers_.Zoom(settings_.FitToPage);
  });
  // A page file written now gets its thumbnail once it is on disk, so a page that failed is
  // never shown as saved.
  const auto thumbnail = [&] {
    if (run_.PdfMode || run_.MultipageMode) return;
    Shown([&] {
      receivers_.LayOutStrip(settings_.ThumbnailShow);
      if (!settings_.ThumbnailShow) receivers_.AddThumbnail(page, target.FileName, run_.Counter);
    });
  };
  if (branch != SaveBranch::BitmapFile) thumbnail();
  if (second && settings_.ShowUI)
    Shown([&] { run_.Dpi = receivers_.DriverWindow(run_.Dpi).Dpi; });

  switch (branch) {
    case SaveBranch::PdfPage: {
      const int dpi = std::min(run_.Dpi, 1200);
      run_.Dpi = dpi;
      const HGLOBAL handedOn = reinterpret_cast<HGLOBAL>(held.HandOn());
      try {
        Shown([&] {
          receivers_.AddPdfPage(run_.OutputDocument, run_.Counter, handedOn, dpi,
                                settings_.ImageType);
        });
      } catch (const PageWriteError& e) {
        return WriteFailed(e, lastFileBefore);
      }
      break;
    }
    case SaveBranch::NotSaved:
      held.Free();
      break;
    case SaveBranch::BitmapFile: {
      bool written = false;
      try {
        Shown([&] {
          receivers_.WritePageFile(page, target, target.Kind == kKindJpeg, run_.Dpi,
                                   settings_.JpegQuality);
          written = true;
        });
      } catch (const PageWriteError& e) {
        return WriteFailed(e, lastFileBefore);
      }
      if (written) thumbnail();
      held.Free();
      if (written && !second && !(run_.MultipageMode && run_.DocumentListed)) {
        run_.DocumentListed = run_.MultipageMode;
        Shown([&] { receivers_.AddToFileList(target.FileName); });
      }
      break;
    }
    case SaveBranch::Queue: {
      const HGLOBAL handedOn = reinterpret_cast<HGLOBAL>(held.HandOn());
      bool queued = false;
      Shown([&] {
        receivers_.QueuePage(target.FileName, handedOn, target.Kind, settings_.JpegQuality,
                             settings_.JpegSmooth);
        queued = true;
      });
      if (queued && !second) Shown([&] { receivers_.AddToFileList(target.FileName); });
      break;
    }
  }
  return 0;
}

int32_t PageCallback::WriteFailed(const PageWriteError& e, const std::string& lastFileBefore) {
  --run_.Counter;
  run_.LastFile = lastFileBefore;
  run_.WriteFailed = true;
  run_.DiskFull = e.DiskFull();
  run_.FailedFile = e.File();
  return kStopScan;
}

int32_t __stdcall AcquirePageCallback(void* data, uint32_t* size, int32_t event) {
  if (g_current) return g_current->OnEvent(data, size, event);
  if (event == kPageDone && data) FreePageBlock(reinterpret_cast<std::uintptr_t>(*static_cast<HGLOBAL*>(data)));
  return event == kPageDone ? -1 : 0;
}

CurrentPageCallback::CurrentPageCallback(PageCallback& callback) : previous_(g_current) {
  g_current = &callback;
}

CurrentPageCallback::~CurrentPageCallback() { g_current = previous_; }

}  // namespace tarnwick
