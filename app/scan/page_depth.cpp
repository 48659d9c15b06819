#include "page_depth.h"

#include "bytes.h"
#include "convert.h"
#include "dib_layout.h"

namespace tarnwick {

namespace {

bool Convertible(int bits) { return bits == 4 || bits == 16 || bits == 32 || bits == 48; }

// No DIB reader knows 48 bits (three 16-bit samples, blue first, as a scanner's deep colour
// comes); the high byte of each sample makes the 24-bit page.
bool Deep48ToImage(const uint8_t* block, size_t size, imagecore::Image& out) {
  if (!block || size < imagecore::kInfoHeaderSize) return false;
  const uint32_t headerSize = imagecore::Le32(block);
  const int32_t width = int32_t(imagecore::Le32(block + 4));
  const int32_t height = int32_t(imagecore::Le32(block + 8));
  if (imagecore::Le16(block + 14) != 48 || imagecore::Le32(block + 16) != 0) return false;
  if (headerSize < imagecore::kInfoHeaderSize || headerSize > size || width <= 0 || height == 0 ||
      height == INT32_MIN)
    return false;
  const uint32_t rows = uint32_t(height < 0 ? -int64_t(height) : height);
  if (uint32_t(width) > imagecore::kMaxSide || rows > imagecore::kMaxSide) return false;
  const uint64_t stride = (uint64_t(width) * 48 + 31) / 32 * 4;
  if (headerSize + stride * rows > size) return false;
  if (!imagecore::Allocate(out, uint32_t(width), rows, 24)) return false;
  out.xPelsPerMeter = imagecore::Le32(block + 24);
  out.yPelsPerMeter = imagecore::Le32(block + 28);
  for (uint32_t y = 0; y < rows; ++y) {
    const uint8_t* from = block + headerSize + size_t(height < 0 ? y : rows - 1 - y) * stride;
    uint8_t* to = out.Row(y);
    for (int32_t i = 0; i < width * 3; ++i) to[i] = from[2 * i + 1];
  }
  return true;
}

}  // namespace

DepthStep DepthStepFor(Edition /*edition*/, SaveBranch branch, int bitCount) {
  if (branch == SaveBranch::PdfPage || branch == SaveBranch::Queue) {
    if (PdfOrQueueDepth(bitCount)) return DepthStep::AsIs;
  } else if (branch == SaveBranch::BitmapFile) {
    if (BitmapFileDepth(bitCount)) return DepthStep::AsIs;
  } else {
    return DepthStep::AsIs;
  }
  return Convertible(bitCount) ? DepthStep::Convert : DepthStep::Refuse;
}

bool ConvertPageDepth(const uint8_t* block, size_t blockSize, std::vector<uint8_t>* out) {
  imagecore::Image converted;
  if (blockSize >= imagecore::kInfoHeaderSize && imagecore::Le16(block + 14) == 48) {
    if (!Deep48ToImage(block, blockSize, converted)) return false;
  } else {
    imagecore::Image page;
    if (imagecore::DibToImage(block, blockSize, page) != imagecore::kOk) return false;
    if (!Convertible(page.bits)) return false;
    const imagecore::Status s = page.bits == 4 && imagecore::IsGrayPalette(page.palette)
                                    ? imagecore::ToGray8(page, converted)
                                    : imagecore::IncreaseDepth(page, 24, converted);
    if (s != imagecore::kOk) return false;
  }
  out->assign(imagecore::DibBlockSize(converted), 0);
  imagecore::WriteDib(converted, out->data());
  return true;
}

std::string RefusedDepthText(const InterfaceTexts& texts, int bitCount) {
  return Utf16ToUtf8(texts.Text(kRefusedDepthTextId)) + " (" + std::to_string(bitCount) + ")";
}

}  // namespace tarnwick
