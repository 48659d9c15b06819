// BMP, JPEG, PCX and TGA: one page per file, written by the codec library.
#include "codecs.h"
#include "convert.h"
#include "document_writer.h"

namespace fileplugins {

namespace {

class SinglePageDocument : public DocumentWriter {
 public:
  explicit SinglePageDocument(FileKind kind) : kind_(kind) {}

  PluginStatus Begin(const imagecore::Stream* out) override {
    out_ = out;
    return out ? kPluginOk : kPluginBadArgument;
  }

  PluginStatus AddPage(const RawPage& page, Coding, int quality) override {
    if (pages_ > 0) return kPluginOnePageOnly;
    imagecore::Image image;
    PluginStatus s = ImageFromPage(page, image);
    if (s != kPluginOk) return s;
    // TGA and JPEG have no 1-bit pages: black and white goes as 8-bit gray.
    if ((kind_ == FileKind::kTga || kind_ == FileKind::kJpeg) && image.bits == 1) {
      imagecore::Image gray;
      if (imagecore::ToGray8(image, gray) != imagecore::kOk) return kPluginNoMemory;
      image = std::move(gray);
    }
    imagecore::Status w = imagecore::kUnsupported;
    switch (kind_) {
      case FileKind::kBmp: w = imagecore::WriteBmp(image, *out_); break;
      case FileKind::kJpeg: w = imagecore::WriteJpeg(image, quality, 0, *out_); break;
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
