#include "qm_document_image.h"

#include <cstdlib>
#include <vector>

#include "dib_block_port.h"

namespace qm {

QmDocumentImage::QmDocumentImage(ImagingPort& imaging, AnnotationPort* annotations)
    : imaging_(imaging), doc_(imaging, *this), annotations_(*this, annotations) {
  Construct();
}

void QmDocumentImage::Construct() {
  paint_.SetName("FPaint");
  paint_.SetBounds(0, 0, 0, 0);
  paint_.MouseOwner = this;
  paint_.SetClippedToParent(true);  // pages may be taller than a window can be
  // Set up here rather than after loading from a form: a viewer made in code paints too.
  paint_.OnPaint = TQmPaintBox::TPaintEvent::Of(this, &QmDocumentImage::PaintPage);
  // What the operator clicks is the paint box: the viewer's own handlers answer for it.
  paint_.OnClick = [this](TQmControl*) { OnClick(this); };
  paint_.OnDblClick = [this](TQmControl*) { OnDblClick(this); };
  paint_.OwnerMouseDown = [this](TQmControl*, int button, WPARAM keys, int x, int y) {
    if (button == 0 && TabStop() && HandleAllocated()) SetFocus(Handle());
    // The annotation engine knows two buttons: a middle press is a left one, its release a right one.
    annotations_.Mouse(ViewerMouse::AnnotationDownMessage(button), x + paint_.Left(), y + paint_.Top());
    OnMouseDown(this, button, keys, x, y);
    ModeMouseDown(button, keys, x, y);
  };
  paint_.OwnerMouseMove = [this](TQmControl*, int button, WPARAM keys, int x, int y) {
    annotations_.Mouse(WM_MOUSEMOVE, x + paint_.Left(), y + paint_.Top());
    OnMouseMove(this, button, keys, x, y);
    ModeMouseMove(keys, x, y);
  };
  paint_.OwnerMouseUp = [this](TQmControl*, int button, WPARAM keys, int x, int y) {
    annotations_.Mouse(ViewerMouse::AnnotationUpMessage(button), x + paint_.Left(), y + paint_.Top());
    OnMouseUp(this, button, keys, x, y);
    ModeMouseUp(button, keys, x, y);
  };
  InsertControl(&paint_);
  HorzScrollBar().SetTracking(true);
  VertScrollBar().SetTracking(true);
  ConstructMouseModes();
}

QmDocumentImage::~QmDocumentImage() {
  annotations_.Stop();
  RemoveControl(&paint_);
  DestroyMouseModes();
  if (palette_) DeleteObject(palette_);
}

void QmDocumentImage::CreateWnd() {
  TQmSScrollingWinControl::CreateWnd();
  annotations_.Start(Handle());
}

LRESULT QmDocumentImage::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kAnnotationClickMessage) {
    annotations_.Clicked(wParam, lParam);
    return 0;
  }
  LRESULT result = TQmSScrollingWinControl::WndProc(msg, wParam, lParam);
  if (msg == WM_COMMAND) annotations_.MenuCommand(wParam);
  return result;
}

template <class Change>
bool QmDocumentImage::ChangingPage(Change change) {
  if (HasImage()) annotations_.AutoSaveAnnotations(TiffPage());
  const bool changed = change();
  if (changed && HasImage()) annotations_.AutoLoadAnnotations(TiffPage());
  return changed;
}

void QmDocumentImage::LoadTiffPage(const std::string& fileName, int16_t page, int bits) {
  ChangingPage([&] {
    doc_.LoadTiffPage(fileName, page, bits);
    return true;
  });
}

void QmDocumentImage::LoadTiffStream(TiffStream* stream, int16_t page, int bits) {
  ChangingPage([&] {
    doc_.LoadTiffStream(stream, page, bits);
    return true;
  });
}

void QmDocumentImage::LoadImageFile(const std::string& fileName, TLoadResolution resolution,
                                    bool dither) {
  ChangingPage([&] {
    doc_.LoadImageFile(fileName, resolution, dither);
    return true;
  });
}

void QmDocumentImage::ClearImage() {
  ChangingPage([&] {
    doc_.ClearImage();
    annotations_.ClearAnnotations();
    return false;
  });
}

// A page reached by stepping starts without the last page's annotations.
template <class Step>
bool QmDocumentImage::SteppingPage(Step step) {
  return ChangingPage([&] {
    if (!step()) return false;
    annotations_.ClearAnnotations();
    return true;
  });
}

bool QmDocumentImage::NextPage() { return SteppingPage([&] { return doc_.NextPage(); }); }
bool QmDocumentImage::PriorPage() { return SteppingPage([&] { return doc_.PriorPage(); }); }
bool QmDocumentImage::GoToPage(int16_t page) {
  return SteppingPage([&] { return doc_.GoToPage(page); });
}

void QmDocumentImage::FirstPage() {
  SteppingPage([&] {
    doc_.FirstPage();
    return true;
  });
}

void QmDocumentImage::LastPage() {
  SteppingPage([&] {
    doc_.LastPage();
    return true;
  });
}

void QmDocumentImage::ShowScannedDib(HGLOBAL& dib, const std::string& name) {
  doc_.ShowScannedDib(reinterpret_cast<DibRef>(dib), name);
}

HGLOBAL QmDocumentImage::DuplicateDibHandle(HGLOBAL dib) {
  HGLOBAL copy = CopyDibBlock(dib);
  if (dib && !copy) imaging_.Raise("Can't allocate memory");
  return copy;
}

void QmDocumentImage::ReportDllError() {
  int16_t code = 0;
  std::string text;
  imaging_.LastDllError(code, text);
  if (!OnPictorelError) imaging_.Raise(text);
  OnPictorelError(this, code, text, text.c_str());
}

int16_t __cdecl QmDocumentImage::ProgressCallback(int16_t progress, void* viewer) {
  auto* self = static_cast<QmDocumentImage*>(viewer);
  return self ? (self->ReportProgress(progress) ? 1 : 0) : 1;
}

void QmDocumentImage::SetAutoSize(bool value) {
  SetAutoSizeOn(value);
  doc_.SetAutoSize(value);
}

bool QmDocumentImage::Progress(int16_t progress, const std::string& text) {
  bool cancel = false;
  OnProgress(this, progress, text, cancel);
  return cancel;
}

void QmDocumentImage::Info(const InfoReport& i) {
  OnInfo(this, i.width, i.height, i.bitsPerPixel, i.size, i.tiffPages, i.tiffThisPage,
         i.compression, i.byFile, i.fileName);
}

bool QmDocumentImage::Tag(const TiffTagRecord& t) {
  bool cancel = false;
  OnTag(this, t.tag, t.length, t.value, t.data, t.name, t.readOnly, t.page, cancel);
  return cancel;
}

bool QmDocumentImage::ScanFileNameHandler(std::string& fileName, int16_t& scanPage) {
  if (!OnScanFileName) return false;
  OnScanFileName(this, fileName, scanPage);
  return true;
}

void QmDocumentImage::ApplyLayout(QmSize box) {
  paletteSource_ = nullptr;  // the block may be new even where the handle is not
  paint_.SetBounds(paint_.Left(), paint_.Top(), box.width, box.height);
  UpdateScrollRange();
  paint_.Invalidate(false);
  Invalidate();
}

HPALETTE QmDocumentImage::PaletteFor(HGLOBAL source, const BITMAPINFOHEADER* h) {
  if (source == paletteSource_) return palette_;
  if (palette_) DeleteObject(palette_);
  palette_ = nullptr;
  paletteSource_ = source;
  uint32_t n = h->biClrUsed ? h->biClrUsed : (h->biBitCount <= 8 ? 1u << h->biBitCount : 0);
  if (n == 0 || n > 256) return nullptr;  // no colour table: nothing to select
  if (makePalette_) return palette_ = makePalette_(h);
  std::vector<uint8_t> buffer(sizeof(LOGPALETTE) + n * sizeof(PALETTEENTRY));
  auto* lp = reinterpret_cast<LOGPALETTE*>(buffer.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = static_cast<WORD>(n);
  auto* table = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const uint8_t*>(h) + h->biSize);
  for (uint32_t i = 0; i < n; ++i)
    lp->palPalEntry[i] = PALETTEENTRY{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
  palette_ = CreatePalette(lp);
  return palette_;
}

void QmDocumentImage::PaintPage(TQmPaintBox* box, HDC dc) {
  auto plan = doc_.PlanPaint();
  if (!plan.source) return;
  HGLOBAL source = reinterpret_cast<HGLOBAL>(plan.source);
  auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(source));
  if (!header) return;
  const uint8_t* bits = reinterpret_cast<const uint8_t*>(header) + DibHeaderBytes(*header);
  HPALETTE palette = PaletteFor(source, header);
  HPALETTE previous = nullptr;
  if (palette) {
    previous = SelectPalette(dc, palette, FALSE);
    RealizePalette(dc);
  }
  SetStretchBltMode(dc, plan.stretchMode);
  StretchDIBits(dc, 0, 0, box->Width(), box->Height(), 0, 0, header->biWidth,
                std::abs(header->biHeight), bits, reinterpret_cast<BITMAPINFO*>(header),
                DIB_RGB_COLORS, SRCCOPY);
  if (palette) SelectPalette(dc, previous, FALSE);
  GlobalUnlock(source);
  annotations_.Draw(dc, box->Left(), box->Top(), doc_.ScalePercent());
  PaintArea a = VisiblePaintArea(box->Left(), box->Top(), {box->Width(), box->Height()},
                                 {Width(), Height()});
  OnPaintArea(this, a.x, a.y, a.xx, a.yy);
}

}  // namespace qm
