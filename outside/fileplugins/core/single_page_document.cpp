// BMP, JPEG, PCX and TGA: one page per file, written by the codec library. JPEG codes a scanned
// page's rows as they come, so the page is never held; BMP takes its rows straight from the page
// as it writes, so a page is held once.
#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "codecs.h"
#include "convert.h"
#include "document_writer.h"
#include "jpeg_coding.h"

namespace fileplugins {

namespace {

const uint8_t* PageRow(const void* context, uint32_t y, uint8_t*) {
  return static_cast<const RawPage*>(context)->Row(y);
}

// Black and white widened to gray, a byte of eight pixels at a time (a set bit is white).
void WidenBits(const uint8_t* bits, uint32_t width, uint8_t* out) {
  const uint32_t whole = width / 8;
  for (uint32_t i = 0; i < whole; ++i) {
    const uint8_t b = bits[i];
    uint8_t* eight = out + 8 * i;
    for (int k = 0; k < 8; ++k) eight[k] = uint8_t(-int((b >> (7 - k)) & 1));
  }
  for (uint32_t x = whole * 8; x < width; ++x) out[x] = (bits[x >> 3] >> (7 - (x & 7)) & 1) ? 255 : 0;
}

const uint8_t* GrayFromBits(const void* context, uint32_t y, uint8_t* scratch) {
  const RawPage& page = *static_cast<const RawPage*>(context);
  WidenBits(page.Row(y), page.width, scratch);
  return scratch;
}

PluginStatus CodecStatus(imagecore::Status w) {
  if (w == imagecore::kOk) return kPluginOk;
  if (w == imagecore::kUnsupported || w == imagecore::kBadArgument) return kPluginPageUnsupported;
  return kPluginWriteFailed;
}

// The coder's description of a page; false for a kind JPEG cannot carry.
bool JpegShapeOf(const RawPage& page, imagecore::JpegRows& rows) {
  rows.width = page.width;
  rows.height = page.height;
  rows.xPelsPerMeter = PelsPerMeterOf(page.xDpi);
  rows.yPelsPerMeter = PelsPerMeterOf(page.yDpi);
  switch (page.kind) {
    case PageKind::kRgb24: rows.input = imagecore::JpegInput::kRgb; return true;
    case PageKind::kGray8: case PageKind::kBlackWhite: rows.input = imagecore::JpegInput::kGray; return true;
    default: return false;
  }
}

imagecore::Status WritePageJpeg(const RawPage& page, int quality, const imagecore::Stream& out) {
  imagecore::JpegRows rows;
  if (!JpegShapeOf(page, rows)) return imagecore::kUnsupported;
  rows.context = &page;
  rows.row = page.kind == PageKind::kBlackWhite ? GrayFromBits : PageRow;
  return imagecore::WriteJpegRows(rows, quality, imagecore::kPluginJpegSmoothing, out);
}

// A JPEG page coded as its rows are put: rows go to the coder as they are (black and white
// widened to gray first), the file streamed out as it grows.
class JpegPageRows {
 public:
  PluginStatus Begin(const RawPage& shape, int quality, const imagecore::Stream& out) {
    imagecore::JpegRows rows;
    if (!JpegShapeOf(shape, rows)) return kPluginPageUnsupported;
    width_ = shape.width;
    bits_ = shape.kind == PageKind::kBlackWhite;
    try {
      if (bits_) gray_.resize(width_);
    } catch (const std::bad_alloc&) {
      return kPluginNoMemory;
    }
    return CodecStatus(coder_.Start(rows, quality, imagecore::kPluginJpegSmoothing, out));
  }

  PluginStatus Put(const uint8_t* rows, size_t stride, uint32_t count) {
    constexpr uint32_t kBatch = 16;
    const uint8_t* batch[kBatch];
    while (count > 0) {
      const uint32_t n = bits_ ? 1 : std::min(count, kBatch);
      if (bits_) {
        WidenBits(rows, width_, gray_.data());
        batch[0] = gray_.data();
      } else {
        for (uint32_t i = 0; i < n; ++i) batch[i] = rows + i * stride;
      }
      const PluginStatus s = CodecStatus(coder_.Put(batch, n));
      if (s != kPluginOk) return s;
      count -= n;
      if (count > 0) rows += n * stride;
    }
    return kPluginOk;
  }

  PluginStatus End() { return CodecStatus(coder_.Finish()); }

 private:
  imagecore::JpegRowCoder coder_;
  uint32_t width_ = 0;
  bool bits_ = false;
  std::vector<uint8_t> gray_;
};

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

  PluginStatus BeginRows(const RawPage& shape, Coding, int quality) override {
    if (kind_ != FileKind::kJpeg || pages_ > 0 || rows_) return kPluginPageUnsupported;
    auto rows = std::make_unique<JpegPageRows>();
    const PluginStatus s = rows->Begin(shape, quality, *out_);
    if (s == kPluginOk) rows_ = std::move(rows);
    return s;
  }

  PluginStatus PutRows(const uint8_t* rows, size_t stride, uint32_t count) override {
    return rows_ ? rows_->Put(rows, stride, count) : kPluginNoPage;
  }

  PluginStatus EndRows() override {
    if (!rows_) return kPluginNoPage;
    const PluginStatus s = rows_->End();
    rows_.reset();
    if (s == kPluginOk) ++pages_;
    return s;
  }

  PluginStatus Finish() override { return pages_ == 0 ? kPluginNoPage : kPluginOk; }
  int Pages() const override { return pages_; }

 private:
  FileKind kind_;
  const imagecore::Stream* out_ = nullptr;
  int pages_ = 0;
  std::unique_ptr<JpegPageRows> rows_;  // the page being coded row by row
};

}  // namespace

bool CodesRowsAsTheyCome(FileKind format, PageKind kind) {
  return format == FileKind::kJpeg &&
         (kind == PageKind::kRgb24 || kind == PageKind::kGray8 || kind == PageKind::kBlackWhite);
}

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
