#include "djvu_document.h"

#include <cstdio>
#include <string>
#include <vector>

#include "libdjvu/ByteStream.h"
#include "libdjvu/DjVmDoc.h"
#include "libdjvu/DjVuInfo.h"
#include "libdjvu/GBitmap.h"
#include "libdjvu/GPixmap.h"
#include "libdjvu/IFFByteStream.h"
#include "libdjvu/IW44Image.h"
#include "libdjvu/JB2Image.h"

namespace fileplugins {

namespace {

using Bytes = std::vector<uint8_t>;

Bytes BytesOf(const GP<ByteStream>& bs) {
  bs->seek(0);
  Bytes out(bs->size());
  if (!out.empty()) bs->readall(out.data(), out.size());
  return out;
}

void PutInfo(IFFByteStream& iff, const RawPage& page) {
  GP<DjVuInfo> info = DjVuInfo::create();
  info->width = int(page.width);
  info->height = int(page.height);
  // A page without a resolution is taken as scanned at 300 dpi.
  info->dpi = page.xDpi >= 25 && page.xDpi <= 6000 ? int(page.xDpi) : 300;
  info->gamma = 2.2;
  iff.put_chunk("INFO");
  info->encode(*iff.get_bytestream());
  iff.close_chunk();
}

// DjVu bitmaps run bottom-up, with 1 for black.
GP<JB2Image> BilevelImage(const RawPage& page) {
  GP<GBitmap> bits = GBitmap::create(int(page.height), int(page.width));
  bool anyBlack = false;
  for (uint32_t y = 0; y < page.height; ++y) {
    const uint8_t* row = page.Row(y);
    unsigned char* out = (*bits)[int(page.height - 1 - y)];
    for (uint32_t x = 0; x < page.width; ++x) {
      const bool black = !(row[x >> 3] & (0x80 >> (x & 7)));
      out[x] = black ? 1 : 0;
      anyBlack = anyBlack || black;
    }
  }
  GP<JB2Image> jb2 = JB2Image::create();
  jb2->set_dimension(int(page.width), int(page.height));
  if (anyBlack) {  // the page as one shape, placed at the corner
    JB2Shape shape;
    shape.parent = -1;
    shape.bits = bits;
    shape.userdata = 0;
    JB2Blit blit;
    blit.left = 0;
    blit.bottom = 0;
    blit.shapeno = jb2->add_shape(shape);
    jb2->add_blit(blit);
  }
  return jb2;
}

GP<IW44Image> PhotoImage(const RawPage& page) {
  if (page.kind == PageKind::kGray8) {
    GP<GBitmap> gray = GBitmap::create(int(page.height), int(page.width));
    gray->set_grays(256);
    for (uint32_t y = 0; y < page.height; ++y) {
      const uint8_t* row = page.Row(y);
      unsigned char* out = (*gray)[int(page.height - 1 - y)];
      for (uint32_t x = 0; x < page.width; ++x) out[x] = uint8_t(255 - row[x]);  // 0 is white
    }
    return IW44Image::create_encode(*gray);
  }
  GP<GPixmap> colour = GPixmap::create(int(page.height), int(page.width));
  for (uint32_t y = 0; y < page.height; ++y) {
    const uint8_t* row = page.Row(y);
    GPixel* out = (*colour)[int(page.height - 1 - y)];
    for (uint32_t x = 0; x < page.width; ++x) {
      out[x].r = row[3 * x];
      out[x].g = row[3 * x + 1];
      out[x].b = row[3 * x + 2];
    }
  }
  return IW44Image::create_encode(*colour, 0, IW44Image::CRCBnormal);
}

void WritePage(const GP<ByteStream>& bs, const RawPage& page, int quality) {
  GP<IFFByteStream> iff = IFFByteStream::create(bs);
  iff->put_chunk("FORM:DJVU", 1);
  PutInfo(*iff, page);
  if (page.kind == PageKind::kBlackWhite) {
    GP<JB2Image> jb2 = BilevelImage(page);
    iff->put_chunk("Sjbz");
    jb2->encode(iff->get_bytestream());
    iff->close_chunk();
  } else {
    GP<IW44Image> iw = PhotoImage(page);
    // Three refining chunks; the last one's slices follow the quality asked for.
    IWEncoderParms parms[3];
    parms[0].slices = 74;
    parms[1].slices = 89;
    parms[2].slices = 90 + (quality - 20) * 20 / 80;  // JPEG quality 20..100 to 90..110
    for (int i = 0, more = 1; more && i < 3; ++i) {
      iff->put_chunk("BG44");
      more = iw->encode_chunk(iff->get_bytestream(), parms[i]);
      iff->close_chunk();
    }
    iw->close_codec();
  }
  iff->close_chunk();
}

Bytes EncodePage(const RawPage& page, int quality) {
  GP<ByteStream> bs = ByteStream::create();
  WritePage(bs, page, quality);
  return BytesOf(bs);
}

Bytes Bundle(const std::vector<Bytes>& pages) {
  GP<DjVmDoc> doc = DjVmDoc::create();
  for (size_t i = 0; i < pages.size(); ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "p%04u.djvu", unsigned(i + 1));
    GP<ByteStream> page = ByteStream::create(pages[i].data(), pages[i].size());
    doc->insert_file(*page, DjVmDir::File::PAGE, name, name);
  }
  GP<ByteStream> out = ByteStream::create();
  doc->write(out);
  return BytesOf(out);
}

class DjvuDocument : public DocumentWriter {
 public:
  PluginStatus Begin(const imagecore::Stream* out) override {
    out_ = out;
    return out ? kPluginOk : kPluginBadArgument;
  }

  PluginStatus AddPage(const RawPage& page, Coding, int quality) override {
    if (!Carries(RuleFor(FileKind::kDjvu), page.kind)) return kPluginPageUnsupported;
    try {
      pages_.push_back(EncodePage(page, quality));
    } catch (...) {  // DjVuLibre reports its failures by exceptions
      return kPluginWriteFailed;
    }
    return kPluginOk;
  }

  PluginStatus Finish() override {
    if (pages_.empty()) return kPluginNoPage;
    Bytes file;
    try {
      file = pages_.size() == 1 ? pages_.front() : Bundle(pages_);
    } catch (...) {
      return kPluginWriteFailed;
    }
    return imagecore::WriteAll(*out_, file.data(), file.size()) == imagecore::kOk ? kPluginOk
                                                                                 : kPluginWriteFailed;
  }

  int Pages() const override { return int(pages_.size()); }

 private:
  const imagecore::Stream* out_ = nullptr;
  std::vector<Bytes> pages_;  // each page encoded as it comes; the file is made at the end
};

}  // namespace

std::unique_ptr<DocumentWriter> MakeDjvuWriter() { return std::make_unique<DjvuDocument>(); }

}  // namespace fileplugins
