#include "image_reader.h"

#include <cctype>

#include "codecs.h"
#include "convert.h"
#include "raw_page.h"
#include "tiff_codec.h"

namespace fileplugins {

using imagecore::FileFormat;
using imagecore::Image;

namespace {

FileFormat CodecFormat(FileKind kind) {
  switch (kind) {
    case FileKind::kTiff: return FileFormat::kTiff;
    case FileKind::kBmp: return FileFormat::kBmp;
    case FileKind::kJpeg: return FileFormat::kJpeg;
    case FileKind::kPcx: return FileFormat::kPcx;
    case FileKind::kTga: return FileFormat::kTga;
    default: return FileFormat::kUnknown;
  }
}

PluginStatus FromCodec(imagecore::Status s) {
  if (s == imagecore::kOk) return kPluginOk;
  if (s == imagecore::kNoMemory) return kPluginNoMemory;
  return kPluginBadFile;
}

// Deep pages (16-bit gray and 48-bit colour TIFFs read as RGBA) brought to DIB depths.
PluginStatus Normalise(Image& image) {
  if (image.bits == 1) {
    PutBlackFirst(image);
    return kPluginOk;
  }
  if (image.bits != 16 && image.bits != 32) return kPluginOk;
  Image out;
  const imagecore::Status s = imagecore::IsGrayImage(image) ? imagecore::ToGray8(image, out)
                                                           : imagecore::ConvertDepth(image, 24, false, out);
  if (s != imagecore::kOk) return FromCodec(s);
  image = std::move(out);
  return kPluginOk;
}

PluginStatus DecodeSingle(FileFormat format, const std::vector<uint8_t>& bytes, Image& image) {
  imagecore::ReadOnlyMemory memory(bytes.data(), bytes.size());
  const imagecore::Stream in = memory.AsStream();
  imagecore::Status s;
  switch (format) {
    case FileFormat::kBmp: s = imagecore::ReadBmp(in, image); break;
    case FileFormat::kJpeg: s = imagecore::ReadJpeg(in, image); break;
    case FileFormat::kPcx: s = imagecore::ReadPcx(in, image); break;
    case FileFormat::kTga: s = imagecore::ReadTga(in, image); break;
    case FileFormat::kPng: s = imagecore::ReadPng(in, image); break;
    case FileFormat::kGif: s = imagecore::ReadGif(in, image); break;
    case FileFormat::kPcd: s = imagecore::ReadPcd(in, 3, image); break;
    default: return kPluginBadFile;
  }
  const PluginStatus p = FromCodec(s);
  return p == kPluginOk ? Normalise(image) : p;
}

PluginStatus DecodeTiffPage(const std::vector<uint8_t>& bytes, uint32_t index, Image& image) {
  imagecore::ReadOnlyMemory forInfo(bytes.data(), bytes.size()), forPixels(bytes.data(), bytes.size());
  imagecore::TiffPageInfo info;
  PluginStatus p = FromCodec(imagecore::TiffInfo(forInfo.AsStream(), index, info));
  if (p == kPluginOk) p = FromCodec(imagecore::ReadTiffPage(forPixels.AsStream(), index, image));
  if (p != kPluginOk) return p;
  // A 16-bit gray page comes from the codec as colour; it is gray, and read as gray.
  if (info.bits == 16 && image.bits > 8 && imagecore::IsGrayImage(image)) {
    Image gray;
    p = FromCodec(imagecore::ToGray8(image, gray));
    if (p != kPluginOk) return p;
    image = std::move(gray);
  }
  return Normalise(image);
}

}  // namespace

std::string ExtensionOf(const std::string& name) {
  const size_t dot = name.find_last_of('.');
  if (dot == std::string::npos) return {};
  std::string ext = name.substr(dot + 1);
  if (ext.find_first_of("\\/") != std::string::npos) return {};
  for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

PluginStatus ImageFileReader::Open(std::vector<uint8_t> bytes, FileKind kind) {
  pages_ = 0;
  single_ = Image{};
  bytes_.clear();
  const FileFormat want = CodecFormat(kind);
  if (want == FileFormat::kUnknown) return kPluginCannotRead;
  const FileFormat got = imagecore::SniffFormat(bytes.data(), bytes.size());
  // TGA has no signature; any other file must carry its format's.
  if (want != FileFormat::kTga && got != want) return kPluginBadFile;
  if (kind == FileKind::kTiff) {
    const uint32_t n = imagecore::TiffPageCount(bytes.data(), bytes.size());
    if (n == 0) return kPluginBadFile;
    imagecore::ReadOnlyMemory memory(bytes.data(), bytes.size());
    imagecore::TiffPageInfo info;
    if (imagecore::TiffInfo(memory.AsStream(), 0, info) != imagecore::kOk) return kPluginBadFile;
    bytes_ = std::move(bytes);
    pages_ = n;
  } else {
    const PluginStatus s = DecodeSingle(want, bytes, single_);
    if (s != kPluginOk) return s;
    pages_ = 1;
  }
  kind_ = kind;
  return kPluginOk;
}

PluginStatus ImageFileReader::ReadPage(uint32_t index, Image& image) const {
  if (pages_ == 0) return kPluginNoImageOpen;
  if (index >= pages_) return kPluginBadPageIndex;
  if (kind_ != FileKind::kTiff) {
    image = single_;
    return kPluginOk;
  }
  return DecodeTiffPage(bytes_, index, image);
}

PluginStatus ReadAllPages(const std::vector<uint8_t>& bytes, const std::string& name,
                          std::vector<Image>& pages) {
  pages.clear();
  FileFormat format = imagecore::SniffFormat(bytes.data(), bytes.size());
  const std::string ext = ExtensionOf(name);
  if (ext == "pdf" || ext.rfind("dj", 0) == 0) return kPluginCannotRead;
  if (format == FileFormat::kUnknown && ext == "tga") format = FileFormat::kTga;
  if (format == FileFormat::kTiff) {
    const uint32_t n = imagecore::TiffPageCount(bytes.data(), bytes.size());
    if (n == 0) return kPluginBadFile;
    for (uint32_t i = 0; i < n; ++i) {
      Image page;
      const PluginStatus s = DecodeTiffPage(bytes, i, page);
      if (s != kPluginOk) {
        pages.clear();
        return s;
      }
      pages.push_back(std::move(page));
    }
    return kPluginOk;
  }
  Image page;
  const PluginStatus s = DecodeSingle(format, bytes, page);
  if (s != kPluginOk) return s;
  pages.push_back(std::move(page));
  return kPluginOk;
}

}  // namespace fileplugins
