// QmViewerDocument's page maintenance and writing: deleting and packing TIFF pages in a file or
// a stream, writing the page shown back into its place, and saving scaled copies. The library
// works on copies: the caller's file or stream changes only when a call succeeded.
#include <algorithm>

#include "pictorel_tables.h"
#include "viewer_document.h"

namespace qm {

namespace {
// Runs its action when the scope ends, also when an exception passes.
template <class F>
struct AtExit {
  F f;
  ~AtExit() { f(); }
};
template <class F> AtExit(F) -> AtExit<F>;
}  // namespace

void QmViewerDocument::ReportDllError() {
  int16_t code = 0;
  std::string text;
  port_.LastDllError(code, text);
  if (!host_.DllErrorHandled(code, text)) port_.Raise(text);
}

// The file's or the stream's information is refreshed after a failed write all the same (what
// the call left is what is shown); the library's error is the one reported, also when the
// refresh fails too.
void QmViewerDocument::RefreshAndReportDllError() {
  try {
    if (streamFlag_) RefreshStreamInfo();
    else RefreshFileInfo();
  } catch (...) {
    ReportDllError();
    throw;
  }
  ReportDllError();
}

void QmViewerDocument::DeleteCurrentPage() {
  if (tiffPage_ >= 0 && tiffPage_ < tiffPageCount_) DeleteTiffPage(tiffPage_);
}

int16_t QmViewerDocument::PageToShowAfterDelete(int16_t deleted, int16_t oldCount) const {
  // The page that moved into the deleted index, or the one before when the last one went.
  int16_t page = deleted + 1 == oldCount ? int16_t(deleted - 1) : deleted;
  return std::max<int16_t>(page, 0);
}

void QmViewerDocument::ShowAfterDelete(int16_t page) {
  // The page information is read for the page that will be shown, which exists.
  SetTiffPage(page);
  if (streamFlag_) RefreshStreamInfo();
  else RefreshFileInfo();
  if (tiffPageCount_ <= 0) return;  // nothing left: the old image stays on screen
  page = std::clamp<int16_t>(page, 0, int16_t(tiffPageCount_ - 1));
  if (streamFlag_) {
    LoadTiffStream(stream_, page, LoadBitDepth());
  } else {
    std::string name = fileName_;
    LoadTiffPage(name, page, LoadBitDepth());
  }
}

void QmViewerDocument::DeleteTiffPage(int16_t page) {
  if (streamFlag_) {
    if (!stream_ || stream_->empty()) port_.Raise("Stream is nil or empty");
  } else if (fileName_ == kStreamFileName) {
    return;
  } else if (!port_.FileExists(fileName_)) {
    port_.Raise("Input filename isn't valid");
  }
  if (page < 0 || page >= tiffPageCount_) return;
  int16_t oldCount = tiffPageCount_;
  bool deleted;
  if (streamFlag_) {
    TiffStream result;
    deleted = port_.DeletePageStream(*stream_, page, result);
    if (deleted) stream_->swap(result);
  } else {
    deleted = port_.DeletePage(fileName_, page);
  }
  if (!deleted) {
    RefreshAndReportDllError();
    return;
  }
  host_.PageDeleted(page);
  ShowAfterDelete(PageToShowAfterDelete(page, oldCount));
}

void QmViewerDocument::PackTiffFile() {
  if (streamFlag_) {
    if (!stream_ || stream_->empty()) port_.Raise("Stream is nil or empty");
    TiffStream result;
    if (port_.PackTiffStream(*stream_, result)) stream_->swap(result);
    else ReportDllError();
  } else if (fileName_ != kStreamFileName) {
    if (!port_.FileExists(fileName_)) port_.Raise("Input filename isn't valid");
    if (!port_.PackTiff(fileName_)) ReportDllError();
  }
  RefreshTags();
}

void QmViewerDocument::WriteCurrentPage(TTiffCompression compression, TSaveResolution writeRes) {
  if (!dib_) port_.Raise("Input image is empty");
  int code = TiffCompressionCode(int(compression));
  int bits = code >= 1 && code <= 4 ? 1 : port_.TiffWriteBitDepth(int(writeRes));
  bool written = true;
  if (streamFlag_) {
    if (!stream_ || stream_->empty()) port_.Raise("Stream is nil or empty");
    TiffStream result;
    written = port_.ReplaceTiffPageStream(*stream_, code, tiffPage_, dib_, bits, result);
    if (written) stream_->swap(result);
    RefreshStreamInfo();
  } else if (fileName_ != kStreamFileName) {
    if (!port_.FileExists(fileName_)) port_.Raise("Input filename isn't valid");
    written = port_.ReplaceTiffPage(fileName_, code, tiffPage_, dib_, bits);
    RefreshFileInfo();
  }
  if (!written) ReportDllError();
  RefreshTags();
}

DibRef QmViewerDocument::ScaledCopy(int16_t percent, TScaleToGray mode) {
  if (!dib_) return 0;
  DibFacts f = port_.Facts(dib_);
  int32_t x = XResolution(), y = YResolution();
  // The stretch made for square pixels at load is undone on each axis.
  double wf = x > 0 && x < y ? double(y) / x : 1.0;
  double hf = y > 0 && y < x ? double(x) / y : 1.0;
  int32_t height = f.height < 0 ? -f.height : f.height;
  int32_t w = RoundHalfEven(f.width * double(percent) / 100.0 / wf);
  int32_t h = RoundHalfEven(height * double(percent) / 100.0 / hf);
  if (f.bitCount > 1) {
    ReportProgress(0);
    DibRef block = port_.Resize(dib_, w, h, f.bitCount);
    ReportProgress(100);
    return block;
  }
  if (percent == 100 && x == y) return port_.Duplicate(dib_);
  port_.SetOperationText(std::string("Scaling Image To ") + GrayModeName(mode));
  ReportProgress(0);
  DibRef block = port_.ScaleToGray(dib_, int(mode), w, h);
  ReportProgress(100);
  return block;
}

void QmViewerDocument::SaveToTiff(const std::string& name, int16_t percent, TScaleToGray mode,
                                  int16_t bits, const TiffSaveOptions& options) {
  DibRef block = ScaledCopy(percent, mode);
  if (!block) port_.Raise("Input image is empty");
  bool written;
  int16_t writtenPage = 0;
  {
    AtExit release{[&] {
      if (block != dib_) port_.Free(block);
    }};
    int code = TiffCompressionCode(int(options.compression));
    // The page shown now belongs to the file saved to, not to a stream held before.
    fileName_ = name;
    DropStream();
    if (options.mode == TTifSaveOpt::tiffInsert) {
      written = port_.InsertTiffPage(name, code, options.insertAt, block, bits);
      writtenPage = options.insertAt;
      if (written) host_.PageInserted(options.insertAt);
    } else {
      bool append = options.mode == TTifSaveOpt::tiffAppend;
      written = port_.WriteTiffFile(name, code, append, block, bits);
      if (written && append) {
        TiffPageFacts facts;
        try {
          port_.GetImageFileInfo(name, 0, facts);
        } catch (...) {
          facts.pageCount = 1;  // the refresh below reports what is wrong with the file
        }
        writtenPage = std::max<int16_t>(int16_t(facts.pageCount - 1), 0);
      }
    }
  }
  if (!written) {
    RefreshAndReportDllError();
    host_.FinishedLoadSave();
    return;
  }
  // The information shown is that of the page just written, which the file holds.
  SetTiffPage(writtenPage);
  RefreshFileInfo();
  host_.FinishedLoadSave();
}

}  // namespace qm
