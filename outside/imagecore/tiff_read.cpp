#include <algorithm>
#include <cstring>
#include <utility>

#include "ops.h"
#include "tiff_client.h"
#include "tiff_codec.h"

namespace imagecore {

namespace {

uint32_t PelsPerMeter(TIFF* tif, ttag_t tag) {
  float res = 0;
  uint16_t unit = RESUNIT_INCH;
  if (!TIFFGetField(tif, tag, &res) || !(res > 0) || res > 1e6f) return 0;
  TIFFGetFieldDefaulted(tif, TIFFTAG_RESOLUTIONUNIT, &unit);
  if (unit == RESUNIT_CENTIMETER) return uint32_t(res * 100 + 0.5f);
  return uint32_t(res * 39.37f + 0.5f);
}

bool ChoosePage(TIFF* tif, uint32_t page) {
  return page < 65535 && TIFFSetDirectory(tif, tdir_t(page)) == 1;
}

// Palette, gray and bilevel pages with one sample of 1, 4 or 8 bits, in strips: rows as stored.
Status ReadIndexed(TIFF* tif, uint16_t bps, uint16_t photometric, Image& image) {
  uint32_t w = image.width, h = image.height;
  if (!Allocate(image, w, h, bps)) return kTooLarge;
  if (photometric == PHOTOMETRIC_PALETTE) {
    uint16_t *r, *g, *b;
    if (!TIFFGetField(tif, TIFFTAG_COLORMAP, &r, &g, &b)) return kTruncated;
    unsigned n = 1u << bps;
    bool sixteen = false;
    for (unsigned i = 0; i < n; ++i) sixteen |= r[i] > 255 || g[i] > 255 || b[i] > 255;
    image.palette.clear();
    for (unsigned i = 0; i < n; ++i)
      image.palette.push_back(sixteen ? MakeRgb(uint8_t(r[i] >> 8), uint8_t(g[i] >> 8), uint8_t(b[i] >> 8))
                                      : MakeRgb(uint8_t(r[i]), uint8_t(g[i]), uint8_t(b[i])));
  } else if (photometric == PHOTOMETRIC_MINISWHITE) {
    std::vector<Rgb> ramp = GrayRamp(bps);
    image.palette.assign(ramp.rbegin(), ramp.rend());
  }
  tmsize_t line = TIFFScanlineSize(tif);
  if (line <= 0 || size_t(line) > image.Stride()) return kTruncated;
  std::vector<uint8_t> buf(image.Stride());
  for (uint32_t y = 0; y < h; ++y) {
    if (TIFFReadScanline(tif, buf.data(), y, 0) < 0) return kCodecError;
    std::memcpy(image.Row(y), buf.data(), size_t(line));
  }
  // Bits past the image width are left as decoded; they lie in the row padding only.
  return kOk;
}

// Any other page through libtiff's RGBA reader, rows as stored (the orientation is applied by
// the caller, as for every page). The reader stops at the first strip or tile it cannot decode.
Status ReadAsRgba(TIFF* tif, Image& image) {
  uint32_t w = image.width, h = image.height;
  char message[1024];
  TIFFRGBAImage reader;
  if (!TIFFRGBAImageBegin(&reader, tif, 1, message)) return kUnsupported;
  reader.req_orientation = reader.orientation;
  std::vector<uint32_t> rgba(size_t(w) * h);
  int got = TIFFRGBAImageGet(&reader, rgba.data(), w, h);
  TIFFRGBAImageEnd(&reader);
  if (!got) return kCodecError;
  if (!Allocate(image, w, h, 24)) return kTooLarge;
  for (uint32_t y = 0; y < h; ++y) {
    uint8_t* row = image.Row(y);
    for (uint32_t x = 0; x < w; ++x) {
      uint32_t p = rgba[size_t(y) * w + x];
      row[3 * x] = uint8_t(TIFFGetB(p)); row[3 * x + 1] = uint8_t(TIFFGetG(p)); row[3 * x + 2] = uint8_t(TIFFGetR(p));
    }
  }
  return kOk;
}

// Turns a page from the order its rows are stored in to the order it is shown in: the
// Orientation tag names where the first stored row and column belong.
Status ApplyOrientation(uint16_t orientation, Image& image) {
  Image turned;
  Status s = kOk;
  switch (orientation) {
    case ORIENTATION_TOPRIGHT: Mirror(image, false, true); break;
    case ORIENTATION_BOTRIGHT: Mirror(image, true, true); break;
    case ORIENTATION_BOTLEFT: Mirror(image, true, false); break;
    case ORIENTATION_LEFTTOP:  // rows are the columns, top to bottom: the page transposed
    case ORIENTATION_RIGHTTOP:
    case ORIENTATION_RIGHTBOT:
    case ORIENTATION_LEFTBOT:
      s = Rotate(image, orientation == ORIENTATION_LEFTTOP || orientation == ORIENTATION_RIGHTTOP ? 90 : 270,
                 Rgb{}, turned);
      if (s != kOk) return s;
      image = std::move(turned);
      if (orientation == ORIENTATION_LEFTTOP || orientation == ORIENTATION_RIGHTBOT) Mirror(image, false, true);
      break;
    default: break;
  }
  return s;
}

// Uncompressed strips and tiles are read at their offsets for as many bytes as their rows take,
// whatever byte count the directory gives: a block the file says is shorter than that would be
// filled from whatever follows it.
bool UncompressedBlocksHoldTheirRows(TIFF* tif) {
  uint16_t compression = COMPRESSION_NONE;
  TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
  if (compression != COMPRESSION_NONE) return true;
  const uint32_t blocks = TIFFNumberOfStrips(tif);  // tiles when tiled
  if (TIFFIsTiled(tif)) {
    const uint64_t need = uint64_t(TIFFTileSize64(tif));
    for (uint32_t i = 0; i < blocks; ++i)
      if (TIFFGetStrileByteCount(tif, i) < need) return false;
    return true;
  }
  uint32_t h = 0, rows = 0;
  TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &h);
  TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &rows);
  if (rows == 0 || rows > h) rows = h;
  // Separate planes repeat the strips of one plane; the strip size is that of one sample.
  const uint32_t perPlane = (h + rows - 1) / rows;
  if (perPlane == 0) return true;
  for (uint32_t i = 0; i < blocks; ++i) {
    const uint32_t first = (i % perPlane) * rows;
    const uint32_t held = first >= h ? 0 : std::min(rows, h - first);
    if (TIFFGetStrileByteCount(tif, i) < uint64_t(TIFFVStripSize64(tif, held))) return false;
  }
  return true;
}

bool Transposed(uint16_t orientation) { return orientation >= ORIENTATION_LEFTTOP && orientation <= ORIENTATION_LEFTBOT; }

}  // namespace

Status TiffInfo(const Stream& in, uint32_t page, TiffPageInfo& info) {
  TIFF* tif = TiffOpenStream(in, "rm");
  if (!tif) return kNotThisFormat;
  TiffCloser closer{tif};
  if (TIFFIsBigTIFF(tif)) return kUnsupported;
  info.pages = TIFFNumberOfDirectories(tif);
  if (!ChoosePage(tif, page)) return kBadPage;
  uint16_t bps = 1, spp = 1, comp = 1;
  TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &info.width);
  TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &info.height);
  TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bps);
  TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &spp);
  TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &comp);
  info.bits = uint16_t(bps * spp);
  info.compression = comp;
  info.xPelsPerMeter = PelsPerMeter(tif, TIFFTAG_XRESOLUTION);
  info.yPelsPerMeter = PelsPerMeter(tif, TIFFTAG_YRESOLUTION);
  uint16_t orientation = ORIENTATION_TOPLEFT;
  TIFFGetFieldDefaulted(tif, TIFFTAG_ORIENTATION, &orientation);
  if (Transposed(orientation)) {  // the size of the page as it is read and shown
    std::swap(info.width, info.height);
    std::swap(info.xPelsPerMeter, info.yPelsPerMeter);
  }
  return kOk;
}

// The most one strip or tile may hold: an A3 page at 600 dpi in 16-bit RGB fits in one strip.
constexpr uint64_t kMaxBlockBytes = uint64_t(512) << 20;

static Status ReadPage(const Stream& source, uint32_t page, Image& image) {
  std::vector<uint8_t> bytes;
  Status all = ReadAll(source, bytes);
  if (all != kOk) return all;
  ReadOnlyMemory memory(bytes.data(), bytes.size());
  Stream in = memory.AsStream();
  TiffDecodeWatch watch;
  TIFF* tif = TiffOpenWatched(in, "rm", watch);
  if (!tif) return kNotThisFormat;
  TiffCloser closer{tif};
  // BigTIFF is a kind of its own: the tag reader and the page operations keep to classic TIFF.
  if (TIFFIsBigTIFF(tif)) return kUnsupported;
  if (!ChoosePage(tif, page)) return kBadPage;
  if (!TiffDirectoryFits(bytes.data(), bytes.size(), page)) return kTruncated;
  uint32_t w = 0, h = 0;
  uint16_t bps = 1, spp = 1, photometric = PHOTOMETRIC_MINISWHITE, planar = PLANARCONFIG_CONTIG;
  uint16_t orientation = ORIENTATION_TOPLEFT;
  if (!TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &w) || !TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &h))
    return kTruncated;
  if (w == 0 || h == 0) return kBadArgument;
  if (w > kMaxSide || h > kMaxSide || uint64_t(w) * h > kMaxPixels) return kTooLarge;
  TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bps);
  TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &spp);
  TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &planar);
  TIFFGetFieldDefaulted(tif, TIFFTAG_ORIENTATION, &orientation);
  if (!TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric)) photometric = PHOTOMETRIC_MINISWHITE;
  // No page of ours has more than four samples of 16 bits; a header that claims thousands
  // would make the library allocate strips of gigabytes before a byte is read.
  if (spp == 0 || spp > 8 || bps == 0 || bps > 16) return kUnsupported;
  const uint64_t block = TIFFIsTiled(tif) ? uint64_t(TIFFTileSize64(tif)) : uint64_t(TIFFStripSize64(tif));
  if (block == 0 || block > kMaxBlockBytes) return kTooLarge;
  image = Image{};
  image.width = w;
  image.height = h;
  Status s;
  bool indexed = spp == 1 && (bps == 1 || bps == 4 || bps == 8) && !TIFFIsTiled(tif) &&
                 (photometric == PHOTOMETRIC_MINISWHITE || photometric == PHOTOMETRIC_MINISBLACK ||
                  photometric == PHOTOMETRIC_PALETTE);
  if (!UncompressedBlocksHoldTheirRows(tif)) return kCodecError;
  watch.decoding = true;
  if (indexed) {
    s = ReadIndexed(tif, bps, photometric, image);
  } else {
    char message[1024];
    if (!TIFFRGBAImageOK(tif, message)) return kUnsupported;
    s = ReadAsRgba(tif, image);
  }
  watch.decoding = false;
  if (s == kOk && watch.damaged) s = kCodecError;
  if (s != kOk) return s;
  image.xPelsPerMeter = PelsPerMeter(tif, TIFFTAG_XRESOLUTION);
  image.yPelsPerMeter = PelsPerMeter(tif, TIFFTAG_YRESOLUTION);
  return ApplyOrientation(orientation, image);
}

Status ReadTiffPage(const Stream& source, uint32_t page, Image& image) {
  Image read;
  Status s = ReadPage(source, page, read);
  if (s == kOk) image = std::move(read);
  return s;
}

}  // namespace imagecore
