#include "ks_image_thumbnail.h"

#include <algorithm>

#include "thumb_painting.h"

namespace tarnwick {

namespace {

void WaitCursor() { SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT))); }
void NormalCursor() { SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW))); }

std::string PageCaption(int page) { return "Page " + std::to_string(page); }

bool SameFile(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_EQUAL;
}

}  // namespace

TKSImageThumbnail::TKSImageThumbnail() {
  SetName("KSImageThumbnail");
  SetAutoScroll(false);
  VertScrollBar().SetIncrement(uint16_t(thumbHeight_ + 39));
}

TKSImageThumbnail::~TKSImageThumbnail() {
  labels_.clear();
  images_.clear();
}

void TKSImageThumbnail::SetThumbnailHeight(int32_t value) {
  thumbHeight_ = value;
  VertScrollBar().SetIncrement(uint16_t(std::clamp(value + 39, 1, 65535)));
}

StripGeometry TKSImageThumbnail::Geometry() const {
  StripGeometry g;
  g.windowWidth = Width();
  g.clientHeight = ClientHeightNow();
  g.scrollBarWidth = GetSystemMetrics(SM_CXVSCROLL);
  g.thumbWidth = thumbWidth_;
  g.thumbHeight = thumbHeight_;
  return g;
}

void TKSImageThumbnail::SetRange(int32_t range) { VertScrollBar().SetRange(std::max(range, 0)); }

void TKSImageThumbnail::ScrollBy(int32_t, int32_t) { Invalidate(); }

void TKSImageThumbnail::ResetPosition() {
  layout_.NextLeft = kFirstLeft;
  layout_.NextTop = kFirstTop;
}

HGLOBAL TKSImageThumbnail::FetchDib(const std::string& file) {
  HGLOBAL dib = nullptr;
  OnGetImageHandle(this, file, dib);
  return dib;
}

TThumbPicture* TKSImageThumbnail::MakeThumb(int32_t left, int32_t top, ThumbSize size,
                                            const std::string& file, int pageNo, bool stretch,
                                            HBITMAP picture) {
  auto image = std::make_unique<TThumbPicture>();
  image->SetBounds(left, top, size.width, size.height);
  image->Hint = file;
  image->Tag = pageNo;
  image->Stretch = stretch;
  image->SetPicture(picture);
  TThumbPicture* raw = image.get();
  image->OnClick = [this, raw](qm::TQmControl*) { ImageClick(raw); };
  auto label = std::make_unique<TThumbLabel>();
  label->Tag = pageNo;
  label->SetCaption(PageCaption(pageNo));
  label->SetColor(Color());
  TThumbLabel* rawLabel = label.get();
  label->OnClick = [this, rawLabel](qm::TQmControl*) { LabelClick(rawLabel); };
  InsertControl(image.get());
  InsertControl(label.get());
  images_.push_back(std::move(image));
  labels_.push_back(std::move(label));
  PlaceLabel(images_.size() - 1);
  return raw;
}

void TKSImageThumbnail::PlaceLabel(size_t i) {
  const TThumbPicture& image = *images_[i];
  labels_[i]->SetBounds(image.Left(), image.Top() + image.Height() + kLabelGap, image.Width(),
                        kLabelHeight);
}

void TKSImageThumbnail::AddPage(HGLOBAL dib, const std::string& fileName, int pageNo) {
  if (!dib || GlobalSize(dib) == 0) return;
  if (layout_.AtBatchStart()) {
    layout_.Restart();
    ClearSelection();
    pageOffset_ = 0;
    lastScrollPos_ = 0;
    pageFiles_.clear();
    pageCount_ = 0;
  }
  pageCount_ = pageNo;
  pageFiles_.push_back(fileName);
  const StripGeometry g = Geometry();
  if (layout_.RoomLeft) {
    ThumbPicture picture = MakeThumbPicture(dib, thumbWidth_, thumbHeight_);
    // A page that cannot be read still gets its place, blank.
    ThumbSize size = picture.size.Empty() ? FitThumbSize(thumbWidth_, thumbHeight_, thumbWidth_, thumbHeight_)
                                          : picture.size;
    MakeThumb(layout_.NextLeft, layout_.NextTop, size, fileName, pageNo, true, picture.bitmap);
    lastWidth_ = size.width;
    layout_.PlacedThumb(size.width, pageNo, g);
  } else {
    layout_.SkippedThumb(lastWidth_, pageNo, g);
  }
  SetRange(g.clientHeight + layout_.ExtraHeight);
}

void TKSImageThumbnail::AddPageName(const std::string& fileName, int pageNo) {
  if (TakesThumbnail()) return;
  pageCount_ = pageNo;
  pageFiles_.push_back(fileName);
  const StripGeometry g = Geometry();
  layout_.SkippedThumb(lastWidth_, pageNo, g);
  SetRange(g.clientHeight + layout_.ExtraHeight);
}

void TKSImageThumbnail::ClearSelection() {
  if (selectedImage_) selectedImage_->SetFramed(false);
  selectedImage_ = nullptr;
  selectedLabel_ = nullptr;
  selectedPage_ = 0;
  hasSelection_ = false;
}

void TKSImageThumbnail::FreeFrom(size_t first) {
  for (size_t i = first; i < images_.size(); ++i)
    if (images_[i].get() == selectedImage_) ClearSelection();
  if (first < images_.size()) images_.erase(images_.begin() + ptrdiff_t(first), images_.end());
  if (first < labels_.size()) labels_.erase(labels_.begin() + ptrdiff_t(first), labels_.end());
}

void TKSImageThumbnail::ClearThumbnails() {
  WaitCursor();
  ClearSelection();
  FreeFrom(0);
  NormalCursor();
}

void TKSImageThumbnail::ArrangeThumbnails() {
  if (images_.empty()) return;
  const StripGeometry g = Geometry();
  layout_.FirstRowOpen = true;
  layout_.NextLeft = kFirstLeft;
  layout_.NextTop = kFirstTop;
  for (size_t i = 0; i < images_.size(); ++i) {
    TThumbPicture& image = *images_[i];
    image.SetBounds(layout_.NextLeft, layout_.NextTop, image.Width(), image.Height());
    const int page = int(i) + pageOffset_ + 1;
    image.Tag = page;
    labels_[i]->Tag = page;
    labels_[i]->SetCaption(PageCaption(page));
    PlaceLabel(i);
    // The second edition selects the selected page's picture again, as a click does.
    if (layout_.ForEdition == Edition::kSecond && page == selectedPage_)
      ImageClick(&image);
    layout_.NextLeft += image.Width() + image.Width() / 3;
    if (layout_.RowFull(g)) {
      layout_.NextLeft = kFirstLeft;
      layout_.NextTop += g.RowStep();
      if (layout_.FirstRowOpen) {
        layout_.PagesPerRow = page - pageOffset_;
        layout_.FirstRowOpen = false;
      }
      if (layout_.NextTop >= g.clientHeight) {
        FreeFrom(i + 1);
        break;
      }
    }
  }
  // Room left below the last control: build the pages that follow it.
  bool first = true;
  while (OnGetImageHandle && layout_.NextTop < g.clientHeight &&
         int(images_.size()) + pageOffset_ + 1 <= pageCount_ &&
         size_t(int(images_.size()) + pageOffset_) < pageFiles_.size()) {
    layout_.NextLeft -= first ? 2 : 8;
    first = false;
    const int page = int(images_.size()) + pageOffset_ + 1;
    const std::string& file = pageFiles_[size_t(page - 1)];
    HGLOBAL dib = FetchDib(file);
    ThumbPicture picture = MakeThumbPicture(dib, thumbWidth_, thumbHeight_);
    if (dib) GlobalFree(dib);
    ThumbSize size = picture.size.Empty() ? ThumbSize{lastWidth_, thumbHeight_} : picture.size;
    MakeThumb(layout_.NextLeft, layout_.NextTop, size, file, page, false, picture.bitmap);
    lastWidth_ = size.width;
    int32_t range = -1;
    const bool room = layout_.PlacedOnDemand(size.width, page, g, &range);
    if (range >= 0) SetRange(range);
    if (!room) break;
  }
}

void TKSImageThumbnail::ShowPage(size_t i, int page) {
  TThumbPicture& image = *images_[i];
  TThumbLabel& label = *labels_[i];
  if (page > pageCount_ || page < 1 || size_t(page) > pageFiles_.size()) {
    image.SetVisible(false);
    image.SetEnabled(false);
    label.SetVisible(false);
    label.SetEnabled(false);
    return;
  }
  image.SetVisible(true);
  image.SetEnabled(true);
  label.SetVisible(true);
  label.SetEnabled(true);
  image.Hint = pageFiles_[size_t(page - 1)];
  image.Tag = page;
  label.Tag = page;
  label.SetCaption(PageCaption(page));
  if (!OnGetImageHandle) return;
  HGLOBAL dib = FetchDib(image.Hint);
  ThumbPicture picture = MakeThumbPicture(dib, thumbWidth_, thumbHeight_);
  if (dib) GlobalFree(dib);
  if (!picture.size.Empty() && (picture.size.width != image.Width() || picture.size.height != image.Height()))
    image.SetBounds(image.Left(), image.Top(), picture.size.width, picture.size.height);
  // No picture (a deleted file, a bad block): the thumbnail stays in place, blank.
  image.SetPicture(picture.size.Empty() ? PaintDibToImage(nullptr, image.Width(), image.Height())
                                        : picture.bitmap);
  PlaceLabel(i);
}

void TKSImageThumbnail::Refill() {
  for (size_t i = 0; i < images_.size(); ++i) ShowPage(i, int(i) + pageOffset_ + 1);
}

bool TKSImageThumbnail::AllPagesHaveControls() const {
  return pageOffset_ == 0 && pageCount_ <= int(images_.size());
}

void TKSImageThumbnail::VerticalScroll(int code, int position) {
  ClearSelection();
  WaitCursor();
  const StripGeometry g = Geometry();
  if (pageCount_ > 25) {
    int32_t range = ManyPagesRange(pageCount_, Height(), Width());
    if (range > 0) SetRange(range);
  }
  int firstHidden = -1;
  for (size_t i = 0; i < images_.size(); ++i)
    if (!images_[i]->Visible()) {
      firstHidden = int(i);
      break;
    }
  ScrollInput in;
  in.code = code;
  in.position = position;
  in.increment = VertScrollBar().Increment();
  in.offset = pageOffset_;
  in.pagesPerRow = layout_.PagesPerRow;
  in.controls = int(images_.size());
  in.firstHidden = firstHidden;
  in.pageCount = pageCount_;
  ScrollResult r = ScrollPages(in);
  if (r.refill) {
    pageOffset_ = r.offset;
    Refill();
  }
  if (r.position >= 0) VertScrollBar().SetPosition(r.position);
  const int32_t now = VertScrollBar().Position();
  if (now != lastScrollPos_) ArrangeThumbnails();
  lastScrollPos_ = now;
  (void)g;
  NormalCursor();
}

LRESULT TKSImageThumbnail::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_VSCROLL && lParam == 0) {
    const int code = LOWORD(wParam);
    // The bar moves first (the controls stay: ScrollBy), then the controls show their pages.
    LRESULT r = TQmSScrollingWinControl::WndProc(msg, wParam, lParam);
    if (code <= 4) VerticalScroll(code, HIWORD(wParam));
    return r;
  }
  return TQmSScrollingWinControl::WndProc(msg, wParam, lParam);
}

int TKSImageThumbnail::IndexOf(const TThumbPicture* picture) const {
  for (size_t i = 0; i < images_.size(); ++i)
    if (images_[i].get() == picture) return int(i);
  return -1;
}

void TKSImageThumbnail::ImageClick(TThumbPicture* picture) {
  if (!OnThumbClick || !picture) return;
  const int index = IndexOf(picture);
  if (index < 0) return;
  if (selectedImage_) {
    if (SameFile(selectedImage_->Hint, picture->Hint)) return;
    selectedImage_->SetFramed(false);
  }
  selectedImage_ = picture;
  selectedLabel_ = labels_[size_t(index)].get();
  selectedPage_ = picture->Tag;
  picture->SetFramed(true);
  hasSelection_ = true;
  NormalCursor();
  OnThumbClick(this, index, picture->Hint, picture->Tag);
}

void TKSImageThumbnail::LabelClick(TThumbLabel* label) {
  for (size_t i = 0; i < labels_.size(); ++i)
    if (labels_[i].get() == label) return ImageClick(images_[i].get());
}

void TKSImageThumbnail::RebuildFromFirst() {
  ClearThumbnails();
  pageCount_ = 0;
  layout_.FirstRowOpen = true;
  pageOffset_ = 0;
  layout_.ExtraHeight = 0;
  SetRange(0);
  ResetPosition();
  const StripGeometry g = Geometry();
  bool building = true;
  for (const std::string& file : pageFiles_) {
    ++pageCount_;
    if (building && OnGetImageHandle) {
      HGLOBAL dib = FetchDib(file);
      ThumbPicture picture = MakeThumbPicture(dib, thumbWidth_, thumbHeight_);
      if (dib) GlobalFree(dib);
      ThumbSize size = picture.size.Empty() ? ThumbSize{lastWidth_, thumbHeight_} : picture.size;
      MakeThumb(layout_.NextLeft, layout_.NextTop, size, file, pageCount_, false, picture.bitmap);
      lastWidth_ = size.width;
      int32_t range = -1;
      building = layout_.PlacedOnDemand(size.width, pageCount_, g, &range);
      if (range >= 0) SetRange(range);
    } else {
      layout_.SkippedThumb(lastWidth_, pageCount_, g);
    }
  }
  SetRange(g.clientHeight + layout_.ExtraHeight);
}

void TKSImageThumbnail::ShowLastPages() {
  // The controls are about to show other pages: a frame on one of them would mark a page that
  // was never chosen.
  ClearSelection();
  const StripGeometry g = Geometry();
  VertScrollBar().SetPosition(VertScrollBar().CalcRange());
  StripLayout place;
  size_t inView = 0;  // controls whose picture and caption are wholly in view
  for (size_t i = 0; i < images_.size(); ++i) {
    TThumbPicture& image = *images_[i];
    image.SetBounds(place.NextLeft, place.NextTop, image.Width(), image.Height());
    PlaceLabel(i);
    if (labels_[i]->Top() + kLabelHeight <= g.clientHeight) inView = i + 1;
    place.NextLeft += image.Width() + image.Width() / 2;
    if (place.RowFull(g)) {
      place.NextLeft = kFirstLeft;
      place.NextTop += g.RowStep();
    }
  }
  // The last page lands on a control in view, also when the pages fill whole views.
  pageOffset_ = LastPageOffset(pageCount_, int(inView ? inView : images_.size()));
  for (size_t i = 0; i < images_.size(); ++i) ShowPage(i, pageOffset_ + int(i) + 1);
  lastScrollPos_ = VertScrollBar().Position();
}

void TKSImageThumbnail::GotoPage(int where) {
  if (images_.empty()) return;
  if (HandleAllocated()) SetFocus(Handle());
  const int count = int(images_.size());
  int index = -1;
  const int selected = IndexOf(selectedImage_);
  switch (where) {
    case kPrevious:
      index = selected - 1;
      if (index < 0) {
        if (AllPagesHaveControls() || pageCount_ < pageOffset_ || selectedPage_ == 1 || pageOffset_ == 0) {
          index = 0;
        } else {
          VerticalScroll(0, 0);
          index = std::max(layout_.PagesPerRow - 1, 0);
        }
      }
      break;
    case kNext:
      index = selected + 1;
      if (index >= count) {
        if (AllPagesHaveControls()) {
          index = count - 1;
        } else {
          VerticalScroll(1, 0);
          index = std::max(count - layout_.PagesPerRow, 0);
        }
      }
      break;
    case kFirst:
      if (!AllPagesHaveControls() && pageOffset_ != 0) RebuildFromFirst();
      index = 0;
      break;
    case kLast:
      if (!AllPagesHaveControls()) ShowLastPages();
      for (int i = int(images_.size()) - 1; i >= 0; --i)
        if (images_[size_t(i)]->Visible()) {
          index = i;
          break;
        }
      break;
    default:
      return;
  }
  if (index >= 0 && index < int(images_.size()) && images_[size_t(index)]->Visible())
    ImageClick(images_[size_t(index)].get());
}

}  // namespace tarnwick
