// The page maker: every page is drawn row by row from the layout, so a driver can hand out any
// block of rows without keeping the page.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "page_layout.h"
#include "sim_scanner.h"

namespace zebsim {
namespace {

using namespace layout;

struct Rgb {
  uint8_t r, g, b;
};
constexpr Rgb kWhite{255, 255, 255}, kBlack{0, 0, 0};
constexpr Rgb kBars[8] = {{255, 255, 255}, {255, 255, 0}, {0, 255, 255}, {0, 255, 0},
                          {255, 0, 255},   {255, 0, 0},   {0, 0, 255},   {0, 0, 0}};

uint32_t Mix(uint32_t a, uint32_t b, uint32_t c) {
  uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x165667B1u) * 0xC2B2AE3Du;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h;
}
double Unit(uint32_t h) { return (h & 0xFFFFFF) / double(0x1000000); }

class RowPainter {
 public:
  RowPainter(std::vector<Rgb>& line, int xRes) : line_(line), xRes_(xRes) {}
  int Column(double inch) const {
    double c = std::ceil(inch * xRes_ - 0.5);
    return static_cast<int>(std::clamp(c, 0.0, double(line_.size())));
  }
  void Fill(double left, double right, Rgb colour) {
    for (int c = Column(left), end = Column(right); c < end; ++c) line_[c] = colour;
  }
  double CentreOf(int column) const { return (column + 0.5) / xRes_; }

 private:
  std::vector<Rgb>& line_;
  int xRes_;
};

bool Inside(double y, double top, double bottom) { return y >= top && y < bottom; }

void DrawNumber(RowPainter& p, int number, double y) {
  if (!Inside(y, kDigitTop, kDigitTop + kDigitHeight) || number < 1) return;
  char digits[16];
  int n = 0;
  for (int v = number; v > 0 && n < kMaxDigits; v /= 10) digits[n++] = char(v % 10);
  for (int i = 0; i < n; ++i) {
    int digit = digits[n - 1 - i];
    double left = kDigitLeft + i * kDigitPitch;
    for (int s = 0; s < 7; ++s) {
      if (!(kDigitSegments[digit] & (1 << s))) continue;
      const Box& b = kSegments[s];
      if (Inside(y - kDigitTop, b.top, b.bottom)) p.Fill(left + b.left, left + b.right, kBlack);
    }
  }
}

void DrawText(RowPainter& p, int page, double y, double width, double length) {
  if (y < kTextTop || y >= length - kTextBottomMargin) return;
  int line = static_cast<int>((y - kTextTop) / kLinePitch);
  if (y - (kTextTop + line * kLinePitch) >= kLineHeight) return;
  double end = kTextMargin + (width - 2 * kTextMargin) * (0.6 + 0.4 * Unit(Mix(page, line, 0)));
  double x = kTextMargin;
  for (uint32_t word = 1; x < end; ++word) {
    double w = 0.2 + 0.6 * Unit(Mix(page, line, word));
    p.Fill(x, std::min(x + w, end), kBlack);
    x += w + kWordGap;
  }
}

void DrawRow(const PageFormat& f, int page, int row, std::vector<Rgb>& line) {
  const PaperSize& paper = PaperSizeOf(f.paper);
  const int yRes = std::max(f.yResolution, 1);
  std::fill(line.begin(), line.end(), kWhite);
  RowPainter p(line, std::max(f.xResolution, 1));
  double y = (row + 0.5) / yRes;
  double W = paper.widthInch, L = paper.lengthInch;
  if (Inside(y, kMarkTop, kMarkTop + kMarkSize)) p.Fill(kMarkLeft, kMarkLeft + kMarkSize, kBlack);
  DrawNumber(p, page, y);
  double bandLeft = kSideMargin, bandRight = W - kSideMargin;
  if (Inside(y, kRampTop, kRampBottom)) {
    for (int c = p.Column(bandLeft), end = p.Column(bandRight); c < end; ++c) {
      double t = (p.CentreOf(c) - bandLeft) / (bandRight - bandLeft);
      auto v = static_cast<uint8_t>(std::lround(std::clamp(t, 0.0, 1.0) * 255));
      line[c] = {v, v, v};
    }
  }
  if (Inside(y, kBarsTop, kBarsBottom)) {
    double bar = (bandRight - bandLeft) / 8;
    for (int i = 0; i < 8; ++i) p.Fill(bandLeft + i * bar, bandLeft + (i + 1) * bar, kBars[i]);
  }
  DrawText(p, page, y, W, L);
}

uint8_t Luma(Rgb c) { return static_cast<uint8_t>((299 * c.r + 587 * c.g + 114 * c.b + 500) / 1000); }

// Luma(c) >= 128, without the division: the pixel is white in a black-and-white page.
unsigned Light(Rgb c) { return 299u * c.r + 587u * c.g + 114u * c.b >= 127500u ? 1u : 0u; }

// Black and white a byte of eight pixels at a time; bits past the width stay 0.
void PackBits(const Rgb* line, int width, uint8_t* out) {
  const int whole = width / 8;
  for (int i = 0; i < whole; ++i) {
    const Rgb* p = line + 8 * i;
    out[i] = static_cast<uint8_t>(Light(p[0]) << 7 | Light(p[1]) << 6 | Light(p[2]) << 5 | Light(p[3]) << 4 |
                                  Light(p[4]) << 3 | Light(p[5]) << 2 | Light(p[6]) << 1 | Light(p[7]));
  }
  if (width % 8) {
    unsigned byte = 0;
    for (int x = whole * 8; x < width; ++x) byte |= Light(line[x]) << (7 - x % 8);
    out[whole] = static_cast<uint8_t>(byte);
  }
}

}  // namespace

PageGeometry GeometryOf(const PageFormat& f) {
  const PaperSize& paper = PaperSizeOf(f.paper);
  PageGeometry g;
  g.width = static_cast<int>(std::lround(paper.widthInch * std::max(f.xResolution, 1)));
  g.length = static_cast<int>(std::lround(paper.lengthInch * std::max(f.yResolution, 1)));
  g.width = std::max(g.width, 1);
  g.length = std::max(g.length, 1);
  g.bitsPerPixel = f.kind == PixelKind::BlackWhite ? 1 : f.kind == PixelKind::Gray ? 8 : 24;
  g.bytesPerRow = (g.width * g.bitsPerPixel + 7) / 8;
  return g;
}

void RenderRow(const PageFormat& format, int pageNumber, int row, uint8_t* out) {
  PageGeometry g = GeometryOf(format);
  std::vector<Rgb> line(g.width);
  DrawRow(format, pageNumber, row, line);
  switch (format.kind) {
    case PixelKind::Color:
      for (int x = 0; x < g.width; ++x) {
        out[3 * x] = line[x].r;
        out[3 * x + 1] = line[x].g;
        out[3 * x + 2] = line[x].b;
      }
      break;
    case PixelKind::Gray:
      for (int x = 0; x < g.width; ++x) out[x] = Luma(line[x]);
      break;
    case PixelKind::BlackWhite:
      PackBits(line.data(), g.width, out);
      break;
  }
}

std::vector<uint8_t> RenderPage(const PageFormat& format, int pageNumber) {
  PageGeometry g = GeometryOf(format);
  std::vector<uint8_t> page(size_t(g.bytesPerRow) * g.length);
  for (int row = 0; row < g.length; ++row)
    RenderRow(format, pageNumber, row, page.data() + size_t(row) * g.bytesPerRow);
  return page;
}

}  // namespace zebsim
