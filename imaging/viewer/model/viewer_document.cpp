#include "viewer_document.h"

#include <algorithm>
#include <cctype>

namespace qm {

namespace {
std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}
std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}
constexpr uint16_t kTagPhotometric = 262;
}  // namespace

QmViewerDocument::QmViewerDocument(ImagingPort& port, ViewerHost& host) : port_(port), host_(host) {}

QmViewerDocument::~QmViewerDocument() {
  FreeGray();
  FreeDib();
}

template <class Body, class Finally>
void QmViewerDocument::WithFinally(Body&& body, Finally&& finally) {
  try {
    body();
  } catch (...) {
    try {
      finally();
    } catch (...) {
      // The first error is the one the caller needs to see.
    }
    throw;
  }
  finally();
}

void QmViewerDocument::TakeDib(DibRef block) {
  if (block == dib_) return;
  FreeDib();
  dib_ = block;
}

void QmViewerDocument::FreeDib() {
  if (dib_) port_.Free(dib_);
  dib_ = 0;
}

void QmViewerDocument::FreeGray() {
  if (gray_) port_.Free(gray_);
  gray_ = 0;
  grayShown_ = false;
}

void QmViewerDocument::DropStream() {
  streamFlag_ = false;
  stream_ = nullptr;
}

void QmViewerDocument::ReadResolutionFromDib() {
  XResolution();
  YResolution();
}

void QmViewerDocument::LoadTiffPage(const std::string& fileName, int16_t page, int bits) {
  if (!port_.FileExists(fileName)) port_.Raise("Input filename isn't valid");
  // A file load must not go on reading a stream held from an earlier load.
  DropStream();
  displayEnabled_ = false;
  WithFinally(
      [&] {
        FreeDib();
        DibRef block = port_.ReadTiffFile(fileName, bits, page);
        if (!block) {
          FreeGray();
          return;
        }
        tiffPageCount_ = 0;
        SetTiffPage(page);
        fileName_ = fileName;
        TakeDib(block);
        if (autoCorrect_) AutoCorrectImage();
        ReadResolutionFromDib();
        SquarePixels(false);
        FreeGray();
        DibFacts f = port_.Facts(dib_);
        imageSize_ = {f.width, f.height};
        RefreshFileInfo();
        Relayout();
        host_.FinishedLoadSave();
      },
      [&] {
        streamFlag_ = false;
        displayEnabled_ = true;
        RefreshTags();
        ApplyAutoSize();
        host_.Repaint();
      });
}

void QmViewerDocument::LoadTiffStream(TiffStream* stream, int16_t page, int bits) {
  if (!stream) port_.Raise("Stream is nil or empty");
  displayEnabled_ = false;
  // Set at once, so that the page information read during the load says "not by file".
  streamFlag_ = true;
  stream_ = nullptr;
  WithFinally(
      [&] {
        FreeDib();
        DibRef block = port_.ReadTiffStream(*stream, bits, page);
        if (!block) {
          FreeGray();
          return;
        }
        tiffPageCount_ = 0;
        SetTiffPage(page);
        stream_ = stream;
        fileName_ = kStreamFileName;
        TakeDib(block);
        if (autoCorrect_) AutoCorrectImage();
        ReadResolutionFromDib();
        SquarePixels(false);
        FreeGray();
        DibFacts f = port_.Facts(dib_);
        imageSize_ = {f.width, f.height};
        RefreshStreamInfo();
        Relayout();
        host_.FinishedLoadSave();
      },
      [&] {
        streamFlag_ = true;
        fileName_ = kStreamFileName;
        displayEnabled_ = true;
        RefreshTags();
        ApplyAutoSize();
      });
}

void QmViewerDocument::LoadImageFile(const std::string& fileName, TLoadResolution resolution,
                                     bool dither) {
  if (port_.FileExists(fileName)) {
    ImageFileFacts facts;
    port_.GetFileInfo(fileName, facts);
    fileName_ = fileName;
    int64_t size = port_.FileSize(fileName);
    InfoReport info;
    info.width = facts.width;
    info.height = facts.height;
    info.bitsPerPixel = static_cast<int16_t>(facts.bitsPerPixel);
    info.size = static_cast<int32_t>(std::clamp<int64_t>(size, 0, INT32_MAX));
    info.compression = facts.description;
    info.byFile = false;
    info.fileName = fileName;
    host_.Info(info);

    int bits = ReadBitsForImageFile(resolution, facts.bitsPerPixel);
    static const char* const kReadable[] = {"BMP", "PNG", "GIF", "PCX", "JPEG", "PCD", "TGA"};
    std::string format = Upper(facts.format);
    DibRef block = 0;
    if (std::find(std::begin(kReadable), std::end(kReadable), format) != std::end(kReadable))
      block = port_.ReadImageFile(format, fileName, bits, dither);
    if (block) {
      TakeDib(block);
      FreeGray();
      // The page is no TIFF: later page writes must not take it for the old TIFF or stream.
      tiffPage_ = 0;
      previousPage_ = 0;
      tiffPageCount_ = 0;
      DropStream();
      tags_.clear();
      DibFacts f = port_.Facts(dib_);
      imageSize_ = {f.width, f.height};
      Relayout();
    }
  }
  host_.Repaint();
  host_.FinishedLoadSave();
}

void QmViewerDocument::ShowScannedDib(DibRef dib, const std::string& name) {
  fileName_ = name;
  DibRef copy = dib ? port_.Duplicate(dib) : 0;
  TakeDib(copy);
  FreeGray();
  DibFacts f = dib_ ? port_.Facts(dib_) : DibFacts{};
  imageSize_ = {f.width, f.height};
  Relayout();
  host_.ShowDibBetweenScan();
}

void QmViewerDocument::ClearImage() {
  FreeGray();
  FreeDib();
  imageSize_ = {};
  Relayout();
}

bool QmViewerDocument::GoToPage(int16_t page) {
  if (page < 0 || tiffPageCount_ == 0 || page >= tiffPageCount_) return false;
  if (streamFlag_) {
    if (!stream_ || stream_->empty()) port_.Raise("Stream is nil or empty");
    LoadTiffStream(stream_, page, LoadBitDepth());
  } else if (fileName_ != kStreamFileName) {
    if (!port_.FileExists(fileName_)) port_.Raise("Input filename isn't valid");
    std::string name = fileName_;
    LoadTiffPage(name, page, LoadBitDepth());
  }
  host_.FinishedLoadSave();
  return true;
}

bool QmViewerDocument::NextPage() {
  return tiffPage_ + 1 < tiffPageCount_ && GoToPage(static_cast<int16_t>(tiffPage_ + 1));
}

bool QmViewerDocument::PriorPage() {
  return tiffPage_ - 1 >= 0 && GoToPage(static_cast<int16_t>(tiffPage_ - 1));
}

void QmViewerDocument::RefreshFileInfo() {
  if (fileName_ == kStreamFileName) {
    RefreshStreamInfo();
    return;
  }
  if (!port_.FileExists(fileName_)) port_.Raise("Input filename isn't valid");
  int64_t size = port_.FileSize(fileName_);
  if (size < 0) port_.Raise("Could not determine filesize. Error using Reset(F)");
  TiffPageFacts facts;
  bool failed = false;
  try {
    port_.GetImageFileInfo(fileName_, tiffPage_, facts);
  } catch (...) {
    failed = true;
  }
  if (failed) port_.Raise("Could not determine fileinfo. Error GetTiffInfo");
  tiffPageCount_ = facts.pageCount;
  InfoReport info{facts.width, facts.height, facts.bitsPerPixel,
                  static_cast<int32_t>(std::min<int64_t>(size, INT32_MAX)), tiffPageCount_,
                  tiffPage_, facts.compression, !streamFlag_, fileName_};
  host_.Info(info);
}

void QmViewerDocument::RefreshStreamInfo() {
  if (!stream_ || stream_->empty()) port_.Raise("Stream is nil or empty");
  TiffPageFacts facts;
  port_.GetInfoStream(*stream_, tiffPage_, facts);
  tiffPageCount_ = facts.pageCount;
  InfoReport info{facts.width, facts.height, facts.bitsPerPixel,
                  static_cast<int32_t>(std::min<size_t>(stream_->size(), INT32_MAX)),
                  tiffPageCount_, tiffPage_, facts.compression, !streamFlag_, ""};
  host_.Info(info);
}

void QmViewerDocument::RefreshTags() {
  tags_.clear();
  TagSink sink = [this](const TagReport& report) {
    TiffTagRecord record;
    record.tag = report.tag;
    record.length = report.length;
    record.value = report.value;
    if (report.length >= 5) record.data = report.text;
    record.name = report.name;
    record.readOnly = report.readOnly;
    record.page = tiffPage_;
    tags_.push_back(record);
    return !host_.Tag(record);
  };
  if (stream_ && stream_->size() > 1) {
    port_.ReturnTagsStream(*stream_, tiffPage_, sink);
  } else if (!streamFlag_ && fileName_ != kStreamFileName) {
    if (!port_.FileExists(fileName_)) port_.Raise("Input filename isn't valid");
    port_.ReturnTags(fileName_, tiffPage_, sink);
  }
}

void QmViewerDocument::AutoCorrectImage() {
  int32_t value = 0;
  bool read;
  if (stream_ && stream_->size() > 1) {
    read = port_.ReadTagStream(*stream_, tiffPage_, kTagPhotometric, value);
  } else {
    if (!port_.FileExists(fileName_)) port_.Raise("Input filename isn't valid");
    read = port_.ReadTag(fileName_, tiffPage_, kTagPhotometric, value);
  }
  // An unreadable tag is taken as 0, "white is zero": nothing to invert.
  if (!read) value = 0;
  if (value == 0 || !dib_) return;
  port_.SetOperationText("Inverting Image");
  ReportProgress(0);
  DibFacts f = port_.Facts(dib_);
  if (f.bitCount == 1) {
    size_t row = (size_t(uint32_t(f.width)) + 31) / 32 * 4;
    port_.InvertPixelRows(dib_, row * size_t(uint32_t(f.height < 0 ? -f.height : f.height)));
  }
  ReportProgress(100);
}

void QmViewerDocument::SquarePixels(bool force) {
  if (!force && XResolution() == YResolution()) return;
  if (!dib_) port_.Raise("Input image is empty");
  int32_t x = XResolution(), y = YResolution();
  DibFacts f = port_.Facts(dib_);
  // A header without a resolution (0 pixels per metre) says nothing about the pixel shape.
  auto target = SquarePixelSize({f.width, f.height}, x, y, force);
  if (!target) return;
  DibRef block = f.bitCount == 1
                     ? port_.ScaleToGray(dib_, int(TScaleToGray::S_Gray_None), target->width,
                                         target->height)
                     : port_.Resize(dib_, target->width, target->height, f.bitCount);
  if (!block) return;
  TakeDib(block);
  FreeGray();
  port_.SetPixelsPerMetre(dib_, PixelsPerMetreFromDpi(x), PixelsPerMetreFromDpi(y));
  xResolution_ = x;
  yResolution_ = y;
  Relayout();
}

bool QmViewerDocument::ReportProgress(int16_t progress) {
  return !host_.Progress(progress, Lower(port_.OperationText()));
}

void QmViewerDocument::SetScaleDoc(TScaleToGray mode) {
  scaleDoc_ = mode;
  Relayout();
}

void QmViewerDocument::SetScalePercent(float value) {
  if (value == scalePercent_) return;
  scalePercent_ = ClampScalePercent(value);
  Relayout();
}

void QmViewerDocument::BestFit() {
  if (!dib_) return;
  DibFacts f = port_.Facts(dib_);
  if (auto percent = BestFitPercent({f.width, f.height}, host_.OuterSize()))
    SetScalePercent(*percent);
}

bool QmViewerDocument::MakeGrayCopy() {
  if (scalePercent_ <= 0 || !dib_ || scaleDoc_ == TScaleToGray::S_Gray_None || grayBusy_)
    return false;
  grayBusy_ = true;
  struct Clear {
    bool& flag;
    ~Clear() { flag = false; }
  } clear{grayBusy_};
  DibFacts f = port_.Facts(dib_);
  QmSize target = GrayCopySize({f.width, f.height}, scalePercent_);
  port_.SetOperationText(std::string("Scaling Image To ") + GrayModeName(scaleDoc_));
  ReportProgress(0);
  DibRef block = port_.ScaleToGray(dib_, int(scaleDoc_), target.width, target.height);
  ReportProgress(100);
  FreeGray();
  gray_ = block;
  return gray_ != 0;
}

void QmViewerDocument::Relayout() {
  DibFacts f = dib_ ? port_.Facts(dib_) : DibFacts{};
  QmSize image{f.width, f.height};
  grayShown_ = false;
  paintBox_ = ScaledPaintSize(image, scalePercent_);
  // The gray copy serves bilevel and 2-bit pages only; when it cannot be made the page itself
  // is painted rather than nothing.
  if (scaleDoc_ != TScaleToGray::S_Gray_None && dib_ && f.bitCount <= 2) {
    if (MakeGrayCopy()) {
      DibFacts g = port_.Facts(gray_);
      grayShown_ = true;
      paintBox_ = {g.width, g.height};
    }
  } else if (gray_) {
    FreeGray();
  }
  ApplyAutoSize();
  host_.ApplyLayout(paintBox_);
}

QmViewerDocument::PaintPlan QmViewerDocument::PlanPaint() {
  PaintPlan plan;
  if (!displayEnabled_ || !dib_) return plan;
  plan.source = grayShown_ && gray_ ? gray_ : dib_;
  plan.stretchMode = StretchModeFor(blitMode_, port_.Facts(plan.source).bitCount);
  return plan;
}

int32_t QmViewerDocument::XResolution() {
  if (dib_) xResolution_ = DpiFromPixelsPerMetre(port_.Facts(dib_).xPixelsPerMetre);
  return xResolution_;
}

int32_t QmViewerDocument::YResolution() {
  if (dib_) yResolution_ = DpiFromPixelsPerMetre(port_.Facts(dib_).yPixelsPerMetre);
  return yResolution_;
}

void QmViewerDocument::SetXResolution(int32_t dpi) {
  xResolution_ = dpi;
  if (dib_)
    port_.SetPixelsPerMetre(dib_, PixelsPerMetreFromDpi(dpi), port_.Facts(dib_).yPixelsPerMetre);
}

void QmViewerDocument::SetYResolution(int32_t dpi) {
  yResolution_ = dpi;
  if (dib_)
    port_.SetPixelsPerMetre(dib_, port_.Facts(dib_).xPixelsPerMetre, PixelsPerMetreFromDpi(dpi));
}

double QmViewerDocument::ImgWidth() {
  return dib_ ? InchesFor(port_.Facts(dib_).width, XResolution()) : 0.0;
}

double QmViewerDocument::ImgHeight() {
  return dib_ ? InchesFor(port_.Facts(dib_).height, YResolution()) : 0.0;
}

void QmViewerDocument::SetAutoSize(bool value) {
  autoSize_ = value;
  ApplyAutoSize();
  host_.Repaint();
}

void QmViewerDocument::ApplyAutoSize() {
  if (autoSize_ && imageSize_.width > 0 && imageSize_.height > 0) host_.SetControlSize(imageSize_);
}

void QmViewerDocument::SetBlitMode(TBlitMode mode) {
  blitMode_ = mode;
  host_.Repaint();
}

void QmViewerDocument::SetScanFileName(const std::string& value) {
  if (host_.ScanFileNameHandler(scanFileName_, scanSaveNumber_)) return;
  scanFileName_ = ComposeScanFileName(value, scanSaveOpt_, scanSaveNumber_);
}

void QmViewerDocument::SetScanSaveNumber(int16_t value) {
  scanSaveNumber_ = std::clamp<int16_t>(value, 0, 9900);
  SetScanFileName(scanFileName_);
}

}  // namespace qm
