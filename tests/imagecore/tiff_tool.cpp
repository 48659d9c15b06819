// A command-line helper for the checks against outside readers and writers:
//   write FILE COMPRESSION BITS DPI   a test page written here
//   read FILE PAGE                    prints "width height bits xdpi ydpi"
//   same FILE_A FILE_B TOLERANCE      exit 0 when both decode to the same pixels
//   match FILE PAGE PPM TOLERANCE     exit 0 when the file decodes to the pixels of a binary PPM
//                                     (an outside reader's output)
//   status FILE PAGE                  prints the reader's status code
//   damage TIFF OUT noise|short       the TIFF with its middle strip or tile damaged
//   batch LIST                        runs the match, refused (FILE PAGE CODE: the status the
//                                     reader must give) and damage lines of LIST in one process,
//                                     printing each that fails; exit 1 when any did
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <tiffio.h>

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
    case FileFormat::kGif: return ReadGif(m.AsStream(), image);
    case FileFormat::kPcx: return ReadPcx(m.AsStream(), image);
    case FileFormat::kJpeg: return ReadJpeg(m.AsStream(), image);
    default: break;
  }
  // TGA files carry no signature: the name tells.
  if (path.size() > 4 && path.compare(path.size() - 4, 4, ".tga") == 0) return ReadTga(m.AsStream(), image);
  return kNotThisFormat;
}

// A binary PPM (P6, maxval 255) as a 24-bit image; false when it is not one.
static bool ReadPpm(const std::string& path, Image& image) {
  std::vector<uint8_t> f = test::ReadFileBytes(path);
  size_t p = 0;
  auto field = [&]() {
    while (p < f.size() && (isspace(f[p]) || f[p] == '#'))
      if (f[p] == '#') while (p < f.size() && f[p] != '\n') ++p;
      else ++p;
    long v = 0;
    while (p < f.size() && isdigit(f[p])) v = v * 10 + (f[p++] - '0');
    return v;
  };
  if (f.size() < 2 || f[0] != 'P' || f[1] != '6') return false;
  p = 2;
  long w = field(), h = field(), maxval = field();
  ++p;
  if (maxval != 255 || w <= 0 || h <= 0 || f.size() < p + size_t(w) * h * 3) return false;
  if (!Allocate(image, uint32_t(w), uint32_t(h), 24)) return false;
  for (long y = 0; y < h; ++y)
    for (long x = 0; x < w; ++x) {
      const uint8_t* c = &f[p + (size_t(y) * w + x) * 3];
      uint8_t* d = image.Row(uint32_t(y)) + 3 * x;
      d[0] = c[2]; d[1] = c[1]; d[2] = c[0];
    }
  return true;
}

// Where the directory of the first page keeps the byte count of block `index` (tag 279 or 325);
// 0 when it cannot be found. Classic TIFF only.
static size_t ByteCountAt(const std::vector<uint8_t>& f, uint32_t index, bool& big, uint16_t& type) {
  if (f.size() < 8) return 0;
  big = f[0] == 'M';
  auto u16 = [&](size_t at) { return big ? uint16_t(f[at] << 8 | f[at + 1]) : uint16_t(f[at] | f[at + 1] << 8); };
  auto u32 = [&](size_t at) { return big ? uint32_t(u16(at)) << 16 | u16(at + 2) : u16(at) | uint32_t(u16(at + 2)) << 16; };
  size_t ifd = u32(4);
  if (ifd + 2 > f.size()) return 0;
  for (uint16_t k = 0, n = u16(ifd); k < n && ifd + 14 + 12 * k <= f.size(); ++k) {
    size_t e = ifd + 2 + 12 * k;
    uint16_t tag = u16(e);
    if (tag != 279 && tag != 325) continue;
    type = u16(e + 2);
    size_t size = type == 3 ? 2 : 4, count = u32(e + 4);
    size_t values = count * size <= 4 ? e + 8 : u32(e + 8);
    return index < count && values + (index + 1) * size <= f.size() ? values + index * size : 0;
  }
  return 0;
}

// Damages the middle strip or tile. noise: its data from the fifth byte to two before its end
// overwritten with bytes that hold no JPEG marker; short: its byte count halved, as when the
// strip holds fewer rows than the page says.
static int Damage(const std::string& in, const std::string& out, const std::string& mode) {
  std::vector<uint8_t> bytes = test::ReadFileBytes(in);
  TIFF* tif = TIFFOpen(in.c_str(), "r");
  if (!tif) return fprintf(stderr, "not a TIFF\n"), 1;
  uint32_t blocks = TIFFIsTiled(tif) ? TIFFNumberOfTiles(tif) : TIFFNumberOfStrips(tif);
  uint32_t middle = blocks / 2;
  uint64_t at = TIFFGetStrileOffset(tif, middle), n = TIFFGetStrileByteCount(tif, middle);
  TIFFClose(tif);
  if (n < 8 || at + n > bytes.size()) return fprintf(stderr, "no block to damage\n"), 1;
  if (mode == "short") {
    bool big = false;
    uint16_t type = 0;
    size_t p = ByteCountAt(bytes, middle, big, type);
    if (!p) return fprintf(stderr, "no byte count to shorten\n"), 1;
    uint32_t half = uint32_t(n / 2);
    for (size_t i = 0, size = type == 3 ? 2 : 4; i < size; ++i)
      bytes[p + i] = uint8_t(half >> (8 * (big ? size - 1 - i : i)));
  } else {
    uint32_t seed = 12345;
    for (uint64_t i = 4; i + 2 < n; ++i) {
      seed = seed * 1103515245u + 12345u;
      bytes[size_t(at + i)] = uint8_t((seed >> 16) % 255);
    }
  }
  test::WriteFileBytes(out, bytes);
  return 0;
}

static int Run(int argc, char** argv);

// Lines of words, each run as the command line it would be.
static int Batch(const std::string& list) {
  std::vector<uint8_t> text = test::ReadFileBytes(list);
  std::string all(text.begin(), text.end());
  int failed = 0;
  for (size_t at = 0; at < all.size();) {
    size_t end = all.find('\n', at);
    if (end == std::string::npos) end = all.size();
    std::string line = all.substr(at, end - at);
    at = end + 1;
    std::vector<std::string> words = {"tool"};
    for (size_t p = 0; p < line.size();) {
      while (p < line.size() && line[p] == ' ') ++p;
      size_t q = line.find(' ', p);
      if (q == std::string::npos) q = line.size();
      if (q > p) words.push_back(line.substr(p, q - p));
      p = q;
    }
    if (words.size() < 2) continue;
    std::vector<char*> args;
    for (std::string& w : words) args.push_back(&w[0]);
    int rc;
    if (words[1] == "refused" && words.size() == 5) {
      Image im;
      int got = ReadAny(words[2], uint32_t(atoi(words[3].c_str())), im);
      rc = got == atoi(words[4].c_str()) ? 0 : (fprintf(stderr, "status %d\n", got), 1);
    } else {
      rc = Run(int(args.size()), args.data());
    }
    if (rc) {
      printf("FAIL: %s\n", line.c_str());
      ++failed;
    }
  }
  return failed ? 1 : 0;
}

int main(int argc, char** argv) { return Run(argc, argv); }

static int Run(int argc, char** argv) {
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
  if (verb == "match" && argc == 6) {
    Image a, b;
    Status s = ReadAny(argv[2], uint32_t(atoi(argv[3])), a);
    if (s != kOk) return fprintf(stderr, "read failed %d\n", s), 1;
    if (!ReadPpm(argv[4], b)) return fprintf(stderr, "%s is no binary PPM\n", argv[4]), 1;
    if (a.width != b.width || a.height != b.height)
      return fprintf(stderr, "%u x %u, the outside reader %u x %u\n", a.width, a.height, b.width, b.height), 1;
    size_t n = test::DifferentPixels(a, b, atoi(argv[5]));
    if (n) fprintf(stderr, "%zu pixels differ\n", n);
    return n ? 1 : 0;
  }
  if (verb == "status" && argc == 4) {
    Image im;
    printf("%d\n", int(ReadAny(argv[2], uint32_t(atoi(argv[3])), im)));
    return 0;
  }
  if (verb == "damage" && argc == 5) return Damage(argv[2], argv[3], argv[4]);
  if (verb == "batch" && argc == 3) return Batch(argv[2]);
  fprintf(stderr, "usage: write|read|same|match|status|damage ...\n");
  return 2;
}
