// QmDocumentImage's page and editing operations as the window offers them: the document's page
// maintenance with the viewer's settings, the clipboard (CF_DIB) and its keys.
#include "dib_block_port.h"
#include "qm_document_image.h"
#include "viewer_clipboard.h"

namespace qm {

namespace {

// Closes the clipboard however the paste ends.
struct OpenClipboardScope {
  bool open;
  explicit OpenClipboardScope(HWND owner) : open(OpenClipboard(owner) != 0) {}
  ~OpenClipboardScope() {
    if (open) CloseClipboard();
  }
};

}  // namespace

QmViewerDocument::DeskewSettings QmDocumentImage::DeskewSettingsNow() const {
  QmViewerDocument::DeskewSettings d;
  d.subsampling = settings_.DeskewSubsampling;
  d.range = settings_.DeskewRange;
  d.angleResolution = settings_.DeskewAngle_res;
  d.lineResolution = settings_.DeskewLine_res;
  d.grayValue = settings_.DeskewGrayValue;
  return d;
}

void QmDocumentImage::DeleteCurrentPage() {
  if (TiffPage() >= 0 && TiffPage() < TiffPageCount()) DeleteTiffPage(TiffPage());
}

void QmDocumentImage::DeleteTiffPage(int16_t page) {
  pageDeleted_ = false;
  doc_.DeleteTiffPage(page);
  // The page shown now gets its annotations; the deleted page's were not saved again.
  if (pageDeleted_ && HasImage()) annotations_.AutoLoadAnnotations(TiffPage());
}

void QmDocumentImage::SaveToTiff(const std::string& name, int16_t percent, TScaleToGray mode,
                                 int16_t bits) {
  if (HasImage()) annotations_.AutoSaveAnnotations(TiffPage());
  QmViewerDocument::TiffSaveOptions options;
  options.mode = settings_.TifSaveOptions;
  options.insertAt = settings_.TifInsertAt;
  options.compression = settings_.TifSaveCompress;
  doc_.SaveToTiff(name, percent, mode, bits, options);
}

HGLOBAL QmDocumentImage::ScaledCopy(int16_t percent, TScaleToGray mode) {
  return reinterpret_cast<HGLOBAL>(doc_.ScaledCopy(percent, mode));
}

bool QmDocumentImage::PlaceCopyOnClipboard() {
  HGLOBAL dib = GetDibHandle();
  if (!dib) return false;
  HGLOBAL copy = DuplicateDibHandle(dib);
  OpenClipboardScope clipboard(HandleAllocated() ? Handle() : nullptr);
  if (!clipboard.open) {
    GlobalFree(copy);
    imaging_.Raise("Cannot open clipboard");
  }
  EmptyClipboard();
  // From here on the clipboard owns the copy.
  if (!SetClipboardData(CF_DIB, copy)) {
    GlobalFree(copy);
    imaging_.Raise("Cannot put the image on the clipboard");
  }
  return true;
}

void QmDocumentImage::CopyToClipboard() { PlaceCopyOnClipboard(); }

void QmDocumentImage::CutToClipboard() {
  // The page goes only once its copy is on the clipboard.
  if (PlaceCopyOnClipboard()) doc_.ClearImage();
}

void QmDocumentImage::PasteFromClipboard() {
  if (!IsClipboardFormatAvailable(CF_DIB)) return;
  OpenClipboardScope clipboard(HandleAllocated() ? Handle() : nullptr);
  if (!clipboard.open) return;
  HGLOBAL block = GetClipboardData(CF_DIB);
  if (!block) return;
  // Any program may have put it there: it must be a page the viewer can show.
  ClipboardDibFault fault = ClipboardDibFault::kTooSmall;
  if (const auto* p = static_cast<const uint8_t*>(GlobalLock(block))) {
    fault = CheckClipboardDib(p, GlobalSize(block));
    GlobalUnlock(block);
  }
  if (fault != ClipboardDibFault::kNone) imaging_.Raise(ClipboardDibFaultText(fault));
  HGLOBAL copy = DuplicateDibHandle(block);
  doc_.ShowPastedDib(reinterpret_cast<DibRef>(copy));
}

void QmDocumentImage::RunClipboardKey(ClipboardKey action) {
  // Keys come through the message loop: a failure is reported, not thrown into it.
  try {
    switch (action) {
      case ClipboardKey::kPaste: PasteFromClipboard(); break;
      case ClipboardKey::kCopy: CopyToClipboard(); break;
      case ClipboardKey::kCut: CutToClipboard(); break;
      case ClipboardKey::kNone: break;
    }
  } catch (const std::exception& e) {
    std::string text = e.what();
    if (OnPictorelError) OnPictorelError(this, 0, text, text.c_str());
    else MessageBoxA(HandleAllocated() ? Handle() : nullptr, text.c_str(), nullptr, MB_OK | MB_ICONERROR);
  }
}

void QmDocumentImage::KeyDown(WORD& key, int shift) {
  TQmSScrollingWinControl::KeyDown(key, shift);
  RunClipboardKey(ClipboardKeyFor(key, shift));
}

void QmDocumentImage::KeyPress(char& key) {
  TQmSScrollingWinControl::KeyPress(key);
  RunClipboardKey(ClipboardCharFor(key));
}

void QmDocumentImage::PageDeleted(int16_t page) {
  pageDeleted_ = true;
  if (!doc_.StreamFlag()) annotations_.RemoveAnnotationPage(page);
  annotations_.ClearAnnotations();
  if (OnPageDeleted) OnPageDeleted(page);
}

void QmDocumentImage::PageInserted(int16_t page) {
  annotations_.InsertAnnotationPage(page);
  annotations_.ClearAnnotations();
  if (OnPageInserted) OnPageInserted(page);
}

bool QmDocumentImage::DllErrorHandled(int16_t code, const std::string& text) {
  if (!OnPictorelError) return false;
  OnPictorelError(this, code, text, text.c_str());
  return true;
}

}  // namespace qm
