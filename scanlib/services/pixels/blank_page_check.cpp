#include "blank_page_check.h"

#include <cstring>
#include <vector>

#include "dib_view.h"
#include "fax_coder.h"

namespace pixels {

int32_t CheckBlankPageBits(const uint8_t* block, size_t blockSize, uint32_t blankHold,
                           BlankPageFigures* figures) {
  DibView dib;
  if (ReadDibView(block, blockSize, &dib) != DibCheck::kOk || dib.bitCount != 1)
    return kPageNotOneBit;
  FaxCodingParams params;
  params.xResolution = DpiFromPelsPerMeter(dib.xPelsPerMeter);
  params.yResolution = DpiFromPelsPerMeter(dib.yPelsPerMeter);
  params.bytesPerRow = dib.stride;
  params.rowBits = dib.stride * 8;
  params.rows = dib.rows;
  params.coding = FaxCoding::kTwoDimensional;

  const bool invert = OneBitIsPaper(dib);
  const uint32_t width = uint32_t(dib.width);
  const uint32_t fullBytes = width / 8;
  const uint8_t tailMask = uint8_t(0xFF00 >> (width % 8));  // the pixels of a part byte
  std::vector<uint8_t> scratch(dib.stride, 0);
  FaxBitWriter writer;
  FaxPageCoder coder(params, writer);
  for (uint32_t y = 0; y < dib.rows; ++y) {
    const uint8_t* row = dib.Row(y);
    for (uint32_t i = 0; i < fullBytes; ++i) scratch[i] = invert ? uint8_t(~row[i]) : row[i];
    if (width % 8 != 0) {
      const uint8_t b = invert ? uint8_t(~row[fullBytes]) : row[fullBytes];
      scratch[fullBytes] = uint8_t(b & tailMask);
    }
    coder.EncodeRow(scratch.data());  // bytes past the width stay 0: paper
  }
  const uint64_t coded = coder.Close();
  const uint64_t raw = dib.imageBytes;
  const uint64_t ratio = coded ? raw / coded : 0;
  const uint32_t threshold = uint32_t(uint64_t(blankHold) * uint32_t(params.xResolution) / 100) & 0xFFFF;
  if (figures) *figures = {raw, coded, ratio, threshold, params.xResolution};
  return threshold < ratio ? kPageBlank : kPageNotBlank;
}

}  // namespace pixels
