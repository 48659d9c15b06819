#include "test_imaging_port.h"

#include <tiffio.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace qm_test {

namespace {

struct MemoryTiff {
  const std::vector<uint8_t>* data;
  toff_t pos = 0;
};

tsize_t MemRead(thandle_t h, tdata_t buf, tsize_t size) {
  auto* m = static_cast<MemoryTiff*>(h);
  toff_t left = m->pos < m->data->size() ? m->data->size() - m->pos : 0;
  tsize_t n = tsize_t(std::min<toff_t>(left, toff_t(size)));
  std::memcpy(buf, m->data->data() + m->pos, size_t(n));
  m->pos += n;
  return n;
}
tsize_t MemWrite(thandle_t, tdata_t, tsize_t) { return 0; }
toff_t MemSeek(thandle_t h, toff_t off, int whence) {
  auto* m = static_cast<MemoryTiff*>(h);
  if (whence == SEEK_SET) m->pos = off;
  else if (whence == SEEK_CUR) m->pos += off;
  else m->pos = m->data->size() + off;
  return m->pos;
}
int MemClose(thandle_t) { return 0; }
toff_t MemSize(thandle_t h) { return static_cast<MemoryTiff*>(h)->data->size(); }
int MemMap(thandle_t, tdata_t*, toff_t*) { return 0; }
void MemUnmap(thandle_t, tdata_t, toff_t) {}

struct OpenTiff {
  MemoryTiff mem;
  TIFF* tif = nullptr;
  OpenTiff(const std::vector<uint8_t>& data, int16_t page) : mem{&data} {
    tif = TIFFClientOpen("memory", "rm", &mem, MemRead, MemWrite, MemSeek, MemClose, MemSize,
                         MemMap, MemUnmap);
    if (tif && !TIFFSetDirectory(tif, uint16_t(page))) {
      TIFFClose(tif);
      tif = nullptr;
    }
  }
  ~OpenTiff() {
    if (tif) TIFFClose(tif);
  }
};

int32_t Dpi(TIFF* tif, ttag_t tag) {
  float v = 0;
  return TIFFGetField(tif, tag, &v) ? int32_t(v + 0.5f) : 0;
}

qm::DibRef ReadPage(const std::vector<uint8_t>& data, int16_t page) {
  OpenTiff t(data, page);
  if (!t.tif) return 0;
  uint32_t w = 0, h = 0;
  uint16_t bps = 1, spp = 1, photometric = 0;
  TIFFGetField(t.tif, TIFFTAG_IMAGEWIDTH, &w);
  TIFFGetField(t.tif, TIFFTAG_IMAGELENGTH, &h);
  TIFFGetFieldDefaulted(t.tif, TIFFTAG_BITSPERSAMPLE, &bps);
  TIFFGetFieldDefaulted(t.tif, TIFFTAG_SAMPLESPERPIXEL, &spp);
  TIFFGetFieldDefaulted(t.tif, TIFFTAG_PHOTOMETRIC, &photometric);
  int32_t dx = Dpi(t.tif, TIFFTAG_XRESOLUTION), dy = Dpi(t.tif, TIFFTAG_YRESOLUTION);
  if (bps == 1 && spp == 1) {
    HGLOBAL dib = MakeDib(int32_t(w), int32_t(h), 1, dx, dy);
    auto* hdr = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
    uint8_t* bits = DibBits(hdr);
    size_t row = DibRowBytes(int32_t(w), 1);
    std::vector<uint8_t> line(size_t(TIFFScanlineSize(t.tif)));
    for (uint32_t y = 0; y < h; ++y) {
      TIFFReadScanline(t.tif, line.data(), y);
      uint8_t* out = bits + size_t(h - 1 - y) * row;
      for (size_t i = 0; i < line.size() && i < row; ++i)
        out[i] = photometric == PHOTOMETRIC_MINISWHITE ? uint8_t(~line[i]) : line[i];
    }
    GlobalUnlock(dib);
    return reinterpret_cast<qm::DibRef>(dib);
  }
  std::vector<uint32_t> rgba(size_t(w) * h);
  if (!TIFFReadRGBAImageOriented(t.tif, w, h, rgba.data(), ORIENTATION_BOTLEFT, 0)) return 0;
  HGLOBAL dib = MakeDib(int32_t(w), int32_t(h), 24, dx, dy);
  auto* hdr = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
  uint8_t* bits = DibBits(hdr);
  size_t row = DibRowBytes(int32_t(w), 24);
  for (uint32_t y = 0; y < h; ++y)
    for (uint32_t x = 0; x < w; ++x) {
      uint32_t p = rgba[size_t(y) * w + x];
      uint8_t* o = bits + y * row + x * 3;
      o[0] = uint8_t(TIFFGetB(p));
      o[1] = uint8_t(TIFFGetG(p));
      o[2] = uint8_t(TIFFGetR(p));
    }
  GlobalUnlock(dib);
  return reinterpret_cast<qm::DibRef>(dib);
}

void PageInfo(const std::vector<uint8_t>& data, int16_t page, qm::TiffPageFacts& f) {
  OpenTiff t(data, page);
  if (!t.tif) throw std::runtime_error("not a TIFF");
  uint32_t w = 0, h = 0;
  uint16_t bps = 1;
  TIFFGetField(t.tif, TIFFTAG_IMAGEWIDTH, &w);
  TIFFGetField(t.tif, TIFFTAG_IMAGELENGTH, &h);
  TIFFGetFieldDefaulted(t.tif, TIFFTAG_BITSPERSAMPLE, &bps);
  f.width = int32_t(w);
  f.height = int32_t(h);
  f.bitsPerPixel = int16_t(bps);
  f.pageCount = int16_t(TIFFNumberOfDirectories(t.tif));
  f.compression = "NONE";
}

void Tags(const std::vector<uint8_t>& data, int16_t page, const qm::TagSink& sink) {
  OpenTiff t(data, page);
  if (!t.tif) return;
  uint32_t w = 0, h = 0;
  uint16_t photometric = 0;
  TIFFGetField(t.tif, TIFFTAG_IMAGEWIDTH, &w);
  TIFFGetField(t.tif, TIFFTAG_IMAGELENGTH, &h);
  TIFFGetFieldDefaulted(t.tif, TIFFTAG_PHOTOMETRIC, &photometric);
  if (!sink({256, 4, int32_t(w), "", "IMAGEWIDTH", true})) return;
  if (!sink({257, 4, int32_t(h), "", "IMAGELENGTH", true})) return;
  sink({262, 2, photometric, "", "PHOTOMETRICINTERPRETATION", true});
}

}  // namespace

size_t DibRowBytes(int32_t width, int bits) { return (size_t(width) * bits + 31) / 32 * 4; }

uint8_t* DibBits(BITMAPINFOHEADER* h) {
  return reinterpret_cast<uint8_t*>(h) + qm::DibHeaderBytes(*h);
}

HGLOBAL MakeBilevelDib(int32_t width, int32_t height, const std::function<bool(int32_t, int32_t)>& black) {
  HGLOBAL dib = MakeDib(width, height, 1, 200, 200);
  auto* h = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
  uint8_t* bits = DibBits(h);
  size_t row = DibRowBytes(width, 1);
  for (int32_t y = 0; y < height; ++y) {
    int32_t top = height - 1 - y;  // rows are stored bottom-up
    for (int32_t x = 0; x < width; ++x)
      if (!black(x, top)) bits[size_t(y) * row + x / 8] |= uint8_t(0x80 >> (x % 8));
  }
  GlobalUnlock(dib);
  return dib;
}

HGLOBAL MakeDib(int32_t width, int32_t height, int bits, int32_t dpiX, int32_t dpiY) {
  int colors = bits == 1 ? 2 : bits == 8 ? 256 : 0;
  size_t image = DibRowBytes(width, bits) * size_t(height);
  HGLOBAL dib = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 40 + 4 * colors + image);
  auto* h = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
  h->biSize = 40;
  h->biWidth = width;
  h->biHeight = height;
  h->biPlanes = 1;
  h->biBitCount = WORD(bits);
  h->biSizeImage = DWORD(image);
  h->biXPelsPerMeter = qm::PixelsPerMetreFromDpi(dpiX);
  h->biYPelsPerMeter = qm::PixelsPerMetreFromDpi(dpiY);
  h->biClrUsed = DWORD(colors);
  h->biClrImportant = DWORD(colors);
  auto* table = reinterpret_cast<RGBQUAD*>(reinterpret_cast<uint8_t*>(h) + 40);
  for (int i = 0; i < colors; ++i) {
    uint8_t v = uint8_t(colors == 2 ? i * 255 : i);
    table[i] = RGBQUAD{v, v, v, 0};
  }
  GlobalUnlock(dib);
  return dib;
}

std::vector<uint8_t> ReadWholeFile(const std::string& name) {
  std::ifstream f(name, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

bool WriteTiffOfDib(const std::string& name, HGLOBAL dib) {
  auto* h = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
  TIFF* tif = TIFFOpen(name.c_str(), "w");
  if (!tif || h->biBitCount != 1) {
    if (tif) TIFFClose(tif);
    GlobalUnlock(dib);
    return false;
  }
  uint32_t w = uint32_t(h->biWidth), ht = uint32_t(h->biHeight);
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, w);
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, ht);
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 1);
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
  TIFFSetField(tif, TIFFTAG_XRESOLUTION, float(qm::DpiFromPixelsPerMetre(h->biXPelsPerMeter)));
  TIFFSetField(tif, TIFFTAG_YRESOLUTION, float(qm::DpiFromPixelsPerMetre(h->biYPelsPerMeter)));
  size_t row = DibRowBytes(h->biWidth, 1);
  uint8_t* bits = DibBits(h);
  std::vector<uint8_t> line(row);
  bool ok = true;
  for (uint32_t y = 0; y < ht && ok; ++y) {
    std::memcpy(line.data(), bits + size_t(ht - 1 - y) * row, row);
    ok = TIFFWriteScanline(tif, line.data(), y, 0) == 1;
  }
  TIFFClose(tif);
  GlobalUnlock(dib);
  return ok;
}

bool WriteBmpOfDib(const std::string& name, HGLOBAL dib) {
  auto* h = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
  size_t size = qm::DibHeaderBytes(*h) + h->biSizeImage;
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;
  fh.bfSize = DWORD(sizeof fh + size);
  fh.bfOffBits = DWORD(sizeof fh + qm::DibHeaderBytes(*h));
  std::ofstream f(name, std::ios::binary);
  f.write(reinterpret_cast<const char*>(&fh), sizeof fh);
  f.write(reinterpret_cast<const char*>(h), std::streamsize(size));
  GlobalUnlock(dib);
  return bool(f);
}

qm::DibRef TestImagingPort::ReadTiffFile(const std::string& name, int, int16_t page) {
  ++readCalls;
  return ReadPage(ReadWholeFile(name), page);
}

qm::DibRef TestImagingPort::ReadTiffStream(const qm::TiffStream& stream, int, int16_t page) {
  ++readCalls;
  return ReadPage(stream, page);
}

bool TestImagingPort::GetFileInfo(const std::string& name, qm::ImageFileFacts& facts) {
  std::vector<uint8_t> data = ReadWholeFile(name);
  if (data.size() >= 54 && data[0] == 'B' && data[1] == 'M') {
    const auto* h = reinterpret_cast<const BITMAPINFOHEADER*>(data.data() + 14);
    facts = {"BMP", h->biWidth, h->biHeight, h->biBitCount, "Black and White"};
    return true;
  }
  facts = {"TIFF", 0, 0, 1, ""};
  return true;
}

qm::DibRef TestImagingPort::ReadImageFile(const std::string& format, const std::string& name,
                                          int, bool) {
  ++readCalls;
  if (format != "BMP") return 0;
  std::vector<uint8_t> data = ReadWholeFile(name);
  if (data.size() < 54) return 0;
  HGLOBAL dib = GlobalAlloc(GMEM_MOVEABLE, data.size() - 14);
  std::memcpy(GlobalLock(dib), data.data() + 14, data.size() - 14);
  GlobalUnlock(dib);
  return reinterpret_cast<qm::DibRef>(dib);
}

void TestImagingPort::GetImageFileInfo(const std::string& name, int16_t page,
                                       qm::TiffPageFacts& facts) {
  PageInfo(ReadWholeFile(name), page, facts);
}

void TestImagingPort::GetInfoStream(const qm::TiffStream& stream, int16_t page,
                                    qm::TiffPageFacts& facts) {
  PageInfo(stream, page, facts);
}

void TestImagingPort::ReturnTags(const std::string& name, int16_t page, const qm::TagSink& sink) {
  Tags(ReadWholeFile(name), page, sink);
}

void TestImagingPort::ReturnTagsStream(const qm::TiffStream& stream, int16_t page,
                                       const qm::TagSink& sink) {
  Tags(stream, page, sink);
}

bool TestImagingPort::ReadTag(const std::string&, int16_t, uint16_t, int32_t& value) {
  value = 0;
  return true;
}

bool TestImagingPort::ReadTagStream(const qm::TiffStream&, int16_t, uint16_t, int32_t& value) {
  value = 0;
  return true;
}

qm::DibRef TestImagingPort::ScaleToGray(qm::DibRef ref, int mode, int32_t width, int32_t height) {
  HGLOBAL src = reinterpret_cast<HGLOBAL>(ref);
  auto* s = static_cast<BITMAPINFOHEADER*>(GlobalLock(src));
  if (!s || s->biBitCount != 1 || width <= 0 || height <= 0) {
    if (s) GlobalUnlock(src);
    return 0;
  }
  int bits = mode == 0 ? 1 : 8;
  HGLOBAL out = MakeDib(width, height, bits, qm::DpiFromPixelsPerMetre(s->biXPelsPerMeter),
                        qm::DpiFromPixelsPerMetre(s->biYPelsPerMeter));
  auto* o = static_cast<BITMAPINFOHEADER*>(GlobalLock(out));
  const uint8_t* sb = DibBits(s);
  uint8_t* ob = DibBits(o);
  size_t srow = DibRowBytes(s->biWidth, 1), orow = DibRowBytes(width, bits);
  int32_t sw = s->biWidth, sh = s->biHeight;
  auto white = [&](int32_t x, int32_t y) { return (sb[size_t(y) * srow + x / 8] >> (7 - x % 8)) & 1; };
  for (int32_t y = 0; y < height; ++y) {
    int32_t y0 = int32_t(int64_t(y) * sh / height), y1 = std::max(y0 + 1, int32_t(int64_t(y + 1) * sh / height));
    for (int32_t x = 0; x < width; ++x) {
      int32_t x0 = int32_t(int64_t(x) * sw / width), x1 = std::max(x0 + 1, int32_t(int64_t(x + 1) * sw / width));
      if (bits == 1) {
        if (white(x0, y0)) ob[size_t(y) * orow + x / 8] |= uint8_t(0x80 >> (x % 8));
        continue;
      }
      int64_t sum = 0, n = 0;
      for (int32_t yy = y0; yy < y1; ++yy)
        for (int32_t xx = x0; xx < x1; ++xx, ++n) sum += white(xx, yy);
      ob[size_t(y) * orow + x] = uint8_t(sum * 255 / n);
    }
  }
  GlobalUnlock(out);
  GlobalUnlock(src);
  return reinterpret_cast<qm::DibRef>(out);
}

qm::DibRef TestImagingPort::Resize(qm::DibRef, int32_t, int32_t, int) { return 0; }

}  // namespace qm_test
