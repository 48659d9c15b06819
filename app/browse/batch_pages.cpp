// Opening a batch folder and filling the thumbnail strip from it; the strip's requests for
// page images; showing a page file in the viewer from a thumbnail click or a page step.
#include <windows.h>

#include <cctype>
#include <exception>
#include <stdexcept>

#include "batch_names.h"
#include "message_dialogs.h"
#include "open_form.h"
#include "page_file_reader.h"
#include "page_status.h"
#include "page_step.h"
#include "resource_texts.h"
#include "win_ini_file.h"
#include "tarnwick_form.h"
#include "tarnwick_ids.h"

namespace tarnwick {

namespace {

constexpr int kEditMenuPosition = 1, kViewMenuPosition = 2;

std::wstring ErrorText(const std::exception& e) { return WideOf(e.what()); }

// A white 1 x 1 page: the strip gives a page whose file cannot be read its place, blank.
HGLOBAL BlankPlaceholderPage() {
  const SIZE_T bytes = sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD) + 4;
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  auto* bih = h ? static_cast<BITMAPINFOHEADER*>(GlobalLock(h)) : nullptr;
  if (!bih) return h;
  bih->biSize = sizeof(BITMAPINFOHEADER);
  bih->biWidth = bih->biHeight = 1;
  bih->biPlanes = 1;
  bih->biBitCount = 1;
  auto* colours = reinterpret_cast<RGBQUAD*>(bih + 1);
  colours[1] = {255, 255, 255, 0};
  reinterpret_cast<uint8_t*>(colours + 2)[0] = 0x80;
  GlobalUnlock(h);
  return h;
}

}  // namespace

void TTarnwickForm::OpenBatch1Click() {
  if (!OpenForm) return;
  OpenForm->SetDirectory(WideOf(settings.path));
  if (OpenForm->ShowModal(handle_) != IDOK) return;
  if (OpenBatchShowsStrip(kBuiltEdition) && !KSImageThumbnail1->Visible())
    KSImageThumbnail1->SetVisible(true);
  std::wstring folder = OpenForm->Directory();
  SetFileListFolder(folder);
  SetStatusText(1, L"");
  int count = static_cast<int>(SendMessageW(FileListBox1, LB_GETCOUNT, 0, 0));
  LoadBatchThumbnails(0, count - 1, Utf8Of(folder));
  state.batchHasPages = SendMessageW(FileListBox1, LB_GETCOUNT, 0, 0) > 0;
  state.viewCommands = true;
  EnableWindow(StripArea.Handle(), TRUE);
  EnableWindow(KSImageThumbnail1->Handle(), TRUE);
}

void TTarnwickForm::LoadBatchThumbnails(int first, int last, const std::string& folder) {
  SetFileListFolder(WideOf(folder));
  // Another batch, or this one changed under the page shown: Delete must not reach a page by
  // a name it had before.
  state.shownPageFile.clear();
  KSImageThumbnail1->ClearThumbnails();
  KSImageThumbnail1->ResetPosition();
  KSImageThumbnail1->VertScrollBar().SetRange(0);
  std::vector<std::string> entries = FileListEntries(FileListBox1);
  // A page file that cannot be read is said, one message each, and keeps its number, so the
  // captions stay those of the file names.
  int pageNo = first;
  for (int i = first; i <= last && i < static_cast<int>(entries.size()); ++i) {
    std::string file = JoinPath(folder, entries[static_cast<size_t>(i)]);
    for (char& c : file) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    QmFileInfo info;
    if (!KSImageThumbnail1->TakesThumbnail()) {
      // Past the strip's room a page is listed by its name, its type known from its header;
      // its image is read when the strip shows it, so a large batch opens without decoding
      // every page.
      const bool known = GetFileInfo(file, info) && ReaderForType(info.format) != PageReader::None;
      const BatchEntry entry = ClassifyBatchEntry(file, info.format, known);
      if (entry == BatchEntry::NotAPage) continue;
      KSImageThumbnail1->AddPageName(file, ++pageNo);
      if (entry == BatchEntry::Unreadable) MessageText(handle_, TextW(1008) + L"\n" + WideOf(file));
      continue;
    }
    HGLOBAL dib = nullptr;
    try {
      dib = ReadPageFile(file, info);
    } catch (const std::exception&) {
      dib = nullptr;
    }
    const bool whole = PageBlockSize(dib) > 0;
    BatchEntry entry = ClassifyBatchEntry(file, info.format, whole);
    if (entry == BatchEntry::NotAPage) {
      if (dib) GlobalFree(dib);
      continue;
    }
    ++pageNo;
    if (entry == BatchEntry::Unreadable) {
      if (dib) GlobalFree(dib);
      dib = BlankPlaceholderPage();
    }
    try {
      KSImageThumbnail1->AddPage(dib, file, pageNo);
    } catch (const std::exception&) {
      entry = BatchEntry::Unreadable;
    }
    if (dib) GlobalFree(dib);
    if (entry == BatchEntry::Unreadable) MessageText(handle_, TextW(1008) + L"\n" + WideOf(file));
  }
}

void TTarnwickForm::KSImageThumbnail1GetImageHandle(const std::string& file, HGLOBAL& dib) {
  try {
    QmFileInfo info;
    dib = ReadPageFile(file, info);
  } catch (const std::exception& e) {
    MessageText(handle_, ErrorText(e));
  }
}

// Steps 2 to 6 of a thumbnail click: the page file in the viewer, fitted, with its facts in
// status panel 1. Answers whether the page is shown.
static bool ShowPageFile(TTarnwickForm& form, const std::string& file) {
  auto enableViewing = [&form](bool enabled) {
    form.SetToolBarEnabled(enabled);
    UINT flag = MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED);
    EnableMenuItem(form.MainMenu1, kEditMenuPosition, flag);
    EnableMenuItem(form.MainMenu1, kViewMenuPosition, flag);
    if (form.Handle()) DrawMenuBar(form.Handle());
  };
  try {
    QmFileInfo info;
    if (!GetFileInfo(file, info) || ReaderForType(info.format) == PageReader::None)
      throw std::runtime_error("not an image file: " + file);
    if (ReaderForType(info.format) == PageReader::Tiff)
      form.QmDocumentImage1.LoadTiffPage(file, kPageFileTiffPage, info.bits);
    else
      form.QmDocumentImage1.LoadImageFile(file, qm::TLoadResolution::lAutoMatic, false);
    if (!form.QmDocumentImage1.HasImage()) throw std::runtime_error("not loaded: " + file);
    form.SetStatusText(1, WideOf(PageStatusText(info.format, info.width, info.height, info.bits,
                                                info.description)));
    form.QmDocumentImage1.BestFit();
    enableViewing(true);
    form.state.shownPageFile = file;
    return true;
  } catch (const std::exception&) {
    form.state.shownPageFile.clear();
    ErrorDialog(form.Handle(), 1015);
    enableViewing(false);
    return false;
  }
}

void TTarnwickForm::KSImageThumbnail1ThumbClick(int /*index*/, const std::string& file, int pageNo) {
  if (QmDocumentImage1.HasImage()) QmDocumentImage1.ClearImage();
  state.shownPageFile.clear();
  // The control index counts from the first control shown, which moves when the strip
  // scrolls; the page number does not.
  state.currentPage = pageNo - 1;
  ShowPageFile(*this, file);
}

void TTarnwickForm::ShowBatchPage(int kind) {
  if (QmDocumentImage1.HasImage()) QmDocumentImage1.ClearImage();
  state.shownPageFile.clear();
  std::vector<std::string> entries = FileListEntries(FileListBox1);
  int index = PickBatchPage(static_cast<PageStep>(kind), state.currentPage,
                            static_cast<int>(entries.size()));
  if (index < 0) return;
  state.currentPage = index;
  ShowPageFile(*this, EntryPath(state.browseFolder, entries[static_cast<size_t>(index)]));
}

static void StepPage(TTarnwickForm& form, int kind) {
  TKSImageThumbnail& strip = *form.KSImageThumbnail1;
  switch (PageStepRouteOf(kBuiltEdition, form.settings.dontSaveImage, form.settings.thumnailShow,
                          strip.Visible(), IsWindowEnabled(strip.Handle()) != FALSE)) {
    case PageStepRoute::None: return;
    case PageStepRoute::FileList: form.ShowBatchPage(kind); return;
    case PageStepRoute::Strip:
      strip.GotoPage(kind);
      form.ArrangeThumbnailStrip();
      return;
  }
}

void TTarnwickForm::FirstpageClick() { StepPage(*this, TKSImageThumbnail::kFirst); }
void TTarnwickForm::PriorpageClick() { StepPage(*this, TKSImageThumbnail::kPrevious); }
void TTarnwickForm::NextpageClick() { StepPage(*this, TKSImageThumbnail::kNext); }
void TTarnwickForm::LastpageClick() { StepPage(*this, TKSImageThumbnail::kLast); }

}  // namespace tarnwick
