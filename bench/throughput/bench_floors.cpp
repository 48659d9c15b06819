#include "bench_floors.h"

#include <cstdio>
#include <vector>

#include <jpeglib.h>
#include <tiffio.h>

#include "jpeg_coding.h"

#include "bench_clock.h"
#include "page_delivery.h"

namespace {

int32_t __stdcall KeepNothing(void*, uint32_t* size, int32_t code) {
  if (code == kPageEventInfo) *size = 4u << 20;  // the cheapest transfer: few, large blocks
  return 0;
}

zebsim::PageGeometry PageOf(const zebsim::PageFormat& format) { return zebsim::GeometryOf(format); }

}  // namespace

double TimeSimulatorAlone(const zebsim::PageFormat& format, int pages) {
  zebsim::SimConfig config;
  config.sheets = pages;
  config.paper = format.paper;
  zebsim::SimFeeder feeder(config);
  const zebsim::PageGeometry g = PageOf(format);
  const zebsim::ScanArea area = zebsim::MakeScanArea(format, 0, 0, g.width, g.length);
  const double start = NowMs();
  const int32_t rc = zebsim::RunFeederScan(feeder, area, pages, KeepNothing, nullptr);
  const double ms = NowMs() - start;
  return rc == 0 && feeder.PagesDelivered() == pages ? ms : -1;
}

double TimeRawG4(const zebsim::PageFormat& format, int pages, const std::string& file) {
  const zebsim::PageGeometry g = PageOf(format);
  double ms = 0;
  double start = NowMs();
  TIFF* tif = TIFFOpen(file.c_str(), "w");
  if (!tif) return -1;
  ms += NowMs() - start;
  bool ok = true;
  for (int p = 1; ok && p <= pages; ++p) {
    std::vector<uint8_t> page = zebsim::RenderPage(format, p);
    start = NowMs();
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, uint32_t(g.width));
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, uint32_t(g.length));
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 1);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);  // a set bit is white
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, uint32_t(g.length));
    TIFFSetField(tif, TIFFTAG_XRESOLUTION, float(format.xResolution));
    TIFFSetField(tif, TIFFTAG_YRESOLUTION, float(format.yResolution));
    TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    ok = TIFFWriteEncodedStrip(tif, 0, page.data(), tmsize_t(page.size())) >= 0 && TIFFWriteDirectory(tif);
    ms += NowMs() - start;
  }
  start = NowMs();
  TIFFClose(tif);
  ms += NowMs() - start;
  std::remove(file.c_str());
  return ok ? ms : -1;
}

namespace {

// The path's coding, read from one of its files: a decompressor holding the file's tables.
struct PathCoding {
  jpeg_decompress_struct d;
  jpeg_error_mgr err;
  FILE* file = nullptr;
  bool read = false;

  explicit PathCoding(const std::string& name) {
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    file = std::fopen(name.c_str(), "rb");
    if (!file) return;
    jpeg_stdio_src(&d, file);
    read = jpeg_read_header(&d, TRUE) == JPEG_HEADER_OK;
  }
  ~PathCoding() {
    jpeg_destroy_decompress(&d);
    if (file) std::fclose(file);
  }
};

}  // namespace

double TimeRawJpeg(const zebsim::PageFormat& format, int pages, const std::string& pathFile,
                   const std::string& folder) {
  const zebsim::PageGeometry g = PageOf(format);
  PathCoding path(pathFile);
  const bool gray = format.kind != zebsim::PixelKind::Color;
  if (!path.read || path.d.num_components != (gray ? 1 : 3) ||
      path.d.image_width != JDIMENSION(g.width) || path.d.image_height != JDIMENSION(g.length)) {
    std::fprintf(stderr, "%s is not a JPEG page of the path's size and colours\n", pathFile.c_str());
    return -1;
  }
  double ms = 0;
  for (int p = 1; p <= pages; ++p) {
    std::vector<uint8_t> page = zebsim::RenderPage(format, p);
    const std::string name = folder + "\\raw" + std::to_string(p) + ".jpg";
    const double start = NowMs();
    FILE* f = std::fopen(name.c_str(), "wb");
    if (!f) return -1;
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, f);
    c.image_width = JDIMENSION(g.width);
    c.image_height = JDIMENSION(g.length);
    c.input_components = gray ? 1 : 3;
    c.in_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&c);
    // The file's quantisation tables, sampling factors and colour space; then what no file
    // records, as the writers set it.
    jpeg_copy_critical_parameters(&path.d, &c);
    c.in_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
    c.dct_method = imagecore::kJpegWriteDct;
    c.smoothing_factor = imagecore::kPluginJpegSmoothing;
    c.density_unit = 1;
    c.X_density = uint16_t(format.xResolution);
    c.Y_density = uint16_t(format.yResolution);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
      JSAMPROW row = page.data() + size_t(c.next_scanline) * g.bytesPerRow;
      jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    const bool ok = std::fclose(f) == 0;
    ms += NowMs() - start;
    std::remove(name.c_str());
    if (!ok) return -1;
  }
  return ms;
}
