#include "page_info.h"

#include <cstring>

#include "convert.h"

namespace fileplugins {

void DescribePage(const imagecore::Image& image, ScanPageInfo& info) {
  std::memset(&info, 0, sizeof info);
  info.XResolution = int32_t((image.xPelsPerMeter * 254ull + 5000) / 10000);
  info.YResolution = int32_t((image.yPelsPerMeter * 254ull + 5000) / 10000);
  info.ImageWidth = int32_t(image.width);
  info.ImageLength = int32_t(image.height);
  info.BitsPerPixel = image.bits;
  const bool gray = image.bits <= 8 && imagecore::IsGrayPalette(image.palette);
  info.PixelType = image.bits == 1 && gray ? 0 : gray ? 1 : 2;
  info.SamplesPerPixel = image.bits > 8 ? 3 : 1;
  for (int i = 0; i < info.SamplesPerPixel; ++i)
    info.BitsPerSample[i] = int16_t(image.bits > 8 ? 8 : image.bits);
}

}  // namespace fileplugins
