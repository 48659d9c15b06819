// A command-line helper for the check against libtiff's tools and ImageMagick:
//   write FILE COMPRESSION BITS DPI   a test page written here
//   read FILE PAGE                    prints "width height bits xdpi ydpi"
//   same FILE_A FILE_B TOLERANCE      exit 0 when both decode to the same pixels
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "codecs.h"
#include "test_images.h"
#include "tiff_codec.h"

using namespace imagecore;

static Status ReadAny(const std::string& path, uint32_t page, Image& image) {
  std::vector<uint8_t> bytes = test::ReadFileBytes(path);
  ReadOnlyMemory m(bytes.data(), bytes.size());
  switch (SniffFormat(bytes.data(), bytes.size())) {
    case FileFormat::kTiff: return ReadTiffPage(m.AsStream(), page, image);
    case FileFormat::kPng: return ReadPng(m.AsStream(), image);
    case FileFormat::kBmp: return ReadBmp(m.AsStream(), image);
    default: return kNotThisFormat;
  }
}

int main(int argc, char** argv) {
  std::string verb = argc > 1 ? argv[1] : "";
  if (verb == "write" && argc == 6) {
    uint16_t bits = uint16_t(atoi(argv[4]));
    Image im = test::Pattern(bits, 120, 80, test::Kind::kGray);
    im.xPelsPerMeter = im.yPelsPerMeter = uint32_t(std::lround(atoi(argv[5]) * 39.37));
    std::vector<uint8_t> bytes;
    MemoryStream m(bytes);
    Status s = WriteTiff(im, uint16_t(atoi(argv[3])), m.AsStream());
    if (s != kOk) return fprintf(stderr, "write failed %d\n", s), 1;
    test::WriteFileBytes(argv[2], bytes);
    return 0;
  }
  if (verb == "read" && argc == 4) {
    Image im;
    Status s = ReadAny(argv[2], uint32_t(atoi(argv[3])), im);
    if (s != kOk) return fprintf(stderr, "read failed %d\n", s), 1;
    printf("%u %u %u %ld %ld\n", im.width, im.height, im.bits, std::lround(im.xPelsPerMeter / 39.37),
           std::lround(im.yPelsPerMeter / 39.37));
    return 0;
  }
  if (verb == "same" && argc == 5) {
    Image a, b;
    if (ReadAny(argv[2], 0, a) != kOk || ReadAny(argv[3], 0, b) != kOk) return fprintf(stderr, "unreadable\n"), 1;
    size_t n = test::DifferentPixels(a, b, atoi(argv[4]));
    if (n) fprintf(stderr, "%zu pixels differ\n", n);
    return n ? 1 : 0;
  }
  fprintf(stderr, "usage: write|read|same ...\n");
  return 2;
}
