// QmDocumentImage: the control that shows one page. Its logic (loading, scaling, the gray copy,
// page information) is QmViewerDocument's; this class is the window, the paint box it scrolls,
// the painting and the events, each raised with the viewer as sender.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "annotation_layer.h"
#include "imaging_port.h"
#include "qm_paint_box.h"
#include "scrolling_win_control.h"
#include "viewer_clipboard.h"
#include "viewer_document.h"
#include "viewer_mouse.h"
#include "viewer_settings.h"

namespace qm {

class QmDocumentImage;
using TQmMesProgress = TQmEvent<QmDocumentImage, int16_t, const std::string&, bool&>;
using TQmInfo = TQmEvent<QmDocumentImage, int32_t, int32_t, int16_t, int32_t, int16_t, int16_t,
                         const std::string&, bool, const std::string&>;
using TQmMesTag = TQmEvent<QmDocumentImage, uint16_t, int16_t, int32_t, const std::string&,
                           const std::string&, bool, int16_t, bool&>;
using TQmPictorelError = TQmEvent<QmDocumentImage, int16_t, const std::string&, const char*>;
using TQmNotify = TQmEvent<QmDocumentImage>;
using TPaintArea = TQmEvent<QmDocumentImage, int32_t, int32_t, int32_t, int32_t>;
using TScanFileName = TQmEvent<QmDocumentImage, std::string&, int16_t&>;
// Bitmap (null outside the image), var ShowInternal, X, Y, XX, YY.
using TMagnify = TQmEvent<QmDocumentImage, HBITMAP, bool&, int32_t, int32_t, int32_t, int32_t>;
// Button, key state flags, X, Y (band start), XX, YY (band end): paint-box coordinates.
using TRubberband = TQmEvent<QmDocumentImage, int, WPARAM, int32_t, int32_t, int32_t, int32_t>;

class QmDocumentImage : public TQmSScrollingWinControl, protected ViewerHost {
 public:
  // Reads and scales through the imaging library's bindings.
  QmDocumentImage();
  // The port reads files and scales images; the viewer does not own it. Without an
  // annotation port the viewer shows no annotations.
  explicit QmDocumentImage(ImagingPort& imaging, AnnotationPort* annotations = nullptr);
  ~QmDocumentImage() override;

  void LoadTiffPage(const std::string& fileName, int16_t page, int bits);
  void LoadTiffStream(TiffStream* stream, int16_t page, int bits);
  void LoadImageFile(const std::string& fileName, TLoadResolution resolution, bool dither);
  // Shows a copy of the caller's page; the caller keeps its block.
  void ShowScannedDib(HGLOBAL& dib, const std::string& name);
  HGLOBAL GetDibHandle() const { return reinterpret_cast<HGLOBAL>(doc_.Dib()); }
  HGLOBAL DuplicateDibHandle(HGLOBAL dib);
  void ClearImage();
  void BestFit() { doc_.BestFit(); }
  void RefreshFileInfo() { doc_.RefreshFileInfo(); }
  void RefreshStreamInfo() { doc_.RefreshStreamInfo(); }
  void RefreshTags() { doc_.RefreshTags(); }
  void SquarePixels(bool force) { doc_.SquarePixels(force); }
  bool ReportProgress(int16_t progress) { return doc_.ReportProgress(progress); }
  int LoadBitDepth() { return doc_.LoadBitDepth(); }
  // The last library failure to OnPictorelError, or raised when nobody handles it.
  void ReportDllError();
  // Page changes keep the annotations of the page left and show those of the page reached,
  // when the annotation layer is told to.
  bool NextPage();
  bool PriorPage();
  void FirstPage();
  void LastPage();
  bool GoToPage(int16_t page);
  // The progress callback handed to the bindings with the viewer as data.
  static int16_t __cdecl ProgressCallback(int16_t progress, void* viewer);

  // Properties.
  TScaleToGray ScaleDoc() const { return doc_.ScaleDoc(); }
  void SetScaleDoc(TScaleToGray mode) { doc_.SetScaleDoc(mode); }
  float ScalePercent() const { return doc_.ScalePercent(); }
  void SetScalePercent(float value) { doc_.SetScalePercent(value); }
  TBlitMode BlitMode() const { return doc_.BlitMode(); }
  void SetBlitMode(TBlitMode mode) { doc_.SetBlitMode(mode); }
  bool AutoSize() const { return doc_.AutoSize(); }
  void SetAutoSize(bool value);
  bool AutoCorrectDib() const { return doc_.AutoCorrectDib(); }
  void SetAutoCorrectDib(bool value) { doc_.SetAutoCorrectDib(value); }
  TLoadResolution ImageReadRes() const { return doc_.ImageReadRes(); }
  void SetImageReadRes(TLoadResolution value) { doc_.SetImageReadRes(value); }
  int16_t TiffPage() const { return doc_.TiffPage(); }
  void SetTiffPage(int16_t page) { doc_.SetTiffPage(page); }
  int16_t TiffPageCount() const { return doc_.TiffPageCount(); }
  int32_t XResolution() { return doc_.XResolution(); }
  void SetXResolution(int32_t dpi) { doc_.SetXResolution(dpi); }
  int32_t YResolution() { return doc_.YResolution(); }
  void SetYResolution(int32_t dpi) { doc_.SetYResolution(dpi); }
  double ImgWidth() { return doc_.ImgWidth(); }
  double ImgHeight() { return doc_.ImgHeight(); }
  bool HasImage() const { return doc_.HasImage(); }
  const std::string& ScanFileName() const { return doc_.ScanFileName(); }
  void SetScanFileName(const std::string& value) { doc_.SetScanFileName(value); }
  TScanSaveOpt ScanSaveOpt() const { return doc_.ScanSaveOpt(); }
  void SetScanSaveOpt(TScanSaveOpt value) { doc_.SetScanSaveOpt(value); }
  int16_t ScanSaveNumber() const { return doc_.ScanSaveNumber(); }
  void SetScanSaveNumber(int16_t value) { doc_.SetScanSaveNumber(value); }
  ViewerSettings& Settings() { return settings_; }

  QmViewerDocument& Document() { return doc_; }
  const QmViewerDocument& Document() const { return doc_; }
  QmAnnotationLayer& Annotations() { return annotations_; }
  int32_t AnnotationCount() { return annotations_.AnnotationCount(); }
  TQmPaintBox& FPaint() { return paint_; }

  TQmMesProgress OnProgress;
  TQmInfo OnInfo;
  TQmMesTag OnTag;
  TQmPictorelError OnPictorelError;
  TQmNotify OnFinishedLoadSave;
  TQmNotify OnShowDibBetweenScan;
  TPaintArea OnPaintArea;
  TScanFileName OnScanFileName;

  // Mouse modes (qm_document_image_mouse.cpp).
  TControlMode ControlMode() const { return settings_.ControlMode; }
  void SetControlMode(TControlMode mode);
  TMouseButton RubberBandBtn() const { return settings_.RubberBandBtn; }
  void SetRubberBandBtn(TMouseButton button) { settings_.RubberBandBtn = button; }
  // Screen-cursor indexes of the mode cursors; a new index registers that cursor under it.
  int16_t GrabHandCursor() const { return cursorIndexes_[0]; }
  void SetGrabHandCursor(int16_t index) { SetModeCursorIndex(0, index); }
  int16_t RubbberBandCursor() const { return cursorIndexes_[1]; }
  void SetRubbberBandCursor(int16_t index) { SetModeCursorIndex(1, index); }
  int16_t AnnotationsCursor() const { return cursorIndexes_[2]; }
  void SetAnnotationsCursor(int16_t index) { SetModeCursorIndex(2, index); }
  int16_t ZoomInCursor() const { return cursorIndexes_[3]; }
  void SetZoomInCursor(int16_t index) { SetModeCursorIndex(3, index); }
  int16_t ZoomOutCursor() const { return cursorIndexes_[4]; }
  void SetZoomOutCursor(int16_t index) { SetModeCursorIndex(4, index); }
  HCURSOR ModeCursorHandle(int index) const;  // the loaded cursor of screen index 5..9
  int32_t MagnifyScale() const { return settings_.MagnifyScale(); }
  void SetMagnifyScale(int32_t value) { settings_.SetMagnifyScale(value); }
  const ViewerMouse& Mouse() const { return mouse_; }

  // Pages, editing, clipboard, saving (qm_document_image_edits.cpp) and printing
  // (qm_document_image_print.cpp). Library failures go to OnPictorelError or are raised.
  void DeleteCurrentPage();
  void DeleteTiffPage(int16_t page);
  void PackTiffFile() { doc_.PackTiffFile(); }
  void WriteCurrentPage() { doc_.WriteCurrentPage(settings_.TifSaveCompress, settings_.ImageWriteRes); }
  void SaveToTiff(const std::string& name, int16_t percent, TScaleToGray mode, int16_t bits);
  HGLOBAL ScaledCopy(int16_t percent, TScaleToGray mode);
  void RotateBy(COLORREF fill, double angle) { doc_.RotateBy(fill, angle); }
  void MirrorBy(int first, int second) { doc_.MirrorBy(first, second); }
  void InvertColors() { doc_.InvertColors(); }
  double MeasureSkew() { return doc_.MeasureSkew(DeskewSettingsNow()); }
  void Deskew(int16_t background) { doc_.Deskew(background, DeskewSettingsNow()); }
  void CopyToClipboard();
  // The page goes only once its copy is on the clipboard.
  void CutToClipboard();
  // Takes a CF_DIB page that the viewer can show; raises for one it cannot.
  void PasteFromClipboard();
  // X, Y, width, height in printer pixels; a width or height below 1 prints the page's own size.
  void PrintImage(int32_t x, int32_t y, int32_t width, int32_t height);
  // Told after a page left the current TIFF, or was inserted into the file saved to, once the
  // annotation layer has followed.
  std::function<void(int16_t page)> OnPageDeleted;
  std::function<void(int16_t page)> OnPageInserted;

  TMagnify OnMagnify;
  TRubberband OnRubberband;
  TQmNotify OnHScrollBarClick;
  TQmNotify OnVScrollBarClick;

 protected:
  void CreateWnd() override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // ViewerHost.
  bool Progress(int16_t progress, const std::string& text) override;
  void Info(const InfoReport& info) override;
  bool Tag(const TiffTagRecord& tag) override;
  void FinishedLoadSave() override { OnFinishedLoadSave(this); }
  void ShowDibBetweenScan() override { OnShowDibBetweenScan(this); }
  bool ScanFileNameHandler(std::string& fileName, int16_t& scanPage) override;
  void ApplyLayout(QmSize paintBox) override;
  void SetControlSize(QmSize size) override { SetBounds(Left(), Top(), size.width, size.height); }
  QmSize OuterSize() override { return {Width(), Height()}; }
  void Repaint() override { paint_.Invalidate(false); }
  void ScrollMessageHandled(TScrollBarKind kind) override;
  void PageDeleted(int16_t page) override;
  void PageInserted(int16_t page) override;
  bool DllErrorHandled(int16_t code, const std::string& text) override;
  // Shift+Insert, Ctrl+Insert, Shift+Delete and Ctrl+C, Ctrl+V, Ctrl+X after the framework's.
  void KeyDown(WORD& key, int shift) override;
  void KeyPress(char& key) override;

 private:
  void Construct();
  // Runs a change of the shown page between the layer's automatic save and load.
  template <class Change>
  bool ChangingPage(Change change);
  template <class Step>
  bool SteppingPage(Step step);
  void PaintPage(TQmPaintBox* box, HDC dc);
  HPALETTE PaletteFor(HGLOBAL source, const BITMAPINFOHEADER* header);

  // Pages, editing and clipboard.
  QmViewerDocument::DeskewSettings DeskewSettingsNow() const;
  bool PlaceCopyOnClipboard();
  void RunClipboardKey(ClipboardKey action);
  bool pageDeleted_ = false;

  // Mouse modes.
  void ConstructMouseModes();
  void DestroyMouseModes();
  void SetModeCursorIndex(int slot, int16_t index);
  void ModeMouseDown(int button, WPARAM keys, int32_t x, int32_t y);
  void ModeMouseMove(WPARAM keys, int32_t x, int32_t y);
  void ModeMouseUp(int button, WPARAM keys, int32_t x, int32_t y);
  QmPoint ToClient(int32_t x, int32_t y) const { return {x + paint_.Left(), y + paint_.Top()}; }
  void DrawBand(const QmBand& band);
  void ShowMagnifier(int32_t x, int32_t y);

  // Builds the display palette of a header; the program's viewer uses the library's rule.
  std::function<HPALETTE(const BITMAPINFOHEADER*)> makePalette_;
  std::unique_ptr<ImagingPort> ownedImaging_;  // first in, last out: the DIBs go back through it
  ImagingPort& imaging_;
  TQmPaintBox paint_;
  QmViewerDocument doc_;
  ViewerSettings settings_;
  HPALETTE palette_ = nullptr;
  HGLOBAL paletteSource_ = nullptr;
  std::unique_ptr<AnnotationPort> ownedAnnotationPort_;  // before the layer that uses it
  QmAnnotationLayer annotations_{*this, nullptr};

  // Mouse modes.
  ViewerMouse mouse_;
  HCURSOR modeCursors_[5] = {};
  int16_t cursorIndexes_[5] = {kGrabHandCursor, kRubberBandCursor, kAnnotationsCursor,
                               kZoomInCursor, kZoomOutCursor};
  HCURSOR savedCursor_ = nullptr;
  bool cursorSaved_ = false;
  HBITMAP magnifier_ = nullptr;
  QmSize magnifierSize_;
  HRGN magnifierRegion_ = nullptr;
};

}  // namespace qm
