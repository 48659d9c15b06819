// Writes a page of the simulated scanner as a PNM file (P4 black-and-white, P5 gray, P6 colour),
// so the sample's BMP files can be compared with what the scanner made.
//   sim_page_pnm bw|gray|colour DPI letter|a4|legal PAGE-NUMBER OUT.pnm
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "sim_scanner.h"

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: sim_page_pnm bw|gray|colour DPI PAPER PAGE OUT\n");
    return 2;
  }
  zebsim::PageFormat f;
  const std::string kind = argv[1];
  f.kind = kind == "bw" ? zebsim::PixelKind::BlackWhite
                        : kind == "gray" ? zebsim::PixelKind::Gray : zebsim::PixelKind::Color;
  f.xResolution = f.yResolution = std::atoi(argv[2]);
  if (!zebsim::PaperByName(argv[3], &f.paper)) {
    std::fprintf(stderr, "unknown paper %s\n", argv[3]);
    return 2;
  }
  const zebsim::PageGeometry g = zebsim::GeometryOf(f);
  std::vector<uint8_t> rows = zebsim::RenderPage(f, std::atoi(argv[4]));
  // PBM counts 1 as black; the scanner's rows count 1 as white.
  if (g.bitsPerPixel == 1)
    for (uint8_t& b : rows) b = static_cast<uint8_t>(~b);
  FILE* out = std::fopen(argv[5], "wb");
  if (out == nullptr) return 1;
  const char* magic = g.bitsPerPixel == 1 ? "P4" : g.bitsPerPixel == 8 ? "P5" : "P6";
  std::fprintf(out, "%s\n%d %d\n", magic, g.width, g.length);
  if (g.bitsPerPixel != 1) std::fprintf(out, "255\n");
  const bool ok = std::fwrite(rows.data(), 1, rows.size(), out) == rows.size();
  return std::fclose(out) == 0 && ok ? 0 : 1;
}
