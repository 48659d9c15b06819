#include "pdf_page_plan.h"

#include <algorithm>
#include <cmath>

namespace tarnwick {

int64_t RoundHalfEven(double v) { return int64_t(std::nearbyint(v)); }

PdfPagePlan PlanPdfPage(int32_t width, int32_t height, int32_t bits, int32_t resolution,
                        Edition edition) {
  PdfPagePlan p;
  p.width = width;
  p.height = height;
  p.resolution = resolution;
  p.colourCode = bits == 1 ? 0 : bits == 4 || bits == 8 ? 1 : 2;
  p.invert = bits == 1;
  if (bits != 1) return p;
  if (resolution == 300) {
    const int64_t w = RoundHalfEven(double(width) / resolution);
    const int64_t h = RoundHalfEven(double(height) / resolution);
    if (w > 10 && h > 16) {
      p.resizeByRule = true;
      p.ruleWidth = 2472; p.ruleHeight = 3510; p.ruleResolution = 300;
    } else if (edition == Edition::kSecond) {
      // The second edition has no landscape rules.
    } else if (w == 11 && h == 8) {
      p.resizeByRule = true;
      p.ruleWidth = 4400; p.ruleHeight = 3400; p.ruleResolution = 400;
    } else if (w == 12 && h == 8) {
      p.resizeByRule = true;
      p.ruleWidth = 4680; p.ruleHeight = 3296; p.ruleResolution = 400;
    }
    if (p.resizeByRule) {
      p.width = p.ruleWidth;
      p.height = p.ruleHeight;
      p.resolution = p.ruleResolution;
    }
  }
  // 1696 pixels wide is the 8.5-inch page at 200 dpi: it is written at least 11 inches long.
  // Every other black-and-white page is widened to whole bytes. Both grow by white paper only,
  // so a longer page keeps its length.
  if (p.width == 1696) p.height = std::max<int32_t>(p.height, 2200);
  else p.width = (p.width + 7) / 8 * 8;
  return p;
}

}  // namespace tarnwick
