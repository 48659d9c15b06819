// BMP, JPEG, PCX and TGA: one page per file, written by the codec library. JPEG and BMP take
// their rows straight from the page as they write, so a page is held once.
#include <algorithm>
#include <cstring>

#include "codecs.h"
#include "convert.h"
#include "document_writer.h"

namespace fileplugins {

namespace {

const uint8_t* PageRow(const void* context, uint32_t y, uint8_t*) {
  return static_cast<const RawPage*>(context)->Row(y);
}

// Black and white widened to gray, a byte of eight pixels at a time (a set bit is white).
const uint8_t* GrayFromBits(const void* context, uint32_t y, uint8_t* scratch) {
  const RawPage& page = *static_cast<const RawPage*>(context);
  const uint8_t* bits = page.Row(y);
  const uint32_t whole = page.width / 8;
  for (uint32_t i = 0; i < whole; ++i) {
    const uint8_t b = bits[i];
    uint8_t* out = scratch + 8 * i;
    for (int k = 0; k < 8; ++k) out[k] = uint8_t(-int((b >> (7 - k)) & 1));
  }
  for (uint32_t x = whole * 8; x < page.width; ++x) scratch[x] = (bits[x >> 3] >> (7 - (x & 7)) & 1) ? 255 : 0;
  return scratch;
}

PluginStatus CodecStatus(imagecore::Status w) {
  if (w == imagecore::kOk) return kPluginOk;
  if (w == imagecore::kUnsupported || w == imagecore::kBadArgument) return kPluginPageUnsupported;
  return kPluginWriteFailed;
}

imagecore::Status WritePageJpeg(const RawPage& page, int quality, const imagecore::Stream& out) {
  imagecore::JpegRows rows;
  rows.width = page.width;
  rows.height = page.height;
  rows.xPelsPerMeter = PelsPerMeterOf(page.xDpi);
  rows.yPelsPerMeter = PelsPerMeterOf(page.yDpi);
  rows.context = &page;
  switch (page.kind) {
    case PageKind::kRgb24: rows.input = imagecore::JpegInput::kRgb; rows.row = PageRow; break;
    case PageKind::kGray8: rows.input = imagecore::JpegInput::kGray; rows.row = PageRow; break;
    case PageKind::kBlackWhite: rows.input = imagecore::JpegInput::kGray; rows.row = GrayFromBits; break;
    default: return imagecore::kUnsupported;
  }
  return imagecore::WriteJpegRows(rows, quality, 0, out);
}

// A page row as a BMP row: padded to four bytes (with zeros), colour turned to B,G,R.
const uint8_t* BmpRowOfPage(const void* context, uint32_t y, uint8_t* scratch) {
  const RawPage& page = *static_cast<const RawPage*>(context);
  const uint8_t* src = page.Row(y);
  if (page.kind == PageKind::kRgb24) {
    for (uint32_t x = 0; x < page.width; ++x, src += 3, scratch += 3) {
      const uint8_t r = src[0], g = src[1], b = src[2];
      scratch[0] = b;
      scratch[1] = g;
      scratch[2] = r;
    }
    return scratch - 3 * size_t(page.width);
  }
  std::memcpy(scratch, src, page.RowBytes());
  return scratch;
}

imagecore::Status WritePageBmp(const RawPage& page, const imagecore::Stream& out) {
  if (page.kind != PageKind::kBlackWhite && page.kind != PageKind::kGray8 && page.kind != PageKind::kRgb24)
    return imagecore::kUnsupported;
  imagecore::Image header;  // the rows' description only: no pixels
  header.width = page.width;
  header.height = page.height;
  header.bits = BitsOf(page.kind);
  if (page.kind == PageKind::kBlackWhite)
    header.palette = {imagecore::MakeRgb(0, 0, 0), imagecore::MakeRgb(255, 255, 255)};
  else if (page.kind == PageKind::kGray8)
    header.palette = imagecore::GrayRamp(8);
  header.xPelsPerMeter = PelsPerMeterOf(page.xDpi);
  header.yPelsPerMeter = PelsPerMeterOf(page.yDpi);
  if (header.width > imagecore::kMaxSide || header.height > imagecore::kMaxSide) return imagecore::kBadArgument;
  return imagecore::WriteBmpRows(header, BmpRowOfPage, &page, out);
}

class SinglePageDocument : public DocumentWriter {
 public:
  explicit SinglePageDocument(FileKind kind) : kind_(kind) {}

  PluginStatus Begin(const imagecore::Stream* out) override {
    out_ = out;
    return out ? kPluginOk : kPluginBadArgument;
  }

  PluginStatus AddPage(const RawPage& page, Coding, int quality) override {
    if (pages_ > 0) return kPluginOnePageOnly;
    if (kind_ == FileKind::kJpeg || kind_ == FileKind::kBmp) {
      const PluginStatus s = CodecStatus(kind_ == FileKind::kJpeg ? WritePageJpeg(page, quality, *out_)
                                                                 : WritePageBmp(page, *out_));
      if (s == kPluginOk) ++pages_;
      return s;
    }
    imagecore::Image image;
    PluginStatus s = ImageFromPage(page, image);
    if (s != kPluginOk) return s;
    if (kind_ == FileKind::kTga && image.bits == 1) {
      imagecore::Image gray;
      if (imagecore::ToGray8(image, gray) != imagecore::kOk) return kPluginNoMemory;
      image = std::move(gray);
    }
    imagecore::Status w = imagecore::kUnsupported;
    switch (kind_) {
      case FileKind::kPcx: w = imagecore::WritePcx(image, *out_); break;
      case FileKind::kTga: w = imagecore::WriteTga(image, *out_); break;
      default: return kPluginPageUnsupported;
    }
    if (w == imagecore::kUnsupported || w == imagecore::kBadArgument) return kPluginPageUnsupported;
    if (w != imagecore::kOk) return kPluginWriteFailed;
    ++pages_;
    return kPluginOk;
  }

  PluginStatus Finish() override { return pages_ == 0 ? kPluginNoPage : kPluginOk; }
  int Pages() const override { return pages_; }

 private:
  FileKind kind_;
  const imagecore::Stream* out_ = nullptr;
  int pages_ = 0;
};

}  // namespace

std::unique_ptr<DocumentWriter> MakeSinglePageWriter(FileKind kind) {
  return std::make_unique<SinglePageDocument>(kind);
}

namespace {
WriterMaker g_djvuMaker = nullptr;
}

void RegisterWriter(FileKind kind, WriterMaker make) {
  if (kind == FileKind::kDjvu) g_djvuMaker = make;
}

std::unique_ptr<DocumentWriter> MakeWriter(FileKind kind) {
  switch (kind) {
    case FileKind::kTiff: return MakeTiffWriter();
    case FileKind::kPdf: return MakePdfWriter();
    case FileKind::kDjvu: return g_djvuMaker ? g_djvuMaker() : nullptr;
    default: return MakeSinglePageWriter(kind);
  }
}

}  // namespace fileplugins
