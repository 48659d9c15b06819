// PDF pages from the scanner's rows through the PDF writer; the document is completed at
// Finish.
#include <string>

#include "document_writer.h"
#include "pdf_writer.h"

namespace fileplugins {

namespace {

PdfCompression PdfCodingOf(Coding c) {
  switch (c) {
    case Coding::kGroup4: return PdfCompression::G4;
    case Coding::kJpeg: return PdfCompression::Jpeg;
    case Coding::kDeflate: return PdfCompression::Flate;
    default: return PdfCompression::Auto;
  }
}

bool WriteToStream(void* context, const void* data, size_t n) {
  const auto* out = static_cast<const imagecore::Stream*>(context);
  return imagecore::WriteAll(*out, data, n) == imagecore::kOk;
}

class PdfDocument : public DocumentWriter {
 public:
  PluginStatus Begin(const imagecore::Stream* out) override {
    if (!out) return kPluginBadArgument;
    PdfSink sink;
    sink.context = const_cast<imagecore::Stream*>(out);
    sink.write = WriteToStream;
    writer_ = std::make_unique<PdfWriter>(sink);
    out_ = out;
    return kPluginOk;
  }

  PluginStatus AddPage(const RawPage& page, Coding coding, int quality) override {
    if (page.kind == PageKind::kGray16 || page.kind == PageKind::kRgb48) return kPluginPageUnsupported;
    PdfPageImage image;
    image.width = int(page.width);
    image.height = int(page.height);
    image.bitsPerPixel = BitsOf(page.kind);
    image.pixels = page.rows.data();
    image.stride = page.RowBytes();
    image.bottomUp = false;
    image.blackIsOne = false;  // the scanner's rows: a clear bit is black
    image.bgr = false;
    image.xDpi = page.xDpi;
    image.yDpi = page.yDpi;
    return writer_->AddPage(image, PdfCodingOf(coding), quality) ? kPluginOk : kPluginWriteFailed;
  }

  PluginStatus Finish() override {
    if (writer_->PageCount() == 0) return kPluginNoPage;
    return writer_->Finish() ? kPluginOk : kPluginWriteFailed;
  }

  int Pages() const override { return writer_ ? writer_->PageCount() : 0; }

  // The trailer goes where the failed page began, over its bytes: no more room is needed.
  int64_t KeepCompletedPages() override {
    if (!writer_ || writer_->PageCount() == 0 || !out_) return -1;
    writer_->DropFailedPage();
    const int64_t end = static_cast<int64_t>(writer_->LastPageEnd());
    if (out_->seek(out_->context, end, imagecore::kSeekSet) != end || !writer_->Finish()) return -1;
    return out_->seek(out_->context, 0, imagecore::kSeekCur);
  }

 private:
  std::unique_ptr<PdfWriter> writer_;
  const imagecore::Stream* out_ = nullptr;
};

}  // namespace

std::unique_ptr<DocumentWriter> MakePdfWriter() { return std::make_unique<PdfDocument>(); }

}  // namespace fileplugins
