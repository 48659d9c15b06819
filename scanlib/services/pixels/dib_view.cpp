#include "dib_view.h"

#include <cmath>

namespace pixels {

namespace {

uint32_t Le32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24);
}
uint16_t Le16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }

}  // namespace

uint64_t DibStride(uint64_t width, uint32_t bitCount) { return (width * bitCount + 31) / 32 * 4; }

DibCheck ReadDibView(const uint8_t* block, size_t blockSize, DibView* v) {
  *v = DibView{};
  if (!block || blockSize < 40) return DibCheck::kBadHeader;
  v->block = block;
  v->blockSize = blockSize;
  v->headerSize = Le32(block);
  v->width = int32_t(Le32(block + 4));
  v->height = int32_t(Le32(block + 8));
  v->bitCount = Le16(block + 14);
  const uint32_t compression = Le32(block + 16);
  v->xPelsPerMeter = int32_t(Le32(block + 24));
  v->yPelsPerMeter = int32_t(Le32(block + 28));
  const uint32_t clrUsed = Le32(block + 32);
  if (v->headerSize < 40 || v->headerSize > blockSize) return DibCheck::kBadHeader;
  if (compression != 0 || v->bitCount == 0 || v->bitCount > 48) return DibCheck::kBadHeader;
  if (v->width <= 0) return DibCheck::kBadHeader;
  if (v->height == 0) return DibCheck::kNoRows;
  if (v->height == INT32_MIN) return DibCheck::kBadHeader;
  v->rows = uint32_t(v->height < 0 ? -v->height : v->height);
  if (v->bitCount <= 8) {
    const uint32_t most = 1u << v->bitCount;
    v->colorCount = clrUsed == 0 || clrUsed > most ? most : clrUsed;
  } else {
    v->colorCount = clrUsed <= 256 ? clrUsed : 0;
  }
  const uint64_t offset = uint64_t(v->headerSize) + uint64_t(v->colorCount) * 4;
  const uint64_t stride = DibStride(uint64_t(v->width), v->bitCount);
  const uint64_t image = stride * v->rows;
  if (stride > UINT32_MAX || offset + image > blockSize) return DibCheck::kOutsideBlock;
  v->stride = uint32_t(stride);
  v->bitsOffset = uint32_t(offset);
  v->imageBytes = image;
  return DibCheck::kOk;
}

int32_t DpiFromPelsPerMeter(int32_t pelsPerMeter) {
  const double dpi = std::floor(double(pelsPerMeter) * 0.0254000508 + 0.5);
  return dpi >= 1 && dpi <= 1000000 ? int32_t(dpi) : 72;
}

int32_t PelsPerMeterFromDpi(int32_t dpi) { return int32_t(std::lround(dpi / 0.0254)); }

bool OneBitIsPaper(const DibView& v) {
  if (v.bitCount != 1 || v.colorCount < 2) return true;
  const uint8_t* t = v.ColorTable();
  const int light0 = t[0] + t[1] + t[2];
  const int light1 = t[4] + t[5] + t[6];
  return light1 >= light0;
}

}  // namespace pixels
