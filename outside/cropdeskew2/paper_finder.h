// Finding a page on the scanner's backing plate: the plate's level from its bare background
// lines, the skew of the paper's top and left edges against the plate, and the paper's outline
// once straightened. Platform-free; cropdeskew2.dll is a thin layer over it.
#pragma once
#include <cstdint>
#include <vector>

namespace cropdeskew {

// Rows of `samples` bytes a pixel (1 gray, 3 colour), no padding.
struct RawImage {
  std::vector<uint8_t> pixels;
  int width = 0;
  int length = 0;
  int samples = 1;
};

// The plate's gray level: the median of the background lines' pixels.
uint8_t PlateLevel(const uint8_t* background, int width, int lines, int samples);

struct EdgeFit {
  bool seen = false;   // a straight edge against the plate along most of the side
  double degrees = 0;  // its tilt: the paper turned clockwise by this much
};

// The tilt of the paper's top and left edges against the plate.
EdgeFit TopEdge(const RawImage& image, uint8_t plate);
EdgeFit LeftEdge(const RawImage& image, uint8_t plate);

struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
  bool Empty() const { return right <= left || bottom <= top; }
};

// The paper's outline in an upright image: the outermost rows and columns that are mostly
// paper, then moved inwards until no plate shows along them. Empty when no paper stands out.
Box PaperOutline(const RawImage& image, uint8_t plate, int resolution);

// The whole step: straighten the page when its edges are seen, then cut it to the paper.
// A page whose edges cannot be told from the plate comes back unchanged.
RawImage DeskewAndCrop(const RawImage& page, uint8_t plate, int resolution);

}  // namespace cropdeskew
