#include "pdf_image_encode.h"

#include <jpeglib.h>
#include <tiffio.h>
#include <zlib.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>

std::vector<uint8_t> PdfRows(const PdfPageImage& image) {
  const size_t rowBytes = (static_cast<size_t>(image.width) * image.bitsPerPixel + 7) / 8;
  std::vector<uint8_t> out(rowBytes * static_cast<size_t>(image.height));
  for (int y = 0; y < image.height; ++y) {
    const int srcRow = image.bottomUp ? image.height - 1 - y : y;
    const uint8_t* src = image.pixels + static_cast<size_t>(srcRow) * image.stride;
    uint8_t* dst = out.data() + static_cast<size_t>(y) * rowBytes;
    if (image.bitsPerPixel == 24 && image.bgr) {
      for (int x = 0; x < image.width; ++x) {
        dst[3 * x] = src[3 * x + 2];
        dst[3 * x + 1] = src[3 * x + 1];
        dst[3 * x + 2] = src[3 * x];
      }
    } else {
      std::memcpy(dst, src, rowBytes);
    }
    if (image.bitsPerPixel == 1) {
      if (!image.blackIsOne)
        for (size_t i = 0; i < rowBytes; ++i) dst[i] = static_cast<uint8_t>(~dst[i]);
      // Bits past the width are white, so the encoder sees no stray black run.
      const int spare = static_cast<int>(rowBytes * 8) - image.width;
      if (spare > 0) dst[rowBytes - 1] &= static_cast<uint8_t>(0xFF << spare);
    }
  }
  return out;
}

namespace {

// A growable memory file for libtiff.
struct MemFile {
  std::vector<uint8_t> data;
  toff_t pos = 0;
};

tsize_t MemRead(thandle_t h, tdata_t buf, tsize_t n) {
  auto* f = static_cast<MemFile*>(h);
  if (f->pos >= f->data.size()) return 0;
  size_t take = std::min<size_t>(static_cast<size_t>(n), f->data.size() - f->pos);
  std::memcpy(buf, f->data.data() + f->pos, take);
  f->pos += take;
  return static_cast<tsize_t>(take);
}
tsize_t MemWrite(thandle_t h, tdata_t buf, tsize_t n) {
  auto* f = static_cast<MemFile*>(h);
  size_t end = static_cast<size_t>(f->pos) + static_cast<size_t>(n);
  if (end > f->data.size()) f->data.resize(end);
  std::memcpy(f->data.data() + f->pos, buf, static_cast<size_t>(n));
  f->pos = end;
  return n;
}
toff_t MemSeek(thandle_t h, toff_t off, int whence) {
  auto* f = static_cast<MemFile*>(h);
  toff_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? f->pos : f->data.size();
  f->pos = base + off;
  return f->pos;
}
int MemClose(thandle_t) { return 0; }
toff_t MemSize(thandle_t h) { return static_cast<MemFile*>(h)->data.size(); }
int MemMap(thandle_t, tdata_t*, toff_t*) { return 0; }
void MemUnmap(thandle_t, tdata_t, toff_t) {}

TIFF* OpenMem(MemFile* f, const char* mode) {
  return TIFFClientOpen("pdf-g4", mode, f, MemRead, MemWrite, MemSeek, MemClose, MemSize, MemMap,
                        MemUnmap);
}

void QuietTiffHandler(const char*, const char*, va_list) {}

}  // namespace

bool EncodeG4(const std::vector<uint8_t>& rows, int width, int height, std::vector<uint8_t>* out,
              std::string* error) {
  const size_t rowBytes = (static_cast<size_t>(width) + 7) / 8;
  if (width <= 0 || height <= 0 || rows.size() < rowBytes * static_cast<size_t>(height)) {
    *error = "bad black-and-white image";
    return false;
  }
  TIFFSetErrorHandler(QuietTiffHandler);
  TIFFSetWarningHandler(QuietTiffHandler);
  MemFile file;
  TIFF* tif = OpenMem(&file, "w");
  if (!tif) { *error = "CCITT encoder unavailable"; return false; }
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(width));
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(height));
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 1);
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
  TIFFSetField(tif, TIFFTAG_FILLORDER, FILLORDER_MSB2LSB);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4);
  TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, static_cast<uint32_t>(height));
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  bool ok = TIFFWriteEncodedStrip(tif, 0, const_cast<uint8_t*>(rows.data()),
                                  static_cast<tmsize_t>(rowBytes * height)) >= 0;
  TIFFClose(tif);
  if (!ok) { *error = "CCITT encoding failed"; return false; }
  file.pos = 0;
  tif = OpenMem(&file, "r");
  if (!tif) { *error = "CCITT encoding failed"; return false; }
  tmsize_t raw = static_cast<tmsize_t>(TIFFRawStripSize(tif, 0));
  out->assign(raw > 0 ? static_cast<size_t>(raw) : 0, 0);
  ok = raw > 0 && TIFFReadRawStrip(tif, 0, out->data(), raw) == raw;
  TIFFClose(tif);
  if (!ok) *error = "CCITT encoding failed";
  return ok;
}

bool EncodeFlate(const std::vector<uint8_t>& data, std::vector<uint8_t>* out, std::string* error) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  out->resize(size);
  if (compress2(out->data(), &size, data.data(), static_cast<uLong>(data.size()), 6) != Z_OK) {
    *error = "Flate encoding failed";
    return false;
  }
  out->resize(size);
  return true;
}

namespace {

struct JpegError {
  jpeg_error_mgr mgr;
  jmp_buf jump;
};

void JpegFail(j_common_ptr cinfo) {
  longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1);
}

}  // namespace

bool EncodeJpeg(const std::vector<uint8_t>& rows, int width, int height, int components, int quality,
                std::vector<uint8_t>* out, std::string* error) {
  if (width <= 0 || height <= 0 || (components != 1 && components != 3) ||
      rows.size() < static_cast<size_t>(width) * components * height) {
    *error = "bad image for DCT";
    return false;
  }
  jpeg_compress_struct cinfo;
  JpegError err;
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = JpegFail;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  if (setjmp(err.jump)) {
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    *error = "DCT encoding failed";
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = components;
  cinfo.in_color_space = components == 3 ? JCS_RGB : JCS_GRAYSCALE;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality < 1 ? 1 : quality > 100 ? 100 : quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  const size_t rowBytes = static_cast<size_t>(width) * components;
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rows.data() + cinfo.next_scanline * rowBytes);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  out->assign(buffer, buffer + size);
  std::free(buffer);
  return true;
}
