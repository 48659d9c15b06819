// TKSImageThumbnail: the scrolling strip of page thumbnails at the left of the main window.
// It builds only as many thumbnail controls as its visible area holds; for the other pages it
// keeps their file names and a larger scroll range, and re-uses its controls when scrolled,
// asking its owner for each page's DIB through OnGetImageHandle.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "scrolling_win_control.h"
#include "strip_layout.h"
#include "thumb_controls.h"

namespace tarnwick {

class TKSImageThumbnail : public qm::TQmSScrollingWinControl {
 public:
  // ThumbIndex (in the controls), Filename, PageNo.
  using TThumbClickEvent = qm::TQmEvent<TKSImageThumbnail, int, const std::string&, int>;
  // sFile, var hDIB: the owner answers the page file's DIB (0 when it has none); the strip
  // frees the block.
  using TOpenFileEvent = qm::TQmEvent<TKSImageThumbnail, const std::string&, HGLOBAL&>;

  TKSImageThumbnail();
  ~TKSImageThumbnail() override;

  int32_t ThumbnailWidth() const { return thumbWidth_; }
  void SetThumbnailWidth(int32_t value) { thumbWidth_ = value; }
  int32_t ThumbnailHeight() const { return thumbHeight_; }
  void SetThumbnailHeight(int32_t value);
  std::string BrowsePathName;  // stored only
  TThumbClickEvent OnThumbClick;
  TOpenFileEvent OnGetImageHandle;

  // Records the page and builds its thumbnail while there is room; a zero handle or an empty
  // block is ignored. The block stays the caller's.
  void AddPage(HGLOBAL dib, const std::string& fileName, int pageNo);
  // Whether the next page added gets a thumbnail control of its own. The pages after it need
  // only their names, so that a large batch is listed without reading each page's image.
  bool TakesThumbnail() const { return layout_.AtBatchStart() || layout_.RoomLeft; }
  // A page added by its name alone, as AddPage leaves a page that gets no control; nothing
  // happens while the next page would get one (it is added with its image).
  void AddPageName(const std::string& fileName, int pageNo);
  void ClearThumbnails();
  void ArrangeThumbnails();
  enum { kPrevious = 0, kNext = 1, kFirst = 2, kLast = 3 };
  void GotoPage(int where);
  // The owner starts a new batch or opens another: the next thumbnail goes to (5, 5).
  void ResetPosition();
  void ImageClick(TThumbPicture* picture);
  void LabelClick(TThumbLabel* label);

  int ControlCount() const { return int(images_.size()); }
  TThumbPicture* Image(int i) const { return images_[size_t(i)].get(); }
  TThumbLabel* Label(int i) const { return labels_[size_t(i)].get(); }
  int PageCount() const { return pageCount_; }
  int PageOffset() const { return pageOffset_; }
  int SelectedPage() const { return selectedPage_; }
  bool HasSelection() const { return hasSelection_; }
  TThumbPicture* SelectedImage() const { return selectedImage_; }
  const std::vector<std::string>& PageFiles() const { return pageFiles_; }
  const StripLayout& Layout() const { return layout_; }
  // The edition whose layout rules the strip follows (the program's own unless a test says).
  void SetEdition(Edition edition) { layout_.ForEdition = edition; }

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // The controls stay in the visible area and show other pages instead of moving.
  void ScrollBy(int32_t dx, int32_t dy) override;

 private:
  StripGeometry Geometry() const;
  HGLOBAL FetchDib(const std::string& file);
  TThumbPicture* MakeThumb(int32_t left, int32_t top, ThumbSize size, const std::string& file,
                           int pageNo, bool stretch, HBITMAP picture);
  void PlaceLabel(size_t i);
  void FreeFrom(size_t first);
  void ClearSelection();
  void Refill();
  void ShowPage(size_t i, int page);
  bool AllPagesHaveControls() const;
  void VerticalScroll(int code, int position);
  void RebuildFromFirst();
  void ShowLastPages();
  int IndexOf(const TThumbPicture* picture) const;
  void SetRange(int32_t range);

  int32_t thumbWidth_ = 60, thumbHeight_ = 60;
  std::vector<std::unique_ptr<TThumbPicture>> images_;
  std::vector<std::unique_ptr<TThumbLabel>> labels_;
  std::vector<std::string> pageFiles_;
  int pageCount_ = 0;
  int pageOffset_ = 0;
  StripLayout layout_;
  int32_t lastWidth_ = 60;
  TThumbPicture* selectedImage_ = nullptr;
  TThumbLabel* selectedLabel_ = nullptr;
  int selectedPage_ = 0;
  bool hasSelection_ = false;
  int32_t lastScrollPos_ = 0;
};

}  // namespace tarnwick
