#include "plate_page.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zebsim {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kShadowPixels = 3.0;

}  // namespace

PageGeometry PlateFrameGeometry(const PageFormat& format, const PlateSetup& plate) {
  PageGeometry g = GeometryOf(format);
  const double margin = std::max(plate.margin, 0.0);
  g.width += 2 * static_cast<int>(std::lround(margin * std::max(format.xResolution, 1)));
  g.length += 2 * static_cast<int>(std::lround(margin * std::max(format.yResolution, 1)));
  g.bytesPerRow = (g.width * g.bitsPerPixel + 7) / 8;
  return g;
}

PlatePage::PlatePage(const PageFormat& format, int pageNumber, const PlateSetup& plate,
                     bool blackPlate)
    : format_(format),
      paper_(GeometryOf(format)),
      frame_(PlateFrameGeometry(format, plate)),
      black_(blackPlate) {
  // Black-and-white pages are drawn in gray and cut at mid-gray after turning, as a scanner's
  // threshold would.
  PageFormat drawn = format;
  if (drawn.kind == PixelKind::BlackWhite) drawn.kind = PixelKind::Gray;
  samples_ = drawn.kind == PixelKind::Color ? 3 : 1;
  upright_ = RenderPage(drawn, pageNumber);
  const double a = plate.skewDegrees * kPi / 180.0;
  cos_ = std::cos(a);
  sin_ = std::sin(a);
}

// The frame's pixel (x, y): the paper's pixel it shows, the shadow at the paper's edge, or the
// plate. rgb receives the colour for colour pages.
uint8_t PlatePage::GrayAt(int x, int y, uint8_t rgb[3]) const {
  const double qx = x + 0.5 - frame_.width / 2.0, qy = y + 0.5 - frame_.length / 2.0;
  const double px = qx * cos_ + qy * sin_ + paper_.width / 2.0;
  const double py = -qx * sin_ + qy * cos_ + paper_.length / 2.0;
  if (px >= 0 && py >= 0 && px < paper_.width && py < paper_.length) {
    const size_t at = (size_t(py) * paper_.width + size_t(px)) * samples_;
    if (samples_ == 3) {
      std::memcpy(rgb, &upright_[at], 3);
      return uint8_t((299 * rgb[0] + 587 * rgb[1] + 114 * rgb[2] + 500) / 1000);
    }
    rgb[0] = rgb[1] = rgb[2] = upright_[at];
    return upright_[at];
  }
  const double outX = px < 0 ? -px : px >= paper_.width ? px - paper_.width : 0;
  const double outY = py < 0 ? -py : py >= paper_.length ? py - paper_.length : 0;
  uint8_t level = black_ ? kBlackPlateLevel : kWhitePlateLevel;
  if (!black_ && std::max(outX, outY) < kShadowPixels) level = kPaperShadowLevel;
  rgb[0] = rgb[1] = rgb[2] = level;
  return level;
}

void PlatePage::Row(int row, uint8_t* out) const {
  uint8_t rgb[3];
  if (format_.kind == PixelKind::BlackWhite) std::memset(out, 0, frame_.bytesPerRow);
  for (int x = 0; x < frame_.width; ++x) {
    const uint8_t gray = GrayAt(x, row, rgb);
    switch (format_.kind) {
      case PixelKind::Color:
        std::memcpy(out + 3 * x, rgb, 3);
        break;
      case PixelKind::Gray:
        out[x] = gray;
        break;
      case PixelKind::BlackWhite:
        if (gray >= 128) out[x / 8] |= uint8_t(0x80 >> (x % 8));
        break;
    }
  }
}

}  // namespace zebsim
