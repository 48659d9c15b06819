// KSImageThumbnail1, the main window's thumbnail strip: made when the window is created, filling
// the strip's area left of the splitter, disabled until a batch is there, thumbnails up to
// 150 x 150; re-arranged when the strip or the splitter moves.
#include "ks_image_thumbnail.h"
#include "tarnwick_form.h"

namespace tarnwick {

void TTarnwickForm::PlaceThumbnailStrip() {
  StripArea.SetName("KSImageThumbnail1");
  StripArea.CreateHandle(Handle());
  KSImageThumbnail1 = std::make_unique<TKSImageThumbnail>();
  TKSImageThumbnail& strip = *KSImageThumbnail1;
  strip.SetName("KSImageThumbnail1");
  strip.SetThumbnailWidth(150);
  strip.SetThumbnailHeight(150);
  strip.SetAlign(qm::TAlign::alClient);
  strip.OnThumbClick = [this](TKSImageThumbnail*, int index, const std::string& file, int pageNo) {
    KSImageThumbnail1ThumbClick(index, file, pageNo);
  };
  strip.OnGetImageHandle = [this](TKSImageThumbnail*, const std::string& file, HGLOBAL& dib) {
    KSImageThumbnail1GetImageHandle(file, dib);
  };
  StripArea.InsertControl(&strip);
  EnableWindow(StripArea.Handle(), FALSE);  // disabled until a batch is there
}

void TTarnwickForm::ArrangeThumbnailStrip() {
  if (KSImageThumbnail1) KSImageThumbnail1->ArrangeThumbnails();
}

}  // namespace tarnwick
