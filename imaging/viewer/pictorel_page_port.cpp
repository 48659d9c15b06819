// The page-maintenance, writing and image-edit half of the viewer's imaging port over the
// bindings. Stream work goes through a global block of the library's; the block is given back
// on every path and the caller's TIFF is replaced only by a complete result.
#include "crde_bindings.h"
#include "dib_handle.h"
#include "isp_bindings.h"
#include "pictorel_imaging_port.h"
#include "save_image_file.h"

namespace qm {

namespace {

HGLOBAL H(DibRef d) { return reinterpret_cast<HGLOBAL>(d); }

// A global block holding a copy of a TIFF, with room to grow; freed when it goes out of scope.
class TiffBlock {
 public:
  TiffBlock(const TiffStream& tiff, size_t room) : size_(int32_t(tiff.size())) {
    block_ = GlobalAlloc(GMEM_MOVEABLE, tiff.size() + room);
    if (!block_) return;
    if (void* p = GlobalLock(block_)) {
      memcpy(p, tiff.data(), tiff.size());
      GlobalUnlock(block_);
    }
  }
  ~TiffBlock() {
    if (block_) GlobalFree(block_);
  }
  TiffBlock(const TiffBlock&) = delete;
  TiffBlock& operator=(const TiffBlock&) = delete;
  explicit operator bool() const { return block_ != nullptr; }
  HGLOBAL& Handle() { return block_; }
  int32_t& Size() { return size_; }
  bool CopyTo(TiffStream& out) {
    if (!block_ || size_ < 0 || SIZE_T(size_) > GlobalSize(block_)) return false;
    const auto* p = static_cast<const uint8_t*>(GlobalLock(block_));
    if (!p) return false;
    out.assign(p, p + size_);
    GlobalUnlock(block_);
    return true;
  }

 private:
  HGLOBAL block_ = nullptr;
  int32_t size_;
};

}  // namespace

bool PictorelImagingPort::DeletePage(const std::string& name, int16_t page) {
  return ::DeletePage(name, page);
}

bool PictorelImagingPort::DeletePageStream(const TiffStream& tiff, int16_t page, TiffStream& result) {
  result = tiff;
  return !result.empty() && ::DeletePageStream(result.data(), int32_t(result.size()), page);
}

bool PictorelImagingPort::PackTiff(const std::string& name) {
  return ::PackTiff(name, sender_, progress_);
}

bool PictorelImagingPort::PackTiffStream(const TiffStream& tiff, TiffStream& result) {
  TiffBlock block(tiff, 0);
  if (!block) Raise("Can't allocate memory");
  return ::PackTiffStream(block.Handle(), block.Size(), sender_, progress_) && block.CopyTo(result);
}

bool PictorelImagingPort::ReplaceTiffPage(const std::string& name, int compression, int16_t page,
                                          DibRef dib, int bits) {
  return ::ReplaceTiffPage(name, compression, bits, page, H(dib), sender_, progress_);
}

bool PictorelImagingPort::ReplaceTiffPageStream(const TiffStream& tiff, int compression,
                                                int16_t page, DibRef dib, int bits,
                                                TiffStream& result) {
  // Room for the new page, with a fifth to spare for the encoding.
  size_t dibSize = GlobalSize(H(dib));
  TiffBlock block(tiff, dibSize + (dibSize + 2) / 5);
  if (!block) Raise("Can't allocate memory");
  return ::ReplaceTiffPageStream(block.Handle(), block.Size(), compression, bits, page, H(dib),
                                 sender_, progress_) &&
         block.CopyTo(result);
}

bool PictorelImagingPort::WriteTiffFile(const std::string& name, int compression, bool append,
                                        DibRef dib, int bits) {
  return ::WriteTiffFile(name, compression, bits, append, H(dib), sender_, progress_);
}

bool PictorelImagingPort::InsertTiffPage(const std::string& name, int compression, int16_t page,
                                         DibRef dib, int bits) {
  return ::InsertTiffPage(name, compression, bits, page, H(dib), sender_, progress_);
}

int PictorelImagingPort::TiffWriteBitDepth(int colorOption) {
  return FormatBitDepth("tif", colorOption);
}

DibRef PictorelImagingPort::Rotate(DibRef dib, uint32_t fill, double angle) {
  HGLOBAL copy = CopyDibBlock(H(dib));
  if (!copy) Raise("Can't allocate memory");
  // On success the binding gives the copy back and hands over the rotated block instead.
  if (!::RotateImage(copy, 0, 0, 0, 0, angle, COLORREF(fill))) {
    FreeDibHandle(copy);
    return 0;
  }
  return reinterpret_cast<DibRef>(copy);
}

DibRef PictorelImagingPort::Mirror(DibRef dib, int first, int second) {
  HGLOBAL mirrored = ::MirrorImage(H(dib), first != 0, second != 0);
  if (mirrored && GlobalSize(mirrored) <= 1) {
    FreeDibHandle(mirrored);
    mirrored = nullptr;
  }
  return reinterpret_cast<DibRef>(mirrored);
}

bool PictorelImagingPort::Invert(DibRef dib) {
  HGLOBAL h = H(dib);
  return ::InvertImage(h);
}

double PictorelImagingPort::MeasureSkew(DibRef dib, int subsampling, int grayValue, double range,
                                        double angleResolution, double lineResolution) {
  HGLOBAL h = H(dib);
  return ::DeskewImage(h, subsampling, grayValue, range, angleResolution, lineResolution);
}

}  // namespace qm
