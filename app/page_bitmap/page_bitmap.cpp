#include "page_bitmap.h"

#include <cmath>

#include "dib_layout.h"
#include "ltkrn12.h"

namespace tarnwick {

namespace {

// A locked view of a block, unlocked when the scope ends.
class LockedBlock {
 public:
  explicit LockedBlock(HGLOBAL block)
      : block_(block), data_(block ? static_cast<const uint8_t*>(GlobalLock(block)) : nullptr),
        size_(data_ ? GlobalSize(block) : 0) {}
  ~LockedBlock() {
    if (data_) GlobalUnlock(block_);
  }
  const uint8_t* Data() const { return data_; }
  size_t Size() const { return size_; }

 private:
  HGLOBAL block_;
  const uint8_t* data_;
  size_t size_;
};

}  // namespace

int32_t PageDibToBitmap(HGLOBAL page, LtBitmapHandle& bitmap) {
  LockedBlock block(page);
  imagecore::DibLayout layout;
  const bool sound =
      block.Data() && imagecore::ParseDibLayout(block.Data(), block.Size(), layout) == imagecore::kOk;
  int32_t r = L_InitBitmap(&bitmap, 0, 0, sound ? layout.bits : 1);
  if (r != kLtSuccess) return r;
  if (!sound) return kLtBadDib;
  return L_ConvertFromDIB(&bitmap, reinterpret_cast<const BITMAPINFOHEADER*>(block.Data()),
                          block.Data() + layout.bitsOffset);
}

int32_t PageDibDpi(HGLOBAL page) {
  LockedBlock block(page);
  if (!block.Data() || block.Size() < sizeof(BITMAPINFOHEADER)) return 0;
  const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(block.Data());
  return header->biXPelsPerMeter > 0 ? int32_t(std::lround(header->biXPelsPerMeter / 39.37)) : 0;
}

BitmapHolder::BitmapHolder() { L_InitBitmap(&bitmap_, 0, 0, 1); }

BitmapHolder::~BitmapHolder() { L_FreeBitmap(&bitmap_); }

}  // namespace tarnwick
