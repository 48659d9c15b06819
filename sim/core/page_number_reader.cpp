// Reads back what the page maker drew, so tests can tell pages and their orientation apart in
// whatever form a driver or the library delivered them.
#include <cmath>

#include "page_layout.h"
#include "sim_scanner.h"

namespace zebsim {
namespace {

using namespace layout;

// The gray level at a point given in inches from the top-left corner; white outside the image.
int GrayAt(const ImageView& im, double xInch, double yInch) {
  int x = static_cast<int>(std::floor(xInch * im.xResolution));
  int y = static_cast<int>(std::floor(yInch * im.yResolution));
  if (x < 0 || y < 0 || x >= im.width || y >= im.length) return 255;
  int stored = im.bottomUp ? im.length - 1 - y : y;
  const uint8_t* row = im.data + size_t(stored) * im.stride;
  switch (im.bitsPerPixel) {
    case 1:
      return (row[x / 8] & (0x80 >> (x % 8))) ? 255 : 0;
    case 8:
      return row[x];
    case 24: {
      const uint8_t* p = row + 3 * x;
      int r = im.bgr ? p[2] : p[0], b = im.bgr ? p[0] : p[2];
      return (299 * r + 587 * p[1] + 114 * b) / 1000;
    }
    default:
      return 255;
  }
}

bool Dark(const ImageView& im, double x, double y) { return GrayAt(im, x, y) < 96; }

}  // namespace

int ReadPageNumber(const ImageView& im) {
  if (!im.data || im.width < 1 || im.length < 1 || im.xResolution < 1 || im.yResolution < 1)
    return -1;
  // The mark must be in the top-left corner: a page turned or mirrored has white there, since
  // every other corner of a page is blank.
  double c = kMarkSize / 2;
  if (!Dark(im, kMarkLeft + c, kMarkTop + c)) return -1;
  int number = 0, digits = 0;
  for (int i = 0; i < kMaxDigits; ++i) {
    double left = kDigitLeft + i * kDigitPitch;
    unsigned lit = 0;
    for (int s = 0; s < 7; ++s) {
      const Box& b = kSegments[s];
      if (Dark(im, left + (b.left + b.right) / 2, kDigitTop + (b.top + b.bottom) / 2))
        lit |= 1u << s;
    }
    if (!lit) break;
    int digit = -1;
    for (int d = 0; d < 10; ++d)
      if (kDigitSegments[d] == lit) digit = d;
    if (digit < 0) return -1;
    number = number * 10 + digit;
    ++digits;
  }
  return digits ? number : -1;
}

}  // namespace zebsim
