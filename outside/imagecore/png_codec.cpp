// PNG through libpng. libpng reports errors by longjmp, so the functions that call it keep no
// objects with destructors between setjmp and the calls.
#include <png.h>

#include <cstring>

#include "codecs.h"

namespace imagecore {

namespace {

void PngRead(png_structp png, png_bytep data, size_t length) {
  auto* in = static_cast<const Stream*>(png_get_io_ptr(png));
  if (in->read(in->context, data, int64_t(length)) != int64_t(length)) png_error(png, "short read");
}

void PngWrite(png_structp png, png_bytep data, size_t length) {
  auto* out = static_cast<const Stream*>(png_get_io_ptr(png));
  if (out->write(out->context, data, int64_t(length)) != int64_t(length)) png_error(png, "write failed");
}

void PngFlush(png_structp) {}
void PngQuiet(png_structp, png_const_charp) {}
void PngFail(png_structp png, png_const_charp) { png_longjmp(png, 1); }

struct ReadShape {
  uint32_t width, height;
  int depth, color, interlace;
  uint16_t bits;
};

// Header and transforms; false when the image is not one this reader holds.
bool Shape(png_structp png, png_infop info, ReadShape& s) {
  png_read_info(png, info);
  png_get_IHDR(png, info, &s.width, &s.height, &s.depth, &s.color, &s.interlace, nullptr, nullptr);
  if (s.depth == 16) png_set_strip_16(png);
  if (s.color & PNG_COLOR_MASK_ALPHA) png_set_strip_alpha(png);
  if (s.color == PNG_COLOR_TYPE_PALETTE) {
    if (s.depth == 2) png_set_packing(png);
    s.bits = s.depth == 1 ? 1 : s.depth == 4 ? 4 : 8;
  } else if (s.color == PNG_COLOR_TYPE_GRAY || s.color == PNG_COLOR_TYPE_GRAY_ALPHA) {
    if (s.depth == 2 || s.depth == 4) png_set_expand_gray_1_2_4_to_8(png);
    s.bits = s.depth == 1 ? 1 : 8;
  } else {
    png_set_bgr(png);
    s.bits = 24;
  }
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  return true;
}

int DecodeRows(png_structp png, png_infop info, ReadShape* s, png_bytep* rows) {
  if (setjmp(png_jmpbuf(png))) return 0;
  png_read_image(png, rows);
  png_read_end(png, nullptr);
  return 1;
}

int ReadHeader(png_structp png, png_infop info, ReadShape* s) {
  if (setjmp(png_jmpbuf(png))) return 0;
  Shape(png, info, *s);
  return 1;
}

}  // namespace

Status ReadPng(const Stream& in, Image& image) {
  uint8_t sig[8];
  if (!in.read || in.read(in.context, sig, 8) != 8 || png_sig_cmp(sig, 0, 8) != 0) return kNotThisFormat;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngFail, PngQuiet);
  if (!png) return kNoMemory;
  png_infop info = png_create_info_struct(png);
  if (!info) { png_destroy_read_struct(&png, nullptr, nullptr); return kNoMemory; }
  png_set_read_fn(png, const_cast<Stream*>(&in), PngRead);
  png_set_sig_bytes(png, 8);
  png_set_user_limits(png, kMaxSide, kMaxSide);
  ReadShape s{};
  Status status = kOk;
  if (!ReadHeader(png, info, &s)) status = kTruncated;
  else if (uint64_t(s.width) * s.height > kMaxPixels || !Allocate(image, s.width, s.height, s.bits))
    status = kTooLarge;
  if (status == kOk) {
    if (s.color == PNG_COLOR_TYPE_PALETTE) {
      png_colorp colors = nullptr;
      int n = 0;
      image.palette.clear();
      if (png_get_PLTE(png, info, &colors, &n) & PNG_INFO_PLTE)
        for (int i = 0; i < n && i < 256; ++i)
          image.palette.push_back(MakeRgb(colors[i].red, colors[i].green, colors[i].blue));
    }
    png_uint_32 rx = 0, ry = 0;
    int unit = 0;
    if (png_get_pHYs(png, info, &rx, &ry, &unit) && unit == PNG_RESOLUTION_METER) {
      image.xPelsPerMeter = rx;
      image.yPelsPerMeter = ry;
    }
    if (png_get_rowbytes(png, info) > image.Stride()) status = kUnsupported;
  }
  if (status == kOk) {
    std::vector<png_bytep> rows(image.height);
    for (uint32_t y = 0; y < image.height; ++y) rows[y] = image.Row(y);
    if (!DecodeRows(png, info, &s, rows.data())) status = kTruncated;
  }
  png_destroy_read_struct(&png, &info, nullptr);
  return status;
}

namespace {

int EncodeRows(png_structp png, png_infop info, const Image* image, bool interlace, png_bytep* rows,
               png_colorp palette, int colors) {
  if (setjmp(png_jmpbuf(png))) return 0;
  bool gray = image->bits <= 8 && IsGrayRamp(image->palette, image->bits);
  int type = image->bits == 24 ? PNG_COLOR_TYPE_RGB : gray ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_PALETTE;
  int depth = image->bits == 24 ? 8 : image->bits;
  png_set_IHDR(png, info, image->width, image->height, depth, type,
               interlace ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (type == PNG_COLOR_TYPE_PALETTE) png_set_PLTE(png, info, palette, colors);
  if (image->xPelsPerMeter && image->yPelsPerMeter)
    png_set_pHYs(png, info, image->xPelsPerMeter, image->yPelsPerMeter, PNG_RESOLUTION_METER);
  png_write_info(png, info);
  if (image->bits == 24) png_set_bgr(png);
  png_write_image(png, rows);
  png_write_end(png, info);
  return 1;
}

}  // namespace

Status WritePng(const Image& image, bool interlace, const Stream& out) {
  if (image.Empty()) return kBadArgument;
  if (image.bits != 1 && image.bits != 4 && image.bits != 8 && image.bits != 24) return kUnsupported;
  if (!out.write) return kWriteFailed;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngFail, PngQuiet);
  if (!png) return kNoMemory;
  png_infop info = png_create_info_struct(png);
  if (!info) { png_destroy_write_struct(&png, nullptr); return kNoMemory; }
  png_set_write_fn(png, const_cast<Stream*>(&out), PngWrite, PngFlush);
  std::vector<png_color> palette;
  for (size_t i = 0; i < image.palette.size() && i < (size_t(1) << image.bits); ++i)
    palette.push_back(png_color{image.palette[i].red, image.palette[i].green, image.palette[i].blue});
  if (palette.empty()) palette.push_back(png_color{0, 0, 0});
  std::vector<png_bytep> rows(image.height);
  for (uint32_t y = 0; y < image.height; ++y) rows[y] = const_cast<png_bytep>(image.Row(y));
  Status s = EncodeRows(png, info, &image, interlace, rows.data(), palette.data(), int(palette.size()))
                 ? kOk : kWriteFailed;
  png_destroy_write_struct(&png, &info);
  return s;
}

}  // namespace imagecore
