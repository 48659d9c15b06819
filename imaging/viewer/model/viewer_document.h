// The logic of QmDocumentImage without its window: the page DIB and its gray display copy, the
// loads from TIFF files, TIFF streams, other formats and scanned pages, the page information
// and tags, automatic correction, square pixels, scale and layout, and the scan file name.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "imaging_port.h"
#include "scan_file_name.h"
#include "viewer_geometry.h"
#include "viewer_host.h"
#include "viewer_types.h"

namespace qm {

constexpr const char* kStreamFileName = "STREAM";

class QmViewerDocument {
 public:
  QmViewerDocument(ImagingPort& port, ViewerHost& host);
  ~QmViewerDocument();
  QmViewerDocument(const QmViewerDocument&) = delete;
  QmViewerDocument& operator=(const QmViewerDocument&) = delete;

  void LoadTiffPage(const std::string& fileName, int16_t page, int bits);
  void LoadTiffStream(TiffStream* stream, int16_t page, int bits);
  void LoadImageFile(const std::string& fileName, TLoadResolution resolution, bool dither);
  // Shows a copy of the caller's block; the caller keeps its own.
  void ShowScannedDib(DibRef dib, const std::string& name);
  void ClearImage();

  // Page stepping through the current TIFF file or stream; False when there is no such page.
  bool GoToPage(int16_t page);
  bool NextPage();
  bool PriorPage();
  void FirstPage() { GoToPage(0); }
  void LastPage() { GoToPage(static_cast<int16_t>(tiffPageCount_ - 1)); }

  // Page maintenance and writing (viewer_page_edits.cpp). Failures of the library go to
  // ReportDllError and leave the file or stream as it was.
  void DeleteCurrentPage();
  void DeleteTiffPage(int16_t page);
  void PackTiffFile();
  void WriteCurrentPage(TTiffCompression compression, TSaveResolution writeRes);
  struct TiffSaveOptions {
    TTifSaveOpt mode = TTifSaveOpt::tiffAppend;
    int16_t insertAt = 0;
    TTiffCompression compression = TTiffCompression::sNONE;
  };
  void SaveToTiff(const std::string& name, int16_t percent, TScaleToGray mode, int16_t bits,
                  const TiffSaveOptions& options);
  // A new block scaled for saving; 0 without an image. The caller owns it.
  DibRef ScaledCopy(int16_t percent, TScaleToGray mode);
  // The library's last failure to the host's handler, else raised.
  void ReportDllError();

  // Image edits (viewer_image_edits.cpp).
  void RotateBy(uint32_t fill, double angle);
  void MirrorBy(int first, int second);
  void InvertColors();
  struct DeskewSettings {
    int16_t subsampling = 1;
    double range = 90.0, angleResolution = 0.1, lineResolution = 4.0;
    uint8_t grayValue = 0;
  };
  double MeasureSkew(const DeskewSettings& settings);
  void Deskew(int16_t background, const DeskewSettings& settings);
  // Takes the block over as the page shown (a paste); pages, file name and stream stay.
  void ShowPastedDib(DibRef block);

  void RefreshFileInfo();
  void RefreshStreamInfo();
  void RefreshTags();
  void AutoCorrectImage();
  void SquarePixels(bool force);
  bool ReportProgress(int16_t progress);

  // Layout.
  TScaleToGray ScaleDoc() const { return scaleDoc_; }
  void SetScaleDoc(TScaleToGray mode);
  float ScalePercent() const { return scalePercent_; }
  void SetScalePercent(float value);
  void BestFit();
  QmSize PaintBoxSize() const { return paintBox_; }

  // What painting draws: nothing while display is off or no DIB is held.
  struct PaintPlan {
    DibRef source = 0;
    int stretchMode = 3;
  };
  PaintPlan PlanPaint();

  bool HasImage() const { return dib_ != 0; }
  DibRef Dib() const { return dib_; }
  DibRef GrayCopy() const { return gray_; }
  bool GrayShown() const { return grayShown_; }
  bool DisplayEnabled() const { return displayEnabled_; }
  const std::string& FileName() const { return fileName_; }
  bool StreamFlag() const { return streamFlag_; }
  const TiffStream* Stream() const { return stream_; }
  QmSize StoredImageSize() const { return imageSize_; }
  const std::vector<TiffTagRecord>& Tags() const { return tags_; }

  int16_t TiffPage() const { return tiffPage_; }
  void SetTiffPage(int16_t page) {
    previousPage_ = tiffPage_;
    tiffPage_ = page;
  }
  int16_t PreviousPage() const { return previousPage_; }
  int16_t TiffPageCount() const { return tiffPageCount_; }

  int32_t XResolution();
  int32_t YResolution();
  void SetXResolution(int32_t dpi);
  void SetYResolution(int32_t dpi);
  double ImgWidth();
  double ImgHeight();

  bool AutoCorrectDib() const { return autoCorrect_; }
  void SetAutoCorrectDib(bool value) { autoCorrect_ = value; }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  TBlitMode BlitMode() const { return blitMode_; }
  void SetBlitMode(TBlitMode mode);
  TLoadResolution ImageReadRes() const { return imageReadRes_; }
  void SetImageReadRes(TLoadResolution value) { imageReadRes_ = value; }
  int LoadBitDepth() { return qm::LoadBitDepth(imageReadRes_, port_.ScreenBitDepth()); }

  const std::string& ScanFileName() const { return scanFileName_; }
  void SetScanFileName(const std::string& value);
  TScanSaveOpt ScanSaveOpt() const { return scanSaveOpt_; }
  void SetScanSaveOpt(TScanSaveOpt value) { scanSaveOpt_ = value; }
  int16_t ScanSaveNumber() const { return scanSaveNumber_; }
  void SetScanSaveNumber(int16_t value);

 private:
  void TakeDib(DibRef block);
  void FreeDib();
  void FreeGray();
  void DropStream();
  void ReadResolutionFromDib();
  bool MakeGrayCopy();
  void Relayout();
  void ApplyAutoSize();
  int16_t PageToShowAfterDelete(int16_t deleted, int16_t oldCount) const;
  void ShowAfterDelete(int16_t page);
  void RefreshAndReportDllError();
  template <class Body, class Finally> void WithFinally(Body&& body, Finally&& finally);

  ImagingPort& port_;
  ViewerHost& host_;
  DibRef dib_ = 0;
  DibRef gray_ = 0;
  bool grayShown_ = false;
  bool grayBusy_ = false;
  QmSize imageSize_;  // 32-bit: pages past 32767 pixels are real
  QmSize paintBox_;
  std::string fileName_;
  bool streamFlag_ = false;
  TiffStream* stream_ = nullptr;  // the caller's, changed by page edits
  int16_t tiffPage_ = 0;
  int16_t previousPage_ = 0;
  int16_t tiffPageCount_ = 0;
  bool displayEnabled_ = true;
  std::vector<TiffTagRecord> tags_;
  int32_t xResolution_ = 100;
  int32_t yResolution_ = 100;

  TScaleToGray scaleDoc_ = TScaleToGray::S_Gray_None;
  float scalePercent_ = 100.0f;
  bool autoCorrect_ = false;
  bool autoSize_ = false;
  TBlitMode blitMode_ = TBlitMode::sLight;
  TLoadResolution imageReadRes_ = TLoadResolution::lAutoMatic;
  std::string scanFileName_ = "C:\\FILE.TIF";
  TScanSaveOpt scanSaveOpt_ = TScanSaveOpt::sSinglePage;
  int16_t scanSaveNumber_ = 0;
};

}  // namespace qm
