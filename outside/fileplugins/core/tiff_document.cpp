// TIFF pages straight from the scanner's rows: every depth a scanner gives, with its
// resolution, one directory per page.
#include <tiffio.h>

#include <vector>

#include "document_writer.h"
#include "tiff_client.h"

namespace fileplugins {

namespace {

uint16_t TiffCompression(Coding c) {
  switch (c) {
    case Coding::kPackBits: return COMPRESSION_PACKBITS;
    case Coding::kGroup3: return COMPRESSION_CCITTFAX3;
    case Coding::kGroup4: return COMPRESSION_CCITTFAX4;
    case Coding::kLzw: return COMPRESSION_LZW;
    case Coding::kJpeg: return COMPRESSION_JPEG;
    case Coding::kDeflate: return COMPRESSION_ADOBE_DEFLATE;
    default: return COMPRESSION_NONE;
  }
}

class TiffDocument : public DocumentWriter {
 public:
  ~TiffDocument() override {
    if (tif_) TIFFClose(tif_);
  }

  PluginStatus Begin(const imagecore::Stream* out) override {
    out_ = out;
    return out ? kPluginOk : kPluginBadArgument;
  }

  PluginStatus AddPage(const RawPage& page, Coding coding, int quality) override {
    if (!tif_) {
      tif_ = imagecore::TiffOpenStream(*out_, "w");
      if (!tif_) return kPluginWriteFailed;
    }
    return WritePage(page, coding, quality);
  }

  PluginStatus Finish() override {
    if (pages_ == 0) return kPluginNoPage;
    TIFFClose(tif_);
    tif_ = nullptr;
    return kPluginOk;
  }

  int Pages() const override { return pages_; }

  int64_t KeepCompletedPages() override {
    if (pages_ == 0 || completedEnd_ <= 0) return -1;
    // Nothing more of the failed page is written: its directory is dropped, not flushed.
    if (tif_) TIFFCleanup(tif_);
    tif_ = nullptr;
    return EndChainBefore(completedEnd_) ? completedEnd_ : -1;
  }

 private:
  PluginStatus WritePage(const RawPage& page, Coding coding, int quality) {
    const uint16_t compression = TiffCompression(coding);
    const uint16_t samples = uint16_t(SamplesOf(page.kind));
    const uint16_t bits = uint16_t(BitsOf(page.kind) / samples);
    const bool bilevel = page.kind == PageKind::kBlackWhite;
    TIFFSetField(tif_, TIFFTAG_SUBFILETYPE, pages_ > 0 ? uint32_t(FILETYPE_PAGE) : 0u);
    TIFFSetField(tif_, TIFFTAG_IMAGEWIDTH, page.width);
    TIFFSetField(tif_, TIFFTAG_IMAGELENGTH, page.height);
    TIFFSetField(tif_, TIFFTAG_BITSPERSAMPLE, bits);
    TIFFSetField(tif_, TIFFTAG_SAMPLESPERPIXEL, samples);
    TIFFSetField(tif_, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif_, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    TIFFSetField(tif_, TIFFTAG_COMPRESSION, compression);
    // Black and white is stored min-is-white, as fax readers expect; the rows are inverted.
    uint16_t photometric = samples == 3 ? PHOTOMETRIC_RGB
                           : bilevel    ? PHOTOMETRIC_MINISWHITE
                                        : PHOTOMETRIC_MINISBLACK;
    TIFFSetField(tif_, TIFFTAG_PHOTOMETRIC, photometric);
    if (compression == COMPRESSION_JPEG) {
      TIFFSetField(tif_, TIFFTAG_JPEGQUALITY, quality);
      if (samples == 3) {
        TIFFSetField(tif_, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_YCBCR);
        TIFFSetField(tif_, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
      }
    }
    if (compression == COMPRESSION_CCITTFAX3)
      TIFFSetField(tif_, TIFFTAG_GROUP3OPTIONS, uint32_t(GROUP3OPT_FILLBITS));
    if ((compression == COMPRESSION_LZW || compression == COMPRESSION_ADOBE_DEFLATE) && !bilevel)
      TIFFSetField(tif_, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
    if (page.xDpi && page.yDpi) {
      TIFFSetField(tif_, TIFFTAG_XRESOLUTION, float(page.xDpi));
      TIFFSetField(tif_, TIFFTAG_YRESOLUTION, float(page.yDpi));
      TIFFSetField(tif_, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    }
    // The page count is not known while pages arrive; 0 says so.
    TIFFSetField(tif_, TIFFTAG_PAGENUMBER, uint16_t(pages_), uint16_t(0));
    uint32_t rowsPerStrip = (compression == COMPRESSION_CCITTFAX3 || compression == COMPRESSION_CCITTFAX4)
                                ? page.height
                                : TIFFDefaultStripSize(tif_, 0);
    if (compression == COMPRESSION_JPEG) rowsPerStrip = (rowsPerStrip + 15) / 16 * 16;
    TIFFSetField(tif_, TIFFTAG_ROWSPERSTRIP, rowsPerStrip);
    const size_t line = page.RowBytes();
    std::vector<uint8_t> buffer(line);
    for (uint32_t y = 0; y < page.height; ++y) {
      const uint8_t* row = page.Row(y);
      if (bilevel)
        for (size_t i = 0; i < line; ++i) buffer[i] = uint8_t(~row[i]);
      else
        std::copy(row, row + line, buffer.begin());
      if (TIFFWriteScanline(tif_, buffer.data(), y, 0) < 0) return kPluginWriteFailed;
    }
    if (!TIFFWriteDirectory(tif_)) return kPluginWriteFailed;
    ++pages_;
    completedEnd_ = out_->size(out_->context);
    return kPluginOk;
  }

  // Follows the directory chain of a little-endian classic TIFF and ends it at the last directory
  // that lies before `end`, where a failed page may already have been linked.
  bool EndChainBefore(int64_t end) {
    const imagecore::Stream& s = *out_;
    auto readAt = [&](int64_t at, void* p, int64_t n) {
      return s.seek(s.context, at, imagecore::kSeekSet) == at && s.read(s.context, p, n) == n;
    };
    uint8_t header[8];
    if (!readAt(0, header, 8) || header[0] != 'I' || header[1] != 'I') return false;
    uint32_t link = 4;  // where the offset of the next directory is kept
    uint32_t next = uint32_t(header[4]) | uint32_t(header[5]) << 8 | uint32_t(header[6]) << 16 |
                    uint32_t(header[7]) << 24;
    for (int guard = 0; next != 0 && guard <= pages_; ++guard) {
      uint8_t count[2];
      if (int64_t(next) + 2 > end || !readAt(next, count, 2)) break;
      const uint32_t entries = uint32_t(count[0]) | uint32_t(count[1]) << 8;
      const uint32_t at = next + 2 + entries * 12;
      uint8_t raw[4];
      if (int64_t(at) + 4 > end || !readAt(at, raw, 4)) break;
      link = at;
      next = uint32_t(raw[0]) | uint32_t(raw[1]) << 8 | uint32_t(raw[2]) << 16 | uint32_t(raw[3]) << 24;
      if (int64_t(next) >= end) break;
    }
    if (next == 0 || int64_t(next) < end) return next == 0;
    const uint8_t zero[4] = {0, 0, 0, 0};
    return s.seek(s.context, link, imagecore::kSeekSet) == link && s.write(s.context, zero, 4) == 4;
  }

  const imagecore::Stream* out_ = nullptr;
  TIFF* tif_ = nullptr;
  int pages_ = 0;
  int64_t completedEnd_ = 0;  // stream bytes up to the end of the last whole page
};

}  // namespace

std::unique_ptr<DocumentWriter> MakeTiffWriter() { return std::make_unique<TiffDocument>(); }

}  // namespace fileplugins
