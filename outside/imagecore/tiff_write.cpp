#include <cmath>
#include <cstring>

#include "convert.h"
#include "tiff_client.h"
#include "tiff_codec.h"
#include "tiff_write.h"

namespace imagecore {

bool TiffCanWrite(uint16_t c) {
  return c == kTiffNone || c == kTiffCcittRle || c == kTiffG3 || c == kTiffG4 || c == kTiffLzw ||
         c == kTiffOldJpeg || c == kTiffJpeg || c == kTiffDeflate || c == kTiffPackBits;
}

static bool IsFax(uint16_t c) { return c == kTiffCcittRle || c == kTiffG3 || c == kTiffG4; }
static bool IsJpeg(uint16_t c) { return c == kTiffJpeg || c == kTiffOldJpeg; }

Status FitForCompression(const Image& in, uint16_t compression, Image& out) {
  if (IsFax(compression) && in.bits != 1) return ReduceDepth(in, 1, false, out);
  if (IsFax(compression) && !IsGrayPalette(in.palette)) {
    out = in;  // the fax codes hold black and white only: colours become their gray values
    for (Rgb& c : out.palette) c = Luma(c) >= 128 ? MakeRgb(255, 255, 255) : MakeRgb(0, 0, 0);
    return kOk;
  }
  if (IsJpeg(compression) && in.bits != 8 && in.bits != 24) {
    if (IsGrayImage(in)) return ToGray8(in, out);
    return IncreaseDepth(in, 24, out);
  }
  if (IsJpeg(compression) && in.bits == 8 && !IsGrayRamp(in.palette, 8)) {
    if (IsGrayImage(in)) return ToGray8(in, out);
    return IncreaseDepth(in, 24, out);
  }
  if (in.bits == 16 || in.bits == 32) return IncreaseDepth(in, 24, out);
  out = in;
  return kOk;
}

static void SetResolution(TIFF* tif, const Image& image) {
  if (!image.xPelsPerMeter || !image.yPelsPerMeter) return;
  // Stored in dots per inch; a DIB's pixels per metre are dpi x 39.37 rounded.
  TIFFSetField(tif, TIFFTAG_XRESOLUTION, float(std::round(image.xPelsPerMeter / 39.37)));
  TIFFSetField(tif, TIFFTAG_YRESOLUTION, float(std::round(image.yPelsPerMeter / 39.37)));
  TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
}

Status WriteTiffDirectory(TIFF* tif, const Image& source, uint16_t compression) {
  if (source.Empty()) return kBadArgument;
  if (compression == kTiffOldJpeg) compression = kTiffJpeg;
  if (!TiffCanWrite(compression)) return kUnsupported;
  Image image;
  Status s = FitForCompression(source, compression, image);
  if (s != kOk) return s;
  uint16_t bits = image.bits;
  bool gray = bits <= 8 && IsGrayRamp(image.palette, bits);
  bool bilevel = bits == 1 && image.palette.size() >= 2 &&
                 ((Luma(image.palette[0]) < 128) != (Luma(image.palette[1]) < 128)) &&
                 IsGrayPalette(image.palette);
  bool whiteIsZero = bilevel && Luma(image.palette[0]) >= 128;
  uint16_t photometric;
  if (bits == 24) photometric = PHOTOMETRIC_RGB;
  else if (bilevel) photometric = whiteIsZero ? PHOTOMETRIC_MINISWHITE : PHOTOMETRIC_MINISBLACK;
  else if (gray) photometric = PHOTOMETRIC_MINISBLACK;
  else photometric = PHOTOMETRIC_PALETTE;
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, image.width);
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, image.height);
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, uint16_t(bits == 24 ? 8 : bits));
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, uint16_t(bits == 24 ? 3 : 1));
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, compression);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, photometric);
  if (compression == kTiffJpeg) {
    TIFFSetField(tif, TIFFTAG_JPEGQUALITY, 75);
    if (bits == 24) {
      TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_YCBCR);
      TIFFSetField(tif, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
    }
  }
  if (compression == kTiffG3) TIFFSetField(tif, TIFFTAG_GROUP3OPTIONS, uint32_t(GROUP3OPT_FILLBITS));
  SetResolution(tif, image);
  std::vector<uint16_t> map[3];
  if (photometric == PHOTOMETRIC_PALETTE) {
    size_t n = size_t(1) << bits;
    for (auto& m : map) m.assign(n, 0);
    for (size_t i = 0; i < n && i < image.palette.size(); ++i) {
      map[0][i] = uint16_t(image.palette[i].red * 257);
      map[1][i] = uint16_t(image.palette[i].green * 257);
      map[2][i] = uint16_t(image.palette[i].blue * 257);
    }
    TIFFSetField(tif, TIFFTAG_COLORMAP, map[0].data(), map[1].data(), map[2].data());
  }
  uint32_t rows = IsFax(compression) ? image.height : TIFFDefaultStripSize(tif, 0);
  if (compression == kTiffJpeg) rows = (rows + 15) / 16 * 16;
  TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, rows);
  size_t line = RowBytes(image.width, bits);
  std::vector<uint8_t> buf(line);
  for (uint32_t y = 0; y < image.height; ++y) {
    const uint8_t* row = image.Row(y);
    std::memcpy(buf.data(), row, line);
    if (bits == 24)
      for (uint32_t x = 0; x < image.width; ++x) std::swap(buf[3 * x], buf[3 * x + 2]);
    if (TIFFWriteScanline(tif, buf.data(), y, 0) < 0) return kWriteFailed;
  }
  return TIFFWriteDirectory(tif) ? kOk : kWriteFailed;
}

Status WriteTiff(const Image& image, uint16_t compression, const Stream& out) {
  TIFF* tif = TiffOpenStream(out, "w");
  if (!tif) return kWriteFailed;
  Status s = WriteTiffDirectory(tif, image, compression);
  TIFFClose(tif);
  return s;
}

}  // namespace imagecore
