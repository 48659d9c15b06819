#include "paper_finder.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "image.h"
#include "ops.h"

namespace cropdeskew {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kContrast = 48;          // levels between plate and paper
constexpr int kRun = 2;                // pixels in a row that make an edge, not a speck
constexpr double kMinAngle = 0.05;     // degrees: straighter than this is left as it is
constexpr double kMaxAngle = 15.0;

uint8_t LumaOf(const uint8_t* p, int samples) {
  if (samples == 1) return p[0];
  return uint8_t((299 * p[0] + 587 * p[1] + 114 * p[2] + 500) / 1000);
}

std::vector<uint8_t> LumaPlane(const RawImage& image) {
  std::vector<uint8_t> plane(size_t(image.width) * image.length);
  const uint8_t* p = image.pixels.data();
  for (size_t i = 0; i < plane.size(); ++i, p += image.samples) plane[i] = LumaOf(p, image.samples);
  return plane;
}

bool Stands(uint8_t luma, uint8_t plate) { return std::abs(int(luma) - int(plate)) > kContrast; }

struct Point {
  double along, across;  // position along the side, and the edge's distance from the frame
};

// Least squares through the points, twice: points far from the first line are dropped.
EdgeFit FitEdge(std::vector<Point> points, size_t sampled, int frameSide) {
  EdgeFit fit;
  double slope = 0, offset = 0;
  for (int pass = 0; pass < 2; ++pass) {
    if (points.size() < std::max<size_t>(8, sampled / 2)) return fit;
    double n = double(points.size()), sa = 0, sc = 0, saa = 0, sac = 0;
    for (const Point& p : points) {
      sa += p.along;
      sc += p.across;
      saa += p.along * p.along;
      sac += p.along * p.across;
    }
    const double d = n * saa - sa * sa;
    if (d <= 0) return fit;
    slope = (n * sac - sa * sc) / d;
    offset = (sc - slope * sa) / n;
    if (pass == 0) {
      std::vector<Point> kept;
      for (const Point& p : points)
        if (std::fabs(p.across - (slope * p.along + offset)) <= 3.0) kept.push_back(p);
      points.swap(kept);
    }
  }
  double mean = 0, square = 0;
  for (const Point& p : points) {
    const double r = p.across - (slope * p.along + offset);
    square += r * r;
    mean += p.across;
  }
  mean /= double(points.size());
  // An edge on the frame's own border is paper running off the frame, not an edge on the plate.
  if (std::sqrt(square / double(points.size())) > 2.0 || mean < 2.0 ||
      mean > frameSide / 3.0)
    return fit;
  fit.seen = true;
  fit.degrees = std::atan(slope) * 180.0 / kPi;
  return fit;
}

// The first run of kRun standing pixels along a line, or -1.
template <typename At>
int FirstStanding(int count, uint8_t plate, At at) {
  int run = 0;
  for (int i = 0; i < count; ++i) {
    run = Stands(at(i), plate) ? run + 1 : 0;
    if (run == kRun) return i - kRun + 1;
  }
  return -1;
}

imagecore::Image ToCore(const RawImage& raw) {
  imagecore::Image img;
  imagecore::Allocate(img, uint32_t(raw.width), uint32_t(raw.length), raw.samples == 3 ? 24 : 8);
  const size_t rowBytes = size_t(raw.width) * raw.samples;
  for (int y = 0; y < raw.length; ++y)
    std::memcpy(img.Row(uint32_t(y)), raw.pixels.data() + y * rowBytes, rowBytes);
  return img;
}

RawImage FromCore(const imagecore::Image& img, int samples, const Box& box) {
  RawImage raw;
  raw.width = box.right - box.left;
  raw.length = box.bottom - box.top;
  raw.samples = samples;
  const size_t rowBytes = size_t(raw.width) * samples;
  raw.pixels.resize(rowBytes * raw.length);
  for (int y = 0; y < raw.length; ++y)
    std::memcpy(raw.pixels.data() + y * rowBytes,
                img.Row(uint32_t(box.top + y)) + size_t(box.left) * samples, rowBytes);
  return raw;
}

}  // namespace

uint8_t PlateLevel(const uint8_t* background, int width, int lines, int samples) {
  if (background == nullptr || width <= 0 || lines <= 0) return 0;
  uint64_t histogram[256] = {};
  const size_t pixels = size_t(width) * lines;
  for (size_t i = 0; i < pixels; ++i) ++histogram[LumaOf(background + i * samples, samples)];
  uint64_t seen = 0;
  for (int v = 0; v < 256; ++v) {
    seen += histogram[v];
    if (seen * 2 >= pixels) return uint8_t(v);
  }
  return 255;
}

EdgeFit TopEdge(const RawImage& image, uint8_t plate) {
  const std::vector<uint8_t> luma = LumaPlane(image);
  std::vector<Point> points;
  const int step = std::max(1, image.width / 400);
  size_t sampled = 0;
  for (int x = image.width / 5; x < image.width * 4 / 5; x += step, ++sampled) {
    const int y = FirstStanding(image.length, plate,
                                [&](int i) { return luma[size_t(i) * image.width + x]; });
    if (y >= 0) points.push_back({double(x), double(y)});
  }
  return FitEdge(points, sampled, image.length);
}

EdgeFit LeftEdge(const RawImage& image, uint8_t plate) {
  const std::vector<uint8_t> luma = LumaPlane(image);
  std::vector<Point> points;
  const int step = std::max(1, image.length / 400);
  size_t sampled = 0;
  for (int y = image.length / 5; y < image.length * 4 / 5; y += step, ++sampled) {
    const uint8_t* row = &luma[size_t(y) * image.width];
    const int x = FirstStanding(image.width, plate, [&](int i) { return row[i]; });
    if (x >= 0) points.push_back({double(y), double(x)});
  }
  EdgeFit fit = FitEdge(points, sampled, image.width);
  fit.degrees = -fit.degrees;  // turned clockwise, the left edge leans left going down
  return fit;
}

Box PaperOutline(const RawImage& image, uint8_t plate, int resolution) {
  const std::vector<uint8_t> luma = LumaPlane(image);
  const int w = image.width, h = image.length;
  auto at = [&](int x, int y) { return luma[size_t(y) * w + x]; };
  std::vector<int> rowCount(h, 0), colCount(w, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (Stands(at(x, y), plate)) {
        ++rowCount[y];
        ++colCount[x];
      }
  Box box;
  box.top = 0;
  while (box.top < h && rowCount[box.top] * 2 <= w) ++box.top;
  box.bottom = h;
  while (box.bottom > box.top && rowCount[box.bottom - 1] * 2 <= w) --box.bottom;
  box.left = 0;
  while (box.left < w && colCount[box.left] * 2 <= h) ++box.left;
  box.right = w;
  while (box.right > box.left && colCount[box.right - 1] * 2 <= h) --box.right;
  if (box.Empty()) return Box{};

  // Plate still showing along a side: on a dark plate the plate's own level, on a light one the
  // shadow at the paper's edge.
  const bool darkPlate = plate < 128;
  auto showsPlate = [&](uint8_t v) {
    return darkPlate ? !Stands(v, plate) : int(v) < int(plate) - kContrast;
  };
  // A side is judged away from its ends, where the sides across still show their own edges.
  const int limit = std::max(2, std::max(resolution, 1) * 15 / 100);
  auto lineBad = [&](int from, int to, auto pixel) {
    from += limit;
    to -= limit;
    if (to <= from) return false;
    int bad = 0;
    for (int i = from; i < to; ++i) bad += showsPlate(pixel(i));
    return bad * 200 > (to - from);
  };
  auto rowBad = [&](int y) { return lineBad(box.left, box.right, [&](int x) { return at(x, y); }); };
  auto colBad = [&](int x) { return lineBad(box.top, box.bottom, [&](int y) { return at(x, y); }); };
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < limit && box.bottom - box.top > 2 && rowBad(box.top); ++i) ++box.top;
    for (int i = 0; i < limit && box.bottom - box.top > 2 && rowBad(box.bottom - 1); ++i) --box.bottom;
    for (int i = 0; i < limit && box.right - box.left > 2 && colBad(box.left); ++i) ++box.left;
    for (int i = 0; i < limit && box.right - box.left > 2 && colBad(box.right - 1); ++i) --box.right;
  }
  return box;
}

RawImage DeskewAndCrop(const RawImage& page, uint8_t plate, int resolution) {
  if (page.width <= 0 || page.length <= 0 || (page.samples != 1 && page.samples != 3) ||
      page.pixels.size() < size_t(page.width) * page.length * page.samples)
    return page;
  const EdgeFit top = TopEdge(page, plate), left = LeftEdge(page, plate);
  if (!top.seen && !left.seen) return page;
  double degrees = top.seen && left.seen ? (top.degrees + left.degrees) / 2
                                         : top.seen ? top.degrees : left.degrees;
  if (std::fabs(degrees) > kMaxAngle) return page;

  imagecore::Image core = ToCore(page);
  if (std::fabs(degrees) >= kMinAngle) {
    imagecore::Image turned;
    const imagecore::Rgb fill = imagecore::MakeRgb(plate, plate, plate);
    if (imagecore::Rotate(core, -degrees, fill, turned) != imagecore::kOk) return page;
    core = std::move(turned);
  }
  RawImage upright = FromCore(core, page.samples,
                              Box{0, 0, int(core.width), int(core.height)});
  const Box box = PaperOutline(upright, plate, resolution);
  // A paper less than an inch across is no paper: the page goes on as scanned.
  const int inch = std::max(resolution, 1);
  if (box.Empty() || box.right - box.left < inch || box.bottom - box.top < inch) return page;
  return FromCore(core, page.samples, box);
}

}  // namespace cropdeskew
